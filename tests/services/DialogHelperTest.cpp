// Dialog control operations: reading numbers and names from fields, the
// field messages of a dialog's OK handler with the focus put back on the
// field, the direction and connected-node checks with their error texts,
// combos, lists and radio groups.
#include <functional>

#include "model/ModelDialogFields.h"
#include "model/Nodes.h"
#include "services/AppTesting.h"
#include "services/DialogHelper.h"
#include "services/NumberText.h"

namespace {

constexpr char kFieldsDialog[] = R"(dialog 10 10 200 100
caption "Fields"
style WS_POPUP | WS_CAPTION | DS_MODALFRAME
control 101 EDIT "" 50 7 100 12 ES_AUTOHSCROLL WS_TABSTOP WS_BORDER
control 102 EDIT "" 50 23 100 12 ES_AUTOHSCROLL WS_TABSTOP WS_BORDER
control 103 EDIT "" 50 39 100 12 ES_AUTOHSCROLL WS_TABSTOP WS_BORDER
control 104 COMBOBOX "" 50 55 100 60 CBS_DROPDOWNLIST WS_TABSTOP
control 105 BUTTON "&One" 7 70 40 10 BS_AUTORADIOBUTTON WS_GROUP
control 106 BUTTON "&Two" 50 70 40 10 BS_AUTORADIOBUTTON
control 107 BUTTON "T&hree" 93 70 40 10 BS_AUTORADIOBUTTON
control IDOK BUTTON "OK" 90 84 50 14 BS_DEFPUSHBUTTON WS_TABSTOP
control IDCANCEL BUTTON "Cancel" 145 84 50 14 WS_TABSTOP
)";

// The dialog runs an OK handler of the usual shape: read and check, catch
// the message text, show it and put the focus back.
DialogHelper g_Helper;
std::function<void()> g_OkHandler;

INT_PTR FieldsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    g_Helper.DialogBind(dialog);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    try {
      g_OkHandler();
      EndDialog(dialog, 1);
    } catch (const std::string& text) {
      g_Helper.DialogFocusInvalid(text);
    }
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
  return FALSE;
}

class DialogHelperTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    UseResources({{"FIELDS_DIALOG", kFieldsDialog}});
    g_OkHandler = [] {};
  }

  // Opens the dialog and lets `action` work on it (it must close it).
  static INT_PTR RunWith(const std::function<void(HWND)>& action) {
    platform::ExpectModal(platform::ModalKind::Dialog, "FIELDS_DIALOG", action);
    return DialogBoxParam(InstanceHandle, "FIELDS_DIALOG", nullptr, FieldsDialogProc, 0);
  }

  // Opens the dialog, fills the three edits, presses OK, expects the error
  // message `message` (one line) and then checks that the focus is on
  // `focusItem`; Cancel closes it.
  void ExpectRefusal(const std::vector<std::string>& fields, const std::string& message, int focusItem) {
    platform::ExpectModal(platform::ModalKind::Dialog, "FIELDS_DIALOG", [&](HWND dialog) {
      for (std::size_t i = 0; i < fields.size(); ++i)
        SetDlgItemText(dialog, 101 + static_cast<int>(i), fields[i].c_str());
      const int beeps = platform::BeepCount();
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND box) {
        EXPECT_EQ(LinesOf(box)[0], message);
        SendMessage(box, WM_COMMAND, IDOK, 0);
      });
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_EQ(platform::BeepCount(), beeps + 1);
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, focusItem));
      // The fields stay as the user left them.
      for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(TextOf(GetDlgItem(dialog, 101 + static_cast<int>(i))), fields[i]);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(DialogBoxParam(InstanceHandle, "FIELDS_DIALOG", nullptr, FieldsDialogProc, 0), 0);
  }
};

TEST_F(DialogHelperTest, NumbersLoseEveryBlankAndNamesOnlyTheOuterOnes) {
  EXPECT_EQ(RunWith([](HWND dialog) {
    SetDlgItemText(dialog, 101, " 1 000 e3 ");
    SetDlgItemText(dialog, 102, "  Carbon steel  ");
    SetDlgItemText(dialog, 103, std::string(50, 'x').c_str());
    g_Helper.DialogGetItemText(101);
    EXPECT_EQ(g_EditFieldText, "1000E3");
    EXPECT_EQ(g_Helper.errorItem, 101);
    g_Helper.DialogReadFieldTrimmed(102);
    EXPECT_EQ(g_EditFieldText, "Carbon steel");
    g_Helper.DialogGetItemText(103);
    EXPECT_EQ(g_EditFieldText.size(), 39u);
    g_Helper.DialogReadLongFieldTrimmed(103);
    EXPECT_EQ(g_EditFieldText.size(), 50u);
    EXPECT_EQ(g_Helper.DialogReadItemText(102), "  Carbon steel  ");
    EndDialog(dialog, 5);
  }), 5);
}

