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

#include "platform/Types.h"

// The entry: returns the exit code of the process: the quit message's (0
// after a normal close, 1 when a message no one could answer ended the run),
// or 1 after an error that no command caught. With no display (DISPLAY not
// set) and no QUORVEL_DISPLAY=headless, a run that is not a batch file says
// so on standard error and returns 1 at once, before anything starts: it
// would have nothing to show its windows on and never end.
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
