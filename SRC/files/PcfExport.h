// Writing the model's piping as a piping component file (*.pcf) for
// isometric generators: the Layout window's "Export to PC&F..." command, its
// save dialog, and the writer.
//
// The file is a header (unit lines and the isometric reference), one
// component per element row (PIPE, ELBOW, VALVE, REDUCER-CONCENTRIC,
// MISC-COMPONENT, INSTRUMENT or FLANGE with their END-POINTs, CENTRE-POINTs,
// item codes, SKEYs and attributes) followed by the row's support, tee or
// flange, and the MATERIALS list of every item code written. Points are in
// the file's east, north, up axes: the model's X, Y, Z with Z vertical, its
// Z, X, Y with Y vertical. Values go through the units module in one of two
// fixed sets (metric: mm, kg, C, bar; imperial: inch, lb, F, psi), chosen
// from the user's length unit; angles are degrees; bores are the nominal
// size of the outside diameter (NPS in inches, DN in mm) within 0.1 inch,
// else the diameter itself. Unitless values (frictions, mill tolerances,
// direction components in item codes) keep their decimals at whatever width
// they take; a friction below 0 is left out. Rows that give no component,
// or one written without what it lacks, are listed after the export. The
// file is written whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

enum class PcfUnits { Imperial, Metric };

// Metric when the user's length unit is m or mm.
PcfUnits ChoosePcfUnits();

// The whole file for `model`; `leftOut` gets a line per row left out.
std::string WritePcfText(const Model& model, PcfUnits units, std::vector<std::string>& leftOut);

// The nominal bore of an outside diameter (inch), in inches: the NPS in the
// imperial set, the DN as inches (DN / 25.4) in the metric set, or the
// diameter itself when no size is within 0.1 inch.
double PcfNominalBore(double outsideDiameter, PcfUnits units);

// The message of a failure, empty when the file was written.
std::string WritePcfFile(const Model& model, const std::string& path, std::vector<std::string>& leftOut);

// The command over the Layout window.
void ExportPcfFile(HWND parent);