TEST_F(DialogHelperTest, AFieldThatDoesNotParseIsInvalidAndKeepsTheFocus) {
  g_OkHandler = [] {
    float value = 0;
    g_Helper.DialogGetItemText(101);
    if (ParseFieldReal(value) != 0) ThrowInvalidField("Length");
    g_Helper.DialogGetItemText(102);
    if (ParseFieldReal(value) != 0) ThrowInvalidField("Width");
  };
  ExpectRefusal({"12", "1x2"}, "Width =  1X2  is invalid", 102);
}

TEST_F(DialogHelperTest, MissingAndUndefinedFieldsAreNamed) {
  g_OkHandler = [] {
    g_Helper.DialogReadFieldTrimmed(101);
    if (g_EditFieldText.empty()) ThrowRequiredField("Name");
    g_Helper.DialogReadFieldTrimmed(103);
    if (g_EditFieldText != "A53") ThrowNotDefined("Material");
  };
  ExpectRefusal({"", "", ""}, "Name is required", 101);
  ExpectRefusal({"Pipe", "", "A1"}, "Material =  A1  is not defined", 103);
}

TEST_F(DialogHelperTest, ADirectionOfZerosIsRefusedOnTheXComponent) {
  float x = 0, y = 0, z = 0;
  g_OkHandler = [&] { CheckDirectionInput(g_Helper, 101, x, y, z); };
  ExpectRefusal({"0", "0", "0"}, "Direction is invalid", 101);
  ExpectRefusal({"1", "a", "0"}, "Y comp =  A  is invalid", 102);
  EXPECT_EQ(RunWith([](HWND dialog) {
    SetDlgItemText(dialog, 101, "0");
    SetDlgItemText(dialog, 102, "0");
    SetDlgItemText(dialog, 103, "1e-30");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  }), 1);
  EXPECT_FLOAT_EQ(z, 1e-30f);
}

TEST_F(DialogHelperTest, AConnectedNodeMustExistNotBeABendNodeNorTheRowsOwn) {
  NodeTable& nodes = CurrentNodeTable();
  ClearNodes(nodes);
  NodeRecord node;
  node.id = 10;
  AppendNode(nodes, node);
  node.id = 20;
  node.nodeKind = kBendNode;
  AppendNode(nodes, node);
  node.id = 30;
  node.nodeKind = kOrdinaryNode;
  AppendNode(nodes, node);
  TheModel().row(1).node = 30;
  std::int32_t connected = -1;
  g_OkHandler = [&] { connected = CheckConnectedNode(g_Helper, 101, 1); };
  ExpectRefusal({"15"}, "Connected node is not defined", 101);
  ExpectRefusal({"20"}, "Connected node cannot be a bend node", 101);
  ExpectRefusal({"30"}, "Node cannot be connected to itself", 101);
  ExpectRefusal({"-4"}, std::string("Connected Node =  -4  ") + NodeCheckReason(3), 101);
  RunWith([](HWND dialog) {
    SetDlgItemText(dialog, 101, "");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(connected, 0);
  RunWith([](HWND dialog) {
    SetDlgItemText(dialog, 101, " 1 0 ");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(connected, 10);
  ClearNodes(nodes);
  TheModel().row(1).node = 0;
}

TEST_F(DialogHelperTest, CombosRadiosAndItemStates) {
  RunWith([](HWND dialog) {
    g_Helper.DialogComboReset(104);
    g_Helper.DialogComboAddString("");
    g_Helper.DialogComboAddString("A53");
    g_Helper.DialogComboAddString("A106");
    g_Helper.DialogCurrentComboSetSel(2);
    EXPECT_EQ(g_Helper.DialogComboGetSel(104), 2);
    EXPECT_EQ(SendDlgItemMessage(dialog, 104, CB_GETCOUNT, 0, 0), 3);
    g_Helper.DialogComboReset(104);
    EXPECT_EQ(SendDlgItemMessage(dialog, 104, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(g_Helper.DialogCheckedRadio(105, 107), 0);  // none on
    g_Helper.DialogCheckRadio(105, 107, 107);
    EXPECT_EQ(g_Helper.DialogCheckedRadio(105, 107), 2);
    EXPECT_TRUE(g_Helper.DialogIsChecked(107));
    g_Helper.DialogDisableItem(102);
    EXPECT_FALSE(g_Helper.DialogIsItemEnabled(102));
    g_Helper.DialogHideItem(103);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 103)));
    g_Helper.DialogSetItemTextAndLimit(101, "abc", 5);
    EXPECT_EQ(g_Helper.currentItem, GetDlgItem(dialog, 101));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 101)), "abc");
    // One step of 4 horizontal dialog units is one average character.
    EXPECT_GT(g_Helper.unitsX, 3);
    EXPECT_GT(g_Helper.unitsY, 7);
    EndDialog(dialog, 1);
  });
}

}  // namespace
