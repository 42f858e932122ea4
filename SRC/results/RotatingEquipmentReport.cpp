// The rotating-equipment report dispatcher; see RotatingEquipmentReport.h.
#include "results/RotatingEquipmentReport.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "codes/CodeModel.h"
#include "elements/FlangeWeights.h"
#include "evaluations/EvaluationReport.h"
#include "evaluations/RotatingEquipmentData.h"
#include "evaluations/RotatingEquipmentReports.h"
#include "evaluations/RotatingReportLines.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Gdi.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "records/LoadCaseList.h"
#include "printing/ReportOutput.h"
#include "properties/PropertyTables.h"
#include "properties/TableChooser.h"
#include "results/ResultsMode.h"
#include "resultsfile/RadioChooser.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "supports/Anchor.h"

namespace {

RotatingEquipmentData& Data() { return TheRotatingEquipmentData(); }

const Anchor* AnchorAt(const Model& model, std::int32_t node) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (r.node == node && r.dataType == DataType::Anchor && r.item != nullptr)
      return dynamic_cast<const Anchor*>(r.item.get());
  }
  return nullptr;
}

struct Attachments {
  const Model& model;
  const CodeModel* code;
  bool zVertical;

  NozzleAttachment Of(std::int32_t node) const {
    NozzleAttachment at;
    at.node = node;
    if (node == 0) return at;
    const int index = FindNodeIndex(model.nodes, node);
    at.defined = index > 0;
    if (!at.defined) return at;
    const NodeRecord& record = model.nodes.nodes[static_cast<std::size_t>(index)];
    at.position = {record.x, record.y, record.z};
    at.anchored = AnchorAt(model, node) != nullptr;
    if (code != nullptr) {
      const int section = SmallestSectionAtNode(*code, index);
      if (section != 0) at.nominalSize = NominalSizeFromOd(model.sections[section].outsideDiameter);
    }
    return at;
  }
  Load6 Loads(std::int32_t node) const {
    const Anchor* anchor = node != 0 ? AnchorAt(model, node) : nullptr;
    Load6 loads{};
    if (anchor != nullptr)
      for (std::size_t i = 0; i < 6; ++i) loads[i] = anchor->caseLoads[i];
    return loads;
  }
};

std::int32_t MachineNode(const RotatingEquipment& m, int n) {
  switch (n) {
    case 0: return m.inletNode;
    case 1: return m.exhaustNode;
    case 2: return m.extractionNode1;
    default: return m.extractionNode2;
  }
}

void PrepareMachines(const Attachments& a, const ModelRecordTable<RotatingEquipment>& machines, int kind,
                     std::vector<MachineEvaluation>& evaluations) {
  evaluations.assign(static_cast<std::size_t>(machines.count), MachineEvaluation{});
  for (int i = 1; i <= machines.count; ++i) {
    NozzleAttachment at[4];
    for (int n = 0; n < 4; ++n) at[n] = a.Of(MachineNode(machines[i], n));
    ResolveRotatingEquipmentNozzles(machines[i], kind, at, a.zVertical, evaluations[static_cast<std::size_t>(i - 1)]);
    Data().entries.push_back({kind, i});
  }
}

void ShowFrameErrorsOnce() {
  std::string messages;
  for (const PumpEvaluation& e : Data().pumpEvaluations)
    if (!e.frameError.empty()) messages += e.frameError + "\n";
  for (const auto* list : {&Data().compressorEvaluations, &Data().turbineEvaluations})
    for (const MachineEvaluation& e : *list)
      if (!e.frameError.empty()) messages += e.frameError + "\n";
  // A run without the user (batch) has the lines in the reports only.
  if (!messages.empty() && !ResultsBatchMode())
    ShowErrorMessage(ResultsFrame().window, messages.substr(0, messages.size() - 1));
}

}  // namespace

