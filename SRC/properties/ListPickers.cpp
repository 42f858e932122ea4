// The list pickers (see ListPickers.h). One table class serves every member:
// a member is a record of its title, its columns (two heading lines and the
// cell of a record) and the widths its columns take; the dialog procedure
// builds the table from it.
#include "properties/ListPickers.h"
#include "properties/PropertyTables.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/DialogTable.h"
#include "services/Assert.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"

namespace {

constexpr int kVisibleRows = 8;

struct PickerColumn {
  std::string heading1, heading2;
  std::string widthSample;  // the text whose width the column takes; empty: the widest cell
  std::function<std::string(int record)> cell;
  bool shown = true;
};

struct PickerMember {
  std::string title;
  int count = 0;
  int first = 1;
  std::vector<PickerColumn> columns;
  std::function<std::string(int record)> name;
  int okX = 8, cancelX = 56;
};


class PickerTable : public DialogTableWindow {
 public:
  PickerTable(const PickerMember& member, HWND dialog) : member_(member), dialog_(dialog) {}

  void DefineColumns() override {
    HDC dc = Dc();
    const int margin = 2 * Metrics().cellMargin;
    for (int c = 1; c <= columnCount; ++c) {
      const PickerColumn& column = member_.columns[static_cast<std::size_t>(c) - 1];
      int width = 0;
      if (column.shown) {
        width = std::max(DcTextWidth(dc, column.heading1), DcTextWidth(dc, column.heading2));
        if (!column.widthSample.empty()) {
          width = std::max(width, DcTextWidth(dc, column.widthSample));
        } else {
          // The widest cell, cut back so the table fits the dialog.
          for (int r = 1; r <= rowCount; ++r) width = std::max(width, DcTextWidth(dc, column.cell(r)));
          width = std::min(width, std::max(limit_ - fixedWidth(dc, margin), 60));
        }
      }
      widths[static_cast<std::size_t>(c)] = width;
    }
  }
  std::string HeadingText(int column, int line) override {
    const PickerColumn& c = member_.columns[static_cast<std::size_t>(column) - 1];
    return line == 0 ? c.heading1 : c.heading2;
  }
  std::string CellText(int row, int column, int) override {
    return member_.columns[static_cast<std::size_t>(column) - 1].cell(row);
  }
  void DoubleClick() override { PostMessage(dialog_, WM_COMMAND, IDOK, 0); }
  // Type-ahead: the next record after the current one whose name begins
  // with the character, searching on from the top.
  void CharNotEditing(int character) override {
    if (character < 32 || character > 255 || !member_.name) return;
    const char wanted = static_cast<char>(std::toupper(character));
    for (int step = 1; step <= rowCount; ++step) {
      const int row = (currentRow - 1 + step) % rowCount + 1;
      const std::string name = member_.name(row);
      if (!name.empty() && std::toupper(static_cast<unsigned char>(name[0])) == static_cast<unsigned char>(wanted)) {
        TableGoTo(*this, row);
        return;
      }
    }
  }
  void SetWidthLimit(int limit) { limit_ = limit; }
  void SetDialog(HWND dialog) { dialog_ = dialog; }

 private:
  int fixedWidth(HDC dc, int margin) const {
    int total = 0;
    for (const PickerColumn& column : member_.columns)
      if (column.shown && !column.widthSample.empty())
        total += std::max({DcTextWidth(dc, column.heading1), DcTextWidth(dc, column.heading2),
                           DcTextWidth(dc, column.widthSample)}) + margin;
    return total + margin;
  }

