// The fixture of the tests that run the program's windows headless: the
// settings fixture (empty registry, settings at their start-up values), the
// layer in test mode with its failures routed to the test, the program's
// resources (plus any templates a test adds), and a program that is started
// and shut down in-process.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "application/Application.h"
#include "graphics/GraphicsThread.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "resources/QuorvelResources.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/SettingsTestSupport.h"

class AppFixture : public SettingsFixture {
 public:
  // Serves the queue as the program's main loop does: the keys of the
  // active window's accelerator table become its commands first.
  static void PumpAsTheMainLoop() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (ActiveAccelerators != nullptr && TranslateAccelerator(ActiveWindow, ActiveAccelerators, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    platform::RunUntilIdle();
  }
  // The same for keys that come from outside the process (an X server),
  // until `done`: every message waits on the queue and goes through the
  // accelerators, none through RunUntilIdle, which dispatches what arrives
  // meanwhile without them.
  static bool PumpAsTheMainLoopUntil(const std::function<bool()>& done, int limitMs) {
    return platform::PumpUntil(done, limitMs, [](MSG* message) {
      return ActiveAccelerators != nullptr && TranslateAccelerator(ActiveWindow, ActiveAccelerators, message) != 0;
    });
  }

  // Keys pressed (with Shift held when `shift`) or text typed in a modal
  // dialog from its scripted action, served as the dialog's own loop serves
  // them: through IsDialogMessage, which RunUntilIdle would bypass.
  static void DialogKey(HWND dialog, UINT key, bool shift = false) {
    if (shift) platform::TestKeyDown(VK_SHIFT);
    platform::TestKeyPress(key);
    if (shift) platform::TestKeyUp(VK_SHIFT);
    ServeDialog(dialog);
  }
  static void DialogType(HWND dialog, const std::string& text) {
    platform::TestTypeText(text);
    ServeDialog(dialog);
  }
  static void ServeDialog(HWND dialog) {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
      if (!IsDialogMessage(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessage(&message);
      }
    platform::RunUntilIdle();
  }

  void SetUp() override {
    SettingsFixture::SetUp();
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    UseResources({});
    InstanceHandle = reinterpret_cast<HINSTANCE>(&instanceTag_);
    std::error_code ignored;
    std::filesystem::remove(FirstRunMarkerPath(), ignored);
    TheModel().modified = false;
    TheModel().path.clear();
    InitCommonControls();
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::CheckModalScript();
    EndGraphicsThread();
    MainFrame() = Frame(kPlacementMain);
    LayoutFrame() = Frame(kPlacementLayout);
    ListFrame() = Frame(kPlacementList);
    ResultsFrame() = Frame(kPlacementResults);
    GraphicsFrame() = Frame(kPlacementGraphics);
    ActiveWindow = nullptr;
    ActiveAccelerators = nullptr;
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    platform::RegisterResources(nullptr, 0);
    TheModel().modified = false;
    SettingsFixture::TearDown();
  }

  // The program's resources and the extra templates given as (name, text).
  void UseResources(const std::vector<std::pair<std::string, std::string>>& dialogs) {
    extraNames_.clear();
    extraTexts_.clear();
    for (const auto& [name, text] : dialogs) {
      extraNames_.push_back(name);
      extraTexts_.push_back(text);
    }
    entries_.assign(QuorvelResources().begin(), QuorvelResources().end());
    for (std::size_t i = 0; i < extraNames_.size(); ++i)
      entries_.push_back({platform::ResourceType::Dialog, extraNames_[i].c_str(),
                          reinterpret_cast<const unsigned char*>(extraTexts_[i].data()), extraTexts_[i].size()});
    platform::RegisterResources(entries_.data(), entries_.size());
  }

  // The texts of the visible line statics 1500 onwards of a message dialog.
  static std::vector<std::string> LinesOf(HWND dialog) {
    std::vector<std::string> lines;
    for (int item = 1500; item < 1506; ++item) {
      HWND line = GetDlgItem(dialog, item);
      if (line == nullptr) break;
      char text[256] = {};
      GetWindowText(line, text, sizeof text);
      lines.push_back(text);
    }
    return lines;
  }

  // Closes the program the way the user does and runs the loop to its end,
  // then the shutdown; returns the loop's exit code.
  static int CloseAndExit() {
    PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
    const int code = RunMessageLoop();
    EndGraphicsThread();
    ExitApplication();
    return code;
  }

  static std::string TextOfWindow(HWND window) { return TextOf(window); }
  static std::vector<std::string> LinesOfDialog(HWND dialog) { return LinesOf(dialog); }
  static std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowText(window, text, sizeof text);
    return text;
  }

  // Clicks a button through the mouse, as a user would.
  static void Click(HWND button) {
    RECT rect{};
    GetClientRect(button, &rect);
    platform::TestMouse(button, WM_LBUTTONDOWN, rect.right / 2, rect.bottom / 2);
    platform::TestMouse(button, WM_LBUTTONUP, rect.right / 2, rect.bottom / 2);
  }

 private:
  char instanceTag_ = 0;
  std::vector<std::string> extraNames_, extraTexts_;
  std::vector<platform::ResourceEntry> entries_;
};
