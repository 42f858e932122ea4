// The hangers' result views; see HangerResults.h.
#include "supports/HangerResults.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Input.h"
#include "printing/ReportOutput.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultPrint.h"
#include "resultsfile/ResultsFile.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "supports/Hanger.h"
#include "supports/OtherSupportLists.h"
#include "supports/SupportResultTables.h"

namespace {

const Hanger& AsHanger(const DataItem& item) { return static_cast<const Hanger&>(item); }

std::string Trim(const char* text) {
  std::string value = text;
  while (!value.empty() && value.front() == ' ') value.erase(value.begin());
  return value;
}

// --- loads on hangers ---------------------------------------------------------------------

constexpr const char* kLoadNames[1] = {"Load"};

void OpenHangerLoadsTable() { OpenSupportKindLoadsTable(HangerResultKind()); }

float Total(const Hanger& h) { return h.caseLoads[0] * static_cast<float>(h.numberOfHangers); }

void TextHeadings() {
  ReportPutText("Node", 6);
  ReportPutText("Type", 13);
  ReportPutText("Load", 31);
  ReportPutText("No.of", 39);
  ReportPutText("Total", 48);
  ReportNewLine();
  ReportPutText(UnitLabel(kUnitForce), 30);
  ReportPutText(UnitLabel(kUnitForce), 47);
  ReportNewLine();
}

void TextRow(const DataItem& item, int /*layoutRow*/) {
  const Hanger& h = AsHanger(item);
  ReportFieldAt(HangerKindText(h.kind), 13);
  ReportFieldRight(Trim(FormatForce(h.caseLoads[0])), 34);
  ReportFieldAt(std::to_string(h.numberOfHangers), 41);
  ReportFieldRight(Trim(FormatForce(Total(h))), 52);
}

std::vector<std::vector<std::string>> CsvHeadings() {
  return {{"Node", "Tag", "Type", std::string("Load ") + UnitLabel(kUnitForce), "No.of",
           std::string("Total ") + UnitLabel(kUnitForce)}};
}

std::vector<std::string> CsvRow(const DataItem& item, int layoutRow) {
  const Hanger& h = AsHanger(item);
  return {NodeNumberText(TheModel().row(layoutRow).node), h.tag, HangerKindText(h.kind),
          Trim(FormatForce(h.caseLoads[0])), std::to_string(h.numberOfHangers), Trim(FormatForce(Total(h)))};
}

SupportResultKind MakeHangerKind() {
  SupportResultKind kind;
  kind.type = DataType::Hanger;
  kind.list = RowListKind::Hangers;
  kind.menuName = "&Hangers";
  kind.plural = "Hangers";
  kind.pluralLower = "hangers";
  kind.singular = "Hanger";
  kind.singularLower = "hanger";
  kind.summarySection = "Hanger at Node %s";
  kind.loads = 1;
  kind.loadNames = kLoadNames;
  kind.held = [](const DataItem&, int) { return true; };
  kind.tag = [](const DataItem& item) { return AsHanger(item).tag; };
  kind.caseLoads = [](const DataItem& item) -> const float* { return AsHanger(item).caseLoads.data(); };
  kind.summary = [](const DataItem& item) -> const std::vector<SummaryRecord>* { return &AsHanger(item).summaryRows; };
  kind.leading = 1;
  kind.leadingHeading = [](int, int line) -> std::string { return line == 0 ? "Type" : ""; };
  kind.leadingCell = [](const DataItem& item, int, int) { return HangerKindText(AsHanger(item).kind); };
  kind.extras = 2;
  kind.extraHeading = [](int e) -> std::string {
    return e == 0 ? "No.of" : std::string("Total ") + UnitLabel(kUnitForce);
  };
  kind.extraCell = [](const DataItem& item, int, int e) -> std::string {
    const Hanger& h = AsHanger(item);
    return e == 0 ? std::to_string(h.numberOfHangers) : Trim(FormatForce(Total(h)));
  };
  kind.loadHeadings = {{30, 36}};
  kind.loadEnds = {34};
  kind.summaryTitleSpan = {0, 0};
  kind.summaryEnds = {38};
  kind.textTitle = "Loads on Hangers";
  kind.textHeadings = TextHeadings;
  kind.textRow = TextRow;
  kind.csvHeadings = CsvHeadings;
  kind.csvRow = CsvRow;
  kind.noAllowables = true;
  kind.openLoads = OpenHangerLoadsTable;
  kind.listOpener = OpenHangersList;
  return kind;
}

// --- the hanger report ----------------------------------------------------------------------

constexpr int kReportColumns = 11;

const char* const kReportHeadings[kReportColumns][3] = {
    {"Node", "", ""},         {"No", "of", ""},        {"Type", "", ""},      {"Figure", "No.", ""},
    {"Size", "", ""},         {"Spring", " rate", ""}, {"Vert", "travel", ""}, {"Horz", "travel", ""},
    {"Hot", "load", ""},      {"Cold", "load", ""},    {"Var", "(%)", ""}};

int HangerRowOf(int row) {
  const auto& rows = TheResults().hangerRows;
  return row >= 1 && row <= static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row) - 1] : 0;
}

