// The short fixed names that tables, reports and dialogs show for the kinds
// of the model: element and data types of layout rows, the subtypes of some
// data items, flange types, pressure-design components, piping codes (long
// and short, by the code's position in the code list), hanger catalogues and
// load-case titles.
//
// Each table is read through a function taking the table's integer code; a
// code without a name, or outside the table, gives the empty text. The
// tables never change while the program runs; the load-case titles are
// built once, on first use.
#pragma once

#include <cstdint>

// Element types 0..19 ("From", "Bend" ...; pipe and comment rows are empty).
const char* ElementTypeName(int elementType);
// Data types 0..21 ("Anchor", "Restraint" ...).
const char* DataTypeName(int dataType);
// Restraint direction combinations 0..7, hanger kinds 0..3, weld types 0..4.
const char* RestraintTypeName(int combination);
const char* HangerTypeName(int hangerKind);
const char* WeldTypeName(int weldType);
// Branch SIF types: the general list 0..9 and the Swedish and Norwegian list
// 0..8.
const char* BranchTypeName(int branchType);
const char* NordicBranchTypeName(int branchType);
// Flange types 0..7 and pressure-design components 0..7.
const char* FlangeTypeName(int flangeType);
const char* ComponentName(int component);
// Piping codes by their position 0..24 in the code list.
const char* PipingCodeLongName(int position);
const char* PipingCodeShortName(int position);
constexpr int kPipingCodePositions = 25;
constexpr int kPipingCodeCount = kPipingCodePositions;
// The position of a code in the code list (0 "None", 1 "B31.1 (2016)" ...
// 24 "Z662 (2015)"); -1 for an id that is not a piping code.
int CodeListPosition(std::int32_t code);
// The code id at a position of the list; 0 for a position outside it.
std::int32_t CodeAtListPosition(int position);
// Spring-hanger catalogues 1..34 (0 is none).
const char* HangerCatalogueName(int catalogue);
constexpr int kHangerCatalogues = 34;
// Load-case titles by LoadCaseType 1 .. kLastLoadCaseType (LoadCaseTypes.h).
const char* LoadCaseTitle(int caseType);

// The data item's name for tables: the subtype's name for restraints,
// hangers, welds and branch SIFs ("* Invalid *" for branch subtype -1), the
// data type's name otherwise. Branch names come from the Swedish and
// Norwegian list when the piping code id is 13, 14 or 18.
const char* DataItemTypeNameForCode(int dataType, int subtype, int pipingCodeId);
