// Dialogs from templates, driven headless by keyboard and mouse: filling and
// closing with Enter, Escape and buttons, the parameter of WM_INITDIALOG,
// dialog units, tab, group and mnemonic navigation, the default button, F1
// and the help button, run-time controls, modeless dialogs, nested message
// boxes and the modal script's failures.
#include "platform/DialogTesting.h"

#include "platform/Hook.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"

namespace {

// The sample dialog's procedure: OK reads the fields and checks the count
// (a whole number), showing the field message and refocusing on failure.
INT_PTR SampleProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = reinterpret_cast<DialogRecord*>(GetWindowLongPtr(dialog, DWLP_USER));
  if (record == nullptr && message != WM_INITDIALOG) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      reinterpret_cast<DialogRecord*>(lParam)->initParameter = lParam;
      return TRUE;
    case WM_HELP:
      record->help = *reinterpret_cast<HELPINFO*>(lParam);
      ++record->helpCount;
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) <= IDHELP)
        record->commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
      if (LOWORD(wParam) == IDOK) {
        char text[64];
        GetDlgItemText(dialog, 101, text, sizeof text);
        record->name = text;
        GetDlgItemText(dialog, 102, text, sizeof text);
        record->count = text;
        BOOL translated = FALSE;
        int count = static_cast<int>(GetDlgItemInt(dialog, 102, &translated, TRUE));
        if (!translated) {
          MessageBox(dialog, (std::string("Count =  ") + text + "  is invalid").c_str(), "Quorvel",
                     MB_OK | MB_ICONERROR);
          SetFocus(GetDlgItem(dialog, 102));
          SendDlgItemMessage(dialog, 102, EM_SETSEL, 0, -1);
          return TRUE;
        }
        EndDialog(dialog, 1000 + count);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        record->focusAtCancel = GetDlgCtrlID(GetFocus());
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

INT_PTR RunSample(DialogRecord* record) {
  return DialogBoxParam(nullptr, "SAMPLE_DIALOG", nullptr, SampleProcedure, reinterpret_cast<LPARAM>(record));
}

int IdOfFocus() { return GetDlgCtrlID(GetFocus()); }

TEST_F(DialogTest, FilledAndClosedWithEnterGivesTheResultAndParameter) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IdOfFocus(), 101);  // the first tab stop has the focus
    EXPECT_TRUE(IsWindowVisible(dialog));
    platform::TestTypeText("Riser 4");
    platform::TestKeyPress(VK_TAB);
    ServeDialogs();
    platform::TestTypeText("12");
    platform::TestKeyPress(VK_RETURN);  // focus on an edit: the default button, OK
  });
  EXPECT_EQ(RunSample(&record), 1012);
  EXPECT_EQ(record.initParameter, reinterpret_cast<LPARAM>(&record));
  EXPECT_EQ(record.name, "Riser 4");
  EXPECT_EQ(record.count, "12");
  ASSERT_EQ(record.commands.size(), 1u);
  EXPECT_EQ(record.commands[0], std::make_pair(IDOK, static_cast<int>(BN_CLICKED)));
}

TEST_F(DialogTest, EscapeSendsIdCancel) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  EXPECT_EQ(RunSample(&record), IDCANCEL);
  ASSERT_EQ(record.commands.size(), 1u);
  EXPECT_EQ(record.commands[0].first, IDCANCEL);
}

TEST_F(DialogTest, ButtonsWorkByMouse) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 102, "3");
    Click(GetDlgItem(dialog, IDOK));
  });
  EXPECT_EQ(RunSample(&record), 1003);
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG",
                        [](HWND dialog) { Click(GetDlgItem(dialog, IDCANCEL)); });
  EXPECT_EQ(RunSample(&record), IDCANCEL);
}

