// The real program on an Xvfb server under openbox, typed at as fast as a
// user types a sequence known by heart, its frames activated by the manager.
#include <gtest/gtest.h>
#include <poll.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/ModelFile.h"
#include "model/Model.h"
#include "platform/FileNames.h"
#include "x11/WindowManager.h"
#include "x11/XInput.h"
#include "x11/XProperty.h"
#include "x11/XvfbServer.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSeismic = "Static Seismic Load (g's)";

template <bool FollowMouse>
class ProgramUnderOpenbox : public OnXvfbWithWindowManager<testing::Test, FollowMouse> {
 protected:
  using Server = OnXvfbWithWindowManager<testing::Test, FollowMouse>;
  // The program at its first start on a copy of the sample, its Layout with the keyboard.
  void SetUp() override {
    Server::SetUp();
    fs::remove_all(fs::path(std::getenv("XDG_CONFIG_HOME")) / "quorvel");
    fs::copy_file(QUORVEL_SOURCE_DIR "/examples/Sample.mod", model_, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(program_.Start({QUORVEL_BINARY_DIR "/quorvel", model_}));
    ASSERT_TRUE(Until([&] { return Titled("Quorvel : Graphics") != 0 && Focused("Quorvel : Layout"); }));
  }

  // Looks at the server every 20 ms until `done`, at most `limitMs`.
  static bool Until(const std::function<bool()>& done, int limitMs = 20000) {
    for (int waited = 0; !done(); waited += 20) {
      if (waited >= limitMs) return false;
      poll(nullptr, 0, 20);
    }
    return true;
  }
  std::string Title(unsigned long window) { return WindowProperty(x_.get(), window, "_NET_WM_NAME"); }
  unsigned long Titled(const std::string& start) {
    for (unsigned long window : windows_.ShownProgramWindows())
      if (Title(window).rfind(start, 0) == 0) return window;
    return 0;
  }
  bool Focused(const std::string& start) { return Title(windows_.FocusWindow()).rfind(start, 0) == 0; }
  int Shown(const std::string& start) {
    int count = 0;
    for (unsigned long window : windows_.ShownProgramWindows()) count += Title(window).rfind(start, 0) == 0;
    return count;
  }
  // The program started again on `model`, its Layout with the keyboard.
  bool Restart(const std::string& model) {
    program_.Kill();
    return program_.Start({QUORVEL_BINARY_DIR "/quorvel", model}) &&
           Until([&] { return Titled("Quorvel : Graphics") != 0 && Focused("Quorvel : Layout"); });
  }
  std::string LayoutTitle() { return Title(Titled("Quorvel : Layout")); }
  // File > Save As from the Layout.
  bool SaveAs() {
    input_.Chord("Alt_L", "f");
    input_.Key("a");
    return Until([&] { return Focused("Save As"); });
  }
  // The menus on the screen: shown program windows the manager does not frame.
  int Menus() {
    int count = 0;
    for (unsigned long window : windows_.ShownProgramWindows()) {
      XWindowAttributes attributes{};
      count += XGetWindowAttributes(x_.get(), window, &attributes) && attributes.override_redirect;
    }
    return count;
  }
  // Alt+V; once a menu shows and the manager is done, how many show.
  int ViewMenus() {
    input_.Chord("Alt_L", "v");
    return Until([&] { return Menus() > 0; }) && windows_.SyncWithManager() ? Menus() : 0;
  }

  // Loads > Static seismic from the keyboard, 0.35 typed for X; the
  // dialog's X window, 0 when it did not get the keyboard.
  unsigned long TypeIntoSeismic() {
    input_.Chord("Alt_L", "l");
    input_.Key("s");
    if (!Until([&] { return Focused(kSeismic); })) return 0;
    for (const char* key : {"0", "period", "3", "5"}) input_.Key(key);
    return Titled(kSeismic);
  }
  // Return in the dialog, Ctrl+S from the Layout: the X acceleration saved
  // (-1 when the dialog or the save did not go as a user expects).
  float OkAndSave() {
    const fs::file_time_type before = fs::last_write_time(model_);
    input_.Key("Return");
    if (!Until([&] { return Titled(kSeismic) == 0 && Focused("Quorvel : Layout"); })) return -1.0f;
    input_.Chord("Control_L", "s");
    if (!Until([&] { return fs::last_write_time(model_) != before; })) return -1.0f;
    program_.Kill();
    Model saved;
    ReadModelFileInto(model_, saved);
    return saved.seismic.g[0];
  }
  // A click into the Graphics window, or under a focus that follows the
  // pointer the pointer moved into it, while a Layout dialog is open: the
  // dialog stays with what was typed and takes the keys, and OK stores it.
  void LeaveTheDialogForTheGraphicsWindow() {
    ASSERT_NE(TypeIntoSeismic(), 0u) << "the Static Seismic dialog did not come";
    const std::string graphics = Title(Titled("Quorvel : Graphics"));
    int x = 0, y = 0;
    ASSERT_TRUE(input_.PlaceOf(graphics, &x, &y));
    input_.WatchFocus();
    if (FollowMouse) input_.Move(x + 300, y + 250);
    else input_.Click(x + 300, y + 250);
    ASSERT_TRUE(windows_.SyncWithManager());
    EXPECT_TRUE(Until([&] { return input_.GotFocus(graphics); })) << "the manager kept the Graphics window unfocused";
    EXPECT_TRUE(Until([&] { return Focused(kSeismic); })) << "the dialog is gone or lost the keyboard";
    if (FollowMouse) {  // the pointer into the Layout, which has the keyboard once the dialog goes
      ASSERT_TRUE(input_.PlaceOf(Title(Titled("Quorvel : Layout")), &x, &y));
      input_.Move(x + 100, y + 150);
    }
    EXPECT_FLOAT_EQ(OkAndSave(), 0.35f);
  }

  // Misc > Materials, the first material's dialog opened over the List
  // window and "h" typed into its description: the dialog's X window, 0
  // when it did not come.
  unsigned long OpenMaterialDialog() {
    input_.Chord("Alt_L", "m");
    for (const char* key : {"m", "Return"}) input_.Key(key);
    if (!Until([&] { return Focused("Quorvel : Materials"); })) return 0;
    input_.Chord("Control_L", "e");
    if (!Until([&] { return Focused("Material # 1"); })) return 0;
    for (const char* key : {"Tab", "Tab", "h"}) input_.Key(key);
    return Titled("Material # 1");
  }
  // "x" and Return in the material's dialog, Ctrl+S from the Layout: the
  // description saved ("(not saved)" when the dialog or the save did not
  // go as a user expects).
  std::string OkAndSaveDescription() {
    const fs::file_time_type before = fs::last_write_time(model_);
    for (const char* key : {"x", "Return"}) input_.Key(key);
    if (!Until([&] { return Titled("Material # 1") == 0 && Focused("Quorvel : Materials"); })) return "(not saved)";
    windows_.ActivateAsPager(Titled("Quorvel : Layout"));
    if (!Until([&] { return Focused("Quorvel : Layout"); })) return "(not saved)";
    input_.Chord("Control_L", "s");
    if (!Until([&] { return fs::last_write_time(model_) != before; })) return "(not saved)";
    program_.Kill();
    Model saved;
    ReadModelFileInto(model_, saved);
    return saved.materials[1].description;
  }
  // The material's dialog open, the manager activates the Layout (as a
  // taskbar asks, or as the pointer moved into it makes it): the dialog
  // comes up over the Layout with the keyboard, so that what is typed next
  // goes where the user sees it.
  void ActivateTheLayoutUnderAListDialog() {
    const unsigned long layout = Titled("Quorvel : Layout"), dialog = OpenMaterialDialog();
    ASSERT_NE(dialog, 0u) << "the material's dialog did not come";
    int x = 0, y = 0;
    ASSERT_TRUE(input_.PlaceOf(Title(layout), &x, &y));
    if (FollowMouse) input_.Move(x + 40, y + 300);
    else windows_.ActivateAsPager(layout);
    ASSERT_TRUE(windows_.SyncWithManager());
    EXPECT_TRUE(Until([&] {
      return Focused("Material # 1") && windows_.ManagersActiveWindow() == dialog &&
             windows_.StackingPlace(dialog) > windows_.StackingPlace(layout);
    })) << "the dialog stayed behind the Layout, which " << (Focused("Quorvel : Layout") ? "has" : "lacks")
        << " the keyboard";
    EXPECT_EQ(OkAndSaveDescription(), "hx");
  }

  // The manager minimises the dialog, and with it the frame it belongs to;
  // false when it did not.
  bool MinimiseWithItsOwner(unsigned long dialog) {
    const std::string title = Title(dialog);
    windows_.Minimise(dialog);
    return Until([&] { return Titled(title) == 0; }) && windows_.SyncWithManager();
  }

  ManagedWindows windows_{Server::display_};
  XInput input_{Server::display_};
  std::unique_ptr<Display, decltype(&XCloseDisplay)> x_{XOpenDisplay(Server::display_.c_str()), XCloseDisplay};
  ChildProcess program_;  // ends before the connections
  const std::string model_ = std::string(std::getenv("TMPDIR")) + "/Sample.mod";
};

class TypedAheadX11Test : public ProgramUnderOpenbox<false> {};
class TypedAheadFollowingMouseX11Test : public ProgramUnderOpenbox<true> {};

TEST_F(TypedAheadX11Test, AClickInTheGraphicsWindowLeavesADialogWithItsValues) {
  LeaveTheDialogForTheGraphicsWindow();
}

TEST_F(TypedAheadFollowingMouseX11Test, ThePointerAcrossTheGraphicsWindowLeavesADialogWithItsValues) {
  LeaveTheDialogForTheGraphicsWindow();
}

// The Static Seismic dialog offers the manager no minimise or maximise;
// minimised all the same (as openbox does, with the Layout it belongs to),
// it stays open with what was typed, a key typed meanwhile reaches no
// window, and it comes back with the Layout.
TEST_F(TypedAheadX11Test, AMinimisedDialogComesBackWithItsOwnerAndItsValues) {
  const unsigned long layout = Titled("Quorvel : Layout"), seismic = TypeIntoSeismic();
  ASSERT_NE(seismic, 0u) << "the Static Seismic dialog did not come";
  EXPECT_FALSE(windows_.Allows(seismic, "_NET_WM_ACTION_MAXIMIZE_HORZ"));
  EXPECT_TRUE(windows_.Allows(layout, "_NET_WM_ACTION_MAXIMIZE_HORZ"));
  ASSERT_TRUE(MinimiseWithItsOwner(seismic)) << "the manager did not minimise the dialog";
  input_.Key("9");
  windows_.ActivateAsPager(layout);
  ASSERT_TRUE(Until([&] { return Focused(kSeismic); })) << "the dialog did not come back with the Layout";
  EXPECT_FLOAT_EQ(OkAndSave(), 0.35f);
}

// The material's dialog minimised with the List window: a key typed in
// the Layout meanwhile reaches no window, and a click in the Graphics
// window (which the dialog holds from another thread) brings the dialog
// back with the keyboard and what was typed before.
TEST_F(TypedAheadX11Test, AClickInTheGraphicsWindowBringsBackAMinimisedDialog) {
  const unsigned long dialog = OpenMaterialDialog();
  ASSERT_NE(dialog, 0u) << "the material's dialog did not come";
  ASSERT_TRUE(MinimiseWithItsOwner(dialog)) << "the manager did not minimise the dialog";
  windows_.ActivateAsPager(Titled("Quorvel : Layout"));
  ASSERT_TRUE(Until([&] { return Focused("Quorvel : Layout"); }));
  input_.Key("z");
  int x = 0, y = 0;
  ASSERT_TRUE(input_.PlaceOf(Title(Titled("Quorvel : Graphics")), &x, &y));
  input_.Click(x + 300, y + 250);
  ASSERT_TRUE(windows_.SyncWithManager());
  ASSERT_TRUE(Until([&] { return Titled("Material # 1") == dialog && Focused("Material # 1"); }))
      << "the dialog stayed an icon";
  EXPECT_EQ(OkAndSaveDescription(), "hx");
}

// Misc > Materials, a material's dialog open over the List window, the
// Layout activated by the manager, as a taskbar asks:
TEST_F(TypedAheadX11Test, ALayoutActivatedUnderAListDialogGivesTheDialogBack) { ActivateTheLayoutUnderAListDialog(); }

// ... or as the pointer moved into the Layout makes it.
TEST_F(TypedAheadFollowingMouseX11Test, ThePointerIntoTheLayoutUnderAListDialogGivesTheDialogBack) {
  ActivateTheLayoutUnderAListDialog();
}

// A model another program named with an umlaut, opened from the command
// line: the windows' titles show its name (_NET_WM_NAME, UTF-8).
TEST_F(TypedAheadX11Test, AModelsUtf8NameShowsInTheTitles) {
  program_.Kill();
  const std::string named = std::string(std::getenv("TMPDIR")) + "/Dampfleitung \xC3\xA4.mod";
  fs::copy_file(model_, named, fs::copy_options::overwrite_existing);
  ASSERT_TRUE(program_.Start({QUORVEL_BINARY_DIR "/quorvel", named}));
  ASSERT_TRUE(Until([&] { return Titled("Quorvel : Graphics") != 0 && Focused("Quorvel : Layout"); }));
  for (const char* window : {"Quorvel : Layout", "Quorvel : Graphics"})
    EXPECT_NE(Title(Titled(window)).find("[Dampfleitung \xC3\xA4.mod ("), std::string::npos) << Title(Titled(window));
}

// A model in a folder named with 30 x U+7BA1, which the program holds in
// 270 bytes: Ctrl+O, the folder and then the model chosen in the list with
// the keys, Return: the model opens.
TEST_F(TypedAheadX11Test, AModelInAFolderOfALongNameOpensThroughTheOpenDialog) {
  std::string name;
  for (int i = 0; i < 30; ++i) name += "\xE7\xAE\xA1";
  const fs::path folder = fs::path(std::getenv("TMPDIR")) / "open";
  fs::create_directories(folder / name);
  fs::copy_file(model_, folder / "Sample.mod");
  fs::copy_file(model_, folder / name / "m.mod");
  ASSERT_TRUE(Restart((folder / "Sample.mod").string()));
  input_.Chord("Control_L", "o");
  ASSERT_TRUE(Until([&] { return Focused("Open"); })) << "the Open dialog did not come";
  input_.Key("Delete");            // the name proposed, selected
  input_.Chord("Shift_L", "Tab");  // the folder's list: [..], the folder, Sample.mod
  for (const char* key : {"Down", "Down", "Return", "End", "Return"}) input_.Key(key);
  EXPECT_TRUE(Until([&] { return LayoutTitle().find("[m.mod (") != std::string::npos; })) << LayoutTitle();
}

// A model named with 29 x U+914D, which the program holds in 265 bytes:
// File > Save As, Return on the name proposed and Yes to replacing the
// file write the model, as Ctrl+S does.
TEST_F(TypedAheadX11Test, SaveAsWritesUnderALongNameProposed) {
  std::string name;
  for (int i = 0; i < 29; ++i) name += "\xE9\x85\x8D";
  const std::string named = std::string(std::getenv("TMPDIR")) + "/" + name + ".mod";
  fs::copy_file(model_, named);
  ASSERT_TRUE(Restart(named));
  const fs::file_time_type before = fs::last_write_time(named);
  ASSERT_TRUE(SaveAs()) << "the Save As dialog did not come";
  input_.Key("Return");
  ASSERT_TRUE(Until([&] { return Shown("Save As") == 2; })) << "no question whether to replace the model";
  input_.Key("Return");
  EXPECT_TRUE(Until([&] { return fs::last_write_time(named) != before; })) << "the model was not written";
}

// File > Save As: ".mod" typed is refused with a message and stays in the
// name field; U+914D U+7BA1 U+7BA1 typed before it and one BackSpace, the
// model is written under the UTF-8 bytes of the two characters left, which
// the titles show with a stand-in each.
TEST_F(TypedAheadX11Test, ANameTypedOutsideWindows1252IsSavedAsTyped) {
  const std::string folder = std::getenv("TMPDIR");
  ASSERT_TRUE(SaveAs()) << "the Save As dialog did not come";
  for (const char* key : {"period", "m", "o", "d", "Return"}) input_.Key(key);
  ASSERT_TRUE(Until([&] { return Shown("Save As") == 2; })) << "the name without a base was not refused";
  input_.Key("Return");
  ASSERT_TRUE(Until([&] { return Shown("Save As") == 1 && Focused("Save As"); }));
  input_.Key("Home");
  for (unsigned character : {0x914Du, 0x7BA1u, 0x7BA1u}) input_.Character(character);
  for (const char* key : {"BackSpace", "Return"}) input_.Key(key);
  const std::string saved = folder + "/\xE9\x85\x8D\xE7\xAE\xA1.mod";
  ASSERT_TRUE(Until([&] { return fs::exists(saved); })) << "nothing was written under the name typed";
  EXPECT_FALSE(fs::exists(folder + "/.mod"));
  EXPECT_TRUE(Until([&] { return LayoutTitle().find("[??????.mod (") != std::string::npos; })) << LayoutTitle();
  program_.Kill();
  Model original, written;
  ReadModelFileInto(model_, original);
  ReadModelFileInto(platform::FromFileSystemName(saved), written);
  EXPECT_EQ(written.rowCount, original.rowCount);
}

// Loads > Harmonic from the title row, damping 5, OK, then Save at once.
TEST_F(TypedAheadX11Test, KeysTypedAfterAMenuCommandReachItsDialog) {
  const fs::file_time_type before = fs::last_write_time(model_);
  input_.Chord("Alt_L", "l");
  for (const char* key : {"h", "5", "Return"}) input_.Key(key);
  input_.Chord("Control_L", "s");
  ASSERT_TRUE(Until([&] { return fs::last_write_time(model_) != before; })) << "the typed save never came";
  program_.Kill();
  Model saved;
  ReadModelFileInto(model_, saved);
  EXPECT_FLOAT_EQ(saved.harmonic.damping, 5.0f);
}

// A menu open in a frame closes when the manager activates another frame, as
// a pager asks or on a click on its title; the next menu is the only one.
TEST_F(TypedAheadX11Test, AMenuClosesWhenTheManagerActivatesAnotherFrame) {
  const std::string layout = Title(Titled("Quorvel : Layout"));
  ASSERT_EQ(ViewMenus(), 1);
  windows_.ActivateAsPager(Titled("Quorvel : Graphics"));
  ASSERT_TRUE(Until([&] { return Focused("Quorvel : Graphics"); }));
  EXPECT_TRUE(Until([&] { return Menus() == 0; })) << "the Layout's menu stayed open";
  EXPECT_EQ(ViewMenus(), 1);
  int x = 0, y = 0;
  ASSERT_TRUE(input_.PlaceOf(layout, &x, &y));
  input_.Click(x + 250, y - 10);
  ASSERT_TRUE(Until([&] { return Focused("Quorvel : Layout"); }));
  EXPECT_TRUE(Until([&] { return Menus() == 0; })) << "the Graphics window's menu stayed open";
  EXPECT_EQ(ViewMenus(), 1);
}

// Units (Ctrl+U), a unit changed with the keyboard, from a Results window
// that shows no table: the keyboard stays with the Results window, so the
// next Ctrl+U opens Units over it again (read where the program left the
// keyboard, whatever the server shows meanwhile).
TEST_F(TypedAheadX11Test, UnitsFromResultsWithoutATableLeaveTheKeyboardThere) {
  input_.Key("F12");
  ASSERT_TRUE(Until([&] { return Focused("Analysis"); }, 60000)) << "the analysis question did not come";
  input_.Key("Return");
  ASSERT_TRUE(Until([&] { return Focused("Results"); }, 60000)) << "the result chooser did not come";
  input_.Key("Escape");
  ASSERT_TRUE(Until([&] { return Focused("Quorvel : Results"); }));
  input_.Chord("Control_L", "u");
  ASSERT_TRUE(Until([&] { return Focused("Units"); }));
  for (const char* key : {"Tab", "Tab", "Down", "Return"}) input_.Key(key);
  ASSERT_TRUE(Until([&] { return Titled("Units") == 0; }));
  input_.Chord("Control_L", "u");
  ASSERT_TRUE(Until([&] { return Focused("Units"); }));
  EXPECT_EQ(windows_.TransientFor(Titled("Units")), Titled("Quorvel : Results"))
      << "the keyboard went to " << Title(windows_.TransientFor(Titled("Units")));
  input_.Key("Escape");
  EXPECT_TRUE(Until([&] { return Titled("Units") == 0 && Focused("Quorvel : Results"); }));
}

// Units closed with Return and Ctrl+Delete typed at once, many times: the
// Delete Rows dialog must come every time, whether the keys reach the
// server before the Units dialog goes or just after (taken as it goes,
// before the manager can focus its owner).
TEST_F(TypedAheadX11Test, KeysTypedAsADialogClosesAreNeverLost) {
  auto viewable = [&](unsigned long window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(x_.get(), window, &attributes) != 0 && attributes.map_state == IsViewable;
  };
  for (int trial = 1; trial <= 40; ++trial) {
    input_.Chord("Control_L", "u");
    ASSERT_TRUE(Until([&] { return Focused("Units"); })) << "trial " << trial;
    const unsigned long units = Titled("Units");
    input_.Key("Return");
    if (trial % 2 == 0)
      for (int look = 0; look < 100000 && viewable(units); ++look) {
      }
    input_.Chord("Control_L", "Delete");
    ASSERT_TRUE(Until([&] { return Focused("Delete Rows"); })) << "Ctrl+Delete was lost in trial " << trial;
    input_.Key("Escape");
    ASSERT_TRUE(Until([&] { return Titled("Delete Rows") == 0 && Focused("Quorvel : Layout"); })) << "trial " << trial;
  }
}

// File > Revision Record left with the keyboard: Escape, Tab then Escape,
// and a typed letter dropped by one Escape and the dialog left by the next,
// each time back to the Layout, whose model stays unchanged.
TEST_F(TypedAheadX11Test, EscapeLeavesTheRevisionRecordWhenNoCellHoldsTypedText) {
  const fs::file_time_type before = fs::last_write_time(model_);
  for (const std::vector<const char*>& keys :
       {std::vector<const char*>{"Escape"}, {"Tab", "Escape"}, {"x", "Escape", "Escape"}}) {
    input_.Chord("Alt_L", "f");
    for (const char* key : {"r", "r", "Return"}) input_.Key(key);
    ASSERT_TRUE(Until([&] { return Focused("Revision Record"); })) << "the Revision Record did not come";
    for (const char* key : keys) input_.Key(key);
    EXPECT_TRUE(Until([&] { return Titled("Revision Record") == 0 && Focused("Quorvel : Layout"); }))
        << "the Revision Record stayed open after " << keys.size() << " key(s)";
  }
  input_.Chord("Control_L", "s");
  ASSERT_TRUE(Until([&] { return fs::last_write_time(model_) != before; })) << "the save never came";
  program_.Kill();
  Model saved;
  ReadModelFileInto(model_, saved);
  EXPECT_EQ(saved.revisions.count, 0);
}

// File > Revision Record with keys only: a revision typed and entered,
// then Tab through the new row's three cells and on to OK, which Return
// presses; the saved model holds the revision.
TEST_F(TypedAheadX11Test, ARevisionIsStoredWithTheKeyboardAlone) {
  const fs::file_time_type before = fs::last_write_time(model_);
  input_.Chord("Alt_L", "f");
  for (const char* key : {"r", "r", "Return"}) input_.Key(key);
  ASSERT_TRUE(Until([&] { return Focused("Revision Record"); })) << "the Revision Record did not come";
  for (const char* key : {"a", "Tab", "9", "Tab", "x", "Return", "Tab", "Tab", "Tab", "Return"}) input_.Key(key);
  ASSERT_TRUE(Until([&] { return Titled("Revision Record") == 0 && Focused("Quorvel : Layout"); }))
      << "Tab and Return did not reach OK";
  input_.Chord("Control_L", "s");
  ASSERT_TRUE(Until([&] { return fs::last_write_time(model_) != before; })) << "the save never came";
  program_.Kill();
  Model saved;
  ReadModelFileInto(model_, saved);
  ASSERT_EQ(saved.revisions.count, 1);
  EXPECT_EQ(saved.revisions.rows[1].rev, "a");
  EXPECT_EQ(saved.revisions.rows[1].revDate, "9");
  EXPECT_EQ(saved.revisions.rows[1].remarks, "x");
}

}  // namespace
