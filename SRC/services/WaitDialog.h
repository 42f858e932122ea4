// The wait dialogs: modal notices without an owner window that hold the
// program until the user presses their button. WAIT_DIALOG has one button
// "Wait" and no text; WAIT_MESSAGE_DIALOG shows a text and "OK". Both stand
// centred at the bottom of the desktop work area, 2 pixels above its edge,
// so that they hide as little of the program's windows as possible; any
// command ends them, and the window that had the keyboard focus gets it back.
//
// They stop the program where they are called, so they suit the places
// where a developer or a long preparation wants the user to look first; they
// are no busy indicator (see the analysis progress window for that). They
// belong to the GUI thread.
#pragma once

#include <string>

// WAIT_DIALOG when the text is empty, otherwise WAIT_MESSAGE_DIALOG with it.
void WaitDialog(const std::string& text = std::string());
// The number in decimal.
void WaitDialogNumber(int value);
// The address in hexadecimal.
void WaitDialogPointer(const void* pointer);
// "<name> = <value>".
void WaitDialogValue(const std::string& name, int value);
