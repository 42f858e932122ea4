// GENERIC_SUPPORT_DIALOG (see GenericSupportDialog.h) on the kinds' dialog
// protocol. The dialog keeps the group B unit its nine coupling fields are
// shown in; choosing another unit rewrites them in it, so the physical
// values stay.
#include "supports/GenericSupportDialog.h"

#include "kindbase/KindDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/GenericSupport.h"

namespace {

constexpr int kFirstTerm = 1301, kTag = 1322, kGroupA = 1201, kGroupB = 1202, kGroupC = 1203;

int ControlOf(int i, int j) { return kFirstTerm + GenericSupport::TermIndex(i, j); }

class GenericSupportDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Generic Support"; }
  DataType Type() const override { return DataType::GenericSupport; }

  void Init(DataItem* item) override {
    helper.DialogLimitItemText(kTag, static_cast<int>(kGenericSupportTagLength));
    helper.DialogComboReset(kGroupA);
    helper.DialogComboAddString(UnitLabel(kUnitStiffness));
    helper.DialogCurrentComboSetSel(0);
    helper.DialogDisableItem(kGroupA);
    helper.DialogComboReset(kGroupC);
    helper.DialogComboAddString(UnitLabel(kUnitRotStiffness));
    helper.DialogCurrentComboSetSel(0);
    helper.DialogDisableItem(kGroupC);
    helper.DialogComboReset(kGroupB);
    for (std::int32_t index = 0; index <= kGroupBUnitLast; ++index) helper.DialogComboAddString(GroupBUnitLabel(index));
    // A row without a generic support shows the values a new one takes.
    GenericSupport fresh;
    GenericSupport* support = item != nullptr ? static_cast<GenericSupport*>(item) : &fresh;
    shownUnit = support->groupBUnitIndex >= 0 && support->groupBUnitIndex <= kGroupBUnitLast ? support->groupBUnitIndex : 0;
    helper.DialogComboSetSel(kGroupB, shownUnit);
    support->FillDialog(dialog);
    helper.DialogSelectAndFocus(ControlOf(1, 1));
  }

  void LockForResults() override {
    for (int control = kFirstTerm; control <= kTag; ++control) helper.DialogSetReadOnly(control);
    helper.DialogDisableItem(kGroupB);
    helper.DialogFocusItem(IDOK);
  }

  void Read() override {
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kGenericSupportTagLength) ThrowFieldError("Tag", "is too long");
    tag = g_EditFieldText;
    unit = helper.DialogComboGetSel(kGroupB);
    if (unit > kGroupBUnitLast) ThrowInvalidField("Group B units");
    if (unit < 0) unit = shownUnit;
    for (int i = 1; i <= 6; ++i)
      for (int j = i; j <= 6; ++j) {
        helper.DialogGetItemText(ControlOf(i, j));
        float& value = terms[static_cast<std::size_t>(GenericSupport::TermIndex(i, j))];
        const std::string name = CFormat("K(%d,%d)", i, j);
        const char group = GenericSupportTermGroup(i, j);
        bool ok = false;
        if (group == 'B')
          ok = ParseGenericSupportStiffness(g_EditFieldText, unit, value);
        else if (i == j)
          ok = (group == 'A' ? ParseFieldStiffness(value) : ParseFieldRotStiffness(value)) == 0;
        else
          ok = (group == 'A' ? ParseFieldSignedStiffness(value) : ParseFieldSignedRotStiffness(value)) == 0;
        if (!ok) ThrowInvalidField(name);
      }
  }

  bool Differs(const DataItem& item) const override {
    const auto& support = static_cast<const GenericSupport&>(item);
    return support.tag != tag || support.terms != terms || support.groupBUnitIndex != unit;
  }

  void Store(DataItem& item) override {
    auto& support = static_cast<GenericSupport&>(item);
    support.tag = tag;
    support.terms = terms;
    support.groupBUnitIndex = unit;
  }

  bool Command(int id, int code) override {
    if (id != kGroupB || (code != CBN_SELCHANGE && code != CBN_CLOSEUP)) return false;
    const int chosen = helper.DialogComboGetSel(kGroupB);
    if (chosen < 0 || chosen > kGroupBUnitLast || chosen == shownUnit) return true;
    for (int i = 1; i <= 3; ++i)
      for (int j = 4; j <= 6; ++j) {
        const int control = ControlOf(i, j);
        float value = 0.0f;
        const std::string text = helper.DialogReadItemText(control);
        if (!ParseGenericSupportStiffness(text, shownUnit, value)) {
          helper.DialogSetItemText(control, "0");
          continue;
        }
        helper.DialogSetItemText(control, FormatGenericSupportStiffness(value, chosen));
      }
    shownUnit = chosen;
    return true;
  }

 private:
  std::string tag;
  std::int32_t unit = 0, shownUnit = 0;
  std::array<float, kGenericSupportTerms> terms{};
};

}  // namespace

void GenericSupport::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) helper.DialogSetItemText(ControlOf(i, j), FormatGenericSupportTerm(*this, i, j));
  helper.DialogSetItemText(kTag, tag);
}

INT_PTR GenericSupportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static GenericSupportDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
