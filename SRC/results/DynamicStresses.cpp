// Dynamic stresses and susceptibility; see DynamicStresses.h.
#include "results/DynamicStresses.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "codes/CodeModel.h"
#include "codes/CodeStressDriver.h"
#include "codes/ElementCodeStress.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "printing/PrinterReport.h"
#include "printing/ReportOutput.h"
#include "results/ModalTables.h"
#include "results/ShapeDisplay.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/TableWindow.h"
#include "services/ViewRequests.h"

namespace {

constexpr float kPi = 3.1415927f;

DynamicStressResults g_Dynamic;

bool IsPipeKindElement(int kind) { return (kind >= 3 && kind <= 7) || kind == 9; }

int Modes() { return static_cast<int>(g_Dynamic.modes.size()) - 1; }
int Positions() { return static_cast<int>(g_Dynamic.positionNode.size()) - 1; }

const ModeSusceptibility* CurrentMode() {
  if (!g_Dynamic.available || g_CurrentMode < 1 || g_CurrentMode > Modes()) return nullptr;
  return &g_Dynamic.modes[static_cast<std::size_t>(g_CurrentMode)];
}

float ModeFrequency(int mode) {
  const auto& f = TheResults().modal.frequencies;
  return mode >= 1 && mode <= static_cast<int>(f.size()) ? f[static_cast<std::size_t>(mode - 1)] : 0.0f;
}

std::string NodeTextOfPosition(int position) {
  if (position < 1 || position > Positions()) return {};
  return NodeNumberText(TheModel().nodes[g_Dynamic.positionNode[static_cast<std::size_t>(position)]].id);
}

void HighlightPosition(int position) {
  if (position < 1 || position > Positions() || PaintInProgress()) return;
  HighlightNode(g_Dynamic.positionNode[static_cast<std::size_t>(position)]);
}

void ShowModeTitle() {
  if (ResultsFrame().window == nullptr) return;
  char title[96];
  std::snprintf(title, sizeof title, "Dynamic stresses for Mode  %d:  %.2f Hz", g_CurrentMode, ModeFrequency(g_CurrentMode));
  FrameSetTitle(ResultsFrame(), title);
}

// --- the dynamic stresses of one mode ------------------------------------------------

class DynamicStressesWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Dynamic stresses"; }
  void DefineColumns() override {
    std::vector<int> w = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this));
    widths = w;
  }
  std::string HeadingText(int column, int line) override {
    if (line == 0) {
      if (column != 1) return {};
      const ModeSusceptibility* mode = CurrentMode();
      return std::string("Susceptibility = ") + FormatFixedWidthTrim(mode != nullptr ? mode->susceptibility : 0.0, 10, 0);
    }
    static const char* const kHeadings[6] = {"", "Node", "Displacement", "Nominal Stress", "SIF", "Intensified Stress"};
    return column >= 1 && column <= 5 ? kHeadings[column] : "";
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const ModeSusceptibility* mode = CurrentMode();
    if (mode == nullptr || row < 1 || row > Positions()) return {};
    const DynamicStressRecord& r = mode->nodes[static_cast<std::size_t>(row)];
    switch (column) {
      case 1: return NodeTextOfPosition(row);
      case 2: return FormatScientific(r.displacement);
      case 3: return FormatScientific(r.nominal);
      case 4: return FormatFixedWidth(r.sif, 11, 2);
      case 5: return FormatScientific(r.intensified);
      default: return {};
    }
  }
  std::int32_t RowNode(int row) override {
    return row >= 1 && row <= Positions() ? TheModel().nodes[g_Dynamic.positionNode[static_cast<std::size_t>(row)]].id : 0;
  }
  void KeyDown(UINT key) override;
  void CurrentRowChanged() override { HighlightPosition(currentRow); }
  void Prepare() override;
  void Close() override;
  void ContextMenu() override;
  void WriteText() override;
};

DynamicStressesWindow& TheStresses() {
  static DynamicStressesWindow table;
  return table;
}

// --- the susceptibility of every mode ----------------------------------------------------

int OrderedMode(int row) {
  return row >= 1 && row <= Modes() ? g_Dynamic.order[static_cast<std::size_t>(row)] : 0;
}

class SusceptibilityWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Dynamic susceptibility"; }
  void DefineColumns() override { widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this)); }
  std::string HeadingText(int column, int line) override {
    static const char* const kFirst[6] = {"", "Mode", "Frequency", "", "", "Susceptibility"};
    static const char* const kSecond[6] = {"", "", "(Hz)", "Velocity", "Stress", "(psi / ips)"};
    if (column < 1 || column > 5) return {};
    return line == 0 ? kFirst[column] : kSecond[column];
  }
  std::string CellText(int row, int column, int /*line*/) override {
    const int m = OrderedMode(row);
    if (m == 0) return {};
    const ModeSusceptibility& mode = g_Dynamic.modes[static_cast<std::size_t>(m)];
    switch (column) {
      case 1: return std::to_string(m);
      case 2: return FormatFixedWidth(ModeFrequency(m), 10, 3);
      case 3: return NodeTextOfPosition(mode.maxDisplacement);
      case 4: return NodeTextOfPosition(mode.maxStress);
      case 5: return FormatFixedWidth(mode.susceptibility, 10, 0);
      default: return {};
    }
  }
  void KeyDown(UINT key) override {
    if (key == VK_TAB) {
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
      return;
    }
    TableKeyDown(*this, key);
  }
  void CurrentRowChanged() override {
    const int m = OrderedMode(std::min(currentRow, Modes()));
    if (m == 0) return;
    g_CurrentMode = m;
    LoadModeShape(TheModel());
    ModeChanged();
    HighlightPosition(g_Dynamic.modes[static_cast<std::size_t>(m)].maxStress);
  }
  void Prepare() override {
    InsertModeShapeItems();
    ShowResultsButtons({296, 216, 221}, true);
  }
  void Close() override {
    HideShapesOnClose();
    HideHighlight();
    RemoveModeShapeItems();
    ShowResultsButtons({296, 216, 221}, false);
  }
  void PaintExtra() override { PaintHeadingGroups(*this, {{3, 4, "Maxima Nodes"}}); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, {{3, 4, "Maxima Nodes"}}, column)) ResultTableWindow::DrawColumnRule(column);
  }
  void ContextMenu() override { TrackResultTablePopup(*this, ModeShapePopup(false)); }
  void WriteText() override {
    const int modes = Modes();
    if (modes <= 0) return;
    if (!g_ReportFileOpen) {
      ResultPrintTable grid(*this, modes, {{3, 4, "Maxima Nodes"}});
      PrintResultGrid(grid, "Dynamic susceptibility", "Dynamic susceptibility", modes);
      return;
    }
    if (g_ReportToFile) {
      WriteCsvCells({"Dynamic Susceptibility"});
      WriteCsvCells({"", "Frequency", "Maxima Nodes", "", "Susceptibility"});
      WriteCsvCells({"Mode", "(Hz)", "Velocity", " Stress", "(psi/ips)"});
      for (int row = 1; row <= modes; ++row)
        WriteCsvCells({CellText(row, 1, 0), CellText(row, 2, 0), CellText(row, 3, 0), CellText(row, 4, 0), CellText(row, 5, 0)});
      return;
    }
    BeginReportSection("Dynamic susceptibility", 0);
    ReportSetTitle("Dynamic Susceptibility");
    if (ReportLinesLeft() < 6) ReportNewPage();
    auto heading = [] {
      ReportPutCentred("Dynamic Susceptibility", 6, 78);
      ReportNewLine();
      ReportRule();
      ReportPutText("Frequency    Maxima Nodes   Susceptibility", 10);
      ReportNewLine();
      ReportPutText("Mode   (Hz)     Velocity Stress    (psi/ips)", 5);
      ReportNewLine();
      ReportRule();
    };
    heading();
    for (int row = 1; row <= modes; ++row) {
      if (g_ReportLine == kReportBodyLine) heading();
      ReportPutText(CellText(row, 1, 0), 6);
      ReportPutTextRight(CellText(row, 2, 0), 17);
      ReportPutText(CellText(row, 3, 0), 23);
      ReportPutText(CellText(row, 4, 0), 31);
      ReportPutTextRight(CellText(row, 5, 0), 45);
      ReportNewLine();
    }
    ReportRule();
  }
};

SusceptibilityWindow& TheSusceptibility() {
  static SusceptibilityWindow table;
  return table;
}