  const PickerMember& member_;
  HWND dialog_;
  int limit_ = 480;
};

struct PickerRun {
  const PickerMember* member = nullptr;
  PickerTable* table = nullptr;
};

INT_PTR PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& run = *reinterpret_cast<PickerRun*>(lParam);
      const PickerMember& member = *run.member;
      SetWindowText(dialog, member.title.c_str());
      RECT client{};
      GetClientRect(dialog, &client);
      run.table->SetWidthLimit(client.right - 16);
      run.table->SetDialog(dialog);
      CreateDialogTable(dialog, *run.table, static_cast<int>(member.columns.size()),
                        member.columns.size() > 2 ? 2 : 1);
      LayoutDialogTable(dialog, *run.table, member.count, member.first, 1, kVisibleRows,
                        {{IDOK, member.okX}, {IDCANCEL, member.cancelX}});
      return FALSE;
    }
    case WM_COMMAND: {
      auto* run = reinterpret_cast<PickerRun*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, run->table->currentRow);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

int RunPicker(HWND owner, const PickerMember& member) {
  PickerTable table(member, nullptr);
  PickerRun run{&member, &table};
  const INT_PTR result = DialogBoxParam(InstanceHandle, "SELECT_DIALOG", owner, PickerProc, reinterpret_cast<LPARAM>(&run));
  return result > 0 ? static_cast<int>(result) : 0;
}

template <typename Table>
int FirstRow(const Table& table, const std::string& name) {
  const int found = FindRecordByName(table, name);
  return found != 0 ? found : 1;
}

template <typename Table>
std::function<std::string(int)> NameOf(const Table& table) {
  return [&table](int record) { return table[record].name; };
}

PickerColumn NameColumn(std::function<std::string(int)> name) { return {"Name", "", "MMMMM", std::move(name)}; }

template <typename Table>
PickerMember NameDescriptionMember(const char* title, const Table& table, const std::string& current) {
  PickerMember member;
  member.title = title;
  member.count = table.count;
  member.first = FirstRow(table, current);
  member.name = NameOf(table);
  member.columns = {NameColumn(NameOf(table)),
                    {"Description", "", "", [&table](int r) { return table[r].description; }}};
  member.columns[1].heading1 = "Description";
  return member;
}

std::string Text(const char* formatted) { return formatted; }

}  // namespace

std::string SectionPickerCell(int record, int column) {
  const PipeSection& s = TheModel().sections[record];
  switch (column) {
    case 1: return s.name;
    case 2: return s.nominalSize;
    case 3: return s.schedule;
    case 4: return s.outsideDiameter != 0.0f ? Text(FormatDimension(s.outsideDiameter)) : std::string();
    case 5: return s.thickness != 0.0f ? Text(FormatDimension(s.thickness)) : std::string();
    default: return {};
  }
}

std::string PipeLoadPickerCell(int record, int column) {
  const PipeLoad& load = TheModel().pipeLoads[record];
  if (column == 1) return load.name;
  if (column >= 2 && column <= 7) {
    const TemperaturePressure& pair = load.operating[static_cast<std::size_t>((column - 2) / 2)];
    return column % 2 == 0 ? Text(FormatTemperature(pair.temperature)) : Text(FormatPressure(pair.pressure));
  }
  switch (column) {
    case 8: return load.specificGravity != 0.0f ? Text(FormatG4(load.specificGravity)) : std::string();
    case 9: return load.additionalWeight != 0.0f ? Text(FormatAdditionalWeight(load.additionalWeight)) : std::string();
    case 10: return load.wind != 0 ? "Yes" : "No";
    default: return {};
  }
}

int SelectMaterial(HWND owner, const std::string& current) {
  const Model& model = TheModel();
  QV_ASSERT(model.materials.count > 0);  // "nummats"
  return RunPicker(owner, NameDescriptionMember("Select Material", model.materials, current));
}

