// REDUCER_DIALOG on the element kinds' dialog protocol (see
// ReducerDialog.h). The dialog shows the fields of the code's mode
// (Reducer.h) and shrinks to them; a new reducer proposes end 1 from the
// nearest earlier pipe-like row that names a section. OK reads OD1, Thk1,
// OD2, Thk2 (each required, at least 0.0001, a wall at most half its
// diameter), then the cone angle, knuckles and delta of the mode; the
// fields a mode does not show are stored as 0.
#include "elements/ReducerDialog.h"

#include <cfloat>
#include <cmath>

#include "elements/Reducer.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "properties/ListPickers.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kOd1 = 1301, kThk1 = 1302, kOd2 = 1303, kThk2 = 1304, kCone = 1305, kDelta = 1306;
constexpr int kSection1 = 1001, kSection2 = 1002, kKnuckles = 1101;
constexpr int kConeLabel = 1501, kDeltaLabel = 1502;
constexpr int kUnit1 = 1601, kUnit2 = 1602, kConeUnit = 1603, kDeltaUnit = 1604;
constexpr double kDegreesPerRadian = 57.29577951308232;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

int Mode() { return ReducerFieldMode(TheModel().options.PipingCode); }

// The section end 1 of a new reducer starts from.
const PipeSection* ProposedSection(int row) {
  const Model& model = TheModel();
  for (int number = std::min(row - 1, model.rowCount); number >= 2; --number) {
    const LayoutRow& candidate = model.row(number);
    switch (candidate.elementType) {
      case ElementType::From: case ElementType::Pipe: case ElementType::Bend: case ElementType::Miter:
      case ElementType::JacketedPipe: case ElementType::JacketedBend: case ElementType::Valve:
      case ElementType::Reducer: case ElementType::Rigid: {
        const int index = FindSectionByName(model.sections, candidate.section);
        if (index != 0) return &model.sections[index];
        break;
      }
      default: break;
    }
  }
  return nullptr;
}

struct ReducerInput {
  float od1 = 0.0f, thk1 = 0.0f, od2 = 0.0f, thk2 = 0.0f, cone = 0.0f, delta = 0.0f;
  std::uint8_t knuckles = 0;
};

class ReducerDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Reducer"; }
  ElementType Type() const override { return ElementType::Reducer; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    mode_ = Mode();
    for (int item : {kUnit1, kUnit2, kDeltaUnit}) helper.DialogSetUnitLabel(item, kUnitDimension);
    helper.DialogSetUnitLabel(kConeUnit, kUnitAngle);
    for (int item : {kConeLabel, kCone, kConeUnit}) ShowIf(item, mode_ >= 1);
    for (int item : {kKnuckles, kDeltaLabel, kDelta, kDeltaUnit}) ShowIf(item, mode_ == 2);
    if (mode_ == 0) Place(50, 74);
    else if (mode_ == 1) Place(70, 94);
    if (const PipeSection* section = ProposedSection(row)) {
      helper.DialogSetItemText(kOd1, Trimmed(FormatDimension(section->outsideDiameter)));
      helper.DialogSetItemText(kThk1, Trimmed(FormatDimension(section->thickness)));
      helper.DialogSelectAndFocus(kOd2);
    } else {
      helper.DialogSelectAndFocus(kOd1);
    }
    if (element != nullptr) element->FillDialog(dialog);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {kOd1, kThk1, kOd2, kThk2, kCone, kDelta}, {kSection1, kSection2, kKnuckles});
  }

  void Read() override {
    input_ = ReducerInput{};
    input_.od1 = ReadSize(kOd1, "OD1");
    input_.thk1 = ReadSize(kThk1, "Thk1");
    if (input_.thk1 > 0.5f * input_.od1) helper.DialogThrowItemError(kThk1, "Thk1 > 0.5*OD1");
    input_.od2 = ReadSize(kOd2, "OD2");
    input_.thk2 = ReadSize(kThk2, "Thk2");
    if (input_.thk2 > 0.5f * input_.od2) helper.DialogThrowItemError(kThk2, "Thk2 > 0.5*OD2");
    if (mode_ >= 1) {
      helper.DialogGetItemText(kCone);
      float angle = 0.0f;
      if (ParseFieldAngle(angle) != 0 || angle < 0.0f) ThrowInvalidField("Cone angle");
      input_.cone = ConeAngleFromInternal(angle);
      if (!StoredValueAcceptable(input_.cone)) ThrowInvalidField("Cone angle");
    }
    if (mode_ == 2) {
      input_.knuckles = helper.DialogIsChecked(kKnuckles) ? 1 : 0;
      helper.DialogGetItemText(kDelta);
      if (ParseFieldNonNegativeDimension(input_.delta) != 0) ThrowInvalidField("Delta");
    }
  }

  bool Differs(const ElementData& element) const override {
    const auto& r = static_cast<const Reducer&>(element);
    return r.od1 != input_.od1 || r.thk1 != input_.thk1 || r.od2 != input_.od2 || r.thk2 != input_.thk2 ||
           r.coneAngle != input_.cone || r.knuckles != input_.knuckles || r.delta != input_.delta;
  }

  bool Store(ElementData& element) override {
    auto& r = static_cast<Reducer&>(element);
    r.od1 = input_.od1;
    r.thk1 = input_.thk1;
    r.od2 = input_.od2;
    r.thk2 = input_.thk2;
    r.coneAngle = input_.cone;
    r.knuckles = input_.knuckles;
    r.delta = input_.delta;
    RedrawRowElement(TheModel(), row);
    return false;
  }

  bool Command(int id, int code) override {
    if ((id != kSection1 && id != kSection2) || code != BN_CLICKED) return false;
    const Model& model = TheModel();
    if (model.sections.count == 0) return true;
    const int which = id == kSection1 ? 1 : 2;
    const int picked = SelectSection(dialog, model.row(row).section, which);
    if (picked == 0) return true;
    const PipeSection& section = model.sections[picked];
    helper.DialogSetItemText(which == 1 ? kOd1 : kOd2, Trimmed(FormatDimension(section.outsideDiameter)));
    helper.DialogSetItemText(which == 1 ? kThk1 : kThk2, Trimmed(FormatDimension(section.thickness)));
    helper.DialogSelectAndFocus(which == 1 ? kOd1 : kOd2);
    return true;
  }

  int FieldMode() const { return mode_; }

 private:
  void ShowIf(int item, bool shown) {
    if (shown) helper.DialogShowItem(item);
    else helper.DialogHideItem(item);
  }
  // The buttons at `y` and the dialog `height` high (dialog units).
  void Place(int y, int height) {
    helper.DialogPlaceItem(IDOK, 95, y);
    helper.DialogPlaceItem(IDCANCEL, 153, y);
    helper.DialogSizeForClient(210, height);
  }
  float ReadSize(int item, const char* label) {
    helper.DialogGetItemText(item);
    if (g_EditFieldText.empty()) ThrowRequiredField(label);
    float value = 0.0f;
    if (ParseFieldNonNegativeDimension(value) != 0 || value < 0.0001f) ThrowInvalidField(label);
    return value;
  }

  ReducerInput input_;
  int mode_ = 1;
};

ReducerDialog& TheReducerDialog() {
  static ReducerDialog dialog;
  return dialog;
}

}  // namespace

float ConeAngleToInternal(float degrees) { return static_cast<float>(degrees / kDegreesPerRadian); }
float ConeAngleFromInternal(float internal) {
  const double degrees = internal * kDegreesPerRadian;
  return std::fabs(degrees) < FLT_MAX ? static_cast<float>(degrees) : std::copysign(HUGE_VALF, internal);
}

void Reducer::FillDialog(HWND dialog) {
  ReducerDialog& kind = TheReducerDialog();
  DialogHelper& helper = kind.helper;
  helper.DialogBind(dialog);
  helper.DialogSetItemText(kOd1, Trimmed(FormatDimension(od1)));
  helper.DialogSetItemText(kThk1, Trimmed(FormatDimension(thk1)));
  helper.DialogSetItemText(kOd2, Trimmed(FormatDimension(od2)));
  helper.DialogSetItemText(kThk2, Trimmed(FormatDimension(thk2)));
  if (kind.FieldMode() >= 1 && coneAngle != 0.0f)
    helper.DialogSetItemText(kCone, Trimmed(FormatAngle(ConeAngleToInternal(coneAngle))));
  if (kind.FieldMode() == 2) {
    helper.DialogSetCheck(kKnuckles, knuckles != 0);
    if (delta != 0.0f) helper.DialogSetItemText(kDelta, Trimmed(FormatDimension(delta)));
  }
  helper.DialogSelectAndFocus(kOd1);
}

INT_PTR ReducerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheReducerDialog(), dialog, message, wParam, lParam);
}
