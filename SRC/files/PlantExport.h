// Export to 3D plant design: the model's geometry as solid primitives
// (cylinders, boxes, cones, spheres, circular tori) in a PDMS geometry macro
// (*.mac) or a CADMATIC 3D dump (*.3dd). The Layout window's "Export to
// 3&D Plant Design" command asks for the file and its type; the writer walks
// the rows and turns each row's element, then its data item, into
// primitives through one shape writer per kind (a table, so kinds join it by
// a line).
//
// Everything is in plant axes (East, North, Up) and millimetres: model
// (x, y, z) inch is 25.4 (x, y, z) with Z vertical and 25.4 (x, -z, y) with
// Y vertical. PDMS angles are degrees; the CADMATIC torus angle is radians
// (pi / 180 per degree, so bends close on their tangents). A row without a
// section diameter takes 152.4 mm; flanges and guides take the bend form
// only on a bend's derived node. Rows whose kind has no shape are not
// listed (they are not geometry: From, Location, Beam, Comment, loads and
// most supports); rows left out for a missing node are listed after the
// export. The file is written whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

enum class PlantFormat { Pdms, Cadmatic };

std::string WritePlantText(const Model& model, PlantFormat format, std::vector<std::string>& leftOut);
std::string WritePlantFile(const Model& model, const std::string& path, PlantFormat format,
                           std::vector<std::string>& leftOut);

// The command over the Layout window.
void ExportPlantDesign(HWND parent);
