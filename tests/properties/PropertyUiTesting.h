// The fixture of the properties' window tests: the List fixture's program
// and model, with the steps those tests repeat: reading a dialog field,
// pressing OK on a dialog that must refuse with a message and stay open,
// and running a Layout command on row 2.
#pragma once

#include <string>

#include "editing/LayoutTable.h"
#include "model/ListTesting.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"

class PropertyUiFixture : public ListFixture {
 protected:
  static std::string Field(HWND dialog, int item) {
    char text[128] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    return text;
  }
  static void ExpectRefusal(HWND dialog, const std::string& message) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [message](HWND box) {
      EXPECT_EQ(LinesOfDialog(box).at(0), message);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << message;
  }
  static void LayoutCommand(int id) {
    TheLayoutTable().currentRow = 2;
    TheModel().currentRow = 2;
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
};
