// FLANGE_DIALOG (see FlangeDialog.h) on the kinds' dialog protocol: combo
// 1201 the seven types (none selected for a flange of type 0, which OK then
// keeps), edits 1301 to 1303 with their unit labels 1601 to 1603, and the
// library buttons 1001 and 1002, which write the weight picked into 1301
// and touch no other field.
#include "elements/FlangeDialog.h"

#include <algorithm>

#include "elements/Flange.h"
#include "elements/FlangeWeights.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

constexpr int kTypeCombo = 1201, kWeight = 1301, kGasket = 1302, kPressure = 1303;
constexpr int kAnsiButton = 1001, kEuropeanButton = 1002;

bool IsSectionRowKind(ElementType type) {
  switch (type) {
    case ElementType::From:
    case ElementType::Pipe:
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend:
    case ElementType::Valve: return true;
    default: return false;
  }
}

class FlangeDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Flange"; }
  DataType Type() const override { return DataType::Flange; }

  void Init(DataItem* item) override {
    helper.DialogComboReset(kTypeCombo);
    for (int type = 1; type < kFlangeTypeCount; ++type) helper.DialogComboAddString(kFlangeTypeNames[type]);
    helper.DialogComboSetSel(kTypeCombo, 0);
    helper.DialogSetUnitLabel(1601, kUnitWeight);
    helper.DialogSetUnitLabel(1602, kUnitDimension);
    helper.DialogSetUnitLabel(1603, kUnitPressure);
    if (item != nullptr) item->FillDialog(dialog);
    helper.DialogSelectAndFocus(kWeight);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kWeight, kGasket, kPressure}, {kTypeCombo, kAnsiButton, kEuropeanButton});
  }

  void Read() override {
    type_ = helper.DialogComboGetSel(kTypeCombo) + 1;
    helper.DialogGetItemText(kWeight);
    if (ParseFieldWeight(weight_) != 0) ThrowInvalidField("Weight");
    helper.DialogGetItemText(kGasket);
    if (ParseFieldNonNegativeDimension(gasket_) != 0) ThrowInvalidField("Gasket Diameter");
    helper.DialogGetItemText(kPressure);
    if (ParseFieldPressure(pressure_) != 0 || pressure_ < 0.0f) ThrowInvalidField("Allowable Pressure");
  }

  bool Differs(const DataItem& item) const override {
    const auto& flange = static_cast<const Flange&>(item);
    return flange.type != type_ || flange.weight != weight_ || flange.gasketDiameter != gasket_ ||
           flange.allowablePressure != pressure_;
  }

  void Store(DataItem& item) override {
    auto& flange = static_cast<Flange&>(item);
    flange.type = type_;
    flange.weight = weight_;
    flange.gasketDiameter = gasket_;
    flange.allowablePressure = pressure_;
  }

  bool Command(int id, int code) override {
    if ((id != kAnsiButton && id != kEuropeanButton) || code != BN_CLICKED) return false;
    FillFromLibrary(id == kAnsiButton ? FlangeWeightTable::Ansi : FlangeWeightTable::European);
    return true;
  }

  void Fill(const Flange& flange) {
    helper.DialogComboSetSel(kTypeCombo, flange.type - 1);
    helper.DialogSetItemText(kWeight, FormatWeight(flange.weight));
    if (flange.gasketDiameter != 0.0f) helper.DialogSetItemText(kGasket, FormatDimension(flange.gasketDiameter));
    helper.DialogSetItemText(kPressure, FormatPressure(flange.allowablePressure));
  }

 private:
  void FillFromLibrary(FlangeWeightTable table) {
    const Model& model = TheModel();
    const int section = FlangeRowSection(model, row);
    if (section == 0) {
      ShowErrorMessage(dialog, "Unable to find pipe section");
      return;
    }
    const float nominal = NominalSizeFromOd(model.sections[section].outsideDiameter);
    const int index = FlangeWeightSizeIndex(table, nominal);
    if (index < 0) {
      ShowErrorMessage(dialog, std::string(" Flange data not available for this diameter: ") + FormatDimension(nominal) +
                                   " " + UnitLabel(kUnitDimension));
      return;
    }
    const float weight = PickFlangeWeight(dialog, table, index);
    if (weight < 0.0f) return;
    if (weight == 0.0f) {
      helper.DialogSetItemEmpty(kWeight);
      return;
    }
    helper.DialogSetItemText(kWeight, FormatWeight(weight));
    helper.DialogSelectAndFocus(kWeight);
  }

  std::int32_t type_ = 0;
  float weight_ = 0.0f, gasket_ = 0.0f, pressure_ = 0.0f;
};

FlangeDialog& TheDialog() {
  static FlangeDialog kind;
  return kind;
}

}  // namespace

int FlangeRowSection(const Model& model, int row) {
  if (row >= 1 && row <= model.rowCount + 1) {
    const std::string& own = model.row(row).section;
    if (!own.empty()) return FindSectionByName(model.sections, own);
  }
  for (int earlier = std::min(row, model.rowCount + 1) - 1; earlier >= 2; --earlier) {
    const LayoutRow& candidate = model.row(earlier);
    if (IsSectionRowKind(candidate.elementType) && !candidate.section.empty())
      return FindSectionByName(model.sections, candidate.section);
  }
  return 0;
}

void Flange::FillDialog(HWND dialog) {
  if (TheDialog().dialog == dialog) TheDialog().Fill(*this);
}

INT_PTR FlangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
