// NOZZLE_DIALOG (see NozzleDialog.h) on the kinds' dialog protocol. The
// vessel type buttons re-lay the dialog: a flat-bottom tank shows the pad
// box, labels 1305 "L" and hides L2; a sphere hides the pad, L1 and L2,
// labels the vessel field "R" and disables the axis.
#include "supports/NozzleDialog.h"

#include <array>
#include <memory>

#include "kindbase/KindDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "supports/DisplacementSets.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"

namespace {

constexpr int kFlatButton = 1101, kPadBox = 1102, kSphereButton = 1103, kCylinderButton = 1104;
constexpr int kNozzleOd = 1301, kNozzleThk = 1302, kVesselOd = 1303, kVesselThk = 1304;
constexpr int kL1 = 1305, kL2 = 1306, kModulus = 1307, kFirstAxis = 1308, kTag = 1311;
constexpr int kVesselOdLabel = 1503, kL1Label = 1505, kL2Label = 1506;
constexpr int kDisplacementsButton = 1001;

enum class Vessel { Cylinder, Sphere, Flat };

Vessel VesselOf(const Nozzle& nozzle) {
  if (nozzle.spherical != 0) return Vessel::Sphere;
  return nozzle.flatBottom != 0 ? Vessel::Flat : Vessel::Cylinder;
}

std::string ValueText(const char* text) {
  std::string value = text;
  while (!value.empty() && value.front() == ' ') value.erase(value.begin());
  return value;
}

std::string NonZero(float value, const char* (*format)(float)) { return value == 0.0f ? "" : ValueText(format(value)); }

void ShowVessel(DialogHelper& helper, Vessel vessel) {
  helper.DialogSetCheck(kCylinderButton, vessel == Vessel::Cylinder);
  helper.DialogSetCheck(kSphereButton, vessel == Vessel::Sphere);
  helper.DialogSetCheck(kFlatButton, vessel == Vessel::Flat);
  if (vessel == Vessel::Flat) helper.DialogShowItem(kPadBox);
  else helper.DialogHideItem(kPadBox);
  helper.DialogSetItemText(kVesselOdLabel, vessel == Vessel::Sphere ? "R" : "OD");
  helper.DialogSetItemText(kL1Label, vessel == Vessel::Flat ? "L" : "L1");
  for (int item : {kL1, kL1Label, 1605}) {
    if (vessel == Vessel::Sphere) helper.DialogHideItem(item);
    else helper.DialogShowItem(item);
  }
  for (int item : {kL2, kL2Label, 1606}) {
    if (vessel == Vessel::Cylinder) helper.DialogShowItem(item);
    else helper.DialogHideItem(item);
  }
  const bool axis = vessel != Vessel::Sphere && !KindDialogInResults();
  for (int i = 0; i < 3; ++i) helper.DialogEnableItem(kFirstAxis + i, axis);
}

Vessel CheckedVessel(DialogHelper& helper) {
  if (helper.DialogIsChecked(kSphereButton)) return Vessel::Sphere;
  return helper.DialogIsChecked(kFlatButton) ? Vessel::Flat : Vessel::Cylinder;
}

// Reads a field: empty is "required", text that does not parse "invalid".
void ReadRequired(DialogHelper& helper, int item, const char* label, int (*parse)(float&), float& value) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  if (parse(value) != 0) ThrowInvalidField(label);
}

class NozzleDialog : public KindDialog {
 public:
  const char* KindName() const override { return "Nozzle"; }
  DataType Type() const override { return DataType::Nozzle; }

