// What the whole program shares about the running process: its instance,
// the GUI thread, the program folder and title, the window and accelerator
// that the message loop applies, the command line, the screen, and the
// cursors, icons, accelerator tables and default window rectangles that
// the start-up (application/Application.h) loads once for every window.
// Set during the start-up, read everywhere.
#pragma once

#include <string>

#include "platform/Types.h"

constexpr const char* kVersionText = "9.00";

inline HINSTANCE InstanceHandle = nullptr;
inline DWORD GuiThreadId = 0;
inline std::string ProgramFolder;  // ends with '/'
inline std::string HelpFilePath;
inline std::string ProgramTitle = "Quorvel";
// The top-level window whose accelerator table the loop applies, and that
// table; each frame sets both when it gets the focus.
inline HWND ActiveWindow = nullptr;
inline HACCEL ActiveAccelerators = nullptr;

// The command line as given (its case kept: it is a path), its lower-cased
// copy for the extension tests, and whether that copy holds ".mbf".
inline std::string StartupFileName;
inline std::string StartupFileNameLower;
inline bool StartupIsBatchFile = false;

struct ScreenMetrics {
  int bitsPerPixel = 0;
  int workWidth = 0;
  int workHeight = 0;
  int vScrollWidth = 0;
  int hScrollHeight = 0;
};
inline ScreenMetrics Screen;

inline HCURSOR IBeamCursor = nullptr, CrossCursor = nullptr, WaitCursor = nullptr, HandCursor = nullptr;
inline HICON ProgramIcon = nullptr, InformationIcon = nullptr, QuestionIcon = nullptr, WarningIcon = nullptr,
             ErrorIcon = nullptr;
inline HBITMAP LogoBitmap = nullptr;
inline HACCEL MainAccelerators = nullptr, LayoutAccelerators = nullptr, ListAccelerators = nullptr,
              GraphicsAccelerators = nullptr, ResultsAccelerators = nullptr;

// Default rectangles of the library windows (80 x 15 characters) and of the
// spectrum library and evaluation tools (50 x 15), centred in the work area.
inline RECT LibraryWindowRect{0, 0, 0, 0};
inline RECT ToolWindowRect{0, 0, 0, 0};
