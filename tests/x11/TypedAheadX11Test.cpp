// The real program on a private Xvfb server under a window manager
// (openbox), typed at as fast as a user types a sequence known by heart,
// and its frames activated by the manager: the keys typed after a menu's
// closing key reach the dialog the command opens, not the window behind
// it; a menu open in a frame closes when the manager activates another
// frame (as a pager asks, or by a click on the other's title), and the
// next menu is the only one on the screen; Units from a Results window
// that shows no table leaves the keyboard with the Results window.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "files/ModelFile.h"
#include "model/Model.h"
#include "x11/ChildProcess.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

namespace {

namespace fs = std::filesystem;

class TypedAheadX11Test : public testing::Test {
 protected:
  void SetUp() override {
    display_ = server_.Start("1600x1000x24");
    ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
    ASSERT_EQ(manager_.Start(display_), "") << "no window manager";
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    windows_ = std::make_unique<ManagedWindows>(display_);
    input_ = std::make_unique<XInput>(display_);
  }
  void TearDown() override {
    program_.Kill();
    input_.reset();
    windows_.reset();
    if (x_ != nullptr) XCloseDisplay(x_);
  }

  // Starts the program on a copy of the sample model, with settings of its
  // own, and waits until its Layout window has the keyboard.
  void StartOnSample() {
    const fs::path folder = fs::path(std::getenv("TMPDIR")) / ("typed-" + std::to_string(++starts_));
    fs::remove_all(folder);
    fs::create_directories(folder / "home");
    fs::create_directories(folder / "config");
    model_ = (folder / "Sample.mod").string();
    fs::copy_file(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", model_);
    ChildOptions options;
    options.environment = {{"DISPLAY", display_},
                           {"QUORVEL_DISPLAY", ""},
                           {"HOME", (folder / "home").string()},
                           {"XDG_CONFIG_HOME", (folder / "config").string()}};
    ASSERT_TRUE(program_.Start({QUORVEL_BINARY_DIR "/quorvel", model_}, options));
    ASSERT_TRUE(WaitFor([&] { return Titled("Quorvel : Layout") != 0 && Titled("Quorvel : Graphics") != 0; }))
        << "the model's windows did not come up";
    ASSERT_TRUE(WaitFor([&] { return Focused("Quorvel : Layout"); })) << "the Layout never had the keyboard";
  }

  // Looks at the server every few milliseconds until `done`, at most 20 s.
  bool WaitFor(const std::function<bool()>& done, int limitMs = 20000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      poll(nullptr, 0, 20);
    }
    return true;
  }
  // The shown program window whose title starts with `start`; 0 when none.
  unsigned long Titled(const std::string& start) {
    for (unsigned long window : windows_->ShownProgramWindows())
      if (WindowProperty(x_, window, "_NET_WM_NAME").rfind(start, 0) == 0) return window;
    return 0;
  }
  bool Focused(const std::string& start) {
    const unsigned long window = Titled(start);
    return window != 0 && windows_->FocusWindow() == window;
  }
  // The menus on the screen: shown program windows that no manager frames.
  int MenusShown() {
    int menus = 0;
    for (unsigned long window : windows_->ShownProgramWindows()) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(x_, window, &attributes) && attributes.override_redirect) ++menus;
    }
    return menus;
  }
  fs::file_time_type Saved() { return fs::last_write_time(model_); }

  XvfbServer server_;
  WindowManager manager_;
  std::string display_;
  Display* x_ = nullptr;
  std::unique_ptr<ManagedWindows> windows_;
  std::unique_ptr<XInput> input_;
  ChildProcess program_;
  std::string model_;
  static inline int starts_ = 0;
};

