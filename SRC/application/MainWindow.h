// The main window: the small start window shown while no model is open, a
// frame (class and title "Quorvel", menu "MAIN_MENU") with two toolbars
// (small buttons, control id 101, strip 1801 in 16-pixel cells; large
// buttons, id 102, strip 1802 in 32-pixel cells) and no client content.
// From it the user creates or opens a model, opens results, imports, opens a
// recent model, sets the preferences, and reaches help, the tutorials and
// the About box. Closing it tears down the other top-level windows and ends
// the program's loop.
//
// Help has no viewer on this platform: the Help command says so in a
// message. Tutorials and the About links are opened with xdg-open.
#pragma once

#include <string>

#include "platform/Messages.h"
#include "platform/Window.h"

constexpr UINT kFirstRunMessage = WM_USER + 5;  // 1029: open the sample model
constexpr UINT kIgnoredUserMessage = WM_USER + 99;
constexpr int kSmallToolbarId = 101;
constexpr int kLargeToolbarId = 102;

// Registers the main frame, creates it and shows it (start-up step 14).
void RegisterMainWindow();
void ShowMainWindow();
LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void MainCommand(HWND window, int commandId);
// The File popup of the main menu.
HMENU MainFileMenu();
// The tooltip text of a main toolbar button ("???" for an unknown id; empty
// for Open last model with no recent model).
std::string MainToolTipText(int commandId);
