// CUTPIPE_DIALOG (see CutPipeDialog.h), and the cut pipe's own picture and
// pick over the pipe's. OK reads the cut (required, not negative, not 0)
// and stores it negated when "Cut Long" is chosen.
#include "elements/CutPipeDialog.h"

#include "elements/CutPipe.h"
#include "kindbase/KindDialog.h"
#include "model/Drawing2D.h"
#include "model/DrawingColours.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kShort = 1401, kLong = 1402, kCut = 1301, kCutUnit = 1601;

std::string Trimmed(const char* text) {
  std::string result = text;
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return result.substr(first, result.find_last_not_of(' ') - first + 1);
}

class CutPipeDialog : public ElementKindDialog {
 public:
  const char* KindName() const override { return "Cut pipe"; }
  ElementType Type() const override { return ElementType::CutPipe; }
  bool TitleFromTo() const override { return true; }

  void Init(ElementData* element) override {
    helper.DialogSetUnitLabel(kCutUnit, kUnitDimension);
    helper.DialogCheckRadio(kShort, kLong, kShort);
    if (element != nullptr) element->FillDialog(dialog);
    helper.DialogSelectAndFocus(kCut);
  }
  void LockForResults() override { LockDialogInputs(helper, {kCut}, {kShort, kLong}); }
  void Read() override {
    helper.DialogGetItemText(kCut);
    if (g_EditFieldText.empty()) ThrowRequiredField("Cut");
    float value = 0.0f;
    if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Cut");
    if (value == 0.0f) throw std::string("Cut should be non zero");
    cut_ = helper.DialogIsChecked(kLong) ? -value : value;
  }
  bool Differs(const ElementData& element) const override { return static_cast<const CutPipe&>(element).cut != cut_; }
  bool Store(ElementData& element) override {
    static_cast<CutPipe&>(element).cut = cut_;
    RedrawRowElement(TheModel(), row);
    return false;
  }

 private:
  float cut_ = 0.0f;
};

CutPipeDialog& TheCutPipeDialog() {
  static CutPipeDialog dialog;
  return dialog;
}

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

}  // namespace

void CutPipe::FillDialog(HWND dialog) {
  DialogHelper& helper = TheCutPipeDialog().helper;
  helper.DialogBind(dialog);
  if (cut != 0.0f) helper.DialogSetItemText(kCut, Trimmed(FormatDimension(cut < 0.0f ? -cut : cut)));
  helper.DialogCheckRadio(kShort, kLong, cut < 0.0f ? kLong : kShort);
  helper.DialogSelectAndFocus(kCut);
}

INT_PTR CutPipeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ElementKindDialogMessage(TheCutPipeDialog(), dialog, message, wParam, lParam);
}

// The pipe's line with two short slashes across its middle, as a break in
// the line is drawn.
void CutPipe::Draw2D(LayoutRow& row) {
  PipeData::Draw2D(row);
  const NodeTable& nodes = TheModel().nodes;
  const int a = row.runStart != 0 ? row.runStart : row.startNode;
  const int b = row.runEnd != 0 ? row.runEnd : row.endNode;
  if (!ValidNode(nodes, a) || !ValidNode(nodes, b)) return;
  SpanFrame2 span;
  SpanFrame2FromNodes(span, a, b);
  if (span.length <= 4.0f * Size4Px) return;
  const float half = 0.5f, gap = Size4Px / span.length / 2.0f;
  SelectPen2(CurrentDrawingStyle().elementPen);
  for (float at : {half - gap, half + gap}) {
    float x1 = at - gap, y1 = -Size6Px, x2 = at + gap, y2 = Size6Px;
    SpanFrame2Map(span, x1, y1);
    SpanFrame2Map(span, x2, y2);
    DrawLine2(x1, y1, x2, y2);
  }
}

bool CutPipe::EditDialog(int rowNumber, float x, float y) {
  if (!GraphicsPickInProgress()) return ElementData::EditDialog(rowNumber, x, y);
  if (!ElementOutlineContains(x, y)) return false;
  RequestPickedRowEdit(rowNumber, false);
  return true;
}