class HangerReportWindow : public ResultTableWindow {
 public:
  std::string PrintName() override { return "Hanger report"; }
  void DefineColumns() override { widths = MeasureTableColumns(*this, rowCount, ScreenTextWidth(*this)); }
  std::string HeadingText(int column, int line) override {
    if (column < 1 || column > kReportColumns || line < 0 || line > 2) return {};
    if (line == 2) {
      if (column == 6) return UnitLabel(kUnitStiffness);
      if (column == 7 || column == 8) return UnitLabel(kUnitDisplacement);
      if (column == 9 || column == 10) return UnitLabel(kUnitForce);
      return {};
    }
    return kReportHeadings[column - 1][line];
  }
  std::string CellText(int row, int column, int /*line*/) override { return HangerReportCell(row, column); }
  std::int32_t RowNode(int row) override {
    const int layout = HangerRowOf(row);
    return layout != 0 ? TheModel().row(layout).node : 0;
  }
  void CurrentRowChanged() override {
    if (const int layout = HangerRowOf(currentRow); layout != 0) HighlightRowDataItem(layout);
  }
  // Tab and Shift+Tab step to the next and previous result table, as in
  // every result table; the report holds no column to step through.
  void KeyDown(UINT key) override {
    if (key == VK_TAB)
      CycleResultTable(GetKeyState(VK_SHIFT) < 0);
    else
      TableKeyDown(*this, key);
  }
  void WriteText() override;
};

// The catalogue names as the printed report has room for them.
std::string ShortCatalogueName(const std::string& name) {
  if (name == "Carpenter & Paterson") return "Carpntr & Patrsn";
  if (name == "Piping Tech & Products") return "Piping Tech & Pr";
  for (const char* cut : {"Bergen-Paterson", "Flexider", "Mitsubishi", "NHK", "Sanwa Tekki"})
    if (name.rfind(cut, 0) == 0) {
      const std::size_t series = name.find(" (");
      return series == std::string::npos ? name : name.substr(0, series);
    }
  return name;
}

