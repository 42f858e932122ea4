// The hanger dialogs (see HangerDialogs.h) on the kinds' dialog protocol.
// Each stores every field of the record, so that a row moved from one
// hanger kind to another keeps nothing of the old kind's values that the
// new one does not show.
#include "supports/HangerDialogs.h"

#include <algorithm>
#include <memory>

#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/ModelDialogFields.h"
#include "model/Nodes.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Hanger.h"
#include "supports/HangerCatalogue.h"

namespace {

const Hanger* RowHanger(int row) { return static_cast<const Hanger*>(RowItemOfType(row, DataType::Hanger)); }

std::string NodeText(std::int32_t node) { return node != 0 ? NodeNumberText(node) : ""; }
std::string Trimmed(const char* text) {
  std::string value = text;
  while (!value.empty() && value.front() == ' ') value.erase(value.begin());
  return value;
}

// The fields every hanger dialog stores; compared field by field.
struct HangerValues {
  std::string tag;
  std::int32_t kind = kGrinnellCatalogue, number = 1, variation = 25;
  std::uint8_t shortRange = 0, above = 1;
  std::int32_t connectedNode = 0, loadType = 0;
  float springRate = 0.0f, load = 0.0f;

  bool Differs(const Hanger& h) const {
    return h.tag != tag || h.kind != kind || h.numberOfHangers != number || h.maximumLoadVariation != variation ||
           h.shortRange != shortRange || h.above != above || h.connectedNode != connectedNode ||
           h.loadType != loadType || h.springRate != springRate || h.load != load;
  }
  void Store(Hanger& h) const {
    h.tag = tag;
    h.kind = kind;
    h.numberOfHangers = number;
    h.maximumLoadVariation = variation;
    h.shortRange = shortRange;
    h.above = above;
    h.connectedNode = connectedNode;
    h.loadType = loadType;
    h.springRate = springRate;
    h.load = load;
  }
};

void ReadTag(DialogHelper& helper, int item, std::string& tag, std::size_t limit) {
  helper.DialogReadFieldTrimmed(item);
  if (g_EditFieldText.size() > limit) ThrowFieldError("Tag", "is too long");
  tag = g_EditFieldText;
}

class HangerKindDialog : public KindDialog {
 public:
  DataType Type() const override { return DataType::Hanger; }
  bool Differs(const DataItem& item) const override { return values.Differs(static_cast<const Hanger&>(item)); }
  void Store(DataItem& item) override { values.Store(static_cast<Hanger&>(item)); }

 protected:
  HangerValues values;
};

// --- designed from a catalogue -------------------------------------------------------

class DesignedHangerDialog : public HangerKindDialog {
 public:
  const char* KindName() const override { return "Hanger"; }