TEST_F(TypedAheadX11Test, KeysTypedAfterAMenuCommandReachItsDialog) {
  StartOnSample();
  // With the title row current: Loads > Harmonic, damping 5, OK, then Save.
  const fs::file_time_type before = Saved();
  input_->Chord("Alt_L", "l");
  input_->Key("h");
  input_->Key("5");
  input_->Key("Return");
  input_->Chord("Control_L", "s");
  if (!WaitFor([&] { return Saved() != before; })) {
    // The dialog kept the keyboard: closed, the model is saved as it is.
    ADD_FAILURE() << "the save typed after the dialog's Return did not reach the Layout";
    input_->Key("Escape");
    input_->Chord("Control_L", "s");
    ASSERT_TRUE(WaitFor([&] { return Saved() != before; })) << "the model was never saved";
  }
  program_.Kill();
  Model saved;
  ReadModelFileInto(model_, saved);
  EXPECT_EQ(saved.title, "Sample 8 inch line");
  EXPECT_FLOAT_EQ(saved.harmonic.damping, 5.0f);
}

TEST_F(TypedAheadX11Test, AMenuClosesWhenTheManagerActivatesAnotherFrame) {
  StartOnSample();
  const unsigned long layout = Titled("Quorvel : Layout"), graphics = Titled("Quorvel : Graphics");
  input_->Chord("Alt_L", "v");
  ASSERT_TRUE(WaitFor([&] { return MenusShown() == 1; })) << "the Layout's View menu did not open";
  // A pager activates the Graphics window (another thread's).
  windows_->ActivateAsPager(graphics);
  ASSERT_TRUE(WaitFor([&] { return Focused("Quorvel : Graphics"); }));
  EXPECT_TRUE(WaitFor([&] { return MenusShown() == 0; })) << "the Layout's menu stayed on the screen";
  input_->Chord("Alt_L", "v");
  ASSERT_TRUE(WaitFor([&] { return MenusShown() > 0; })) << "the Graphics window's View menu did not open";
  ASSERT_TRUE(windows_->SyncWithManager());
  EXPECT_EQ(MenusShown(), 1);
  // A click on the Layout's title: the Graphics window's menu closes.
  int x = 0, y = 0;
  ASSERT_TRUE(input_->PlaceOf(WindowProperty(x_, layout, "_NET_WM_NAME"), &x, &y));
  input_->Click(x + 250, y - 10);
  ASSERT_TRUE(WaitFor([&] { return Focused("Quorvel : Layout"); }));
  EXPECT_TRUE(WaitFor([&] { return MenusShown() == 0; })) << "the Graphics window's menu stayed on the screen";
  input_->Chord("Alt_L", "v");
  ASSERT_TRUE(WaitFor([&] { return MenusShown() > 0; })) << "the Layout's View menu did not open again";
  ASSERT_TRUE(windows_->SyncWithManager());
  EXPECT_EQ(MenusShown(), 1);
}

TEST_F(TypedAheadX11Test, UnitsFromResultsWithoutATableLeaveTheKeyboardThere) {
  StartOnSample();
  input_->Key("F12");
  ASSERT_TRUE(WaitFor([&] { return Focused("Analysis"); }, 60000)) << "the analysis question did not come";
  input_->Key("Return");
  ASSERT_TRUE(WaitFor([&] { return Focused("Results"); }, 60000)) << "the result chooser did not come";
  input_->Key("Escape");
  ASSERT_TRUE(WaitFor([&] { return Focused("Quorvel : Results"); })) << "the Results window did not have the keyboard";
  input_->Chord("Control_L", "u");
  ASSERT_TRUE(WaitFor([&] { return Focused("Units"); })) << "the Units dialog did not come";
  // A unit changed: the open tables show their values again.
  input_->Key("Tab");
  input_->Key("Tab");
  input_->Key("Down");
  input_->Key("Return");
  ASSERT_TRUE(WaitFor([&] { return Titled("Units") == 0; })) << "the Units dialog did not close";
  ASSERT_TRUE(windows_->SyncWithManager());
  EXPECT_TRUE(WaitFor([&] { return Focused("Quorvel : Results"); }))
      << "the keyboard went to " << WindowProperty(x_, windows_->FocusWindow(), "_NET_WM_NAME");
}

}  // namespace
