// The graphics thread: its own message loop, the Graphics frame
// ("QuorvelGraphics") with its painting window, and the doors through which
// the rest of the program reaches the picture.
//
// Threads and the model. The GUI thread owns the model and changes it; the
// graphics thread never reads it. It draws from a copy of the model that the
// GUI thread hands over whenever it asks for a new picture
// (RequestGraphicsRedraw makes the copy, then posts the redraw command 436),
// so nothing is drawn while the model changes and an edit never waits for a
// paint. On the graphics thread TheModel() is that copy (the drawn model):
// the element kinds' drawing code reads it as it would read the model, and
// whatever it stores there (screen positions, outlines, bounds) never
// reaches the user's model. The copy is taken up by the first command that
// needs it (a redraw, a highlight, a fit) and projected at once.
//
// Doors: RequestGraphicsRedraw (any thread), StopPainting (any thread:
// sets an atomic abort flag that every drawing loop polls and waits, on a
// condition, until the paint in progress has ended; no thread is ever
// suspended), the highlight entry points (Highlight.h; from another thread
// they are sent to the painting window), ShowGraphicsWindow and
// HideGraphicsWindow. What the graphics thread needs done on the GUI
// thread (make a picked row current, undo, switch windows) it posts to a
// hidden window of the GUI thread made at start-up.
//
// Start reading at StartGraphicsThread; the windows are in
// GraphicsWindow.cpp (frame and commands) and Painting.cpp (painting).
#pragma once

#include <functional>

#include "platform/Types.h"

struct GraphicsSettings;
struct Model;

// Starts the thread and returns once its window exists; throws "Unable to
// start graphics thread" otherwise.
void StartGraphicsThread();
// Sends WM_DESTROY to the graphics window when it still exists, then waits
// for the thread to end. Nothing happens when the thread is not running.
void EndGraphicsThread();
bool GraphicsThreadRunning();

HWND GraphicsWindowHandle();
HWND PaintingWindowHandle();
DWORD GraphicsThreadId();
bool OnGraphicsThread();
// The point (client coordinates of the graphics window) that its popup menu
// and rubber-band selection record; (0, 0) until one is recorded.
POINT GraphicsPickPoint();
void SetGraphicsPickPoint(POINT point);

// Stops a paint in progress (and waits for its end), then asks the graphics
// thread to draw the model again. From the GUI thread the open model is
// handed over first.
void RequestGraphicsRedraw();
// Interrupts a paint in progress and returns when it has ended; at once when
// none runs (and on the graphics thread itself, whose commands run between
// paints).
void StopPainting();
// Polled by every drawing loop before each item.
bool PaintingAborted();
// Whether a paint (or an OpenGL drawing) runs now.
bool PaintInProgress();

// The graphics frame comes up with the open model in it: the model's view
// (viewpoint and view window; a view window that cannot be shown is fitted
// to the model) fitted to the window and drawn. Hiding stops a paint first.
void ShowGraphicsWindow();
void HideGraphicsWindow();

// Render mode (OpenGL picture) on and off, from any thread.
void SetRenderModeOn();
void SetRenderModeOff();
bool RenderMode();

// The rendered picture coloured by the record (material, section or pipe
// load, by the list the List window shows) with its legend; pipe loads
// grouped by the specific gravity of their contents. From any thread.
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
// Runs `work` later on the GUI thread (at once there): what the graphics
// window's dialogs and commands change in the model that the GUI thread
// owns (show flags, row visibility), so that it outlives the drawn copy.
// Work still waiting when the graphics thread ends is dropped.
void PostGuiWork(std::function<void()> work);

// Draws on the line-mode picture outside a paint, on the graphics thread:
// the painting window's device is the 2D layer's, the whole view the
// drawing limits, and with `inverting` every pixel drawn is inverted (so a
// second drawing restores it). Nothing in render mode or without the window;
// false then.
bool DrawOnGraphicsWindow(bool inverting, const std::function<void()>& drawing);

// True on the graphics thread while a click in the picture is being picked
// (the kinds' EditDialog hit-test then, see RowObjects.h).
bool GraphicsPickInProgress();
// A kind's shape was hit by the pick: on the GUI thread the row becomes the
// current Layout row, the object is highlighted and its edit dialog opens.
void RequestPickedRowEdit(int row, bool dataItem);

// The copy of `model` that the graphics thread draws next (GUI thread).
void HandOverModelForDrawing(const Model& model);
