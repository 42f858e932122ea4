// Message notices written to the standard error stream (see Message.h).
#include "shell/Message.h"

#include <cstdio>

#include "shell/StandIn.h"

STAND_IN("the message dialogs sized to their text");

namespace {

void WriteNotice(const char* kind, const std::string& text) {
  if (text.empty()) return;  // an empty text shows nothing
  std::fprintf(stderr, "Quorvel %s: %s\n", kind, text.c_str());
  std::fflush(stderr);
}

}  // namespace

void ShowInfoMessage(HWND, const std::string& text) { WriteNotice("information", text); }
void ShowWarningMessage(HWND, const std::string& text) { WriteNotice("warning", text); }
void ShowErrorMessage(HWND, const std::string& text) { WriteNotice("error", text); }
void ShowErrorOnForeground(const std::string& text) { WriteNotice("error", text); }