  void Init(DataItem* item) override {
    helper.DialogComboReset(1201);
    for (int kind = 1; kind <= kHangerCatalogueCount; ++kind) helper.DialogComboAddString(HangerCatalogueName(kind));
    helper.DialogLimitItemText(1304, static_cast<int>(kHangerTagLength));
    auto* hanger = static_cast<Hanger*>(item);
    if (hanger != nullptr && IsDesignedHanger(hanger->kind)) {
      hanger->FillDialog(dialog);
    } else {
      // A new hanger takes the choices of the last designed hanger above.
      Hanger fresh;
      const Model& model = TheModel();
      for (int r = model.rowCount; r >= 2; --r) {
        const auto* other = dynamic_cast<const Hanger*>(model.row(r).item.get());
        if (other == nullptr || !IsDesignedHanger(other->kind)) continue;
        fresh.kind = other->kind;
        fresh.numberOfHangers = other->numberOfHangers;
        fresh.maximumLoadVariation = other->maximumLoadVariation;
        fresh.shortRange = other->shortRange;
        fresh.above = other->above;
        break;
      }
      fresh.FillDialog(dialog);
      if (hanger != nullptr) helper.DialogSetItemText(1304, hanger->tag);
    }
    helper.DialogSelectAndFocus(1301);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304}, {1201, 1101, 1102}); }

  // Only one catalogue's load table is held: the user is told on choosing
  // another that its hangers cannot be designed, before Analyze refuses them.
  bool Command(int id, int code) override {
    if (id != 1201 || code != CBN_SELCHANGE) return false;
    const int kind = helper.DialogComboGetSel(1201) + 1;
    if (kind < 1 || FindHangerCatalogue(kind) != nullptr) return true;
    std::string held;
    for (int other = 1; other <= kHangerCatalogueCount && held.empty(); ++other)
      if (FindHangerCatalogue(other) != nullptr) held = HangerCatalogueName(other);
    ShowWarningMessage(dialog, CFormat("The load table of the hanger catalogue \"%s\" is not available: Analyze "
                                       "refuses its hangers. Only the table of \"%s\" is held.",
                                       HangerCatalogueName(kind), held.c_str()));
    return true;
  }

  void Read() override {
    values = HangerValues{};
    values.kind = std::max(0, helper.DialogComboGetSel(1201)) + 1;
    helper.DialogGetItemText(1301);
    values.number = ParseNumberOfHangers("Number of Hangers");
    helper.DialogGetItemText(1302);
    values.variation = ParseLoadVariation();
    values.shortRange = helper.DialogIsChecked(1101) ? 1 : 0;
    values.above = helper.DialogIsChecked(1102) ? 0 : 1;
    values.connectedNode = CheckConnectedNode(helper, 1303, row);
    ReadTag(helper, 1304, values.tag, kHangerTagLength);
  }
};

// --- user hanger ---------------------------------------------------------------------

class UserHangerDialog : public HangerKindDialog {
 public:
  const char* KindName() const override { return "User Hanger"; }

  void Init(DataItem* item) override {
    helper.DialogSetUnitLabel(1601, kUnitStiffness);
    helper.DialogSetUnitLabel(1602, kUnitForce);
    helper.DialogLimitItemText(1305, static_cast<int>(kHangerTagLength));
    const auto* hanger = static_cast<const Hanger*>(item);
    helper.DialogCheckRadio(1401, 1402, 1401);
    helper.DialogSetItemText(1302, "1");
    if (hanger != nullptr && hanger->kind == kUserHanger) {
      helper.DialogSetItemText(1301, Trimmed(FormatStiffnessOrRigid(hanger->springRate)));
      helper.DialogSetItemText(1302, std::to_string(hanger->numberOfHangers));
      if (hanger->load != 0.0f) helper.DialogSetItemText(1303, Trimmed(FormatForce(hanger->load)));
      helper.DialogCheckRadio(1401, 1402, hanger->loadType == 1 ? 1402 : 1401);
      helper.DialogSetCheck(1102, hanger->above == 0);
      helper.DialogSetItemText(1304, NodeText(hanger->connectedNode));
    }
    if (hanger != nullptr) helper.DialogSetItemText(1305, hanger->tag);
    helper.DialogSelectAndFocus(1301);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305}, {1401, 1402, 1102}); }

  void Read() override {
    values = HangerValues{};
    values.kind = kUserHanger;
    values.variation = 0;
    helper.DialogGetItemText(1301);
    if (ParseFieldStiffness(values.springRate) != 0) ThrowInvalidField("Spring rate");
    helper.DialogGetItemText(1302);
    values.number = ParseNumberOfHangers("Number of hangers");
    helper.DialogGetItemText(1303);
    if (!g_EditFieldText.empty() && ParseFieldForce(values.load) != 0) ThrowInvalidField("Hanger load");
    values.loadType = helper.DialogIsChecked(1402) ? 1 : 0;
    values.above = helper.DialogIsChecked(1102) ? 0 : 1;
    values.connectedNode = CheckConnectedNode(helper, 1304, row);
    ReadTag(helper, 1305, values.tag, kHangerTagLength);
  }
};

// --- rod hanger and constant support: number, connected node, tag ----------------------

