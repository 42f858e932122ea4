// A prompt of one text field with OK and Cancel, as the find prompts of the
// tables are (the node and the text looked for). The field opens with the
// answer given last, all of it selected, so that typing replaces it; OK
// reads the field with the blanks around it removed and refuses an empty one
// or one its check turns down with a field message over the dialog, the
// dialog staying open with the field's text selected for the correction;
// an accepted answer ends the prompt with 1, Cancel with 0. Each prompt
// keeps its own answer and places itself over its owner in its own way.
#pragma once

#include <string>

#include "platform/Types.h"

struct FieldPrompt {
  int field = 0;        // the control id of the field
  int fieldLength = 0;  // the characters it takes
  const char* requiredMessage = "";
  std::string (*lastAnswer)() = nullptr;
  void (*place)(HWND dialog) = nullptr;
  // Checks the trimmed text and keeps it when it is right: the message it
  // is refused with, or empty when it was accepted.
  std::string (*accept)(const std::string& text) = nullptr;
};

// The dialog procedure's body for `prompt`.
INT_PTR FieldPromptProc(const FieldPrompt& prompt, HWND dialog, UINT message, WPARAM wParam);
