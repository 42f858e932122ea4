// The general routines of the framework: how programming errors end
// (AssertFailed, declared in Assert.h), the beep for refused input, blank
// trimming for the parsers, debug output, the model's name for titles, and
// the small numeric routines the modules share (vector lengths, the angle
// between vectors, rotation about an axis, interpolation in 2D and 3D tables)
// and today's date as text.
//
// AnalysisRunning decides how an assertion ends: while it is set the
// assertion throws the text "Analysis aborted." (std::string) for the
// analysis driver to catch; otherwise the process ends with exit code 1.
// The wait dialogs, window titles, property-sheet set-up and message pumping
// need windows and come with the main window.
#pragma once

#include <atomic>
#include <string>

#include "shell/Assert.h"

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

// The open model file's name without its folder and extension, or
// "Untitled" for an untitled model.
std::string GetModelName();

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
