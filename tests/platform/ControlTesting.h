// The fixture of the control tests: the layer's controls registered, a shown
// top-level "Recorder" window that logs what its controls tell it, and
// helpers that read the WM_COMMAND / WM_NOTIFY traffic back and click.
#pragma once

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Controls.h"
#include "platform/Input.h"
#include "platform/PlatformTest.h"

class ControlTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    platform::ResetClipboard();
    InitCommonControls();
    RegisterRecorder();
    top = MakeTop(&log, 100, 100, 400, 300);
    ShowWindow(top, SW_SHOW);
    platform::RunUntilIdle();
  }
  void TearDown() override {
    PlatformTest::TearDown();
    platform::ResetClipboard();
  }

  HWND Make(LPCSTR className, LPCSTR text, DWORD style, int x, int y, int width, int height, int id,
            DWORD exStyle = 0) {
    HWND control = CreateWindowEx(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, top,
                                  reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr);
    return control;
  }

  // (control id, notification code) of each WM_COMMAND the top window got.
  std::vector<std::pair<int, UINT>> Commands() {
    std::vector<std::pair<int, UINT>> result;
    for (const Logged& entry : log.Only({WM_COMMAND}))
      if (entry.window == top) result.emplace_back(LOWORD(entry.wParam), HIWORD(entry.wParam));
    return result;
  }
  // The codes only, for one control.
  std::vector<UINT> CodesOf(int id) {
    std::vector<UINT> result;
    for (auto [from, code] : Commands())
      if (from == id) result.push_back(code);
    return result;
  }

  void Click(HWND window, int x, int y) {
    platform::TestMouse(window, WM_MOUSEMOVE, x, y);
    platform::TestMouse(window, WM_LBUTTONDOWN, x, y);
    platform::TestMouse(window, WM_LBUTTONUP, x, y);
    platform::RunUntilIdle();
  }
  void Press(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  void WithKey(UINT modifier, UINT key) {
    platform::TestKeyDown(modifier);
    platform::TestKeyPress(key);
    platform::TestKeyUp(modifier);
    platform::RunUntilIdle();
  }
  static std::string Text(HWND window) {
    char buffer[512] = "";
    GetWindowText(window, buffer, sizeof buffer);
    return buffer;
  }
  // A grey clearly darker than the face and lighter than black: greyed text
  // and marks (text edges blend with the face, so near-neutral counts).
  static bool IsGrey(COLORREF colour) {
    int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    return std::abs(r - g) <= 8 && std::abs(g - b) <= 12 && r > 64 && r < 170;
  }
  static bool IsBluish(COLORREF colour) { return GetBValue(colour) > GetRValue(colour) + 100; }
  static int CountBluish(HWND window, RECT area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += IsBluish(platform::GetWindowPixel(window, x, y));
    return count;
  }
  static int CountGrey(HWND window, RECT area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += IsGrey(platform::GetWindowPixel(window, x, y));
    return count;
  }
  // Counts pixels of `colour` in a client rectangle of the window.
  static int CountPixels(HWND window, RECT area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += platform::GetWindowPixel(window, x, y) == colour;
    return count;
  }

  MessageLog log;
  HWND top = nullptr;
};