void StepDynamicStressMode(int delta) {
  const int modes = Modes();
  if (modes <= 1) return;
  StopPainting();
  int at = 1;
  for (int i = 1; i <= modes; ++i)
    if (g_Dynamic.order[static_cast<std::size_t>(i)] == g_CurrentMode) at = i;
  at += delta;
  if (at < 1) at = modes;
  if (at > modes) at = 1;
  g_CurrentMode = g_Dynamic.order[static_cast<std::size_t>(at)];
  LoadModeShape(TheModel());
  ShowModeTitle();
  ModeChanged();
}

void DynamicStressesWindow::KeyDown(UINT key) {
  if (key == VK_TAB) {
    CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    return;
  }
  if (key == VK_LEFT || key == VK_RIGHT) {
    StepDynamicStressMode(key == VK_RIGHT ? 1 : -1);
    RefreshKeepingShapes(*this);
    if (const ModeSusceptibility* mode = CurrentMode()) TableGoTo(*this, std::max(mode->maxStress, 1));
    return;
  }
  TableKeyDown(*this, key);
}

void DynamicStressesWindow::Prepare() {
  InsertModeShapeItems();
  InsertModeSteppingItems();
  ShowResultsButtons({295, 229, 228, 296, 216, 221}, true);
}

void DynamicStressesWindow::Close() {
  HideShapesOnClose();
  HideHighlight();
  RemoveModeShapeItems();
  RemoveModeSteppingItems();
  ShowResultsButtons({295, 229, 228, 296, 216, 221}, false);
}

void DynamicStressesWindow::ContextMenu() {
  TrackResultTablePopup(*this, ModeShapePopup(true));
}

void DynamicStressesWindow::WriteText() {
  const int modes = Modes(), rows = Positions();
  if (modes <= 0 || rows <= 0) return;
  const int kept = g_CurrentMode;
  for (int i = 1; i <= modes; ++i) {
    g_CurrentMode = g_Dynamic.order[static_cast<std::size_t>(i)];
    LoadModeShape(TheModel());
    const ModeSusceptibility& mode = g_Dynamic.modes[static_cast<std::size_t>(g_CurrentMode)];
    char title[128];
    if (!g_ReportFileOpen) {
      std::snprintf(title, sizeof title, "Dynamic stresses for mode %d: %.2f Hz, susceptibility = %.f", g_CurrentMode,
                    ModeFrequency(g_CurrentMode), mode.susceptibility);
      ResultPrintTable grid(*this, rows);
      PrintResultGrid(grid, i == 1 ? "Dynamic stresses" : "", title, rows);
      continue;
    }
    std::snprintf(title, sizeof title, "Dynamic Stresses for Mode %d: %.2f Hz, Susceptibility = %.f", g_CurrentMode,
                  ModeFrequency(g_CurrentMode), mode.susceptibility);
    if (g_ReportToFile) {
      WriteCsvCells({title});
      WriteCsvCells({"Node", "Displacement", "Nominal Stress", "SIF", "Intensified Stress"});
      for (int row = 1; row <= rows; ++row)
        WriteCsvCells({CellText(row, 1, 0), CellText(row, 2, 0) + (row == mode.maxDisplacement ? "*" : ""),
                       CellText(row, 3, 0), CellText(row, 4, 0), CellText(row, 5, 0) + (row == mode.maxStress ? "*" : "")});
      continue;
    }
    if (ReportLinesLeft() < 5) ReportNewPage();
    ReportSetTitle(title);
    auto heading = [&title] {
      ReportPutCentred(title, 6, 78);
      ReportNewLine();
      ReportRule();
      ReportPutText("Node   Displacement     Nominal      SIF    Intensified", 6);
      ReportNewLine();
      ReportPutText("                        Stress              Stress", 6);
      ReportNewLine();
      ReportRule();
    };
    heading();
    for (int row = 1; row <= rows; ++row) {
      if (g_ReportLine == kReportBodyLine) heading();
      ReportPutText(CellText(row, 1, 0), 6);
      ReportPutText(CellText(row, 2, 0), 14);
      if (row == mode.maxDisplacement) ReportPutText("*", 24);
      ReportPutText(CellText(row, 3, 0), 28);
      ReportPutText(CellText(row, 4, 0), 42);
      ReportPutText(CellText(row, 5, 0), 50);
      if (row == mode.maxStress) ReportPutText("*", 60);
      ReportNewLine();
    }
    ReportRule();
  }
  g_CurrentMode = kept;
  LoadModeShape(TheModel());
}

}  // namespace

