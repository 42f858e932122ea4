// What a change of a material, pipe section or soil does to the rest of the
// model: whether a record is still named anywhere (rows, the bend material
// of bends, miters and jacketed bends, the jacket material and section of
// jacketed pipes and bends, the soil field of sections), renaming a record
// with every reference to it, the one store of a section's values with the
// jacket clearance rule it keeps, and appending another model's records in
// a merge with the rename map of MergeNames.h.
//
// Renames and the section store take the record's number, never its name:
// a file may hold two records of one name, and only the first is reached by
// the rows (RenameRecordAt).
//
// These work on the model only; the tables and dialogs that call them
// redraw their windows themselves.
#pragma once

#include <string>
#include <vector>

#include "model/LayoutRow.h"
#include "records/RecordTable.h"

struct Model;
struct Material;
struct PipeSection;
struct BeamMaterial;
struct BeamSection;
struct BeamLoad;
struct Soil;

bool IsMaterialInUse(const Model& model, int record);
// Record `record` gets `newName`, and the rows' names of it (their own, bend
// and jacket materials) follow when they reach it; sets the model-modified
// flag.
void RenameMaterial(Model& model, int record, const std::string& newName);

bool IsSectionInUse(const Model& model, int record);
// The record, and the rows' and jacket sections' names of it; sets the
// model-modified flag.
void RenameSectionInRows(Model& model, int record, const std::string& newName);

// A soil is in use while some pipe section names it.
bool IsSoilInUse(const Model& model, int record);
// The soil record, and every section's soil field that reaches it; sets the
// model-modified flag.
void RenameSoilInSections(Model& model, int record, const std::string& newName);

// Whether storing `values` (name included) in section `record` would leave a
// jacketed row whose jacket does not take its core (JacketClearance.h: the
// bore with the section's wall, and with a jacketed bend's own wall). The
// rows are taken as they would resolve their names after the store.
bool JacketClearanceViolated(const Model& model, int record, const PipeSection& values);
// Throws "(Jacket I.D. - lining) < (core O.D. + insulation)" when `values`
// change the name, a diameter, a wall, an insulation or a lining thickness
// of section `record` and JacketClearanceViolated holds. In a cell or a
// paste, a jacket that was already too narrow does not bar an edit of
// something else; the dialog asks JacketClearanceViolated on every OK.
void CheckJacketClearance(const Model& model, int record, const PipeSection& values);
// The one store of a pipe section, which the dialog, the table's cells and
// Paste all take: CheckJacketClearance refuses before anything changes; a
// new name is given as by RenameSectionInRows (the caller has asked). True
// when something changed, which sets the model-modified flag.
bool StoreSection(Model& model, int record, const PipeSection& values);

// The name checks that the dialogs and the tables share: an empty name, one
// that is not letters, digits, "-" and "/", one a beam record holds and one
// another record (not `self`) holds each throw their field message.
void CheckMaterialName(const Model& model, const std::string& name, int self);
void CheckSectionName(const Model& model, const std::string& name, int self);
void CheckSoilName(const Model& model, const std::string& name, int self);

// A merge: the other model's records are appended after those of the open
// model; clashing names (pipe or beam) are renamed through one map that is
// applied to the records and to the merged rows 1..rowCount. Throws the
// refusal when no free name is left, before anything changed.
void MergeMaterials(Model& model, ModelRecordTable<Material>& merged, std::vector<LayoutRow>& rows, int rowCount);
void MergeSections(Model& model, ModelRecordTable<PipeSection>& merged, std::vector<LayoutRow>& rows, int rowCount);
// The beam tables the same way, against the pipe twin's names too; only beam
// rows name them.
void MergeBeamMaterials(Model& model, ModelRecordTable<BeamMaterial>& merged, std::vector<LayoutRow>& rows,
                        int rowCount);
void MergeBeamSections(Model& model, ModelRecordTable<BeamSection>& merged, std::vector<LayoutRow>& rows,
                       int rowCount);
void MergeBeamLoads(Model& model, ModelRecordTable<BeamLoad>& merged, std::vector<LayoutRow>& rows, int rowCount);
// Soils: a clashing name is renamed like the others, and the merged pipe
// sections that name it follow (call it before MergeSections), so a merged
// buried pipe never binds to the open model's soil of the same name.
void MergeSoils(Model& model, ModelRecordTable<Soil>& merged, ModelRecordTable<PipeSection>& mergedSections);
