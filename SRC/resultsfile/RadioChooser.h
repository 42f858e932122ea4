// The one shape of the choosers of the Results window (the result chooser,
// the load-case choosers, the Other Displacements, Other Forces and Other
// Supports selectors): a template holding hidden radio buttons from id 1401,
// OK and Cancel. The chooser labels and shows the first n radios with the
// names, sets and focuses the current one and centres itself on its owner.
// A radio receiving the focus becomes the choice; a click on a radio ends
// the chooser with it, so one click picks; OK ends with the choice and
// Cancel with 0.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

constexpr int kFirstChooserRadio = 1401;

struct RadioChooserRequest {
  std::string templateName;
  std::string caption;  // empty: the template's own
  std::vector<std::string> names;
  int current = 1;     // 1-based; out of range counts as 1
  // The client area in dialog units to widen to (0: as the template is).
  int clientWidth = 0, clientHeight = 0;
};

// The chosen entry, 1-based; 0 after Cancel or when there are no names.
int RunRadioChooser(HWND owner, const RadioChooserRequest& request);
INT_PTR RadioChooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The OTHERn template of the selectors for n kinds: 2 or fewer "OTHER2_DIALOG",
// 3 "OTHER3_DIALOG", 4 "OTHER4_DIALOG", 5 or 6 "OTHER6_DIALOG", more "OTHER9_DIALOG".
std::string OtherChooserTemplateName(int count);
