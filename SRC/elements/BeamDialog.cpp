// BEAM_DIALOG1 on the element kinds' dialog protocol; see BeamDialog.h.
#include "elements/BeamDialog.h"

#include <array>
#include <cmath>
#include <string>

#include "elements/BeamElement.h"
#include "kindbase/KindDialog.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr int kBeta = 1301, kBetaUnit = 1601, kFirstRelease = 1101, kFirstAxis = 1302;
constexpr float kDegreesPerRadian = 57.29578f;

class BeamDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Beam"; }
  ElementType Type() const override { return ElementType::Beam; }

  void Init(ElementData* element) override {
    SetTitleFromTo();
    helper.DialogSetUnitLabel(kBetaUnit, kUnitAngle);
    float beta = 0.0f;
    if (element != nullptr) {
      element->FillDialog(dialog);
      beta = static_cast<Beam*>(element)->beta;
    }
    ShowAxes(beta);
    helper.DialogSelectAndFocus(kBeta);
  }

  void LockForResults() override {
    helper.DialogSetReadOnly(kBeta);
    for (int i = 0; i < kBeamReleaseCount; ++i) helper.DialogDisableItem(kFirstRelease + i);
    helper.DialogFocusItem(IDOK);
  }

  void Read() override {
    helper.DialogGetItemText(kBeta);
    float radians = 0.0f;
    if (ParseFieldAngle(radians) != 0) ThrowInvalidField("Beta");
    // Held in degrees, which keep the rule of a stored value themselves.
    beta_ = radians * kDegreesPerRadian;
    if (!StoredValueAcceptable(beta_)) ThrowInvalidField("Beta");
    for (int i = 0; i < kBeamReleaseCount; ++i)
      releases_[static_cast<std::size_t>(i)] = helper.DialogIsChecked(kFirstRelease + i) ? 1 : 0;
  }

  bool Differs(const ElementData& element) const override {
    const auto& beam = static_cast<const Beam&>(element);
    return beam.beta != beta_ || beam.releases != releases_;
  }

  bool Store(ElementData& element) override {
    auto& beam = static_cast<Beam&>(element);
    beam.beta = beta_;
    beam.releases = releases_;
    beam.boxesBuilt = false;
    return false;
  }

 private:
  // "Beam from <previous element's node> to <the row's node>".
  void SetTitleFromTo() {
    const Model& model = TheModel();
    const int previous = PreviousElementRow(model, row);
    const NodeId from = previous != 0 ? model.row(previous).node : 0;
    const NodeId to = row >= 1 && row <= model.rowCount + 1 ? model.row(row).node : 0;
    // The node texts share one buffer: each is copied before the next.
    const std::string fromText = NodeNumberText(from);
    const std::string toText = NodeNumberText(to);
    const std::string title = "Beam from " + fromText + " to " + toText;
    SetWindowText(dialog, title.c_str());
  }

  void ShowAxes(float beta) {
    const Model& model = TheModel();
    if (row < 1 || row > model.rowCount) return;
    const LayoutRow& layout = model.row(row);
    if (layout.startNode == 0 || layout.endNode == 0) return;
    const BeamFrame frame =
        BeamLocalFrame(model.nodes, layout.startNode, layout.endNode, beta, model.options.ZVertical != 0);
    const Vec3* axes[3] = {&frame.x, &frame.y, &frame.z};
    for (int a = 0; a < 3; ++a)
      for (int c = 0; c < 3; ++c) {
        // A component that rounds to zero shows as 0.000, never -0.000.
        const float v = (*axes[a])[static_cast<std::size_t>(c)];
        helper.DialogSetItemText(kFirstAxis + 3 * a + c, FormatFixedWidth(std::fabs(v) < 0.0005f ? 0.0 : v, 6, 3));
      }
  }

  float beta_ = 0.0f;
  std::array<std::uint8_t, kBeamReleaseCount> releases_{};
};

BeamDialog& TheBeamDialog() {
  static BeamDialog dialog;
  return dialog;
}

}  // namespace

const char* BeamDialogName() { return "BEAM_DIALOG1"; }

INT_PTR BeamDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheBeamDialog(), dialog, message, wParam, lParam);
}
