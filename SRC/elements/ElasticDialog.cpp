// ELASTIC_DIALOG on the element kinds' dialog protocol (see
// ElasticDialog.h). OK reads the six stiffnesses, then the two directions
// (neither may be 0, 0, 0) and checks that they are square within 0.01 of
// the cosine; the directions are stored as entered. After OK the local-axes
// triad shown for the row follows the new axes.
#include "elements/ElasticDialog.h"

#include <array>
#include <cmath>

#include "elements/ElasticAnalysis.h"
#include "elements/ElasticElement.h"
#include "kindbase/KindDialog.h"
#include "model/LcsTriad.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kFirstStiffness = 1301, kFirstX = 1307, kFirstY = 1310;
constexpr int kStiffnessUnit = 1601, kRotationUnit = 1602;
constexpr const char* kLabels[6] = {"kx", "ky", "kz", "kxx", "kyy", "kzz"};
constexpr const char* kComponents[3] = {"X comp", "Y comp", "Z comp"};

struct ElasticInput {
  std::array<float, 6> k{};
  float x[3] = {}, y[3] = {};
};

std::array<float*, 6> Springs(ElasticElement& e) { return {&e.kx, &e.ky, &e.kz, &e.kxx, &e.kyy, &e.kzz}; }

class ElasticDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Elastic element"; }
  ElementType Type() const override { return ElementType::Elastic; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kStiffnessUnit, kUnitStiffness);
    helper.DialogSetUnitLabel(kRotationUnit, kUnitRotStiffness);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kFirstStiffness);
  }

  void LockForResults() override {
    LockDialogInputs(helper, {1301, 1302, 1303, 1304, 1305, 1306, 1307, 1308, 1309, 1310, 1311, 1312}, {});
  }

  void Read() override {
    input_ = ElasticInput{};
    for (int i = 0; i < 6; ++i) {
      helper.DialogGetItemText(kFirstStiffness + i);
      input_.k[static_cast<std::size_t>(i)] = ParseElasticStiffness(i);
    }
    ReadDirection(kFirstX, input_.x);
    ReadDirection(kFirstY, input_.y);
    const double lx = std::sqrt(Dot3(input_.x, input_.x)), ly = std::sqrt(Dot3(input_.y, input_.y));
    if (std::fabs(Dot3(input_.x, input_.y) / (lx * ly)) > 0.01)
      helper.DialogThrowItemError(kFirstX, "x and y axes are not perpendicular");
  }

  bool Differs(const ElementData& element) const override {
    auto& e = const_cast<ElasticElement&>(static_cast<const ElasticElement&>(element));
    const std::array<float*, 6> springs = Springs(e);
    for (int i = 0; i < 6; ++i)
      if (*springs[static_cast<std::size_t>(i)] != input_.k[static_cast<std::size_t>(i)]) return true;
    for (int i = 0; i < 3; ++i)
      if (e.localX[i] != input_.x[i] || e.localY[i] != input_.y[i]) return true;
    return false;
  }

  bool Store(ElementData& element) override {
    auto& e = static_cast<ElasticElement&>(element);
    const std::array<float*, 6> springs = Springs(e);
    for (int i = 0; i < 6; ++i) *springs[static_cast<std::size_t>(i)] = input_.k[static_cast<std::size_t>(i)];
    for (int i = 0; i < 3; ++i) {
      e.localX[i] = input_.x[i];
      e.localY[i] = input_.y[i];
    }
    RedrawRowElement(TheModel(), row);
    ShowNewAxes(e);
    return false;
  }

 private:
  static double Dot3(const float a[3], const float b[3]) {
    return static_cast<double>(a[0]) * b[0] + static_cast<double>(a[1]) * b[1] + static_cast<double>(a[2]) * b[2];
  }
  void ReadDirection(int first, float out[3]) {
    for (int i = 0; i < 3; ++i) {
      helper.DialogGetItemText(first + i);
      if (ParseFieldReal(out[i]) != 0) ThrowInvalidField(kComponents[i]);
    }
    if (out[0] == 0.0f && out[1] == 0.0f && out[2] == 0.0f)
      helper.DialogThrowItemError(first, "0.0, 0.0, 0.0 is not a valid direction");
  }
  // The triad shown at the row's start node is drawn again on the new axes.
  void ShowNewAxes(const ElasticElement& e) {
    LcsTriad& triad = TheLcsTriad();
    const Model& model = TheModel();
    if (!triad.shown || row > model.rowCount || triad.node != model.row(row).startNode) return;
    const ElementAxes axes = ElasticElementAxes(e);
    std::array<std::array<float, 3>, 3> rows{};
    for (int i = 0; i < 3; ++i) {
      rows[0][i] = static_cast<float>(axes.x[i]);
      rows[1][i] = static_cast<float>(axes.y[i]);
      rows[2][i] = static_cast<float>(axes.z[i]);
    }
    EraseLcsTriad(triad);
    StoreLcsFrame(triad, model.row(row).startNode, rows);
    ToggleLcsTriad(triad);
  }

  ElasticInput input_;
};

ElasticDialog& TheElasticDialog() {
  static ElasticDialog dialog;
  return dialog;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ElasticStiffnessText(int i, float value) {
  return Trimmed(i < 3 ? FormatStiffnessOrRigid(value) : FormatRotStiffnessOrRigid(value));
}

float ParseElasticStiffness(int i) {
  float value = 0.0f;
  const int failed = i < 3 ? ParseFieldStiffness(value) : ParseFieldRotStiffness(value);
  if (failed != 0) ThrowInvalidField(kLabels[i]);
  return value;
}

void ElasticElement::FillDialog(HWND dialog) {
  DialogHelper& helper = TheElasticDialog().helper;
  helper.DialogBind(dialog);
  const float springs[6] = {kx, ky, kz, kxx, kyy, kzz};
  for (int i = 0; i < 6; ++i) helper.DialogSetItemText(kFirstStiffness + i, ElasticStiffnessText(i, springs[i]));
  for (int i = 0; i < 3; ++i) {
    helper.DialogSetItemText(kFirstX + i, Trimmed(FormatFixedWidth(localX[i], 10, 4)));
    helper.DialogSetItemText(kFirstY + i, Trimmed(FormatFixedWidth(localY[i], 10, 4)));
  }
  helper.DialogSelectAndFocus(kFirstStiffness);
}

INT_PTR ElasticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheElasticDialog(), dialog, message, wParam, lParam);
}
