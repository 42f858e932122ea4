// The words of the pump dialog, list, reports and checks: the ANSI/HI pump
// categories with their short names, the size lists of each category, the
// bolt sizes and mounting types, the casing material groups with their
// short names and the nozzle location words. Index = the stored value.
#pragma once

#include <string>
#include <vector>

struct Pump;

const std::vector<std::string>& PumpCategoryNames();
const std::vector<std::string>& PumpCategoryShortNames();
// The size list of category `category` (0..5): end-suction pump sizes,
// B73.2 sizes, axial split nominal sizes or vertical turbine nozzle sizes.
const std::vector<std::string>& PumpSizeNames(int category);
const std::vector<std::string>& PumpBoltSizeNames();
const std::vector<std::string>& PumpMountingNames();
const std::vector<std::string>& PumpMaterialNames();
const std::vector<std::string>& PumpMaterialShortNames();
// "Top ", "Side", "End " (list) and "(Top)", "(Side)", "(End)" (reports).
std::string PumpLocationWord(int location);
std::string PumpLocationReportWord(int location);

// Entry `index` of `list`, or the empty text outside it.
std::string PumpListEntry(const std::vector<std::string>& list, int index);
// The bolt size (category 4) or mounting type (category 3) of an ANSI/HI
// pump; the empty text for the others.
std::string PumpBoltOrMountingText(const Pump& pump);
// Whether the pump's local frame has a vertical shaft: an API 610 vertical
// inline pump, or an ANSI/HI B73.2 or vertical turbine pump.
bool PumpIsVerticalKind(const Pump& pump);
// The shaft axis rule of a horizontal pump: its local frame takes the axis
// as X and Z x X as Y, which is a unit frame only for a level axis, so an
// axis with a vertical component (Y, or Z when Z is vertical) would resolve
// the nozzle loads in a skewed frame. The refusal names the pump; empty
// when the pump keeps the rule (vertical kinds take no axis of their own).
std::string PumpShaftAxisFault(const Pump& pump, bool zVertical);