TEST_F(DialogTest, OkValidationMessageReturnsTheFocusToTheField) {
  DialogRecord record;
  int beeps = platform::BeepCount();
  HWND box = nullptr;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 102, "1x");
    SetFocus(GetDlgItem(dialog, 101));
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::MessageBox, "Count =  1x  is invalid", [&box](HWND modal) {
    box = modal;
    char caption[64];
    GetWindowText(modal, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorvel");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    platform::TestKeyPress(VK_RETURN);
    // After the box: the sample's Cancel notes where the focus is. (A
    // posted Cancel would come before the key.)
    platform::TestKeyPress(VK_ESCAPE);
  });
  EXPECT_EQ(RunSample(&record), IDCANCEL);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(record.focusAtCancel, 102);
  EXPECT_EQ(record.count, "1x");
  EXPECT_EQ(platform::BeepCount(), beeps + 1);  // the error icon's beep
}

TEST_F(DialogTest, ControlsSitAtTheirDialogUnits) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    LONG units = GetDialogBaseUnits();
    int baseX = LOWORD(units), baseY = HIWORD(units);
    RECT expected{50, 23, 90, 35};
    ASSERT_TRUE(MapDialogRect(dialog, &expected));
    EXPECT_EQ(expected.left, (50 * baseX + 2) / 4);
    EXPECT_EQ(expected.top, (23 * baseY + 4) / 8);
    RECT actual{};
    HWND edit = GetDlgItem(dialog, 102);
    GetWindowRect(edit, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
    RECT client{};
    GetClientRect(dialog, &client);
    RECT size{0, 0, 200, 120};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    EndDialog(dialog, 5);
  });
  EXPECT_EQ(RunSample(&record), 5);
}

TEST_F(DialogTest, TabShiftTabArrowsAndMnemonicsMoveTheFocus) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    std::vector<int> order;
    for (int step = 0; step < 7; ++step) {
      platform::TestKeyPress(VK_TAB);
      ServeDialogs();
      order.push_back(IdOfFocus());
    }
    // 101 -> 102 -> 103 -> 104 (the group's tab stop) -> OK -> Cancel -> Help -> 101.
    EXPECT_EQ(order, (std::vector<int>{102, 103, 104, IDOK, IDCANCEL, IDHELP, 101}));
    // Tab into an edit selects its whole text.
    SetDlgItemText(dialog, 101, "pipe");
    SetFocus(GetDlgItem(dialog, IDHELP));
    platform::TestKeyPress(VK_TAB);
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 101);
    DWORD start = 0, end = 0;
    SendDlgItemMessage(dialog, 101, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    ShiftKey(VK_TAB);
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), IDHELP);
    SetFocus(GetDlgItem(dialog, 104));
    platform::TestKeyPress(VK_DOWN);
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 105);
    platform::TestKeyPress(VK_DOWN);
    platform::TestKeyPress(VK_DOWN);  // wraps inside the group
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 104);
    platform::TestKeyPress(VK_UP);
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 106);
    AltKey('C');  // the label "&Count" hands the focus to its edit
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 102);
    AltKey('L');  // "&Large" is a check box: focused and clicked
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 103);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 103), BST_CHECKED);
    platform::TestKeyPress('H');  // a check box takes no characters: the bare mnemonic
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 106);
    EndDialog(dialog, 0);
  });
  RunSample(&record);
}

// The buttons clicked in SHARED_DIALOG, by id.
INT_PTR SharedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtr(dialog, DWLP_USER, lParam);
  auto* clicked = reinterpret_cast<std::vector<int>*>(GetWindowLongPtr(dialog, DWLP_USER));
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && clicked != nullptr)
    clicked->push_back(LOWORD(wParam));
  return message == WM_INITDIALOG;
}