  void Init(DataItem* item) override {
    g_SpecDisplStored = 0;
    for (int label : {1601, 1602, 1603, 1604}) helper.DialogSetUnitLabel(label, kUnitDimension);
    helper.DialogSetUnitLabel(1605, kUnitLength);
    helper.DialogSetUnitLabel(1606, kUnitLength);
    helper.DialogSetUnitLabel(1607, kUnitModulus);
    helper.DialogLimitItemText(kTag, static_cast<int>(kNozzleTagLength));
    Nozzle fresh;
    (item != nullptr ? *item : static_cast<DataItem&>(fresh)).FillDialog(dialog);
    helper.DialogEnableItem(kDisplacementsButton, item != nullptr);
    helper.DialogSelectAndFocus(kNozzleOd);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kNozzleOd, kNozzleThk, kVesselOd, kVesselThk, kL1, kL2, kModulus, 1308, 1309, 1310, kTag},
                     {kFlatButton, kPadBox, kSphereButton, kCylinderButton});
  }

  void Read() override {
    const Nozzle* stored = static_cast<const Nozzle*>(RowItemOfType(row, DataType::Nozzle));
    held = std::make_unique<Nozzle>();
    Nozzle& values = *held;
    const Vessel vessel = CheckedVessel(helper);
    values.spherical = vessel == Vessel::Sphere ? 1 : 0;
    values.flatBottom = vessel == Vessel::Flat ? 1 : 0;
    values.reinforcingPad = vessel == Vessel::Flat && helper.DialogIsChecked(kPadBox) ? 1 : 0;
    ReadRequired(helper, kNozzleOd, "Nozzle OD", ParseFieldDimension, values.nozzleOd);
    ReadRequired(helper, kNozzleThk, "Nozzle Thk", ParseFieldDimension, values.nozzleThickness);
    ReadRequired(helper, kVesselOd, vessel == Vessel::Sphere ? "Vessel R" : "Vessel OD", ParseFieldDimension,
                 values.vesselOd);
    ReadRequired(helper, kVesselThk, "Vessel Thk", ParseFieldDimension, values.vesselThickness);
    if (vessel != Vessel::Sphere) ReadRequired(helper, kL1, vessel == Vessel::Flat ? "L" : "L1", ParseFieldLength, values.l1);
    // A tank's dialog never shows L2: whatever the row held stays.
    if (vessel == Vessel::Cylinder) ReadRequired(helper, kL2, "L2", ParseFieldLength, values.l2);
    else if (vessel == Vessel::Flat && stored != nullptr) values.l2 = stored->l2;
    ReadRequired(helper, kModulus, "Elastic modulus", ParseFieldModulus, values.elasticModulus);
    if (vessel != Vessel::Sphere)
      CheckDirectionInput(helper, kFirstAxis, values.vesselAxis[0], values.vesselAxis[1], values.vesselAxis[2]);
    helper.DialogReadFieldTrimmed(kTag);
    if (g_EditFieldText.size() > kNozzleTagLength) ThrowFieldError("Nozzle Tag", "is too long");
    values.tag = g_EditFieldText;
    const NozzleFault fault = CheckNozzleGeometry(values);
    if (!fault.message.empty()) helper.DialogThrowItemError(fault.item, fault.message);
    const std::string note = NozzleGeometryNote(values);
    if (!note.empty()) ShowInfoMessage(dialog, note);
  }

  bool Differs(const DataItem& item) const override {
    const auto& n = static_cast<const Nozzle&>(item);
    const Nozzle& values = *held;
    return n.tag != values.tag || n.flatBottom != values.flatBottom || n.reinforcingPad != values.reinforcingPad ||
           n.nozzleOd != values.nozzleOd || n.nozzleThickness != values.nozzleThickness ||
           n.vesselOd != values.vesselOd || n.vesselThickness != values.vesselThickness || n.l1 != values.l1 ||
           n.l2 != values.l2 || n.elasticModulus != values.elasticModulus || n.vesselAxis != values.vesselAxis ||
           n.spherical != values.spherical;
  }

  void Store(DataItem& item) override {
    auto& n = static_cast<Nozzle&>(item);
    const Nozzle& values = *held;
    n.tag = values.tag;
    n.flatBottom = values.flatBottom;
    n.reinforcingPad = values.reinforcingPad;
    n.nozzleOd = values.nozzleOd;
    n.nozzleThickness = values.nozzleThickness;
    n.vesselOd = values.vesselOd;
    n.vesselThickness = values.vesselThickness;
    n.l1 = values.l1;
    n.l2 = values.l2;
    n.elasticModulus = values.elasticModulus;
    n.vesselAxis = values.vesselAxis;
    n.spherical = values.spherical;
    ComputeNozzleStiffness(n);
  }

  bool Command(int id, int code) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kCylinderButton: ShowVessel(helper, Vessel::Cylinder); return true;
      case kSphereButton: ShowVessel(helper, Vessel::Sphere); return true;
      case kFlatButton: ShowVessel(helper, Vessel::Flat); return true;
      case kDisplacementsButton: OnDisplacements(); return true;
      default: return false;
    }
  }

 private:
  void OnDisplacements() {
    if (RowItemOfType(row, DataType::Nozzle) == nullptr) return;
    g_SpecDisplStored = 0;
    const INT_PTR result = DialogBoxParam(InstanceHandle, SpecDisplDialogTemplate().c_str(), dialog,
                                          SpecDisplDialogProc, static_cast<LPARAM>(row));
    if (g_SpecDisplStored != 0) changedByOtherDialog = true;
    if (result == 1) helper.DialogFocusItem(IDOK);
  }

  std::unique_ptr<Nozzle> held = std::make_unique<Nozzle>();
};

NozzleFault Fault(int item, std::string message) { return {item, std::move(message)}; }
NozzleFault Invalid(int item, const char* label, const char* text) {
  return {item, FormatFieldError(label, ValueText(text), "is invalid")};
}

}  // namespace

