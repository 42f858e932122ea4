// The fixture of the layout tools' tests: the program started with its
// Layout window (LayoutFixture), lengths in inches, and helpers that run a
// Layout command with its dialog scripted, expect the message boxes it
// shows, and read the model file's bytes so that Undo and Redo can be
// compared with the edited and the original model byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "editing/UndoRedo.h"
#include "files/ModelFile.h"
#include "model/LayoutTesting.h"
#include "model/ModelBuilder.h"
#include "services/Message.h"
#include "services/TempFiles.h"

class ToolFixture : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    TheModel().unitChoices = ProgramUnitChoices();  // Undo reads them back
  }

  void Command(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }

  // Makes the rows built in code the model the Layout window shows, as a
  // user has it (ReadBackModel), so Undo gives back these very bytes.
  void Open() { ReadBackModel(); }

  // The model file of the open model. The view rectangle is left out: the
  // graphics window stores its zoom there whenever it has drawn the model
  // again, on its own thread, which is not part of any edit.
  static std::string Bytes() {
    const std::string path = TempFolder() + "/tool-bytes.mod";
    GraphicsSettings& view = TheModel().graphics;
    const GraphicsSettings kept = view;
    view.viewLeft = view.viewBottom = view.viewRight = view.viewTop = 0.0f;
    EXPECT_EQ(WriteModelFileFrom(TheModel(), path), "");
    view = kept;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }

  // The first byte where two model files differ, for a short failure
  // message; -1 when they are the same.
  static long FirstDifference(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
      if (a[i] != b[i]) return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(n);
  }

  // A message box of `text` (its lines), answered with `button`.
  static void ExpectBox(const std::string& text, bool icon = true, int button = IDOK) {
    const std::vector<std::string> lines = MessageLines(text);
    const std::string name = "MESSAGE" + std::to_string(lines.size()) + (icon ? "" : "X") + "_DIALOG";
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines, button](HWND box) {
      EXPECT_EQ(LinesOfDialog(box), lines);
      SendMessage(box, WM_COMMAND, button, 0);
    });
  }

  // Runs `id` with `dialog` answering template `name`.
  void WithDialog(int id, const std::string& name, std::function<void(HWND)> dialog) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, std::move(dialog));
    Command(id);
  }

  // OK on a dialog whose fields refuse with `message`: the message shown,
  // then the dialog cancelled.
  static void OkRefused(HWND dialog, const std::string& message) {
    ExpectBox(message);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  static void Set(HWND dialog, int item, const std::string& text) { SetDlgItemText(dialog, item, text.c_str()); }
  static std::string Get(HWND dialog, int item) {
    char text[256] = {};
    GetDlgItemText(dialog, item, text, sizeof text);
    return text;
  }
  static void Click(HWND dialog, int item) {
    AppFixture::Click(GetDlgItem(dialog, item));
    platform::RunUntilIdle();
  }
};
