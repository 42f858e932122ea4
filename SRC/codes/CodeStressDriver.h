// The code stresses of the results shown: once per opening of the results,
// the SIF pass, then for every stress element and each stress category the
// results hold, the stresses at both element ends against the allowables
// of the model's piping code, kept per element (the worst case of each
// category, CodeStressRecord) and per node (the governing stress of each
// category, sorted worst first, SortedStresses). The compliance tables,
// the sorted stresses and the pipe forces table read what is left here;
// nothing is computed twice.
//
// One category at a time: each routine asks the loader for the end forces
// of its load case, then runs over the records. The loader is the results'
// own (this floor never reads the results file), so the same driver runs on
// forces that a test hands it.
//
// What the driver reads of the model it reads through a CodeModel built on
// the effective code settings (CodeSettings.h): viewing results never
// changes the model's options. BS 806 has its own routines (Bs806Stress.h);
// the ASME Class 2/3 codes add the branch connection stresses of every
// Branch SIF row (BranchConnection.h) to their sustained and occasional
// cases. Models whose checks come later (buried pipe) are refused before
// anything is computed. Start reading at CalculateCodeStresses.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codes/BranchConnection.h"
#include "codes/CodeCategories.h"
#include "codes/CodeModel.h"
#include "codes/FlexibilityFactors.h"
#include "codes/CodeStressRecord.h"
#include "codes/ElementCodeStress.h"
#include "codes/Sif.h"
#include "codes/SortedStresses.h"
#include "model/AnalysisElements.h"

struct Model;

struct CodeStressResults {
  AnalysisElementList elements;     // the analysis elements of the results
  std::unique_ptr<CodeModel> cm;    // on `elements` and the model
  SifTables sifs;
  std::vector<CodeStressRecord> records = std::vector<CodeStressRecord>(1);  // [0] unused
  std::vector<int> caseTypes;       // the load-case types of the results
  CategoryPresence presence;
  // Sections 0 .. 7 of the sorted stresses; with no piping code sections 0,
  // 1 and 2 hold the equivalent (von Mises), maximum and minimum principal
  // stresses.
  SortedStresses sorted;
  bool stressOnly = false;          // piping code None
  bool showRatios = true;           // the compliance table's ratio columns
  bool showOperating = false;       // the operating section of the sorted stresses
  double cyclicFactor = 1.0;        // f of the expansion allowables
  // Per record, the allowable internal pressure (0: none applies; NaN: the
  // code has no value for it, and the message says why).
  std::vector<double> allowablePressure;
  std::string allowablePressureMessage;
  bool allowablePressureMessageShown = false;
  // The first check that had a stress but no allowable, naming material,
  // temperature and column (empty when every check could be made).
  std::string missingAllowableMessage;
  bool missingAllowableMessageShown = false;
  // The ASME Class 2/3 branch connection records (empty for other codes and
  // without Branch SIF rows or a sustained case).
  BranchConnectionStresses branches;
  // The element flexibility factors of the case whose forces the pipe
  // forces table shows (index 1 .. element count), and that case's type.
  std::vector<ElementFlexFactors> flexFactors;
  int flexFactorsCaseType = 0;
  bool computed = false;

  int RecordCount() const { return static_cast<int>(records.size()) - 1; }
  const CodeStressRecord& Record(int row) const { return records[static_cast<std::size_t>(row)]; }
  bool HasCaseType(int type) const;
};

// The code stresses of the results shown (empty outside results).
CodeStressResults& TheCodeStresses();
// Forgets everything (leaving results).
void FreeCodeStresses();

// Gives the end forces of every analysis element (1 .. count) in the case
// of a LoadCaseType that the results hold.
using CaseForcesLoader = std::function<void(int caseType, std::vector<ElementForces>& forces)>;

// Starts the code stresses of freshly read results: the elements (index 1 ..
// count, [0] unused), one record per stress element in order, the case
// types present and their categories. Throws the refusal of a model whose
// checks come later.
void BeginCodeStresses(CodeStressResults& results, const Model& model, const std::vector<AnalysisElement>& elements,
                       int elementCount, const std::vector<int>& stressElements, const std::vector<int>& caseTypes);
// The SIFs of every element end (throws the branch connection messages).
void ComputeResultSifs(CodeStressResults& results);
// Every category routine in the driver's order; fills the records, the node
// tables and the sorted row count.
void CalculateCodeStresses(CodeStressResults& results, const CaseForcesLoader& loadForces);

// The allowable pressure of every record; a rule that has no value for an
// element gives NaN and keeps the first message.
void ComputeAllowablePressures(CodeStressResults& results);

// The count of leading sorted rows shown, as the routines leave it.
int SortedStressRowCount(const CodeStressResults& results);
// The operating section shown in the sorted stresses (or not).
void ShowOperatingSection(CodeStressResults& results, bool shown);