TEST_F(DialogTest, ASharedMnemonicMovesTheFocusAmongItsControlsAndPressesNone) {
  std::vector<int> clicked;
  platform::ExpectModal(platform::ModalKind::Dialog, "SHARED_DIALOG", [&clicked](HWND dialog) {
    auto alt = [](UINT key) {
      AltKey(key);
      ServeDialogs();
      return IdOfFocus();
    };
    SetFocus(GetDlgItem(dialog, 101));
    // Each label hands the focus to its own field, in turn.
    EXPECT_EQ(alt('P'), 102);
    EXPECT_EQ(alt('P'), 101);
    EXPECT_EQ(alt('R'), 103);
    EXPECT_EQ(alt('R'), 104);
    platform::TestKeyPress('R');  // a radio button takes no characters: the bare letter, wrapping
    ServeDialogs();
    EXPECT_EQ(IdOfFocus(), 103);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 103), BST_UNCHECKED);
    EXPECT_TRUE(clicked.empty());
    // A mnemonic of one control acts on it.
    EXPECT_EQ(alt('G'), 105);
    EXPECT_EQ(alt('A'), 105);
    EXPECT_EQ(clicked, (std::vector<int>{105, 106}));
    EndDialog(dialog, 0);
  });
  DialogBoxParam(nullptr, "SHARED_DIALOG", nullptr, SharedProcedure, reinterpret_cast<LPARAM>(&clicked));
}

TEST_F(DialogTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELPARAM(IDOK, DC_HASDEFID));
    SendMessage(dialog, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELPARAM(IDCANCEL, DC_HASDEFID));
    SetFocus(GetDlgItem(dialog, IDHELP));
    platform::TestKeyPress(VK_RETURN);  // the focused push button
    ServeDialogs();
    SetFocus(GetDlgItem(dialog, 101));
    platform::TestKeyPress(VK_RETURN);  // the new default: Cancel
  });
  EXPECT_EQ(RunSample(&record), IDCANCEL);
  ASSERT_EQ(record.commands.size(), 2u);
  EXPECT_EQ(record.commands[0].first, IDHELP);
  EXPECT_EQ(record.commands[1].first, IDCANCEL);
}

TEST_F(DialogTest, F1AndTheHelpButtonGiveWmHelp) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [&record](HWND dialog) {
    SetFocus(GetDlgItem(dialog, 102));
    platform::TestKeyPress(VK_F1);
    ServeDialogs();
    EXPECT_EQ(record.helpCount, 1);
    EXPECT_EQ(record.help.cbSize, sizeof(HELPINFO));
    EXPECT_EQ(record.help.iContextType, HELPINFO_WINDOW);
    EXPECT_EQ(record.help.iCtrlId, 102);
    EXPECT_EQ(record.help.hItemHandle, GetDlgItem(dialog, 102));
    Click(GetDlgItem(dialog, IDHELP));  // the procedure leaves IDHELP to the default
    ServeDialogs();
    EXPECT_EQ(record.helpCount, 2);
    EndDialog(dialog, 0);
  });
  RunSample(&record);
}

TEST_F(DialogTest, ItemOperations) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(SetDlgItemInt(dialog, 101, static_cast<UINT>(-42), TRUE));
    EXPECT_EQ(ItemText(dialog, 101), "-42");
    BOOL translated = FALSE;
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, 101, &translated, TRUE)), -42);
    EXPECT_TRUE(translated);
    EXPECT_EQ(GetDlgItemInt(dialog, 101, &translated, FALSE), 0u);  // unsigned: no sign
    EXPECT_FALSE(translated);
    SetDlgItemText(dialog, 101, " 17 ");
    EXPECT_EQ(GetDlgItemInt(dialog, 101, &translated, FALSE), 17u);
    EXPECT_TRUE(translated);
    SetDlgItemText(dialog, 101, "4294967296");  // one past the largest
    GetDlgItemInt(dialog, 101, &translated, FALSE);
    EXPECT_FALSE(translated);
    CheckRadioButton(dialog, 104, 106, 105);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 104), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 105), BST_CHECKED);
    CheckDlgButton(dialog, 103, BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessage(dialog, 103, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog, 106)), 106);
    EXPECT_EQ(GetDlgItem(dialog, 999), nullptr);
    // A disabled or hidden control is passed over by Tab.
    EnableWindow(GetDlgItem(dialog, 102), FALSE);
    ShowWindow(GetDlgItem(dialog, 103), SW_HIDE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 101), FALSE), GetDlgItem(dialog, 104));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 104), TRUE), GetDlgItem(dialog, 101));
    EndDialog(dialog, 0);
  });
  RunSample(&record);
}

