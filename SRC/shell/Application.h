// The spine of the process: the entry (WinMain, called from main), the fixed
// start-up sequence that creates every program-wide resource and window
// class and opens the file named on the command line, the GUI thread's one
// message loop with its accelerators, the last-chance error handling, and
// the shutdown that stores the last changed settings and leaves the
// first-run marker.
//
// Start reading at WinMain. The start-up is InitApplication's 17 steps in
// their fixed order, the shutdown ExitApplication's 7; each step is noted in
// ApplicationStepLog so that the order can be checked.
//
// Processor faults: floating-point traps stay masked (a division by zero
// gives infinity or NaN, which the program's checks catch); SIGSEGV, SIGBUS
// and SIGFPE are reported on standard error with the program's fault text
// ("Access violation" ... a line break and "at location  0x%08x") and end the
// process with exit code 1; the handler only writes and exits, as nothing
// else is safe in it. What protects the user's work is the automatic save
// (files/AutoSave.h): the start after a fault offers the last one, so a fault
// loses at most one interval of edits. Allocation failure shows
// "*** Out of memory ***" and ends the process with exit code 1.
//
// The program folder is the executable's; what the program writes per user
// (the registry file, the first-run marker "Quorvel.ini") lives in
// $XDG_CONFIG_HOME/quorvel/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Menu.h"
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

// The entry: returns the exit code of the process: the quit message's (0
// after a normal close, 1 when a message no one could answer ended the run),
// or 1 after an error that no command caught.
int WinMain(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);

// The start-up sequence. The first-run sample model is asked for only when
// the command line names no file: a file the user named always wins.
void InitApplication(const std::string& commandLine);
void ExitApplication();
// The GUI thread's loop; returns the quit message's code.
int RunMessageLoop();

// The start-up steps that stand on their own.
void SetHelpFilePath();
// The start-up switches, then the number-text switches (INCREASE_DIGITS,
// MPREC).
void ReadEnvironmentSwitches();
void SetStartupFileName(const std::string& commandLine);
void ReadScreenMetrics();
void LoadAcceleratorTables();
void LoadCursors();
void LoadIcons();
void SetDefaultWindowRects(int characterWidth, int rowHeight);
void RegisterWindowClasses();
void DestroyAcceleratorTables();

// The last-chance handlers: the message box of an exception that no command
// caught (a message text under "Quorvel: Error", a standard exception's own
// text or "Unhandled exception" under "Quorvel"), then the save question
// when the model is modified. With no display the text goes to the standard
// error stream and nothing is asked (the automatic save is kept).
void ReportUncaughtMessage(const std::string& text);
void ReportUncaughtException(const std::exception& error);
void ReportUnknownException();

// The fault text of a signal: the name by the signal and its code, a line
// break and "at location  0x%08x" with the faulting address.
std::string FaultText(int signalNumber, int code, std::uintptr_t address);
void InstallFaultHandlers();

// "$XDG_CONFIG_HOME/quorvel/Quorvel.ini" (else ~/.config/quorvel/...).
std::string FirstRunMarkerPath();

// The steps run so far, in order ("start: ..." and "exit: ..." entries).
std::vector<std::string>& ApplicationStepLog();
