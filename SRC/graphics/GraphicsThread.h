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

struct Model;

// Starts the thread and returns once its window exists; throws "Unable to
// start graphics thread" otherwise.
void StartGraphicsThread();
// Sends WM_DESTROY to the graphics window when it still exists, then waits
// for the thread to end. Nothing happens when the thread is not running.
void EndGraphicsThread();
bool GraphicsThreadRunning();

DWORD GraphicsThreadId();
bool OnGraphicsThread();
// Records the point of GraphicsPickPoint (ViewRequests.h).
void SetGraphicsPickPoint(POINT point);

// Runs `work` later on the GUI thread (at once there): what the graphics
// window's dialogs and commands change in the model that the GUI thread
// owns (show flags, row visibility), so that it outlives the drawn copy.
// Work still waiting when the graphics thread ends is dropped.
void PostGuiWork(std::function<void()> work);

// The copy of `model` that the graphics thread draws next (GUI thread).
void HandOverModelForDrawing(const Model& model);
