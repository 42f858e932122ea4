// The sections of the model file that the file module itself owns or frames:
// the analysis options (with the seismic, wind, spectrum, time history,
// harmonic, node numbering and units fields that travel with them), the
// load-case list, the graphics settings, the layout rows, and the small
// trailing sections (current row, Layout top row, List window state).
//
// Every reader takes the version of the file (the per-kind Read operations
// of the row objects read g_ModelFileVersion instead), reads at the current
// position, validates what it reads and throws the message text of a damaged
// section. Every writer writes the version 900 layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BinaryFile;
struct Model;
struct GraphicsSettings;
struct LoadCaseList;
struct LayoutRow;

void ReadModelOptions(BinaryFile& file, int version, Model& model);
void WriteModelOptions(BinaryFile& file, const Model& model);
// For a converter, which takes a default rather than refuse a user's old
// model: every field of the options section outside the range its reader
// takes (the analysis options, the run settings, the unit choices) takes
// its value in `defaults` (a new model), one note per field ("cut off
// frequency 0 out of range 1 to 2147483647: 33 taken").
std::vector<std::string> TakeOptionsSectionDefaults(Model& model, const Model& defaults);

void ReadLoadCaseList(BinaryFile& file, int version, LoadCaseList& list);
// After the options and the list were read: every case of the list whose
// temperatures the model's number of thermal loads leaves out of use is
// taken out of the list (the run could not take its pressure and
// temperature), one note per case ("Load cases: "Cold spring (W+P4+T4)"
// needs 10 thermal loads, but the model has 1: the case was dropped").
std::vector<std::string> DropLoadCasesBeyondThermalCount(Model& model);
void WriteLoadCaseList(BinaryFile& file, const LoadCaseList& list);

void ReadGraphicsSettings(BinaryFile& file, int version, GraphicsSettings& settings);
void WriteGraphicsSettings(BinaryFile& file, const GraphicsSettings& settings);

// The layout rows of `model` (rows 1 .. count); at most 7000.
void ReadLayoutRows(BinaryFile& file, int version, Model& model);
void WriteLayoutRows(BinaryFile& file, const Model& model);
// One row record; `rowNumber` names the row in messages.
void ReadLayoutRow(BinaryFile& file, int version, int rowNumber, LayoutRow& row);
void WriteLayoutRow(BinaryFile& file, const LayoutRow& row);

// Current Layout row and the first row shown (versions above 502).
void ReadLayoutPosition(BinaryFile& file, int version, Model& model);
void WriteLayoutPosition(BinaryFile& file, const Model& model);
// The label of the list the List window showed (versions above 502).
void ReadListWindowState(BinaryFile& file, int version, std::string& listName);
void WriteListWindowState(BinaryFile& file, const std::string& listName);
