// The user SIFs and welds lists and their printed sections; see
// UserSifList.h.
#include "elements/UserSifList.h"

#include <utility>
#include <vector>

#include "elements/UserSif.h"
#include "elements/UserSifDialog.h"
#include "elements/Weld.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr std::int32_t kCodeB313 = 3;

bool B31J() { return TheModel().options.UseB31J != 0; }
bool AxialShown() { return TheModel().options.PipingCode == kCodeB313; }

const UserSif& SifOfRow(int row) { return static_cast<const UserSif&>(*TheModel().row(row).item); }
const Weld& WeldOfRow(int row) { return static_cast<const Weld&>(*TheModel().row(row).item); }

std::string Factor(float value) { return FormatFixedWidth(value, 10, 2); }

UserSifsList& TheSifsList() {
  static UserSifsList list;
  return list;
}

WeldsList& TheWeldsList() {
  static WeldsList list;
  return list;
}

}  // namespace

std::string UserSif::CellText(int column) const {
  switch (column) {
    case 2: return Factor(inPlaneSif);
    case 3: return UserSifInOutPlane() ? Factor(outPlaneSif) : std::string();
    case 4: return AxialShown() ? FormatSif(axialSif) : std::string();
    case 5: return B31J() ? FormatSif(torsionSif) : std::string();
    default: return {};
  }
}

std::string Weld::CellText(int column) const { return column == 2 ? WeldText(*this) : std::string(); }

std::string WeldText(const Weld& weld) {
  if (weld.type < 1 || weld.type > kWeldTypeLast) return "???";
  std::string text = kWeldTypeNames[weld.type];
  if (weld.type == 1 || weld.type == 4)
    text += std::string(", Mismatch = ") + TrimmedText(FormatDimension(weld.mismatch)) + " " + UnitLabel(kUnitDimension);
  return text;
}

UserSifsList::UserSifsList() : KindListTable(DataType::UserSif, RowListKind::UserSifs, "User SIFs", "User SIF", 5, 1) {}

std::string UserSifsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "Node";
    case 2: return UserSifInOutPlane() ? "In Plane" : "SIF";
    case 3: return UserSifInOutPlane() ? "Out Plane" : "";
    case 4: return AxialShown() ? "Axial SIF" : "";
    case 5: return B31J() ? "Torsion SIF" : "";
    default: return {};
  }
}

void UserSifsList::DefineColumns() {
  KindListTable::DefineColumns();
  if (!UserSifInOutPlane()) return;
  const int width = std::max(widths[2], widths[3]);
  widths[2] = widths[3] = width;
}

void UserSifsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void UserSifsList::WriteText() { PrintUserSifs(); }

WeldsList::WeldsList() : KindListTable(DataType::Weld, RowListKind::Welds, "Welds", "Weld", 2, 1) {}

std::string WeldsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  return column == 1 ? "Node" : column == 2 ? "Type" : "";
}

void WeldsList::EnterRow(bool /*control*/) { EditCurrentItem(); }

void WeldsList::WriteText() { PrintWelds(); }

TableWindow& UserSifsListTable() { return TheSifsList(); }
bool UserSifsListOffered(const Model& model) { return model.lists[RowListKind::UserSifs].count > 0; }
void OpenUserSifsList() { TheSifsList().Open(OpenUserSifsList, nullptr); }

// Each factor ends where its width-10 field would: the fields overlap by a
// column, and a blank of one must not cut the next.
void UserSifDetailsText(int row) {
  const UserSif& sif = SifOfRow(row);
  if (g_ReportToFile) {
    ReportPutCell(TrimmedText(FormatSif(sif.inPlaneSif)));
    if (UserSifInOutPlane()) ReportPutCell(TrimmedText(FormatSif(sif.outPlaneSif)));
    ReportPutCell(AxialShown() ? TrimmedText(FormatSif(sif.axialSif)) : std::string());
    ReportPutCell(B31J() ? TrimmedText(FormatSif(sif.torsionSif)) : std::string());
    return;
  }
  ReportPutTextRight(TrimmedText(Factor(sif.inPlaneSif).c_str()), 15 + 9);
  if (UserSifInOutPlane()) ReportPutTextRight(TrimmedText(Factor(sif.outPlaneSif).c_str()), 27 + 9);
  if (AxialShown()) ReportPutTextRight(TrimmedText(Factor(sif.axialSif).c_str()), 36 + 9);
  if (B31J()) ReportPutTextRight(TrimmedText(Factor(sif.torsionSif).c_str()), 46 + 9);
}

void PrintUserSifs() {
  KindListPrintTable table(TheSifsList());
  std::vector<DetailsHeading> headings = {{"Node", 1, 6}};
  if (UserSifInOutPlane())
    headings.push_back({"In plane   Out plane   Axial    Torsion", 1, 13});
  else
    headings.push_back({"SIF", 1, 16});
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::UserSif),
                                              TheSifsList().title, std::move(headings), 0, {}, {}, 1);
  request.putText = UserSifDetailsText;
  request.csvHeadings = {"Node,In plane,Out Plane,Axial,Torsion"};
  PrintKindDetailsSection(TheSifsList(), table, std::move(request));
}

TableWindow& WeldsListTable() { return TheWeldsList(); }
bool WeldsListOffered(const Model& model) { return model.lists[RowListKind::Welds].count > 0; }
void OpenWeldsList() { TheWeldsList().Open(OpenWeldsList, nullptr); }

void WeldDetailsText(int row) {
  if (g_ReportToFile)
    ReportPutCell(WeldText(WeldOfRow(row)));
  else
    ReportPutText(WeldText(WeldOfRow(row)), 13);
}

void PrintWelds() {
  KindListPrintTable table(TheWeldsList());
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Weld), TheWeldsList().title,
                                              {{"Node", 1, 6}, {"Type", 1, 13}}, 0, {}, {}, 1);
  request.putText = WeldDetailsText;
  request.csvHeadings = {"Node,Type"};
  PrintKindDetailsSection(TheWeldsList(), table, std::move(request));
}