TEST_F(DialogTest, ControlsMadeMovedAndHiddenAtRunTime) {
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND dialog) {
    HWND extra = CreateWindowEx(0, "BUTTON", "&Extra", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 60, 20,
                                dialog, reinterpret_cast<HMENU>(200), nullptr, nullptr);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 200), extra);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDHELP), FALSE), extra);
    MoveWindow(extra, 30, 40, 70, 22, TRUE);
    RECT rect{};
    GetWindowRect(extra, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.bottom, 62);
    ShowWindow(extra, SW_HIDE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDHELP), FALSE), GetDlgItem(dialog, 101));
    EndDialog(dialog, 0);
  });
  RunSample(&record);
}

TEST_F(DialogTest, ModelessDialogUsesIsDialogMessage) {
  DialogRecord record;
  HWND dialog = CreateDialogParam(nullptr, "SAMPLE_DIALOG", nullptr, SampleProcedure,
                                  reinterpret_cast<LPARAM>(&record));
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));  // the template has no WS_VISIBLE
  ShowWindow(dialog, SW_SHOW);
  SetFocus(GetDlgItem(dialog, 101));
  platform::TestKeyPress(VK_TAB);
  MSG message;
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
    if (!IsDialogMessage(dialog, &message)) DispatchMessage(&message);
  EXPECT_EQ(IdOfFocus(), 102);
  EXPECT_EQ(platform::DialogTemplateName(dialog), "SAMPLE_DIALOG");
  EXPECT_TRUE(EndDialog(dialog, 3));
  EXPECT_FALSE(IsWindowVisible(dialog));  // a modeless dialog is only hidden
  EXPECT_TRUE(DestroyWindow(dialog));
}

TEST_F(DialogTest, MissingTemplateGivesMinusOne) {
  std::vector<std::string> failures;
  platform::SetFailureHandler([&failures](const std::string& message) { failures.push_back(message); });
  EXPECT_EQ(DialogBoxParam(nullptr, "NO_SUCH_DIALOG", nullptr, SampleProcedure, 0), -1);
  EXPECT_EQ(CreateDialogParam(nullptr, "NO_SUCH_DIALOG", nullptr, SampleProcedure, 0), nullptr);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("NO_SUCH_DIALOG"), std::string::npos);
}

TEST_F(DialogTest, UnexpectedOrUnansweredModalWindowsFailWithoutHanging) {
  std::vector<std::string> failures;
  platform::SetFailureHandler([&failures](const std::string& message) { failures.push_back(message); });
  DialogRecord record;
  EXPECT_EQ(RunSample(&record), IDCANCEL);  // nothing scripted
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Unexpected modal window: dialog \"SAMPLE_DIALOG\""), std::string::npos);
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [](HWND) {});  // does nothing
  RunSample(&record);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[1].find("still open"), std::string::npos);
  platform::ExpectModal(platform::ModalKind::MessageBox, "Another text", [](HWND) {});
  EXPECT_EQ(MessageBox(nullptr, "Some text", "Quorvel", MB_OK), IDCANCEL);
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[2].find("the script expected message box \"Another text\""), std::string::npos);
  platform::CheckModalScript();
  ASSERT_EQ(failures.size(), 4u);
  EXPECT_NE(failures[3].find("never appeared: message box \"Another text\""), std::string::npos);
}

// The CBT hook sees the dialog made, its controls, and its activation.
struct HookLog {
  std::vector<std::pair<int, std::string>> events;
};
thread_local HookLog* hookLog = nullptr;
thread_local HHOOK hookHandle = nullptr;

LRESULT HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return CallNextHookEx(hookHandle, code, wParam, lParam);
  char name[64] = "";
  GetClassName(reinterpret_cast<HWND>(wParam), name, sizeof name);
  std::string detail = name;
  if (code == HCBT_CREATEWND) detail += std::string("/") + reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszClass;
  if (code == HCBT_ACTIVATE) detail += IsWindowVisible(reinterpret_cast<HWND>(wParam)) ? " shown" : " hidden";
  hookLog->events.emplace_back(code, detail);
  return 0;
}

