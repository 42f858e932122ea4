// TIE_ROD_DIALOG (see TieRodDialog.h) on the element kinds' dialog
// protocol: edits 1301 and 1302 the stiffnesses (unit 1601), 1303 and 1304
// the gaps (unit 1602). A field left as it was shown keeps the stored
// value, so that an OK that changed nothing changes nothing.
#include "elements/TieRodDialog.h"

#include <string>

#include "elements/ElementValuesDialog.h"
#include "elements/TieRod.h"
#include "kindbase/KindList.h"
#include "services/Message.h"
#include "services/Units.h"

namespace {

// Tension and compression stiffness, then tension and compression gap.
constexpr int kFirstGap = 2, kValueCount = 4;

class TieRodDialog : public ElementValuesDialog {
 public:
  TieRodDialog() : ElementValuesDialog(kValueCount, {kUnitStiffness, kUnitDimension}) {}

  const char* KindName() const override { return "Tie rod"; }
  ElementType Type() const override { return ElementType::TieRod; }

  void Read() override {
    ReadValues(0, kFirstGap);
    if (static_cast<double>(values[0]) + values[1] < kLeastTieRodStiffness)
      helper.DialogThrowItemError(kFirstField, "At least one stiffness is required");
    ReadValues(kFirstGap, kValueCount);
  }

 protected:
  float& Value(ElementData& element, int index) const override {
    auto& rod = static_cast<TieRod&>(element);
    float* fields[kValueCount] = {&rod.tensionStiffness, &rod.compressionStiffness, &rod.tensionGap,
                                  &rod.compressionGap};
    return *fields[index];
  }

  float ParseValue(int index) override {
    float value = 0.0f;
    if (index < kFirstGap) {
      if (ParseFieldStiffness(value) != 0) ThrowInvalidField("Stiffness");
    } else if (ParseFieldNonNegativeDimension(value) != 0) {
      ThrowInvalidField("Gap");
    }
    return value;
  }
};

TieRodDialog& TheDialog() {
  static TieRodDialog kind;
  return kind;
}

}  // namespace

void TieRod::FillDialog(HWND dialog) {
  TheDialog().ShowValues(dialog, {TrimmedText(FormatStiffnessOrRigid(tensionStiffness)),
                                  TrimmedText(FormatStiffnessOrRigid(compressionStiffness)),
                                  TrimmedText(FormatDimension(tensionGap)), TrimmedText(FormatDimension(compressionGap))});
}

INT_PTR TieRodDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
