// Message dialogs: information, warning and error notices over an owner
// window. The dialogs sized to their text come with the main window; until
// then each notice is written to the standard error stream, one line per
// line of the message, so nothing the program says is lost.
#pragma once

#include <string>

#include "platform/Types.h"

void ShowInfoMessage(HWND owner, const std::string& text);
void ShowWarningMessage(HWND owner, const std::string& text);
void ShowErrorMessage(HWND owner, const std::string& text);
// The error notice owned by the foreground window.
void ShowErrorOnForeground(const std::string& text);
