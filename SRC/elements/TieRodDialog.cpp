// TIE_ROD_DIALOG (see TieRodDialog.h) on the element kinds' dialog
// protocol: edits 1301 and 1302 the stiffnesses (unit 1601), 1303 and 1304
// the gaps (unit 1602). A field left as it was shown keeps the stored
// value, so that an OK that changed nothing changes nothing.
#include "elements/TieRodDialog.h"

#include <array>
#include <string>

#include "elements/TieRod.h"
#include "kindbase/KindDialog.h"
#include "kindbase/KindList.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kFirst = 1301;

class TieRodDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Tie rod"; }
  ElementType Type() const override { return ElementType::TieRod; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    shown = {};
    helper.DialogSetUnitLabel(1601, kUnitStiffness);
    helper.DialogSetUnitLabel(1602, kUnitDimension);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFirst);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304}, {}); }

  void Read() override {
    const auto* rod = dynamic_cast<const TieRod*>(RowElementOfType(row, ElementType::TieRod));
    const std::array<float, 4> stored =
        rod == nullptr ? std::array<float, 4>{}
                       : std::array<float, 4>{rod->tensionStiffness, rod->compressionStiffness, rod->tensionGap,
                                              rod->compressionGap};
    for (int i = 0; i < 4; ++i) {
      const auto at = static_cast<std::size_t>(i);
      helper.DialogGetItemText(kFirst + i);
      if (AsShown(kFirst + i)) {
        values_[at] = stored[at];
      } else if (i < 2) {
        if (ParseFieldStiffness(values_[at]) != 0) ThrowInvalidField("Stiffness");
      } else if (ParseFieldNonNegativeDimension(values_[at]) != 0) {
        ThrowInvalidField("Gap");
      }
      if (i == 1 && static_cast<double>(values_[0]) + values_[1] < kLeastTieRodStiffness)
        helper.DialogThrowItemError(kFirst, "At least one stiffness is required");
    }
  }

  bool Differs(const ElementData& element) const override {
    const auto& rod = static_cast<const TieRod&>(element);
    return rod.tensionStiffness != values_[0] || rod.compressionStiffness != values_[1] ||
           rod.tensionGap != values_[2] || rod.compressionGap != values_[3];
  }

  bool Store(ElementData& element) override {
    auto& rod = static_cast<TieRod&>(element);
    rod.tensionStiffness = values_[0];
    rod.compressionStiffness = values_[1];
    rod.tensionGap = values_[2];
    rod.compressionGap = values_[3];
    RedrawRowElement(TheModel(), row);
    return false;
  }

  std::array<std::string, 4> shown;

 private:
  bool AsShown(int item) const {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    const std::string& before = shown[static_cast<std::size_t>(item - kFirst)];
    return !before.empty() && before == text;
  }

  std::array<float, 4> values_{};
};

TieRodDialog& TheDialog() {
  static TieRodDialog kind;
  return kind;
}

}  // namespace

void TieRod::FillDialog(HWND dialog) {
  TieRodDialog& kind = TheDialog();
  if (kind.dialog != dialog) return;
  kind.shown = {TrimmedText(FormatStiffnessOrRigid(tensionStiffness)),
                TrimmedText(FormatStiffnessOrRigid(compressionStiffness)), TrimmedText(FormatDimension(tensionGap)),
                TrimmedText(FormatDimension(compressionGap))};
  for (int i = 0; i < 4; ++i) kind.helper.DialogSetItemText(kFirst + i, kind.shown[static_cast<std::size_t>(i)]);
}

INT_PTR TieRodDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
