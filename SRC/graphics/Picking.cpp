// Picking a row with the mouse, at the last click point: data items, then
// elements, get their pick-and-edit operation (a kind hit-tests its drawn
// shape and asks for its dialog); then pipes by their outline and bends by
// the outline of the pipe that runs into their arc. What is hit becomes the
// current Layout row and is highlighted, on the GUI thread, which owns the
// model and the Layout window.
#include "elements/Bend.h"
#include "elements/PipeData.h"
#include "graphics/GraphicsWindow.h"
#include "model/Drawing2D.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "services/Settings.h"
#include "services/ViewRequests.h"
#include "supports/SupportSymbols.h"

namespace {

// Set while the kinds' pick-and-edit operations are asked.
class Picking {
 public:
  Picking() { SetGraphicsPickInProgress(true); }
  ~Picking() { SetGraphicsPickInProgress(false); }
  Picking(const Picking&) = delete;
  Picking& operator=(const Picking&) = delete;
};

// The last click point in view units.
void ClickInView(float& x, float& y) {
  const POINT point = GraphicsPickPoint();
  x = point.x / GraphicsScale + ViewWindow.left;
  y = (ViewHeightPx - point.y) / GraphicsScale + ViewWindow.bottom;
}

// The first pipe (or cut pipe) whose outline holds the point, or bend
// whose lead-in outline does (with `wholeBends`, the bend's own shape as
// well); 0 for none.
int PipeAt(Model& model, float x, float y, bool cutPipes, bool wholeBends) {
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (!row.drawn || row.endNode == 0) continue;
    const bool kind = row.elementType == ElementType::Pipe || (cutPipes && row.elementType == ElementType::CutPipe);
    const auto* pipe = dynamic_cast<const PipeData*>(row.element.get());
    if (kind && pipe != nullptr && pipe->ElementOutlineContains(x, y)) return number;
    const auto* bend = dynamic_cast<const Bend*>(row.element.get());
    if (bend == nullptr) continue;
    if (bend->LeadInContains(x, y, g_RenderedMode) || (wholeBends && BendHitTest(*bend, x, y, g_RenderedMode)))
      return number;
  }
  return 0;
}

// The first shown support whose symbol holds the point; 0 for none.
int SupportAt(Model& model, float x, float y) {
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.drawn && RowDataItemInView(model, number) && SupportSymbolHit(model, row, x, y)) return number;
  }
  return 0;
}

}  // namespace

void PickAtClick() {
  if (ProgramPreferences().disableGraphicEditing != 0) return;
  Model& model = TheModel();
  float x = 0.0f, y = 0.0f;
  ClickInView(x, y);
  g_PickFlag = true;
  const Picking picking;
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.drawn && RowDataItemInView(model, number) && row.item->EditDialog(number, x, y)) return;
  }
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.drawn && RowElementInView(model, number) && row.element->EditDialog(number, x, y)) return;
  }
  if (const int number = PipeAt(model, x, y, false, false); number != 0) {
    PostGuiRequest(GuiRequest::PickRowElement, static_cast<WPARAM>(number));
    return;
  }
  g_PickFlag = false;
}

bool PickRowAtClick() {
  Model& model = TheModel();
  float x = 0.0f, y = 0.0f;
  ClickInView(x, y);
  g_PickFlag = true;
  if (const int number = SupportAt(model, x, y); number != 0) {
    PostGuiRequest(GuiRequest::PickRowDataItem, static_cast<WPARAM>(number));
    return true;
  }
  if (const int number = PipeAt(model, x, y, true, true); number != 0) {
    PostGuiRequest(GuiRequest::PickRowElement, static_cast<WPARAM>(number));
    return true;
  }
  g_PickFlag = false;
  return false;
}