class SimpleHangerDialog : public HangerKindDialog {
 public:
  SimpleHangerDialog(const char* name, std::int32_t kind, int nodeItem, int tagItem)
      : name_(name), kind_(kind), nodeItem_(nodeItem), tagItem_(tagItem) {}
  const char* KindName() const override { return name_; }

  void Init(DataItem* item) override {
    const auto* hanger = static_cast<const Hanger*>(item);
    std::string number = "1", tag, node;
    if (hanger != nullptr && hanger->kind == kind_) {
      number = std::to_string(hanger->numberOfHangers);
      node = NodeText(hanger->connectedNode);
    }
    if (hanger != nullptr) tag = hanger->tag;
    // The limits bind typing only: a stored value longer than them is shown
    // and kept whole.
    const bool rod = kind_ == kRodHanger;
    helper.DialogSetItemTextAndLimit(1301, number, std::max<int>(rod ? 1 : 3, static_cast<int>(number.size())));
    helper.DialogSetItemTextAndLimit(nodeItem_, node, std::max<int>(rod ? 5 : 8, static_cast<int>(node.size())));
    helper.DialogSetItemTextAndLimit(tagItem_, tag, std::max<int>(12, static_cast<int>(tag.size())));
    helper.DialogSelectAndFocus(rod ? tagItem_ : 1301);
  }

  void LockForResults() override { LockDialogInputs(helper, {1301, nodeItem_, tagItem_}, {}); }

  void Read() override {
    values = HangerValues{};
    values.kind = kind_;
    values.variation = 0;
    helper.DialogReadFieldTrimmed(tagItem_);
    values.tag = g_EditFieldText;
    helper.DialogGetItemText(1301);
    values.number = ParseNumberOfHangers("Number of Hangers");
    values.connectedNode = CheckConnectedNode(helper, nodeItem_, row);
  }

 private:
  const char* name_;
  std::int32_t kind_;
  int nodeItem_, tagItem_;
};

}  // namespace

std::int32_t ParseNumberOfHangers(const char* label) {
  if (g_EditFieldText.empty()) return 1;
  std::int32_t number = 0;
  if (ParseFieldInteger(number) != 0 || number < 1) ThrowInvalidField(label);
  return number;
}

std::int32_t ParseLoadVariation() {
  if (g_EditFieldText.empty()) return 25;
  std::int32_t variation = 0;
  if (ParseFieldInteger(variation) != 0 || variation < 0) ThrowInvalidField("Load Variation");
  return variation == 0 ? 25 : variation;
}

void Hanger::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  helper.DialogComboSetSel(1201, std::clamp(kind, 1, kHangerCatalogueCount) - 1);
  helper.DialogSetItemText(1301, std::to_string(numberOfHangers));
  helper.DialogSetItemText(1302, std::to_string(maximumLoadVariation));
  helper.DialogSetCheck(1101, shortRange != 0);
  helper.DialogSetCheck(1102, above == 0);
  helper.DialogSetItemText(1303, NodeText(connectedNode));
  helper.DialogSetItemText(1304, tag);
}

INT_PTR HangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static DesignedHangerDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

INT_PTR UserHangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static UserHangerDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

INT_PTR RodHangerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static SimpleHangerDialog kind("Rod Hanger", kRodHanger, 1302, 1303);
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

INT_PTR ConstantSupportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static SimpleHangerDialog kind("Constant Support", kConstantSupport, 1302, 1303);
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}

HangerDialogChoice ChooseHangerDialog(int row, std::int32_t subtype) {
  if (subtype == 0)
    if (const Hanger* hanger = RowHanger(row)) {
      if (hanger->kind == kUserHanger) subtype = 1;
      if (hanger->kind == kRodHanger) subtype = 2;
      if (hanger->kind == kConstantSupport) subtype = 3;
    }
  switch (subtype) {
    case 1: return {"USER_HANGER_DIALOG", UserHangerDialogProc};
    case 2: return {"ROD_HANGER_DIALOG", RodHangerDialogProc};
    case 3: return {"CONSTANT_SUPPORT_DIALOG", ConstantSupportDialogProc};
    default: return {"HANGER_DIALOG", HangerDialogProc};
  }
}
