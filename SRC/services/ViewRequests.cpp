// The door to the graphics window: each request goes to the registered sink,
// or does nothing while there is none.
#include "services/ViewRequests.h"

#include <atomic>

namespace {

std::atomic<ViewSink*> g_Sink{nullptr};
thread_local bool t_Picking = false;

ViewSink* Sink() { return g_Sink.load(std::memory_order_acquire); }

void Highlight(ViewHighlight kind, int index) {
  if (ViewSink* sink = Sink()) sink->Highlight(static_cast<int>(kind), index);
}

}  // namespace

void SetViewSink(ViewSink* sink) { g_Sink.store(sink, std::memory_order_release); }

HWND GraphicsWindowHandle() {
  ViewSink* sink = Sink();
  return sink != nullptr ? sink->FrameWindow() : nullptr;
}

HWND PaintingWindowHandle() {
  ViewSink* sink = Sink();
  return sink != nullptr ? sink->PaintingWindow() : nullptr;
}

POINT GraphicsPickPoint() {
  ViewSink* sink = Sink();
  return sink != nullptr ? sink->PickPoint() : POINT{0, 0};
}

void RequestGraphicsRedraw() {
  if (ViewSink* sink = Sink()) sink->RequestRedraw();
}

void StopPainting() {
  if (ViewSink* sink = Sink()) sink->StopPainting();
}

namespace {
std::atomic<bool> g_PaintingAborted{false};
}  // namespace

bool PaintingAborted() { return g_PaintingAborted.load(std::memory_order_relaxed); }
void SetPaintingAborted(bool aborted) { g_PaintingAborted.store(aborted); }

bool PaintInProgress() {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->PaintInProgress();
}

void ShowGraphicsWindow() {
  if (ViewSink* sink = Sink()) sink->ShowWindow();
}

void HideGraphicsWindow() {
  if (ViewSink* sink = Sink()) sink->HideWindow();
}

void SetRenderModeOn() {
  if (ViewSink* sink = Sink()) sink->SetRenderMode(true);
}

void SetRenderModeOff() {
  if (ViewSink* sink = Sink()) sink->SetRenderMode(false);
}

bool RenderMode() {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->RenderMode();
}

void SetColourByProperty(bool on, bool bySpecificGravity) {
  if (ViewSink* sink = Sink()) sink->SetColourByProperty(on, bySpecificGravity);
}

bool ColourByProperty() {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->ColourByProperty();
}

bool ColourBySpecificGravity() {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->ColourBySpecificGravity();
}

void StoreGraphicsView(GraphicsSettings& settings) {
  if (ViewSink* sink = Sink()) sink->StoreView(settings);
}

void RunOnGraphicsThread(const std::function<void()>& work) {
  if (ViewSink* sink = Sink()) sink->RunOnGraphicsThread(work);
}

bool DrawOnGraphicsWindow(bool inverting, const std::function<void()>& drawing) {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->DrawOnWindow(inverting, drawing);
}

bool GraphicsPickInProgress() { return t_Picking; }
void SetGraphicsPickInProgress(bool picking) { t_Picking = picking; }

void RequestPickedRowEdit(int row, bool dataItem) {
  if (ViewSink* sink = Sink()) sink->RequestPickedRowEdit(row, dataItem);
}

bool GraphicsPreviousViewExists() {
  ViewSink* sink = Sink();
  return sink != nullptr && sink->PreviousViewExists();
}

int ViewpointDialog(HWND owner) {
  ViewSink* sink = Sink();
  return sink != nullptr ? sink->ViewpointDialog(owner) : 0;
}

void HighlightNode(int nodeIndex) { Highlight(ViewHighlight::Node, nodeIndex); }
void HighlightElementRow(int row) { Highlight(ViewHighlight::ElementRow, row); }
void HighlightRowDataItem(int row) { Highlight(ViewHighlight::DataItem, row); }
void HighlightMaterial(int record) { Highlight(ViewHighlight::Material, record); }
void HighlightSection(int record) { Highlight(ViewHighlight::Section, record); }
void HighlightLoad(int record) { Highlight(ViewHighlight::Load, record); }
void HighlightBeamMaterial(int record) { Highlight(ViewHighlight::BeamMaterial, record); }
void HighlightBeamSection(int record) { Highlight(ViewHighlight::BeamSection, record); }
void HighlightBeamLoad(int record) { Highlight(ViewHighlight::BeamLoad, record); }

void ShowHighlight() {
  if (ViewSink* sink = Sink()) sink->ShowHighlight();
}

void HideHighlight() {
  if (ViewSink* sink = Sink()) sink->HideHighlight();
}