void PrepareRotatingEquipmentReport(Model& model) {
  RotatingEquipmentData& data = Data();
  data = RotatingEquipmentData{};
  if (model.pumps.count == 0 && model.compressors.count == 0 && model.turbines.count == 0) return;
  // Cold spring cases first; without any, the operating cases.
  for (int (*family)(int) : {ColdSpringCase, OperatingCase}) {
    for (int k = 1; k <= 10 && data.caseTypes.size() < 10; ++k)
      if (ResultCaseOfType(family(k)) != 0) data.caseTypes.push_back(family(k));
    if (!data.caseTypes.empty()) break;
  }
  if (data.caseTypes.empty()) return;
  data.available = true;
  const int previous = CurrentResultCaseType();
  AnalysisElementList elements;
  std::unique_ptr<CodeModel> code;
  try {
    GenerateAnalysisElements(model, elements);
    code = std::make_unique<CodeModel>(model, elements);
  } catch (const std::string&) {
    code.reset();
  }
  const Attachments a{model, code.get(), model.options.ZVertical != 0};
  data.pumpEvaluations.assign(static_cast<std::size_t>(model.pumps.count), PumpEvaluation{});
  for (int i = 1; i <= model.pumps.count; ++i) {
    const Pump& p = model.pumps[i];
    ResolvePumpNozzles(p, a.Of(p.suctionNode), a.Of(p.dischargeNode), a.zVertical,
                       data.pumpEvaluations[static_cast<std::size_t>(i - 1)]);
    data.entries.push_back({kEquipmentPump, i});
  }
  PrepareMachines(a, model.compressors, kCompressorKind, data.compressorEvaluations);
  PrepareMachines(a, model.turbines, kTurbineKind, data.turbineEvaluations);
  data.pumps = model.pumps.count > 0;
  data.compressors = model.compressors.count > 0;
  data.turbines = model.turbines.count > 0;
  for (std::size_t k = 0; k < data.caseTypes.size(); ++k) {
    SelectLoadCaseByType(data.caseTypes[k]);
    data.caseTitles.push_back(CurrentCaseTitle());
    LoadCaseSupportLoads(model);
    const int slot = static_cast<int>(k);
    for (int i = 1; i <= model.pumps.count; ++i) {
      const Pump& p = model.pumps[i];
      SetUpPumpEvaluation(p, slot, a.Loads(p.suctionNode), a.Loads(p.dischargeNode),
                          data.pumpEvaluations[static_cast<std::size_t>(i - 1)]);
    }
    for (int kind : {kCompressorKind, kTurbineKind}) {
      const auto& machines = kind == kCompressorKind ? model.compressors : model.turbines;
      auto& evaluations = kind == kCompressorKind ? data.compressorEvaluations : data.turbineEvaluations;
      for (int i = 1; i <= machines.count; ++i) {
        Load6 loads[4];
        for (int n = 0; n < 4; ++n) loads[n] = a.Loads(MachineNode(machines[i], n));
        ComputeNozzleResultantLoads(kind, slot, loads, evaluations[static_cast<std::size_t>(i - 1)]);
      }
    }
  }
  if (previous != 0) {
    SelectLoadCaseByType(previous);
    LoadCaseSupportLoads(model);
  }
  data.currentCase = 1;
  data.currentEntry = data.entries.empty() ? 0 : 1;
  // A frame that cannot be built is said once here and again in that
  // machine's report; the other machines and the results still open.
  ShowFrameErrorsOnce();
}

bool RotatingEquipmentReportAvailable() { return Data().available && !Data().caseTypes.empty(); }
int ReportCaseCount() { return static_cast<int>(Data().caseTypes.size()); }
bool MultipleEquipment() { return Data().entries.size() >= 2; }

// --- the table --------------------------------------------------------------------------