void HangerReportWindow::WriteText() {
  const int rows = rowCount;
  if (!g_ReportFileOpen) {
    ResultPrintTable grid(*this, rows);
    PrintResultGrid(grid, "Hanger Report", "Hanger Report", rows);
    return;
  }
  if (g_ReportToFile) {
    ReportAppendLine("Hanger Report");
    ReportNewLine();
    WriteCsvCells({"Node", "No.", "Type", "Fig.", "Size", "Spr.Rate", "Ver.Travel", "Hor.Travel", "Hot load", "Cold load",
                   "var"});
    WriteCsvCells({"", "of", "", "No.", "", UnitLabel(kUnitStiffness), UnitLabel(kUnitDisplacement),
                   UnitLabel(kUnitDisplacement), UnitLabel(kUnitForce), UnitLabel(kUnitForce)});
    for (int row = 1; row <= rows; ++row) {
      std::vector<std::string> cells;
      for (int column = 1; column <= kReportColumns; ++column) cells.push_back(CellText(row, column, 0));
      WriteCsvCells(cells);
    }
    return;
  }
  if (ReportLinesLeft() < 7) ReportNewPage();
  ReportSetTitle("Hanger Report");
  ReportPutCentred("Hanger Report", 6, 78);
  ReportNewLine();
  ReportRule();
  ReportPutText("Spring Vertical Horizon Hot   Cold", 42);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutText("No", 11);
  ReportPutText("Type", 14);
  ReportPutText("Fig.", 30);
  ReportPutText("rate   travel  travel  load  load Var", 42);
  ReportNewLine();
  ReportPutText("of", 11);
  ReportPutText("No.  Size", 30);
  // The travels and loads carry their units after the rate's, as the
  // table on screen and the CSV lines do.
  ReportPutText(UnitLabel(kUnitStiffness), 42);
  for (const auto& [unit, column] : {std::pair{kUnitDisplacement, 49}, std::pair{kUnitDisplacement, 57},
                                     std::pair{kUnitForce, 65}, std::pair{kUnitForce, 71}})
    ReportPutText(UnitLabel(unit), column);
  ReportNewLine();
  ReportRule();
  constexpr int kAt[kReportColumns + 1] = {0, 6, 11, 14, 30, 35, 42, 49, 57, 65, 71, 77};
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= kReportColumns; ++column) {
      std::string text = CellText(row, column, 0);
      if (column == 3) text = ShortCatalogueName(text);
      ReportPutText(text, kAt[column]);
    }
    ReportNewLine();
  }
  ReportRule();
}

HangerReportWindow& TheReport() {
  static HangerReportWindow table;
  return table;
}

// --- the LICAD file -------------------------------------------------------------------------

// The units of the file: metric (mm, N ...) or the English units with inch.
UnitsSettings LicadUnits(bool metric) {
  UnitsSettings units{};
  units.unit[kUnitAngle] = g_UnitsSettings.unit[kUnitAngle];
  if (!metric) {
    units.unit[kUnitLength] = kLengthInch;
    units.unit[kUnitAngle] = 0;
    return units;
  }
  units.unit[kUnitLength] = kLengthMillimetre;
  for (int kind : {kUnitDimension, kUnitDisplacement, kUnitForce, kUnitAdditionalWeight, kUnitWeight,
                   kUnitInsulationDensity, kUnitTemperature, kUnitThermalExpansion, kUnitPressure, kUnitStress,
                   kUnitModulus, kUnitStiffness, kUnitArea, kUnitMomentOfInertia})
    units.unit[kind] = 1;
  units.unit[kUnitMoment] = 2;
  units.unit[kUnitDensity] = 2;
  units.unit[kUnitRotStiffness] = 2;
  units.unit[kUnitVelocity] = 2;
  return units;
}

// The user's units come back however the writing ends.
struct UnitsKeeper {
  UnitsSettings saved = g_UnitsSettings;
  ~UnitsKeeper() { g_UnitsSettings = saved; }
};

std::string Displacement(float value) { return value >= 5.0e29f ? "None" : Trim(FormatDisplacement(value)); }

std::string PipeDirection(const Model& model, int row) {
  const LayoutRow& layout = model.row(row);
  LocalFrame frame;
  if (layout.startNode != 0 && layout.endNode != 0 && layout.startNode != layout.endNode) {
    SetAxisFromNodes(frame, model.nodes, layout.startNode, layout.endNode, model.options.ZVertical != 0);
  } else if (PipeDirectionAtNode(model, layout.endNode, frame.x, false) != 0) {
    frame.x = {0.0f, 0.0f, 0.0f};
  }
  return Trim(FormatFixedWidth(frame.x[0], 5, 2)) + "_" + Trim(FormatFixedWidth(frame.x[1], 5, 2)) + "_" +
         Trim(FormatFixedWidth(frame.x[2], 5, 2));
}

