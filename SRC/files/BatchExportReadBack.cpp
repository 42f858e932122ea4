// What a model batch file does not carry of the model beyond its rows and
// tables (see BatchExport.h): the response spectra, force spectra and time
// functions, the loads' wind flags and design conditions (the import makes
// them the largest operating ones), the load-case list, the dynamic
// analysis settings and the other analysis options. The file written is
// read back as the Import command reads it, and every record that comes
// back otherwise than the model holds it is named in the list of what was
// left out, with what the import gives in its place; the spectra and point
// tables, which no batch line holds, are named whenever the model has any.
// A file the import refuses is named first, and its message kept for the
// command to show: the writer is meant never to write one. Start reading
// at ListBatchRecordsNotWritten.
#include <algorithm>
#include <exception>
#include <sstream>

#include "files/BatchExport.h"
#include "files/BatchImport.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "records/AnalysisOptions.h"
#include "records/BeamLoad.h"
#include "records/LoadCaseList.h"
#include "records/PipeLoad.h"
#include "records/PointTables.h"
#include "records/Spectrum.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

std::string Flag(std::uint8_t flag) { return flag != 0 ? "on" : "off"; }
std::string Number(double value) { return FormatG6(value); }
std::string Integer(std::int32_t value) { return IntegerToText(value); }

// One setting of the model: its name in the list, its text, and the piping
// codes it means anything for (all when null).
struct Setting {
  const char* name;
  std::string (*text)(const Model& model);
  bool (*applies)(std::int32_t code) = nullptr;
};

bool IsB318(std::int32_t code) { return code == 6; }
bool IsZ183(std::int32_t code) { return code == 19; }
bool IsZ184OrZ662(std::int32_t code) { return code == 20 || code == 22; }
bool IsEn13480(std::int32_t code) { return code == 21; }

// The analysis options the OPTIONS line has no word for. The piping code,
// the vertical axis and the reference temperature (AMB) are written.
constexpr Setting kAnalysisOptions[] = {
    {"service level", [](const Model& m) { return std::string(1, ServiceLevelLetter(m.options.ServiceLevel)); },
     CodeUsesServiceLevel},
    {"B31.8 design factor index", [](const Model& m) { return Integer(m.options.DesignFactorIndex); }, IsB318},
    {"Z183 location factor index", [](const Model& m) { return Integer(m.options.Z183LocationFactorIndex); }, IsZ183},
    {"Z184 class location", [](const Model& m) { return Integer(m.options.Z184ClassLocation); }, IsZ184OrZ662},
    {"\"Sour service\" option", [](const Model& m) { return Flag(m.options.Z184SourService); }, IsZ184OrZ662},
    {"\"Liberal allowable\" option", [](const Model& m) { return Flag(m.options.LiberalAllowable); },
     CodeAllowsLiberal},
    {"occasional load factor", [](const Model& m) { return Number(m.options.OccasionalLoadFactor); }, IsEn13480},
    {"\"Include axial force\" option", [](const Model& m) { return Flag(m.options.IncludeAxialForce); }},
    {"\"Use B31J\" option", [](const Model& m) { return Flag(m.options.UseB31J); }, CodeAllowsB31J},
    {"number of thermal cycles", [](const Model& m) { return Integer(m.options.ThermalCycles); }},
    {"\"Solve thermal case\" option", [](const Model& m) { return Flag(m.options.SolveThermalCase); }},
    {"\"Use cold modulus\" option", [](const Model& m) { return Flag(m.options.UseColdModulus); }},
    {"\"Include hanger stiffness\" option", [](const Model& m) { return Flag(m.options.IncludeHangerStiffness); }},
    {"\"Bourdon effect\" option", [](const Model& m) { return Flag(m.options.BourdonEffect); }},
    {"\"Pressure correction\" option", [](const Model& m) { return Flag(m.options.PressureCorrection); }},
    {"pressure stress option", [](const Model& m) { return Integer(m.options.PressureStressOption); }},
    {"peak pressure factor", [](const Model& m) { return Number(m.options.PeakPressureFactor); }},
    {"yield displacement factor", [](const Model& m) { return Number(m.options.YieldDisplacementFactor); }},
};

