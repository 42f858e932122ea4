// The fixture of the dialog, message box, property sheet and common dialog
// tests: the platform fixture with the controls registered and a resource
// table of test templates (given as text here, parsed by the layer as it
// parses the program's files), plus a recorder of dialog-procedure calls.
#pragma once

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/PlatformTest.h"
#include "platform/ResourceTemplates.h"

// A dialog with one control of each everyday kind, in tab order: two
// labelled edits, a check box, a group of three radios, OK (default),
// Cancel and Help.
inline constexpr char kSampleDialog[] = R"(# a sample
dialog 10 10 200 120
caption "Sample"
style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
control IDC_STATIC STATIC "&Name" 7 9 40 8
control 101 EDIT "" 50 7 100 12 ES_AUTOHSCROLL WS_TABSTOP WS_BORDER
control IDC_STATIC STATIC "&Count" 7 25 40 8
control 102 EDIT "" 50 23 40 12 ES_AUTOHSCROLL WS_TABSTOP WS_BORDER
control 103 BUTTON "&Large" 7 40 80 10 BS_AUTOCHECKBOX WS_TABSTOP
control 104 BUTTON "&One" 7 55 50 10 BS_AUTORADIOBUTTON WS_GROUP WS_TABSTOP
control 105 BUTTON "&Two" 7 67 50 10 BS_AUTORADIOBUTTON
control 106 BUTTON "T&hree" 7 79 50 10 BS_AUTORADIOBUTTON
control IDOK BUTTON "OK" 90 100 50 14 BS_DEFPUSHBUTTON WS_TABSTOP WS_GROUP
control IDCANCEL BUTTON "Cancel" 145 100 50 14 WS_TABSTOP
control IDHELP BUTTON "&Help" 145 80 50 14 WS_TABSTOP
)";

// Mnemonics shared and unique: "P" by two labels, "R" by a check box and a
// radio button; "G" and "A" by one control each. The radio buttons are
// marked by their dialog (as the type pickers' are), so a click shows as
// BN_CLICKED alone.
inline constexpr char kSharedMnemonics[] = R"(dialog 10 10 160 100
caption "Shared"
style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
control IDC_STATIC STATIC "&Pipe" 7 9 40 8
control 101 EDIT "" 50 7 60 12 WS_TABSTOP WS_BORDER
control IDC_STATIC STATIC "&Pressure" 7 25 40 8
control 102 EDIT "" 50 23 60 12 WS_TABSTOP WS_BORDER
control 103 BUTTON "&Rigid" 7 40 60 10 BS_AUTOCHECKBOX WS_TABSTOP
control 104 BUTTON "&Restrained" 7 52 60 10 BS_RADIOBUTTON BS_NOTIFY WS_GROUP WS_TABSTOP
control 105 BUTTON "&Guided" 7 64 60 10 BS_RADIOBUTTON BS_NOTIFY
control 106 BUTTON "&Apply" 7 80 50 14 WS_TABSTOP WS_GROUP
control IDOK BUTTON "OK" 100 80 50 14 BS_DEFPUSHBUTTON WS_TABSTOP
)";

// A page of a property sheet (a child dialog).
inline constexpr char kPageOne[] = R"(dialog 0 0 180 80
caption "First"
style WS_CHILD | WS_CAPTION | DS_CONTROL
control IDC_STATIC STATIC "&Interval" 7 9 40 8
control 1301 EDIT "" 50 7 40 12 WS_TABSTOP WS_BORDER
)";

inline constexpr char kPageTwo[] = R"(dialog 0 0 180 80
caption "Second"
style WS_CHILD | WS_CAPTION | DS_CONTROL
control 1101 BUTTON "&Show" 7 7 80 10 BS_AUTOCHECKBOX WS_TABSTOP
)";

inline const platform::ResourceEntry kTestResources[] = {
    {platform::ResourceType::Dialog, "SAMPLE_DIALOG",
     reinterpret_cast<const unsigned char*>(kSampleDialog), sizeof kSampleDialog - 1},
    {platform::ResourceType::Dialog, "SHARED_DIALOG",
     reinterpret_cast<const unsigned char*>(kSharedMnemonics), sizeof kSharedMnemonics - 1},
    {platform::ResourceType::Dialog, "PAGE_ONE_DIALOG",
     reinterpret_cast<const unsigned char*>(kPageOne), sizeof kPageOne - 1},
    {platform::ResourceType::Dialog, "PAGE_TWO_DIALOG",
     reinterpret_cast<const unsigned char*>(kPageTwo), sizeof kPageTwo - 1},
};

class DialogTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    platform::RegisterResources(kTestResources, std::size(kTestResources));
    InitCommonControls();
  }
  void TearDown() override {
    PlatformTest::TearDown();
    platform::RegisterResources(nullptr, 0);
  }
  // Presses a key with Alt held.
  static void AltKey(UINT key) {
    platform::TestKeyDown(VK_MENU);
    platform::TestKeyPress(key);
    platform::TestKeyUp(VK_MENU);
  }
  static void ShiftKey(UINT key) {
    platform::TestKeyDown(VK_SHIFT);
    platform::TestKeyPress(key);
    platform::TestKeyUp(VK_SHIFT);
  }
  // Serves the thread's queue as a modal dialog loop does, giving each
  // message for a dialog to IsDialogMessage (RunUntilIdle dispatches plainly,
  // which a dialog's keys would bypass). For use inside scripted actions.
  static void ServeDialogs() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
      char name[16] = "";
      if (top != nullptr) GetClassName(top, name, sizeof name);
      if (std::string(name) == WC_DIALOG && IsDialogMessage(top, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
  static std::string ItemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
  }
  // A click on the middle of a control.
  static void Click(HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    platform::TestMouse(control, WM_LBUTTONDOWN, rect.right / 2, rect.bottom / 2);
    platform::TestMouse(control, WM_LBUTTONUP, rect.right / 2, rect.bottom / 2);
  }
};

// What a dialog procedure saw, shared with the test through lParam.
struct DialogRecord {
  LPARAM initParameter = 0;
  std::vector<std::pair<UINT, int>> events;  // (message, detail)
  std::string name, count;
  int focusAtCancel = 0;  // id of the control with the focus
  HELPINFO help{};
  int helpCount = 0;
  std::vector<std::pair<int, int>> commands;  // (id, code)
};
