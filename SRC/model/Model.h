// The model store: every table of one model gathered in one aggregate, and
// the open model that the whole program reaches through TheModel().
//
// Holding a model as one value lets a reader fill a fresh Model and swap it
// in only when the whole file was read (SwapModel), so a damaged file leaves
// the open model exactly as it was; undo snapshots and merges read the same
// way. The layout rows, the node table, every property and equipment table,
// the lists of spectra, force spectra and time functions, the load-case list,
// the analysis options and the other settings of the model file's options
// section, the view settings, the revision record, the Quality Assurance
// Block and the per-kind row lists are all members.
//
// Start with InitEmptyModel (ModelStore.cpp): it sets up a new empty model
// with its defaults. The rows use index 1 .. rowCount of a fixed room of
// 7010 (made as they are reached); row 0 is the hidden template row.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/LayoutRow.h"
#include "model/Nodes.h"
#include "model/RevisionRecord.h"
#include "model/RowLists.h"
#include "records/AllowableLoad.h"
#include "records/AnalysisOptions.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"
#include "records/Compressor.h"
#include "records/ForceSpectrum.h"
#include "records/GraphicsSettings.h"
#include "records/LoadCaseList.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/Pump.h"
#include "records/RecordTable.h"
#include "records/Soil.h"
#include "records/Spectrum.h"
#include "records/StaticSeismic.h"
#include "records/TimeFunction.h"
#include "records/Wind.h"

constexpr int kModelTitleWidth = 50;  // bytes in the file, zero included
constexpr int kUnitChoiceCount = 20;  // one per UnitKind

// The Quality Assurance Block: 220 bytes in the file, each field a
// zero-terminated text of at most width - 1 characters.
struct QualityAssuranceBlock {
  std::string client;         // 42 bytes
  std::string project;        // 42
  std::string fileNumber;     // 42
  std::string reportNumber;   // 42
  std::string preparedBy;     // 26
  std::string checkedBy;      // 26
};

// Time history run settings kept in the options section.
struct TimeHistorySettings {
  float timeStep = 0.0f;            // seconds
  std::int32_t stepCount = 0;
  std::int32_t outputInterval = 0;  // time steps between stored results
  std::uint8_t writeResults = 0;    // the run writes and reads its displacement results
  float damping = 0.0f;             // percent
};

// Harmonic run settings kept in the options section.
struct HarmonicSettings {
  std::int32_t combination = 0;  // 0 "Root Mean Square", 1 "Absolute Sum"
  float damping = 0.0f;          // percent
};

struct Model {
  std::string path;   // the model file; empty for an untitled model
  std::string title;  // at most 49 characters
  QualityAssuranceBlock qa;
  RevisionRecord revisions;

  // The options section of the model file.
  AnalysisOptions options;
  StaticSeismic seismic;
  WindData wind;
  SpectrumLoad spectrumLoad;  // X, Y, Z spectra, factors, mode and direction sums
  TimeHistorySettings timeHistory;
  HarmonicSettings harmonic;
  std::int32_t nodeIncrement = 0;
  std::array<std::int32_t, kUnitChoiceCount> unitChoices{};

  LoadCaseList loadCases;
  GraphicsSettings graphics;

  ModelRecordTable<Material> materials;
  ModelRecordTable<PipeSection> sections;
  ModelRecordTable<PipeLoad> pipeLoads;
  ModelRecordTable<BeamMaterial> beamMaterials;
  ModelRecordTable<BeamSection> beamSections;
  ModelRecordTable<BeamLoad> beamLoads;
  ModelRecordTable<Pump> pumps;
  ModelRecordTable<RotatingEquipment> compressors;
  ModelRecordTable<RotatingEquipment> turbines;
  SpectrumList spectra;
  ForceSpectrumList forceSpectra;
  TimeFunctionList timeFunctions;
  ModelRecordTable<Soil> soils;
  ModelRecordTable<Allowable> allowables;

  // Rows 0 .. 7009 of the room are reached through row(); slots are made
  // when first reached (a deque keeps references to earlier rows valid), and
  // a slot never reached reads as a blank row.
  std::deque<LayoutRow> rows;
  int rowCount = 0;
  NodeTable nodes;
  RowIndexLists lists;

  int currentRow = 1;      // the current Layout row
  int layoutTopRow = 1;    // the first row the Layout table shows
  std::string listName;    // label of the list shown in the List window, or empty
  bool modified = false;       // changed since it was read or saved
  bool layoutChanged = false;  // rows or nodes changed since the model was made
  // Why the rows could not be made into a node table the last time that
  // was tried (empty: the node table is the rows' own). A model in that
  // state is never written to a file, which could not be read back.
  std::string unmadeReason;
  // Why a making of the model since the last undo snapshot was taken set a
  // row's offsets to zero (the row cannot keep them); empty when none was.
  std::string droppedOffsets;

  Model();
  ~Model();
  Model(Model&&) noexcept;
  Model& operator=(Model&&) noexcept;
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  LayoutRow& row(int number);
  const LayoutRow& row(int number) const;
};

// The open model; on a thread that set a model of its own (the graphics
// thread draws from a copy), that model.
Model& TheModel();
void SetThreadModel(Model* model);
// The open model file's name without its folder and extension, or
// "Untitled" for an untitled model.
std::string GetModelName();
// The data item's name for tables (DataItemTypeNameForCode) under the open
// model's piping code.
const char* DataItemTypeName(int dataType, int subtype);
// True when the model has soils and at least one pipe section names one.
bool AnySectionHasSoil(const Model& model);
// True when a pipe row (not a beam) names a section with a soil, its own
// or, for a jacketed pipe or bend, its jacket's (the jacket is what lies in
// the soil; a core section may not name one). The one test of "buried" for
// the analysis and for its results.
bool ModelHasBuriedPipe(const Model& model);
// Makes `other` the open model and hands the previous one back in `other`.
void SwapModel(Model& other);

// The analysis options a new model starts from: the program's record (the
// registry's defaults at start-up, then those of the last model).
AnalysisOptions& ProgramAnalysisOptions();

// The program's current unit choices (the new model's), and making a model's
// choices the program's when it becomes the open model.
std::array<std::int32_t, kUnitChoiceCount> ProgramUnitChoices();
void ApplyModelUnits(const Model& model);

// Frees every row's objects and empties every table and list (ClearModel).
void ClearModel(Model& model);
// A new, empty model with its defaults, starting from `programOptions` for
// the options a new model keeps (InitEmptyModel).
void InitEmptyModel(Model& model, const AnalysisOptions& programOptions);
// The load-case selection flags of a new model, by whether it has a piping
// code (the batch import selects them again once its code is known).
void SetNewModelLoadCaseFlags(LoadCaseList& cases, std::int32_t pipingCode);
