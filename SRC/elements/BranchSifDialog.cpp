// BRANCH_SIF_DIALOG (see BranchSifDialog.h) on the kinds' dialog protocol.
// The combo 1201 lists the long names of the types offered; the dependent
// fields are edit 1301 (label 1501, unit 1601) and edit 1302 (labels 1502
// and 1503, unit 1602); edit 1303 with label 1504 takes the B31J flanges.
#include "elements/BranchSifDialog.h"

#include <algorithm>

#include "elements/BranchSif.h"
#include "elements/KindTable.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kTypeCombo = 1201;
constexpr int kFirstDimension = 1301;
constexpr int kSecondDimension = 1302;
constexpr int kFlangesField = 1303;
constexpr int kFirstLabel = 1501;
constexpr int kSecondLabel = 1502;
constexpr int kSecondLabelLine2 = 1503;
constexpr int kFlangesLabel = 1504;
constexpr int kFirstUnit = 1601;
constexpr int kSecondUnit = 1602;
constexpr float kSmallestDimension = 0.001f;  // inch

// The fields a type shows under a code.
struct TypeFields {
  int rows = 0;            // 0, 1 or 2
  std::string label1;      // label 1501 (may hold two lines)
  std::string label2a, label2b;
  const char* name1 = "";  // the field's name in messages
  const char* name2 = "";
};

TypeFields FieldsOf(std::int32_t type, std::int32_t code) {
  const bool b311 = code == 1 || code == 7;
  switch (type) {
    case 2:
      return {1, code == 13 || code == 14 || code == 18 ? "Thickness of plate\nreinforcement (Sp)" : "Pad thickness", "",
              "", "Thickness"};
    case 4: return b311 ? TypeFields{} : TypeFields{1, "Crotch radius", "", "", "Radius"};
    case 7: return {2, "Fillet radius (r)", "Effective wall", "thickness (Se)", "Radius", "Thickness"};
    case 8: return {2, "Thickness (Sf)", "Length (L)", "", "Thickness", "Length"};
    case 9: return {1, "Branch radius (rp)", "", "", "Radius"};
    default: return {};
  }
}

class BranchSifDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Branch SIF"; }
  DataType Type() const override { return DataType::BranchSif; }

  void Init(DataItem* item) override {
    const Model& model = TheModel();
    code_ = model.options.PipingCode;
    b31j_ = model.options.UseB31J != 0;
    types_ = BranchSifTypesOffered(code_, b31j_);
    helper.DialogComboReset(kTypeCombo);
    for (std::int32_t type : types_) helper.DialogComboAddString(BranchSifLongName(type, code_));
    helper.DialogComboSetSel(kTypeCombo, 0);
    helper.DialogSetUnitLabel(kFirstUnit, kUnitDimension);
    helper.DialogSetUnitLabel(kSecondUnit, kUnitDimension);
    helper.DialogEnableItem(kFlangesField, b31j_);
    helper.DialogEnableItem(kFlangesLabel, b31j_);
    // One layout, the selected type's: each layout moves and sizes.
    laidOut_ = -1;
    if (item != nullptr) item->FillDialog(dialog);
    else SelectType(KeywordType());
    helper.DialogFocusItem(kTypeCombo);
    helper.PlaceCursorOnItem(IDOK);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kFirstDimension, kSecondDimension, kFlangesField}, {kTypeCombo});
  }

  void Read() override {
    type_ = SelectedType();
    const TypeFields fields = FieldsOf(type_, code_);
    dimension1_ = fields.rows >= 1 ? ReadDimension(kFirstDimension, fields.name1) : 0.0f;
    dimension2_ = fields.rows >= 2 ? ReadDimension(kSecondDimension, fields.name2) : 0.0f;
    helper.DialogGetItemText(kFlangesField);
    flanges_ = 0;
    if (!g_EditFieldText.empty() && (ParseFieldInteger(flanges_) != 0 || flanges_ < 0 || flanges_ > 2))
      helper.DialogThrowItemError(kFlangesField, "Number should be 1 or 2");
  }

  bool Differs(const DataItem& item) const override {
    const auto& sif = static_cast<const BranchSif&>(item);
    return sif.type != type_ || sif.dimension1 != dimension1_ || sif.dimension2 != dimension2_ || sif.flanges != flanges_;
  }

  void Store(DataItem& item) override {
    auto& sif = static_cast<BranchSif&>(item);
    sif.type = type_;
    sif.dimension1 = dimension1_;
    sif.dimension2 = dimension2_;
    sif.flanges = flanges_;
  }

  bool Command(int id, int code) override {
    if (id != kTypeCombo) return false;
    if (code == CBN_SELENDOK || code == CBN_SELCHANGE) {
      const std::int32_t type = SelectedType();
      if (type != laidOut_) LayOut(type);
      return true;
    }
    if (code == CBN_CLOSEUP) {
      helper.DialogFocusItem(FieldsOf(SelectedType(), code_).rows > 0 ? kFirstDimension : IDOK);
      return true;
    }
    return false;
  }

  // Selects a type of the list and lays out its fields; the first entry
  // when the code does not offer it (false).
  bool SelectType(std::int32_t type) {
    const auto at = std::find(types_.begin(), types_.end(), type);
    const int index = at == types_.end() ? 0 : static_cast<int>(at - types_.begin());
    helper.DialogComboSetSel(kTypeCombo, index);
    LayOut(SelectedType());
    return at != types_.end();
  }

  std::int32_t code_ = 0;

 private:
  // The type that a data-type keyword or the picker chose ("Reinf tee" ...),
  // for a row that has no branch SIF yet: their subtypes count from 0.
  static std::int32_t KeywordType() { return DataKindDialogSubtype() + 1; }

  std::int32_t SelectedType() {
    const int index = helper.DialogComboGetSel(kTypeCombo);
    return index >= 0 && index < static_cast<int>(types_.size()) ? types_[static_cast<std::size_t>(index)] : 0;
  }

  float ReadDimension(int item, const char* name) {
    helper.DialogGetItemText(item);
    if (g_EditFieldText.empty()) ThrowRequiredField(name);
    float value = 0.0f;
    if (ParseFieldNonNegativeDimension(value) != 0 || value < kSmallestDimension) ThrowInvalidField(name);
    return value;
  }

  // Shows the rows of `type` (none for 0), empties both fields and moves OK
  // and Cancel below the last row.
  void LayOut(std::int32_t type) {
    laidOut_ = type;
    const TypeFields fields = FieldsOf(type, code_);
    for (int item : {kFirstLabel, kFirstDimension, kFirstUnit, kSecondLabel, kSecondLabelLine2, kSecondDimension,
                     kSecondUnit})
      helper.DialogHideItem(item);
    helper.DialogSetItemEmpty(kFirstDimension);
    helper.DialogSetItemEmpty(kSecondDimension);
    // A one-line label stands level with its edit, a two-line one around it.
    const bool twoLines = fields.label1.find('\n') != std::string::npos;
    helper.DialogPlaceItem(kFirstLabel, 8, twoLines ? 48 : 52);
    helper.DialogPlaceItem(kSecondLabel, 8, fields.label2b.empty() ? 74 : 70);
    if (fields.rows >= 1) {
      helper.DialogSetItemText(kFirstLabel, fields.label1);
      for (int item : {kFirstLabel, kFirstDimension, kFirstUnit}) helper.DialogShowItem(item);
    }
    if (fields.rows >= 2) {
      helper.DialogSetItemText(kSecondLabel, fields.label2a);
      helper.DialogSetItemText(kSecondLabelLine2, fields.label2b);
      for (int item : {kSecondLabel, kSecondLabelLine2, kSecondDimension, kSecondUnit}) helper.DialogShowItem(item);
    }
    const int buttonsTop = 50 + 22 * fields.rows;
    helper.DialogPlaceItem(IDOK, 186, buttonsTop);
    helper.DialogPlaceItem(IDCANCEL, 242, buttonsTop);
    helper.DialogSizeForClient(302, buttonsTop + 22);
  }

  std::vector<std::int32_t> types_;
  bool b31j_ = false;
  std::int32_t laidOut_ = 0;
  std::int32_t type_ = 0;
  float dimension1_ = 0.0f, dimension2_ = 0.0f;
  std::int32_t flanges_ = 0;
};

BranchSifDialog& TheDialog() {
  static BranchSifDialog kind;
  return kind;
}

}  // namespace

void BranchSif::FillDialog(HWND dialog) {
  BranchSifDialog& kind = TheDialog();
  if (kind.dialog != dialog || !kind.SelectType(type)) return;
  const TypeFields fields = FieldsOf(type, kind.code_);
  if (fields.rows >= 1) kind.helper.DialogSetItemText(kFirstDimension, FormatDimension(dimension1));
  if (fields.rows >= 2) kind.helper.DialogSetItemText(kSecondDimension, FormatDimension(dimension2));
  if (flanges != 0) kind.helper.DialogSetItemText(kFlangesField, std::to_string(flanges));
}

INT_PTR BranchSifDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return KindDialogMessage(TheDialog(), dialog, message, wParam, lParam);
}