// The settings of the dynamic runs: modal, response spectrum, time history
// and harmonic.
constexpr Setting kDynamicSettings[] = {
    {"cut off frequency (Hz)", [](const Model& m) { return Integer(m.options.CutOffFrequency); }},
    {"number of modes", [](const Model& m) { return Integer(m.options.ModeCount); }},
    {"\"Include missing mass\" option", [](const Model& m) { return Flag(m.options.IncludeMissingMass); }},
    {"\"Friction in dynamics\" option", [](const Model& m) { return Flag(m.options.FrictionInDynamics); }},
    {"spectrum mode sum", [](const Model& m) { return Integer(m.spectrumLoad.modeSum); }},
    {"spectrum direction sum", [](const Model& m) { return Integer(m.spectrumLoad.directionSum); }},
    {"time history time step (s)", [](const Model& m) { return Number(m.timeHistory.timeStep); }},
    {"time history number of steps", [](const Model& m) { return Integer(m.timeHistory.stepCount); }},
    {"time history output interval", [](const Model& m) { return Integer(m.timeHistory.outputInterval); }},
    {"\"Write time history results\" option", [](const Model& m) { return Flag(m.timeHistory.writeResults); }},
    {"time history damping (%)", [](const Model& m) { return Number(m.timeHistory.damping); }},
    {"harmonic combination", [](const Model& m) { return Integer(m.harmonic.combination); }},
    {"harmonic damping (%)", [](const Model& m) { return Number(m.harmonic.damping); }},
};

