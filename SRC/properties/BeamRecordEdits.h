// What the beam records' dialogs and tables share: the cell text of every
// beam material, section and load field, the name checks (a beam record's
// name may be neither a pipe record's of the same family nor another beam
// record's), whether a record is still named by a row, and the rename of a
// record in the Beam rows.
//
// Names are unique across the pipe and beam families of a kind (a pipe
// material's dialog refuses a beam material's name and the other way round),
// so a row that names a beam record by its own name field, or through a
// jacket's name, uses that record.
#pragma once

#include <string>

struct Model;

// Columns: materials 1 name, 2 description, 3 E, 4 Nu, 5 density, 6 alpha;
// sections 1 name, 2 description, 3 A, 4 Imaj, 5 Imin, 6 J, 7 Asmaj,
// 8 Asmin, 9 depth, 10 width; loads 1 name, 2..11 T1..T10 (only those in
// use), 12 additional weight, 13 wind ("Y"). A value of 0 is empty.
std::string BeamMaterialCellText(const Model& model, int record, int column);
std::string BeamSectionCellText(const Model& model, int record, int column);
std::string BeamLoadCellText(const Model& model, int record, int column);

// How many of T1..T10 the model's load cases use: 1, 2, 3 or 10.
int BeamLoadTemperaturesInUse(const Model& model);

// The name checks of the dialogs and tables, in their order: required,
// letters, digits, "-" and "/", not a pipe record's name, not another beam
// record's (`self` is the record being named).
void CheckBeamMaterialName(const Model& model, const std::string& name, int self);
void CheckBeamSectionName(const Model& model, const std::string& name, int self);
void CheckBeamLoadName(const Model& model, const std::string& name, int self);

bool IsBeamMaterialInUse(const Model& model, int record);
bool IsBeamSectionInUse(const Model& model, int record);
bool IsBeamLoadInUse(const Model& model, int record);

// Record `record` takes `newName`, and so does every Beam row whose name
// reaches it; the model is marked modified.
void RenameBeamMaterialInRows(Model& model, int record, const std::string& newName);
void RenameBeamSectionInRows(Model& model, int record, const std::string& newName);
void RenameBeamLoadInRows(Model& model, int record, const std::string& newName);