TEST_F(DialogTest, CbtHookSeesMessageBoxesBeforeTheyAreShown) {
  HookLog log;
  hookLog = &log;
  hookHandle = SetWindowsHookEx(WH_CBT, HookProcedure, nullptr, GetCurrentThreadId());
  ASSERT_NE(hookHandle, nullptr);
  platform::ExpectModal(platform::ModalKind::MessageBox, "Saved.", [](HWND) { platform::TestKeyPress(VK_RETURN); });
  EXPECT_EQ(MessageBox(nullptr, "Saved.", "Quorvel", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_TRUE(UnhookWindowsHookEx(hookHandle));
  ASSERT_GE(log.events.size(), 4u);
  EXPECT_EQ(log.events.front(), std::make_pair(HCBT_CREATEWND, std::string("#32770/#32770")));
  EXPECT_EQ(log.events[1].first, HCBT_CREATEWND);  // the first control comes next
  std::vector<int> codes;
  for (auto& event : log.events) codes.push_back(event.first);
  auto activate = std::find(codes.begin(), codes.end(), HCBT_ACTIVATE);
  ASSERT_NE(activate, codes.end());
  EXPECT_EQ(log.events[static_cast<std::size_t>(activate - codes.begin())].second, "#32770 hidden");
  EXPECT_EQ(codes.back(), HCBT_DESTROYWND);
  // Unhooked: the next box passes unseen.
  std::size_t seen = log.events.size();
  platform::ExpectModal(platform::ModalKind::MessageBox, "Again", [](HWND) { platform::TestKeyPress(VK_RETURN); });
  MessageBox(nullptr, "Again", nullptr, MB_OK);
  EXPECT_EQ(log.events.size(), seen);
  EXPECT_EQ(SetWindowsHookEx(WH_CBT + 1, HookProcedure, nullptr, 0), nullptr);
}

// The centring hook as the program writes it: the dialog is remembered when
// it is made and subclassed when its first control comes; after its own
// WM_INITDIALOG it is centred on its owner with the pointer on the focused
// control, and IDCANCEL ends it with 0.
struct Centring {
  HHOOK hook = nullptr;
  HWND pending = nullptr;
  HWND watched = nullptr;
  WNDPROC previous = nullptr;
};
thread_local Centring centring;

LRESULT CentredDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    LRESULT result = CallWindowProc(centring.previous, dialog, message, wParam, lParam);
    RECT owner{}, rect{};
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    GetWindowRect(dialog, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    MoveWindow(dialog, (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2, width,
               height, FALSE);
    if (HWND focus = GetFocus()) {
      RECT control{};
      GetWindowRect(focus, &control);
      SetCursorPos(control.left + (control.right - control.left) * 3 / 4, (control.top + control.bottom) / 2);
    }
    return result;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, 0);
    return 1;
  }
  return CallWindowProc(centring.previous, dialog, message, wParam, lParam);
}

LRESULT CentringHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return CallNextHookEx(centring.hook, code, wParam, lParam);
  auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    if (std::string(reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszClass) == WC_DIALOG) {
      centring.pending = window;
    } else if (centring.pending != nullptr) {
      centring.watched = centring.pending;
      centring.pending = nullptr;
      centring.previous = reinterpret_cast<WNDPROC>(
          SetWindowLongPtr(centring.watched, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CentredDialog)));
    }
  } else if (code == HCBT_DESTROYWND && window == centring.watched) {
    SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(centring.previous));
    centring.watched = nullptr;
  }
  return 0;
}