int SelectSection(HWND owner, const std::string& current, int which) {
  const Model& model = TheModel();
  QV_ASSERT(model.sections.count > 0);  // "numsections"
  PickerMember member;
  member.title = "Select Section";
  if (which == 1 || which == 2) member.title += " " + std::to_string(which);
  member.count = model.sections.count;
  member.first = FirstRow(model.sections, current);
  member.name = NameOf(model.sections);
  auto cell = [](int column) { return [column](int r) { return SectionPickerCell(r, column); }; };
  const std::string nominal = "Diameter";  // the widest of "Nominal", "Diameter" and "Non Std"
  member.columns = {NameColumn(cell(1)),
                    {"Nominal", "Diameter", nominal, cell(2)},
                    {"Sch", "", "STD", cell(3)},
                    {"OD", UnitLabel(kUnitDimension), "123.456", cell(4)},
                    {"Thk", UnitLabel(kUnitDimension), "123.456", cell(5)}};
  member.okX = 5;
  member.cancelX = 45;
  return RunPicker(owner, member);
}

int SelectPipeLoad(HWND owner, const std::string& current) {
  const Model& model = TheModel();
  QV_ASSERT(model.pipeLoads.count > 0);  // "numloads"
  PickerMember member;
  member.title = "Select Load";
  member.count = model.pipeLoads.count;
  member.first = FirstRow(model.pipeLoads, current);
  member.name = NameOf(model.pipeLoads);
  const int temperatures = model.options.ThermalLoadCount;
  auto cell = [](int column) { return [column](int r) { return PipeLoadPickerCell(r, column); }; };
  member.columns = {NameColumn(cell(1))};
  for (int pair = 1; pair <= 3; ++pair) {
    const bool shown = temperatures >= pair;
    const std::string n = std::to_string(pair);
    member.columns.push_back({"T" + n, UnitLabel(kUnitTemperature), "1234567", cell(2 * pair), shown});
    member.columns.push_back({"P" + n, UnitLabel(kUnitPressure), "1234567", cell(2 * pair + 1), shown});
  }
  member.columns.push_back({"Specific", "gravity", "gravity", cell(8)});
  member.columns.push_back({"Add.Wgt.", UnitLabel(kUnitAdditionalWeight), "Add.Wgt.", cell(9)});
  member.columns.push_back({"Wind", "Load", "Wind", cell(10)});
  member.okX = 5;
  member.cancelX = 45;
  return RunPicker(owner, member);
}

int SelectBeamMaterial(HWND owner, const std::string& current) {
  const Model& model = TheModel();
  QV_ASSERT(model.beamMaterials.count > 0);  // "numbmats"
  return RunPicker(owner, NameDescriptionMember("Select Beam Material", model.beamMaterials, current));
}

int SelectBeamSection(HWND owner, const std::string& current) {
  const Model& model = TheModel();
  QV_ASSERT(model.beamSections.count > 0);  // "numbsections"
  return RunPicker(owner, NameDescriptionMember("Select Beam Section", model.beamSections, current));
}

int SelectBeamLoad(HWND owner, const std::string& current) {
  const Model& model = TheModel();
  QV_ASSERT(model.beamLoads.count > 0);  // "numbloads"
  PickerMember member;
  member.title = "Select Beam Load";
  member.count = model.beamLoads.count;
  member.first = FirstRow(model.beamLoads, current);
  member.name = NameOf(model.beamLoads);
  const int temperatures = model.options.ThermalLoadCount;
  const ModelRecordTable<BeamLoad>& loads = model.beamLoads;
  member.columns = {NameColumn(NameOf(loads))};
  for (int t = 1; t <= 3; ++t)
    member.columns.push_back({"T" + std::to_string(t), UnitLabel(kUnitTemperature), "1234567",
                              [&loads, t](int r) { return Text(FormatTemperature(loads[r].temperature[static_cast<std::size_t>(t - 1)])); },
                              temperatures >= t});
  member.columns.push_back({"Add.Wgt.", UnitLabel(kUnitAdditionalWeight), "Add.Wgt.", [&loads](int r) {
                              return loads[r].additionalWeight != 0.0f ? Text(FormatAdditionalWeight(loads[r].additionalWeight))
                                                                         : std::string();
                            }});
  member.columns.push_back({"Wind", "Load", "Wind", [&loads](int r) { return std::string(loads[r].wind ? "Yes" : "No"); }});
  return RunPicker(owner, member);
}
