// The window procedure of a frame with two toolbars and a menu whose popups
// take their states when they open (the List and Results frames). Such a
// frame makes its small and large toolbars from one button row when it is
// created, keeps its placement when it is destroyed, fits its client to
// every size, answers its toolbar's tooltips and sends its commands, popup
// states, focus and closing to the operations of its own module; the one
// procedure here keeps those frames from drifting apart in the handling
// they share. What a frame handles beyond that (printing) its own procedure
// takes before it hands the rest here.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Toolbar.h"
#include "platform/Types.h"

class Frame;

// The command a frame sends to another to close that one's modeless
// dialogs (its searches, its pickers) when it takes the focus.
constexpr int kCloseDialogsCommand = 301;

// A toolbar of the frame window `window` with control id `id`, the images of
// bitmap resource `strip` (`images` of them, `cell` pixels square) and the
// buttons; null when it could not be made.
HWND CreateFrameToolbar(HWND window, int id, int strip, int cell, const TBBUTTON* buttons, std::size_t count,
                        int images);
// The images of the List and Results frames' strips.
constexpr int kFrameToolbarImages = 43;
// A separator; hidden ones are those of a group its table shows.
TBBUTTON ToolbarSeparator(int command = 0, bool hidden = false);
// Sends kCloseDialogsCommand to the frame's window, when it has one.
void FrameCloseDialogs(Frame& frame);

struct FrameWindowOperations {
  // Makes one of the two toolbars (see CreateFrameToolbar).
  HWND (*createToolbar)(HWND window, int id, int strip, int cell) = nullptr;
  LRESULT (*setFocus)(HWND window) = nullptr;
  LRESULT (*close)() = nullptr;
  std::string (*toolTip)(int command) = nullptr;
  // The states of the menu's popup at `position`, for positions 0 to
  // lastMenuPosition (popups of the system menu are left alone).
  void (*menuPopup)(HMENU popup, int position) = nullptr;
  int lastMenuPosition = 0;
  void (*command)(HWND window, int command) = nullptr;
};

LRESULT FrameWindowProcedure(Frame& frame, const FrameWindowOperations& operations, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam);