namespace {

constexpr const char* kTitle = "Rotating Equipment Report";

bool MachineShown() {
  const RotatingEquipmentData& data = Data();
  if (data.currentEntry < 1 || data.currentEntry > static_cast<int>(data.entries.size())) return false;
  return data.entries[static_cast<std::size_t>(data.currentEntry - 1)].kind != kEquipmentPump;
}

void StepCase(bool next) {
  const int count = ReportCaseCount();
  if (count < 2) return;
  int& current = Data().currentCase;
  current = next ? (current >= count ? 1 : current + 1) : (current <= 1 ? count : current - 1);
  OpenRotatingEquipmentReport();
}

void WriteCurrentReport() {
  const RotatingEquipmentData& data = Data();
  if (data.currentEntry < 1 || data.currentEntry > static_cast<int>(data.entries.size())) return;
  const EquipmentEntry& entry = data.entries[static_cast<std::size_t>(data.currentEntry - 1)];
  switch (entry.kind) {
    case kEquipmentPump: PumpNozzleReport(entry.number, data.currentCase); return;
    case kEquipmentCompressor: Api617NemaReport(entry.number, kCompressorKind, data.currentCase); return;
    case kEquipmentTurbine: Api617NemaReport(entry.number, kTurbineKind, data.currentCase); return;
    default: break;
  }
  // Only the three kinds are ever listed.
  std::abort();
}

class ReportTable : public ResultTableWindow {
 public:
  ReportTable() {
    rowNumbers = false;
    editable = false;
  }
  std::string PrintName() override { return kTitle; }
  int Width(const std::string& text) const {
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32(Dc(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }
  void DefineColumns() override {
    int width = Width("MMMMMMMMMMMMMMMMMMMM");
    const bool machine = MachineShown();
    for (int index = 0; index < EvaluationReportLineCount(); ++index) {
      const EvaluationLine& line = EvaluationReportLineAt(index);
      for (const PlacedText& p : PlaceRotatingLine(line.kind, line.text, machine, Measure()))
        width = std::max(width, p.x + p.width);
    }
    widths[1] = width + 2 * Metrics().cellMargin + Width("Status  ");
  }
  TextMeasure Measure() const {
    return [this](const std::string& text) { return Width(text); };
  }
  std::string CellText(int row, int, int) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    return line.kind == kEvaluationPlainLine ? line.text : std::string();
  }
  void DrawCellCustom(int row, int, int, int& x, int& y, const std::string&) override {
    const EvaluationLine& line = EvaluationReportLineAt(row - 1);
    if (line.kind == kEvaluationPlainLine) return;
    for (const PlacedText& p : PlaceRotatingLine(line.kind, line.text, MachineShown(), Measure()))
      TextOut(Dc(), x + p.x, y, p.text.data(), static_cast<int>(p.text.size()));
  }
  void DrawRowRule(int) override {}
  void DrawColumnRule(int) override {}
  void DoubleClick() override {}
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    } else if (key == VK_LEFT || key == VK_RIGHT) {
      StepCase(key == VK_RIGHT);
    } else {
      TableKeyDown(*this, key);
    }
  }
  void Prepare() override { AddEquipmentNavigationMenu(MultipleEquipment(), ReportCaseCount()); }
  void Close() override { RemoveSupportNavigationMenu(); }
  // The same items as the Results menu holds for the report: the equipment
  // with two or more machines, the report's cases with two or more, then
  // the results.
  void ContextMenu() override {
    HMENU popup = CreatePopupMenu();
    if (MultipleEquipment()) {
      AppendMenu(popup, MF_STRING, 287, "&Other Rot. Equipment...");
      AppendMenu(popup, MF_STRING, 330, "Next equipment");
      AppendMenu(popup, MF_STRING, 331, "Previous equipment");
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    if (ReportCaseCount() > 1) {
      AppendLoadCaseMenuItems(popup);
      AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
    }
    AppendResultsMenuItems(popup);
    TrackResultTablePopup(*this, popup);
  }
  void WriteText() override { PrintRotatingEquipmentReports(); }
};

ReportTable& Table() {
  static ReportTable table;
  return table;
}

// The equipment chooser (SELECT_DIALOG): one line per entry, its kind and
// its name.
class EquipmentChooserTable : public TableChooser {
 public:
  EquipmentChooserTable() { caption = "Other Rot. Equipment"; }
  void DefineColumns() override {
    auto width = [this](const std::string& text) { return DcTextWidth(Dc(), text); };
    widths[1] = width("Compressor  ");
    widths[2] = width("MMMMMMMMMMMMMMM");
  }
  std::string HeadingText(int column, int line) override {
    if (line != 0) return {};
    return column == 1 ? "Type" : column == 2 ? "Name" : "";
  }
  std::string CellText(int row, int column, int) override {
    const RotatingEquipmentData& data = Data();
    if (row < 1 || row > static_cast<int>(data.entries.size())) return {};
    const EquipmentEntry& e = data.entries[static_cast<std::size_t>(row - 1)];
    const Model& model = TheModel();
    if (column == 1) return e.kind == kEquipmentPump ? "Pump" : e.kind == kEquipmentCompressor ? "Compressor" : "Turbine";
    if (e.kind == kEquipmentPump) return model.pumps[e.number].name;
    return (e.kind == kEquipmentCompressor ? model.compressors : model.turbines)[e.number].description;
  }