DynamicStressResults& TheDynamicStresses() { return g_Dynamic; }

void FreeDynamicStressResults() { g_Dynamic = DynamicStressResults{}; }

std::string FormatScientific(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%-1.*E", 4, value);
  std::string s = text;
  std::size_t at = s.find("E+0");
  if (at == std::string::npos) at = s.find("E-0");
  if (at != std::string::npos && s.size() - at == 5) s.erase(at + 2, 1);
  return s;
}

DynamicStressResults ComputeDynamicStresses(const std::vector<SusceptibilityElement>& elements,
                                            const std::vector<std::vector<std::array<float, 4>>>& records,
                                            const std::vector<float>& frequencies, int nodeCount) {
  DynamicStressResults out;
  std::vector<int> position(static_cast<std::size_t>(nodeCount) + 1, 0);
  for (const SusceptibilityElement& e : elements)
    for (int node : {e.node1, e.node2})
      if (node >= 1 && node <= nodeCount) position[static_cast<std::size_t>(node)] = 1;
  out.positionNode.assign(1, 0);
  for (int node = 1; node <= nodeCount; ++node) {
    if (position[static_cast<std::size_t>(node)] == 0) continue;
    out.positionNode.push_back(node);
    position[static_cast<std::size_t>(node)] = static_cast<int>(out.positionNode.size()) - 1;
  }
  const int K = static_cast<int>(out.positionNode.size()) - 1;
  if (K == 0) return out;
  const int M = static_cast<int>(records.size());
  out.available = true;
  out.modes.resize(static_cast<std::size_t>(M) + 1);
  for (int m = 1; m <= M; ++m) {
    ModeSusceptibility& mode = out.modes[static_cast<std::size_t>(m)];
    mode.nodes.assign(static_cast<std::size_t>(K) + 1, DynamicStressRecord{});
    const auto& modeRecords = records[static_cast<std::size_t>(m - 1)];
    for (std::size_t i = 0; i < elements.size() && i < modeRecords.size(); ++i) {
      const SusceptibilityElement& e = elements[i];
      const std::array<float, 4>& r = modeRecords[i];
      auto take = [&](int node, float d, float moment, double Z, double sif) {
        if (node < 1 || node > nodeCount) return;
        DynamicStressRecord& n = mode.nodes[static_cast<std::size_t>(position[static_cast<std::size_t>(node)])];
        const double nominal = Z > 0.0 ? moment / Z : 0.0;
        n.displacement = std::max(n.displacement, d);
        n.nominal = std::max(n.nominal, static_cast<float>(nominal));
        n.sif = std::max(n.sif, static_cast<float>(sif));
        n.intensified = std::max(n.intensified, static_cast<float>(sif * nominal));
      };
      take(e.node1, r[0], r[1], e.Z1, e.sif1);
      take(e.node2, r[2], r[3], e.Z2, e.sif2);
    }
    float largestD = -1.0e30f, largestS = -1.0e30f;
    for (int p = 1; p <= K; ++p) {
      const DynamicStressRecord& n = mode.nodes[static_cast<std::size_t>(p)];
      if (n.displacement > largestD) {
        largestD = n.displacement;
        mode.maxDisplacement = p;
      }
      if (n.intensified > largestS) {
        largestS = n.intensified;
        mode.maxStress = p;
      }
    }
    const float f = m <= static_cast<int>(frequencies.size()) ? frequencies[static_cast<std::size_t>(m - 1)] : 0.0f;
    mode.susceptibility = largestD != 0.0f && f != 0.0f ? largestS / (2.0f * kPi * f * largestD) : 0.0f;
  }
  out.order.assign(1, 0);
  for (int m = 1; m <= M; ++m) out.order.push_back(m);
  std::stable_sort(out.order.begin() + 1, out.order.end(), [&out](int a, int b) {
    return out.modes[static_cast<std::size_t>(a)].susceptibility > out.modes[static_cast<std::size_t>(b)].susceptibility;
  });
  return out;
}

