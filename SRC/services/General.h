// The general routines of the framework: how programming errors end
// (AssertFailed, declared in Assert.h), the beep for refused input, blank
// trimming for the parsers, debug output, the model's name and the window
// titles that carry it, the last-error message box, one-message pumping for
// long loops, property-sheet set-up, whether the model has buried pipe, and
// the small numeric routines the modules share (vector lengths, the angle
// between vectors, rotation about an axis, interpolation in 2D and 3D tables)
// and today's date as text. The wait dialogs are in WaitDialog.h.
//
// AnalysisRunning decides how an assertion ends: while it is set the
// assertion throws the text "Analysis aborted." (std::string) for the
// analysis driver to catch; otherwise the process ends with exit code 1.
//
// Window titles name the open file as the file commands keep it: the file
// name with its extension and its folder in parentheses, "Untitled" for an
// untitled model (CurrentFileTitle).
#pragma once

#include <atomic>
#include <string>

#include "platform/PropertySheet.h"
#include "platform/Types.h"

// Set by the analysis driver for the time of a run.
extern std::atomic<bool> AnalysisRunning;
// Formatted debug output is produced only while this is set.
extern std::atomic<bool> DebugOutputEnabled;

// The text AssertFailed shows (also what it writes before ending).
std::string AssertionMessage(const char* expression, const char* file, int line);

// A tone for refused keystrokes and input errors.
void ErrorBeep();

// Removes every blank and upper-cases the rest, in place (the form the number
// parsers read).
void StripBlanksUpper(char* text /* in/out, zero-terminated */);
void StripBlanksUpper(std::string& text);
// Removes leading and trailing blanks, in place.
void TrimBlanks(char* text /* in/out, zero-terminated */);
void TrimBlanks(std::string& text);
// Appends one blank to the shared edit-field text.
void AppendBlank();

// Debug output goes to the standard error stream.
void DebugOutput(const char* text);
void DebugOutputInt(int value);
// Only while DebugOutputEnabled; a text longer than the 1024-character
// buffer is cut, not an error.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
constexpr int kDebugBufferSize = 1024;

// The last part of a path ('/' and '\\' both separate).
std::string FileNameOf(const std::string& path);

// The open file as window titles show it: "plant.mod (/home/user/models)",
// or "Untitled"; while the titles name the results (TitlesNameResults),
// the results file beside the model: "plant.res (/home/user/models)".
std::string CurrentFileTitle();
void TitlesNameResults(bool results);
// "Quorvel : <name> -  [<CurrentFileTitle>]" as the window's title.
void SetWindowTitle(HWND window, const std::string& name);
// Appends " - [<CurrentFileTitle>]".
void MakeTitleSuffix(std::string& text);
// Appends " (<folder>)", the folder without its trailing separator (a root
// folder keeps it).
void AppendFolderInParens(std::string& text, const std::string& folder);

// The system's text for the calling thread's last error (errno), at most
// 256 characters, in a message box titled "Quorvel" with the error icon.
void ShowLastError(HWND owner);

// Translates and dispatches one waiting message of the calling thread, if
// any, so that a long loop on the GUI thread keeps its windows painted and
// its cancel button working. A quit request it takes stays in the queue for
// the loop that ends on it.
void PumpOneMessage();

// Property sheets: clears `count` page records, each with its size and the
// program instance; fills one page; fills the sheet header (pages given as
// records, no Apply button, the callback used, no icon).
void InitPropertyPages(PROPSHEETPAGE* pages /* output, size count */, int count);
void SetPropertyPage(PROPSHEETPAGE* pages /* in/out */, int index, const char* templateName, DLGPROC procedure,
                     LPARAM parameter);
void InitPropertySheetHeader(PROPSHEETHEADER& header, const PROPSHEETPAGE* pages /* size count */, HWND parent,
                             const char* caption, int count, int startPage, PFNPROPSHEETCALLBACK callback);

void SwapFloats(float& a, float& b);
float Length2(float x, float y);
float Length3(float x, float y, float z);
// Divides the vector by its length unless the length is 0.
void Normalize3(float v[3] /* in/out */);
// The angle in radians between a and b; 0 when either has length 0.
float AngleBetween3(const float a[3], const float b[3]);

// Sets the rotation by `angle` radians (right-hand rule) about the axis
// through `point` along `axis` (the Z axis when `axis` has length 0);
// ApplyAxisRotation then turns points by it, in place.
void SetAxisRotation(const float point[3], const float axis[3], float angle);
void ApplyAxisRotation(float point[3] /* in/out */);

// Bilinear interpolation in a table of nx x ny values, value (i, j) at
// values[j * nx + i]; axes ascending, at least 2 entries each; outside the
// axes the end intervals extend linearly.
float InterpolateTable2D(const float* xs /* size nx */, const float* ys /* size ny */,
                         const float* values /* size nx * ny */, int nx, int ny, float x, float y);
// Trilinear, value (i, j, k) at values[(k * ny + j) * nx + i].
float InterpolateTable3D(const float* xs /* size nx */, const float* ys /* size ny */,
                         const float* zs /* size nz */, const float* values /* size nx*ny*nz */,
                         int nx, int ny, int nz, float x, float y, float z);

// Today's local date as "Dec 6,2026"; empty (after a beep) when the clock
// cannot be read.
std::string FormatTodayDate();
// The same for a given calendar date (month 1..12).
std::string FormatDate(int year, int month, int day);