TEST_F(DialogTest, CentringHookCentresTheBoxAndEscapeEndsItWithZero) {
  RegisterRecorder();
  MessageLog log;
  HWND owner = MakeTop(&log, 100, 80, 500, 400);
  ShowWindow(owner, SW_SHOW);
  centring = Centring{};
  centring.hook = SetWindowsHookEx(WH_CBT, CentringHook, nullptr, GetCurrentThreadId());
  platform::ExpectModal(platform::ModalKind::MessageBox, "Really want to change?", [owner](HWND box) {
    RECT ownerRect{}, boxRect{}, yes{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(box, &boxRect);
    EXPECT_EQ(boxRect.left, (ownerRect.left + ownerRect.right - (boxRect.right - boxRect.left)) / 2);
    EXPECT_EQ(boxRect.top, (ownerRect.top + ownerRect.bottom - (boxRect.bottom - boxRect.top)) / 2);
    GetWindowRect(GetDlgItem(box, IDYES), &yes);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, yes.left + (yes.right - yes.left) * 3 / 4);
    EXPECT_EQ(cursor.y, (yes.top + yes.bottom) / 2);
    platform::TestKeyPress(VK_ESCAPE);  // no Cancel button: the hook's subclass ends it
  });
  EXPECT_EQ(MessageBox(owner, "Really want to change?", "Quorvel", MB_YESNO | MB_ICONQUESTION), 0);
  EXPECT_EQ(centring.watched, nullptr);  // the subclass was taken off when the box went
  UnhookWindowsHookEx(centring.hook);
  DestroyWindow(owner);
}

// A program's own message dialog, made from a template, names itself to the
// script as a message box by its text.
INT_PTR OwnMessageProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    platform::SetModalIdentity(dialog, platform::ModalKind::MessageBox, reinterpret_cast<const char*>(lParam));
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

TEST_F(DialogTest, ADialogMayNameItselfToTheScript) {
  platform::ExpectModal(platform::ModalKind::MessageBox, "Node 10 is not defined",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  EXPECT_EQ(DialogBoxParam(nullptr, "SAMPLE_DIALOG", nullptr, OwnMessageProcedure,
                           reinterpret_cast<LPARAM>("Node 10 is not defined")),
            IDCANCEL);
}

TEST_F(DialogTest, OtherWindowsKeepPaintingWhileAModalDialogRuns) {
  RegisterRecorder();
  MessageLog log;
  HWND other = MakeTop(&log, 600, 100, 200, 150);
  ShowWindow(other, SW_SHOW);
  platform::RunUntilIdle();
  HWND shown = nullptr;
  // The other window's paint, served by the dialog's own loop, closes the dialog.
  log.hook = [&shown](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_PAINT && shown != nullptr) PostMessage(shown, WM_COMMAND, IDCANCEL, 0);
    return false;
  };
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [other, &shown](HWND dialog) {
    shown = dialog;
    InvalidateRect(other, nullptr, TRUE);
  });
  EXPECT_EQ(RunSample(&record), IDCANCEL);
  EXPECT_EQ(log.Count(other, WM_PAINT), 2);  // shown, then again under the dialog
  log.hook = nullptr;
  DestroyWindow(other);
}

// While a modal dialog runs, no window of its thread takes input: its
// owner's frame and every other frame are disabled, and enabled again as
// they were when it ends.
TEST_F(DialogTest, AModalDialogLeavesNoOtherWindowOfItsThreadEnabled) {
  RegisterRecorder();
  MessageLog log;
  HWND owner = MakeTop(&log, 0, 0, 200, 100), other = MakeTop(&log, 0, 120, 200, 100);
  HWND disabledBefore = MakeTop(&log, 220, 0, 100, 100);
  for (HWND window : {owner, other, disabledBefore}) ShowWindow(window, SW_SHOW);
  EnableWindow(disabledBefore, FALSE);
  DialogRecord record;
  platform::ExpectModal(platform::ModalKind::Dialog, "SAMPLE_DIALOG", [&](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowEnabled(other));
    platform::TestMouse(other, WM_LBUTTONDOWN, 10, 10);
    platform::TestMouse(other, WM_LBUTTONUP, 10, 10);
    ServeDialogs();
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(DialogBoxParam(nullptr, "SAMPLE_DIALOG", owner, SampleProcedure, reinterpret_cast<LPARAM>(&record)),
            IDCANCEL);
  EXPECT_EQ(log.Count(other, WM_LBUTTONDOWN), 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore));
}

}  // namespace