std::string LicadLine(const Model& model, int row, const HangerDesignRecord& design) {
  const Hanger& h = AsHanger(*model.row(row).item);
  const NodeRecord& node = model.nodes[model.row(row).endNode];
  // The properties of the row that made the node when the hanger sits on a
  // Location row.
  int propertyRow = row;
  if (model.row(row).elementType == ElementType::Location && node.row != 0) propertyRow = node.row;
  const LayoutRow& properties = model.row(propertyRow);
  std::string od, insulation, temperature;
  if (const int s = FindSectionByName(model.sections, properties.section); s != 0) {
    od = Trim(FormatDimension(model.sections[s].outsideDiameter));
    insulation = Trim(FormatDimension(model.sections[s].insulationThickness));
  }
  if (const int l = FindPipeLoadByName(model.pipeLoads, properties.load); l != 0)
    temperature = Trim(FormatTemperature(model.pipeLoads[l].operating[0].temperature));
  const float hot = design.design[2], travel = design.design[0];
  // A hanger without a hot load (not designed) varies by nothing.
  const double variation = hot != 0.0f ? std::fabs(travel * design.springRate / hot) : 0.0;
  const std::vector<std::string> fields = {
      (h.tag.empty() ? std::string(NodeNumberText(model.row(row).node)) : h.tag) + " " +
          std::to_string(h.numberOfHangers),
      Trim(FormatLength(node.x)),
      Trim(FormatLength(node.y)),
      Trim(FormatLength(node.z)),
      design.figure,
      design.size,
      od,
      insulation,
      temperature,
      Trim(FormatLength(118.11023712158203f)),
      Trim(FormatForce(hot)),
      "0.0",
      Displacement(design.design[1]),
      Displacement(travel),
      Displacement(design.design[1]),
      "0.0",
      "0.0",
      "X_180.000",
      PipeDirection(model, propertyRow),
      model.options.ZVertical != 0 ? "0.00_0.00_1.00" : "0.00_1.00_0.00",
      "HOT",
      Trim(FormatFixedWidth(variation, 5, 3)),
      "0.00",
      Displacement(travel)};
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ";") + fields[i];
  return line + "\n";
}

}  // namespace

const SupportResultKind& HangerResultKind() {
  static const SupportResultKind kind = MakeHangerKind();
  return kind;
}

std::string HangerVariationText(float rate, float travel, float hotLoad) {
  if (hotLoad == 0.0f) return {};
  // The fraction is dropped, after a thousandth of a percent for the
  // rounding of the stored floats: a travel of 0.4999999 is 0.5.
  const double exact = std::fabs(static_cast<double>(rate) * travel * 100.0 / hotLoad);
  const double percent = std::trunc(exact + 1.0e-3);
  return percent >= 100.0 ? "**" : std::to_string(static_cast<int>(percent));
}

namespace {

// A travel the solver left as rounding (a line that does not move there)
// reads as 0, never as a number of nine zeros in exponent form.
std::string TravelText(float value) { return Trim(FormatDisplacement(std::fabs(value) < 5.0e-5f ? 0.0f : value)); }

}  // namespace

