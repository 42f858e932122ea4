// The fixture of every test that drives windows: the layer in test mode
// (virtual clock, counted beeps, the modal script), its failures routed to
// the test, and a clean layer for the next test. Also a window class that
// records the messages it gets, for tests of message order.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"

class PlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
  }
  void TearDown() override {
    platform::RunUntilIdle();
    platform::CheckModalScript();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
  }
};

// One recorded message.
struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Messages seen by windows of the "Recorder" class (the log is passed as the
// creation parameter). A hook may answer a message instead of DefWindowProc.
struct MessageLog {
  std::mutex lock;
  std::vector<Logged> entries;
  std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> hook;

  std::vector<UINT> MessagesOf(HWND window, const std::vector<UINT>& wanted) {
    std::lock_guard guard(lock);
    std::vector<UINT> result;
    for (const Logged& entry : entries)
      if (entry.window == window && std::find(wanted.begin(), wanted.end(), entry.message) != wanted.end())
        result.push_back(entry.message);
    return result;
  }
  std::vector<Logged> Only(const std::vector<UINT>& wanted) {
    std::lock_guard guard(lock);
    std::vector<Logged> result;
    for (const Logged& entry : entries)
      if (std::find(wanted.begin(), wanted.end(), entry.message) != wanted.end()) result.push_back(entry);
    return result;
  }
  int Count(HWND window, UINT message) {
    std::lock_guard guard(lock);
    int count = 0;
    for (const Logged& entry : entries) count += entry.window == window && entry.message == message;
    return count;
  }
  void Clear() {
    std::lock_guard guard(lock);
    entries.clear();
  }
};

inline LRESULT RecorderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCT*>(lParam);
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* log = reinterpret_cast<MessageLog*>(GetWindowLongPtr(window, GWLP_USERDATA));
  if (log != nullptr) {
    {
      std::lock_guard guard(log->lock);
      log->entries.push_back(Logged{window, message, wParam, lParam});
    }
    LRESULT answer = 0;
    if (log->hook && log->hook(window, message, wParam, lParam, &answer)) return answer;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

inline void RegisterRecorder(const char* name = "Recorder", UINT style = 0, HBRUSH background = nullptr,
                             int extra = 0) {
  WNDCLASS windowClass{};
  windowClass.style = style;
  windowClass.lpfnWndProc = RecorderProcedure;
  windowClass.cbWndExtra = extra;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  ASSERT_NE(RegisterClass(&windowClass), 0);
}

inline HWND MakeTop(MessageLog* log, int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW,
                    const char* className = "Recorder") {
  return CreateWindowEx(0, className, "top", style, x, y, width, height, nullptr, nullptr, nullptr, log);
}

inline HWND MakeChild(MessageLog* log, HWND parent, int x, int y, int width, int height, DWORD style = 0,
                      int id = 0, const char* className = "Recorder", DWORD exStyle = 0) {
  return CreateWindowEx(exStyle, className, "child", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                        parent, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, log);
}
