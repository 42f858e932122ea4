// The spectrum library's window: the List frame taken over by a spectrum
// library (menu RESPONSELIB_MENU, accelerators RESPONSELIB_ACCEL, placement of its
// own), its body the spectra list titled "Spectrum Library" with the values
// grid beside it, holding the library's spectra in the model's spectra list
// while the model itself is closed. Opened by File > Open of a *.spe file
// and by File > New's "Spectrum Library"; closed by Close, Exit, the frame's
// close box or another document, each after asking to save changes.
//
// Also the model's use of a library: "&Library..." of the spectra list
// copies a spectrum of the library (read from the library path, or picked
// with the open dialog) into the model through LIBRARY_USE_DIALOG.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Types.h"

// Reads `path` and, when it could be read, leaves the window holding the
// List frame (after its save question), closes the model and opens the
// library in the window; false, with the model and that window untouched,
// when it could not be read or the question was cancelled.
bool OpenSpectrumLibraryFromFile(HWND owner, const std::string& path);
// Closes the model and opens an empty untitled library in the window.
void NewSpectrumLibrary(HWND owner);
bool SpectrumLibraryWindowOpen();
// Asks to save a changed library, then closes the window; false (the window
// kept) on Cancel. True at once when the window is not open.
bool LeaveSpectrumLibraryWindow(HWND owner);
// Closes the window without asking: the List frame gets its own menu, the
// spectra are cleared and the main window comes back.
void CloseSpectrumLibrary();
// "Do you want to save changes to <name> ?" for a changed library, saving
// on Yes (Save As when untitled); the button pressed, 7 (No) when nothing
// changed.
int AskSaveSpectrumLibrary(HWND owner);
// Save and Save As of the window; true when written.
bool SaveSpectrumLibrary(HWND owner);
bool SaveSpectrumLibraryAs(HWND owner);
// The frame's title for the library: its spectra count and file.
void ShowSpectrumLibraryTitle();

// "&Library...": a spectrum of the library placed in the model's spectra
// from the list's `row` (0-based), as a text import places one; true when a
// spectrum was taken.
bool UseLibrarySpectrum(HWND owner, std::size_t row);