 protected:
  int ItemCount() const override { return static_cast<int>(Data().entries.size()); }
  int CurrentItem() const override { return Data().currentEntry; }
};

}  // namespace

ResultTableWindow& RotatingEquipmentReportTable() { return Table(); }

std::string RotatingReportLineText(int index) {
  const EvaluationLine& line = EvaluationReportLineAt(index);
  std::string text = line.text;
  std::replace(text.begin(), text.end(), '!', ' ');
  return text;
}

namespace {

// The report shown on the screen is written into the line buffer even when
// it is reopened while a report is being printed (the printing puts the
// table shown back as it was): its lines never go into the printed report.
class ScreenRoad {
 public:
  ScreenRoad() : recording_(g_Recording), file_(g_ReportFileOpen) {
    g_Recording = false;
    g_ReportFileOpen = false;
  }
  ~ScreenRoad() {
    g_Recording = recording_;
    g_ReportFileOpen = file_;
  }
  ScreenRoad(const ScreenRoad&) = delete;
  ScreenRoad& operator=(const ScreenRoad&) = delete;

 private:
  bool recording_;
  bool file_;
};

}  // namespace

void OpenRotatingEquipmentReport() {
  if (!RotatingEquipmentReportAvailable() || Data().entries.empty()) return;
  SetResultsReopenCommand(OpenRotatingEquipmentReport);
  ReportTable& table = Table();
  if (!BindResultsTable(table, 1, 0)) return;
  table.headingLines = 0;
  {
    const ScreenRoad screen;
    WriteCurrentReport();
  }
  TableSetRows(table, EvaluationReportLineCount());
  FrameSetTitle(ResultsFrame(), kTitle);
  TableShowFocus(table);
}

void ChooseReportLoadCase(HWND owner) {
  const int count = ReportCaseCount();
  if (count < 2) return;
  RadioChooserRequest request;
  request.templateName = count < 4 ? "RESULT_LOAD_CASES3_DIALOG" : "RESULT_LOAD_CASES10_DIALOG";
  request.names = Data().caseTitles;
  request.current = Data().currentCase;
  // Case titles of models with four or more temperatures are long.
  if (count < 6 && TheModel().options.ThermalLoadCount >= 4) {
    request.clientWidth = 110;
    request.clientHeight = 100;
  }
  const int chosen = RunRadioChooser(owner, request);
  if (chosen <= 0 || chosen == Data().currentCase) return;
  Data().currentCase = chosen;
  OpenRotatingEquipmentReport();
}

void ChooseOtherEquipment(HWND owner) {
  if (!MultipleEquipment()) return;
  EquipmentChooserTable table;
  const INT_PTR chosen = RunTableChooser(owner, table);
  if (chosen <= 0) return;
  Data().currentEntry = static_cast<int>(chosen);
  OpenRotatingEquipmentReport();
}

void NextEquipment() {
  if (!MultipleEquipment()) return;
  int& current = Data().currentEntry;
  current = current >= static_cast<int>(Data().entries.size()) ? 1 : current + 1;
  OpenRotatingEquipmentReport();
}

void PreviousEquipment() {
  if (!MultipleEquipment()) return;
  int& current = Data().currentEntry;
  current = current <= 1 ? static_cast<int>(Data().entries.size()) : current - 1;
  OpenRotatingEquipmentReport();
}

void PrintRotatingEquipmentReports() {
  const RotatingEquipmentData& data = Data();
  if (!RotatingEquipmentReportAvailable()) return;
  if (data.pumps) PrintApi610PumpReport();
  if (data.compressors) PrintApi617CompressorReport();
  if (data.turbines) PrintNemaTurbineReport();
  if (g_ReportFileOpen) ReportNewPage();
  else PrinterPageHeading();
}