template <std::size_t N>
void ListSettings(const Setting (&settings)[N], const char* where, const Model& model, const Model& readBack,
                  std::vector<std::string>& leftOut) {
  for (const Setting& setting : settings) {
    if (setting.applies != nullptr && !setting.applies(model.options.PipingCode)) continue;
    const std::string held = setting.text(model);
    const std::string read = setting.text(readBack);
    if (held != read)
      leftOut.push_back(std::string(where) + ": the " + setting.name + ", " + held +
                        ", was not written (the batch file does not carry it); it reads back as " + read);
  }
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

void ListNamed(const char* kind, const std::vector<std::string>& names, std::vector<std::string>& leftOut) {
  if (names.empty()) return;
  leftOut.push_back(std::string(kind) + ": " + JoinNames(names) + (names.size() == 1 ? " was" : " were") +
                    " not written (the batch file does not carry them)");
}

std::vector<std::string> PointTableNames(const NamedPointsList& list) {
  std::vector<std::string> names;
  for (const NamedPoints& record : list)
    if (!IsBlankPointTable(record)) names.push_back(record.name.empty() ? std::string("(unnamed)") : record.name);
  return names;
}

std::vector<std::string> SpectrumNames(const SpectrumList& list) {
  std::vector<std::string> names;
  for (const ResponseSpectrum& spectrum : list)
    if (!spectrum.name.empty() || !spectrum.points.empty())
      names.push_back(spectrum.name.empty() ? std::string("(unnamed)") : spectrum.name);
  return names;
}

std::vector<int> Cases(const LoadCaseList& list) {
  std::vector<int> ids;
  for (int i = 1; i <= list.count && i <= kLoadCaseListRoom; ++i)
    ids.push_back(list.cases[static_cast<std::size_t>(i)]);
  return ids;
}

// The titles of the cases of `from` that `other` lacks.
std::vector<std::string> CasesMissing(const std::vector<int>& from, const std::vector<int>& other) {
  std::vector<std::string> titles;
  for (const int id : from)
    if (std::find(other.begin(), other.end(), id) == other.end()) {
      const char* title = LoadCaseTitle(id);
      titles.push_back(title != nullptr && *title != '\0' ? std::string(title) : "case " + Integer(id));
    }
  return titles;
}

void ListLoadCases(const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const std::vector<int> held = Cases(model.loadCases);
  const std::vector<int> read = Cases(readBack.loadCases);
  if (held == read) return;
  std::string text = "Load cases: the load-case list was not written (the batch file does not carry it); the import "
                     "rebuilds it";
  const std::vector<std::string> lost = CasesMissing(held, read);
  const std::vector<std::string> gained = CasesMissing(read, held);
  if (!lost.empty()) text += " without " + JoinNames(lost);
  if (!gained.empty()) text += std::string(lost.empty() ? "" : " and") + " with " + JoinNames(gained);
  if (lost.empty() && gained.empty()) text += " in another order";
  leftOut.push_back(text);
}

// Whether wind acts on the pipes and beams of each load: the LOADS and
// BLOADS lines have no field for it.
template <typename Load>
void ListWindFlags(const char* kind, const ModelRecordTable<Load>& held, const ModelRecordTable<Load>& read,
                   std::vector<std::string>& leftOut) {
  for (int i = 1; i <= held.count && i <= read.count; ++i)
    if (held[i].name == read[i].name && held[i].wind != read[i].wind)
      leftOut.push_back(std::string(kind) + " " + held[i].name + ": its wind flag, " + Flag(held[i].wind) +
                        ", was not written (the batch file does not carry it); it reads back as " + Flag(read[i].wind));
}

// The file carries the number of thermal loads only in the loads'
// temperatures, of which the LOADS lines hold three: the reader counts a
// pair in use from its T, so a pair whose T is 70 F or 0 in every load
// reads back as none. (More than three are named by each load's line.)
void ListThermalLoadCount(const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const int held = model.options.ThermalLoadCount, read = readBack.options.ThermalLoadCount;
  const int written = std::min(held, 3);
  if (held == read) return;
  if (model.pipeLoads.count > 0 && read < written) {
    leftOut.push_back("Pipe loads: T" + Integer(written) + " is 70 F or 0 in every load, which the file reads as no " +
                      "temperature: it reads back with " + Integer(read) +
                      (read == 1 ? " thermal load" : " thermal loads") + " in use instead of " + Integer(written));
    return;
  }
  leftOut.push_back("Analysis options: the number of thermal loads, " + Integer(held) +
                    ", is carried only by the loads' temperatures; it reads back as " + Integer(read));
}

// A value in the unit now chosen for its kind: "350 F", "12.76 bar".
std::string WithUnit(const char* text, int kind) {
  std::string label = UnitLabel(kind);
  label.erase(std::remove_if(label.begin(), label.end(), [](char c) { return c == '(' || c == ')'; }), label.end());
  return std::string(*text == '\0' ? "0" : text) + " " + label;
}

std::string DesignConditions(const PipeLoad& load) {
  const std::string temperature = WithUnit(FormatTemperature(load.designTemperature), kUnitTemperature);
  return temperature + " and " + WithUnit(FormatPressure(load.designPressure), kUnitPressure);
}

// The LOADS lines have no field for the design temperature and pressure:
// the import takes the largest of the pairs in use.
void ListDesignConditions(const Model& model, const Model& readBack, std::vector<std::string>& leftOut) {
  const auto& held = model.pipeLoads;
  const auto& read = readBack.pipeLoads;
  for (int i = 1; i <= held.count && i <= read.count; ++i) {
    if (held[i].name != read[i].name) continue;
    const std::string was = DesignConditions(held[i]);
    const std::string is = DesignConditions(read[i]);
    if (was != is)
      leftOut.push_back("Load " + held[i].name + ": its design temperature and pressure, " + was +
                        ", were not written (the batch file does not carry them); they read back as " + is);
  }
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

}  // namespace

void ListBatchRecordsNotWritten(const Model& model, const std::string& text, std::vector<std::string>& leftOut,
                                std::string* refusal) {
  ListNamed("Response spectra", SpectrumNames(model.spectra), leftOut);
  ListNamed("Force spectra", PointTableNames(model.forceSpectra), leftOut);
  ListNamed("Time functions", PointTableNames(model.timeFunctions), leftOut);
  // The import takes the units its OPTIONS line names; the caller's stay.
  const UnitsSettings units = g_UnitsSettings;
  Model readBack;
  std::vector<std::string> log;
  std::istringstream input(text);
  try {
    ReadModelBatchFile(input, readBack, log);
  } catch (const std::string& message) {
    g_UnitsSettings = units;
    leftOut.insert(leftOut.begin(), "The file written does not read back: " + OneLine(message));
    if (refusal != nullptr) *refusal = message;
    return;
  } catch (const std::exception&) {
    g_UnitsSettings = units;
    leftOut.insert(leftOut.begin(), "The file written could not be read back to check it");
    if (refusal != nullptr) *refusal = "It could not be read back to check it.";
    return;
  }
  g_UnitsSettings = units;
  // As the Layout window's menu rebuilds it before the list is used.
  RebuildLoadCases(readBack.loadCases, readBack.options.ThermalLoadCount, LoadCaseInputsOf(readBack));
  ListWindFlags("Load", model.pipeLoads, readBack.pipeLoads, leftOut);
  ListWindFlags("Beam load", model.beamLoads, readBack.beamLoads, leftOut);
  ListDesignConditions(model, readBack, leftOut);
  ListThermalLoadCount(model, readBack, leftOut);
  ListLoadCases(model, readBack, leftOut);
  ListSettings(kDynamicSettings, "Dynamic analysis settings", model, readBack, leftOut);
  ListSettings(kAnalysisOptions, "Analysis options", model, readBack, leftOut);
}