void ReadDynamicStressFile(const Model& model, void* owner) {
  FreeDynamicStressResults();
  const ResultsFileContents& results = TheResults();
  const int M = static_cast<int>(results.modal.frequencies.size());
  if (std::getenv("VORSTEL") == nullptr || !results.modal.present || M == 0) return;
  HWND window = static_cast<HWND>(owner);
  const std::string path = SusceptibilityPathOf(model.path);
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) {
    ShowErrorMessage(window, "Dynamic stress file:\n" + path + "\nDoes not exist.");
    return;
  }
  // The elements and their section values at both ends.
  std::vector<SusceptibilityElement> elements;
  CodeStressResults& stresses = TheCodeStresses();
  std::unique_ptr<CodeModel> own;
  const CodeModel* cm = stresses.cm.get();
  AnalysisElementList list;
  if (cm == nullptr) {
    list.elements = results.elements;
    list.count = results.elementCount;
    own = std::make_unique<CodeModel>(model, list);
    cm = own.get();
  }
  const SifTables& sifs = stresses.sifs;
  const std::vector<ElementForces> noForces(static_cast<std::size_t>(results.elementCount) + 1);
  const CodeStressCase c{*cm, sifs, noForces, 0};
  for (int e = 1; e <= results.elementCount; ++e) {
    const AnalysisElement& element = results.elements[static_cast<std::size_t>(e)];
    if (!IsPipeKindElement(element.kind)) continue;
    const EndSection section = ElementEndSectionProperties(c, e, false);
    SusceptibilityElement s;
    s.node1 = element.node1;
    s.node2 = element.node2;
    s.Z1 = section.Z[0];
    s.Z2 = section.Z[1];
    if (static_cast<std::size_t>(e) < sifs.elements.size()) {
      const auto& ends = sifs.elements[static_cast<std::size_t>(e)].ends;
      s.sif1 = std::max(ends[0].inPlane, ends[0].outPlane);
      s.sif2 = std::max(ends[1].inPlane, ends[1].outPlane);
    }
    elements.push_back(s);
  }
  char header[16] = {};
  BinaryFileReadBytes(file, header, sizeof header);
  const auto P = static_cast<std::int64_t>(elements.size());
  if (BinaryFileReadFailed(file) || std::memcmp(header, kSusceptibilityMagic, 16) != 0 || file.size != 16 + 16 * P * M) {
    ShowErrorMessage(window, "Unable to read rds file");
    return;
  }
  std::vector<std::vector<std::array<float, 4>>> records(static_cast<std::size_t>(M),
                                                         std::vector<std::array<float, 4>>(static_cast<std::size_t>(P)));
  for (auto& mode : records)
    for (auto& record : mode) BinaryFileReadFloats(file, record.data(), 4);
  if (BinaryFileReadFailed(file)) {
    ShowErrorMessage(window, "Unable to read rds file");
    return;
  }
  g_Dynamic = ComputeDynamicStresses(elements, records, results.modal.frequencies, model.nodes.count);
}

void OpenDynamicStressesTable() {
  if (!g_Dynamic.available || Positions() == 0) return;
  SetResultsReopenCommand(OpenDynamicStressesTable);
  DynamicStressesWindow& table = TheStresses();
  if (!BindResultsTable(table, 5, 2)) return;
  table.nodeSearch = true;
  table.gapAfterHeading1 = true;
  TableSetRows(table, Positions());
  LoadModeShape(TheModel());
  ShowModeTitle();
  if (const ModeSusceptibility* mode = CurrentMode()) table.currentRow = std::max(mode->maxStress, 1);
  TableShowFocus(table);
  table.CurrentRowChanged();
}

void OpenDynamicSusceptibilityTable() {
  if (!g_Dynamic.available || Modes() == 0) return;
  SetResultsReopenCommand(OpenDynamicSusceptibilityTable);
  SusceptibilityWindow& table = TheSusceptibility();
  if (!BindResultsTable(table, 5, 2)) return;
  table.gapAfterHeading1 = true;
  TableSetRows(table, Modes());
  int row = 1;
  for (int i = 1; i <= Modes(); ++i)
    if (g_Dynamic.order[static_cast<std::size_t>(i)] == g_CurrentMode) row = i;
  table.currentRow = row;
  if (ResultsFrame().window != nullptr) FrameSetTitle(ResultsFrame(), "Dynamic Susceptibility");
  TableShowFocus(table);
}

ResultTableWindow& DynamicStressesTable() { return TheStresses(); }
ResultTableWindow& DynamicSusceptibilityTable() { return TheSusceptibility(); }

void RegisterDynamicStressTables() {
  RegisterResultTableView(TheStresses());
  RegisterResultTableView(TheSusceptibility());
}