std::string HangerReportCell(int row, int column) {
  const int layout = HangerRowOf(row);
  const auto& designs = TheResults().hangers;
  if (layout == 0 || static_cast<std::size_t>(row) > designs.size()) return {};
  const auto* h = dynamic_cast<const Hanger*>(TheModel().row(layout).item.get());
  if (h == nullptr) return {};
  const HangerDesignRecord& d = designs[static_cast<std::size_t>(row) - 1];
  const bool rod = h->kind == kRodHanger;
  switch (column) {
    case 1: return NodeNumberText(TheModel().row(layout).node);
    case 2: return std::to_string(h->numberOfHangers);
    case 3: return HangerKindText(h->kind);
    case 4: return d.figure;
    case 5: return d.size;
    case 6: return rod ? (d.design[0] <= 0.0f ? "Rigid" : "0") : Trim(FormatStiffnessOrRigid(d.springRate));
    case 7: return rod ? "" : TravelText(d.design[0]);
    case 8: return rod ? "" : TravelText(d.design[1]);
    case 9: return Trim(FormatForce(d.design[2]));
    case 10: return Trim(FormatForce(d.design[3]));
    case 11: return rod ? "" : HangerVariationText(d.springRate, d.design[0], d.design[2]);
    default: return {};
  }
}

bool HangerReportOffered() { return !TheResults().hangers.empty(); }

ResultTableWindow& HangerReportTable() { return TheReport(); }

void OpenHangerReport() {
  const int rows = static_cast<int>(TheResults().hangers.size());
  if (rows == 0) return;
  SetResultsReopenCommand(OpenHangerReport);
  HangerReportWindow& table = TheReport();
  if (!BindResultsTable(table, kReportColumns, 3)) return;
  table.nodeSearch = true;
  TableSetRows(table, rows);
  FrameSetTitle(ResultsFrame(), "Hanger Report");
  TableShowFocus(table);
  table.CurrentRowChanged();
}

bool WriteLicadFile(HWND owner, const std::string& path) {
  std::FILE* file = platform::OpenFile(path, "w");
  if (file == nullptr) {
    ShowErrorMessage(owner, "Unable to open LICAD export file:\n" + path);
    return false;
  }
  const Model& model = TheModel();
  UnitsKeeper keeper;
  const int length = ChosenUnit(kUnitLength);
  const bool metric = length == kLengthMetre || length == kLengthMillimetre;
  std::string text = "Interface QUORVEL LICAD Version: 1.0\n";
  text += metric ? "METRIC\n" : "IMPERIAL\n";
  g_UnitsSettings = LicadUnits(metric);
  text += "Hanger mark;X_Coor;Y_Coor;Z_Coor;Hng_Type;Config. No;Pipe;Insul;Temp;DIM 1;Load;Hydro Load;Move X;Move Y;"
          "Move Z;Load_Axial_h;";
  text += "Load_Axial_l;NorthAxis_Angle;Pipe_Dir;Support_Dir;Design_Method;Load_Var;Tare_Weight;Thermal_Mov\n";
  const auto& rows = TheResults().hangerRows;
  const auto& designs = TheResults().hangers;
  for (std::size_t i = 0; i < rows.size() && i < designs.size(); ++i) {
    const auto* h = dynamic_cast<const Hanger*>(model.row(rows[i]).item.get());
    if (h == nullptr || h->kind == kUserHanger || h->kind == kRodHanger) continue;
    text += LicadLine(model, rows[i], designs[i]);
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    ShowErrorMessage(owner, "Unable to write LICAD export file:\n" + path);
    return false;
  }
  return true;
}

namespace {

UINT_PTR ExportDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
    SendMessage(GetParent(hook), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("&Export"));
  return FileDialogHookProc(hook, message, wParam, lParam);
}

}  // namespace

void ExportLicadFile(HWND owner) {
  std::string proposed = TheModel().path;
  const std::size_t slash = proposed.find_last_of('/');
  const std::size_t dot = proposed.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) proposed.erase(dot);
  proposed += ".cli";
  std::vector<char> buffer = FileNameBuffer(proposed);
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.lpstrFilter = "QUORVEL LICAD Interface file (*.cli)\0*.cli\0";
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  record.lpstrDefExt = "cli";
  record.lpstrTitle = "Export";
  record.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
  record.lpfnHook = ExportDialogHook;
  if (!RunFileDialog(record, true)) return;
  WriteLicadFile(owner, buffer.data());
}
