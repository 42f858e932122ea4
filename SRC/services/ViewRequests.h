// What the rest of the program asks of the graphics window: draw the model
// again, stop a paint, show or hide the window, switch the rendered picture,
// mark an item (the highlight) and run work on the graphics thread.
//
// The graphics window stands on the top floor of the program, above the
// tables, dialogs and kinds that ask these things of it; they reach it only
// through this door. The graphics window registers its ViewSink when its
// thread starts. Until then there is no picture to change: requests do
// nothing and queries answer as for a hidden window (no paint, line mode,
// no previous view).
//
// Every request may be made from any thread; the sink sends what must run
// on the graphics thread there (see graphics/GraphicsThread.h).
#pragma once

#include <functional>

#include "platform/Types.h"

struct GraphicsSettings;

class ViewSink {
 public:
  virtual ~ViewSink() = default;

  virtual HWND FrameWindow() = 0;
  virtual HWND PaintingWindow() = 0;
  virtual POINT PickPoint() = 0;
  virtual void RequestRedraw() = 0;
  virtual void StopPainting() = 0;
  virtual bool PaintInProgress() = 0;
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  virtual void SetRenderMode(bool on) = 0;
  virtual bool RenderMode() = 0;
  virtual void SetColourByProperty(bool on, bool bySpecificGravity) = 0;
  virtual bool ColourByProperty() = 0;
  virtual bool ColourBySpecificGravity() = 0;
  virtual void StoreView(GraphicsSettings& settings) = 0;
  virtual void RunOnGraphicsThread(const std::function<void()>& work) = 0;
  virtual bool DrawOnWindow(bool inverting, const std::function<void()>& drawing) = 0;
  virtual void RequestPickedRowEdit(int row, bool dataItem) = 0;
  virtual bool PreviousViewExists() = 0;
  virtual int ViewpointDialog(HWND owner) = 0;

  // The highlight (kind is a ViewHighlight; index a node index, a row or a
  // record number).
  virtual void Highlight(int kind, int index) = 0;
  virtual void ShowHighlight() = 0;
  virtual void HideHighlight() = 0;
};

// The graphics window's sink; it stays registered for the life of the
// process (the window's state outlives its thread).
void SetViewSink(ViewSink* sink);

// What the highlight entry points mark (the values are the highlight's own
// item kinds, graphics/Highlight.h).
enum class ViewHighlight : int {
  Node = 1,
  ElementRow = 2,
  DataItem = 3,
  Material = 5,
  Section = 6,
  Load = 7,
  BeamMaterial = 12,
  BeamSection = 13,
  BeamLoad = 14,
};

HWND GraphicsWindowHandle();
HWND PaintingWindowHandle();
// The point (client coordinates of the graphics window) that its popup menu
// and rubber-band selection record; (0, 0) until one is recorded.
POINT GraphicsPickPoint();

// Stops a paint in progress (and waits for its end), then asks the graphics
// thread to draw the model again. From the GUI thread the open model is
// handed over first.
void RequestGraphicsRedraw();
// Interrupts a paint in progress and returns when it has ended; at once when
// none runs (and on the graphics thread itself, whose commands run between
// paints).
void StopPainting();
// Whether a paint (or an OpenGL drawing) runs now.
bool PaintInProgress();
// Polled by every drawing loop before each item; the graphics thread
// raises it to stop a paint and lowers it once the paint has ended.
bool PaintingAborted();
void SetPaintingAborted(bool aborted);

// The graphics frame comes up with the open model in it, fitted and drawn.
// Hiding stops a paint first.
void ShowGraphicsWindow();
void HideGraphicsWindow();

// Render mode (OpenGL picture) on and off.
void SetRenderModeOn();
void SetRenderModeOff();
bool RenderMode();

// The rendered picture coloured by the record (material, section or pipe
// load, by the list the List window shows) with its legend; pipe loads
// grouped by the specific gravity of their contents.
void SetColourByProperty(bool on, bool bySpecificGravity);
bool ColourByProperty();
bool ColourBySpecificGravity();

// The graphics window's current view (viewpoint, view window and axes
// triad) into a model's settings, before the model is written or replaced;
// nothing while the window is hidden (it shows no model then).
void StoreGraphicsView(GraphicsSettings& settings);

// Runs `work` on the graphics thread and returns when it has run (at once on
// that thread; nothing happens without the graphics window).
void RunOnGraphicsThread(const std::function<void()>& work);

// Draws on the line-mode picture outside a paint, on the graphics thread:
// with `inverting` every pixel drawn is inverted (so a second drawing
// restores it). Nothing in render mode or without the window; false then.
bool DrawOnGraphicsWindow(bool inverting, const std::function<void()>& drawing);

// True on the graphics thread while a click in the picture is being picked
// (the kinds' EditDialog hit-test then, see model/RowObjects.h). The picking
// sets it for the thread it runs on.
bool GraphicsPickInProgress();
void SetGraphicsPickInProgress(bool picking);
// A kind's shape was hit by the pick: on the GUI thread the row becomes the
// current Layout row, the object is highlighted and its edit dialog opens.
void RequestPickedRowEdit(int row, bool dataItem);

// Whether the graphics window has a previous view (F5).
bool GraphicsPreviousViewExists();
// The Viewpoint dialog over `owner`.
int ViewpointDialog(HWND owner);

// The highlight: one item of the picture at a time, blinking (see
// graphics/Highlight.h). Rows without an element, or without a node yet,
// mark nothing; record numbers are 1-based.
void HighlightNode(int nodeIndex);
void HighlightElementRow(int row);
void HighlightRowDataItem(int row);
void HighlightMaterial(int record);
void HighlightSection(int record);
void HighlightLoad(int record);
void HighlightBeamMaterial(int record);
void HighlightBeamSection(int record);
void HighlightBeamLoad(int record);
void ShowHighlight();
void HideHighlight();