NozzleFault CheckNozzleGeometry(const Nozzle& n) {
  const bool sphere = n.spherical != 0, flat = !sphere && n.flatBottom != 0;
  if (!(n.nozzleOd >= 0.001f)) return Invalid(kNozzleOd, "Nozzle OD", FormatDimension(n.nozzleOd));
  if (!(n.nozzleThickness >= 0.0001f)) return Invalid(kNozzleThk, "Nozzle Thk", FormatDimension(n.nozzleThickness));
  if (n.nozzleThickness > n.nozzleOd / 2.0f) return Fault(kNozzleThk, "Thickness is greater than radius");
  if (!(n.vesselOd >= 0.001f)) return Invalid(kVesselOd, sphere ? "Vessel R" : "Vessel OD", FormatDimension(n.vesselOd));
  if (!(n.vesselThickness >= 0.0001f)) return Invalid(kVesselThk, "Vessel Thk", FormatDimension(n.vesselThickness));
  if (n.vesselThickness > n.vesselOd / 2.0f) return Fault(kVesselThk, "Thickness is greater than radius");
  if (n.vesselOd < n.nozzleOd) return Fault(kNozzleOd, "Nozzle OD > Vessel OD");
  if (flat) {
    const float ratio = n.nozzleOd / n.vesselOd;
    if (ratio < 0.0049f) return Fault(kNozzleOd, "Nozzle OD/Vessel OD < 0.005");
    if (ratio > 0.041f) return Fault(kNozzleOd, "Nozzle OD/Vessel OD > 0.04");
  }
  if (!sphere) {
    if (!(n.l1 >= 0.001f)) return Invalid(kL1, flat ? "L" : "L1", FormatLength(n.l1));
    if (flat) {
      const float ratio = n.l1 / n.nozzleOd;
      if (ratio < 0.99f) return Fault(kL1, "L/Nozzle OD < 1.0");
      if (ratio > 1.51f) return Fault(kL1, "L/Nozzle OD > 1.5");
    } else if (!(n.l2 >= 0.001f)) {
      return Invalid(kL2, "L2", FormatLength(n.l2));
    }
  }
  // The springs scale with the modulus: 0 or less would leave the pipe free.
  if (!(n.elasticModulus > 0.0f)) return Fault(kModulus, "Elastic modulus of vessel material must be greater than 0");
  if (!sphere && n.vesselAxis[0] == 0.0f && n.vesselAxis[1] == 0.0f && n.vesselAxis[2] == 0.0f)
    return Fault(kFirstAxis, "Direction is invalid");
  return {};
}

std::string NozzleGeometryNote(const Nozzle& n) {
  if (n.spherical != 0) {
    const double ratio = (n.nozzleOd / 2.0) / n.vesselOd;
    if (ratio > 0.33)
      return CFormat("Nozzle Radius / Vessel Radius = %f \n", ratio) + "As per PD-5500, it should be less than or equal to 0.33";
    return {};
  }
  if (n.flatBottom != 0) return {};
  const double ratio = static_cast<double>(n.nozzleThickness) / n.vesselThickness;
  if (ratio >= 1.0) return {};
  return CFormat("Nozzle Thickness (t) / Vessel Thickness (T) = %f \n", ratio) +
         "Note: The Local Vessel Stiffnesses as per WRC Bulletin 297 are valid \n" +
         "when t/T ratio is greater than or approximately equal to 1.0";
}

void Nozzle::FillDialog(HWND dialog) {
  DialogHelper helper;
  helper.DialogBind(dialog);
  ShowVessel(helper, VesselOf(*this));
  helper.DialogSetCheck(kPadBox, reinforcingPad != 0);
  helper.DialogSetItemText(kNozzleOd, NonZero(nozzleOd, FormatDimension));
  helper.DialogSetItemText(kNozzleThk, NonZero(nozzleThickness, FormatDimension));
  helper.DialogSetItemText(kVesselOd, NonZero(vesselOd, FormatDimension));
  helper.DialogSetItemText(kVesselThk, NonZero(vesselThickness, FormatDimension));
  helper.DialogSetItemText(kL1, NonZero(l1, FormatLength));
  helper.DialogSetItemText(kL2, NonZero(l2, FormatLength));
  helper.DialogSetItemText(kModulus, NonZero(elasticModulus, FormatModulus));
  for (int i = 0; i < 3; ++i) {
    const float c = vesselAxis[static_cast<std::size_t>(i)];
    helper.DialogSetItemText(kFirstAxis + i, c == 0.0f ? "" : FormatFixedWidth(c, 8, 3));
  }
  helper.DialogSetItemText(kTag, tag);
}

INT_PTR NozzleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static NozzleDialog kind;
  return KindDialogMessage(kind, dialog, message, wParam, lParam);
}
