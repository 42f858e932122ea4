// Start-up, main loop and shutdown: the order of the start-up and shutdown
// steps, the first-run message and marker, the environment switches and
// their beeps, the command line, the three last-chance handlers with their
// message boxes and the save question, and the fault texts.
#include <csignal>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <new>
#include <stdexcept>

#include "application/MainWindow.h"
#include "files/BatchImport.h"
#include "files/ModelFile.h"
#include "model/LayoutRow.h"
#include "model/RowObjects.h"
#include "services/AppTesting.h"
#include "services/NumberText.h"
#include "services/StartupSwitches.h"
#include "services/TempFiles.h"
#include "services/ViewRequests.h"

namespace {

class ApplicationTest : public AppFixture {
 protected:
  void TearDown() override {
    for (const char* name : {"QVMANUAL", "QVBROCHURE", "QVUNTITLED", "QVVERIFY", "BOURDONP", "INCREASE_DIGITS", "MPREC"})
      unsetenv(name);
    g_NumberTextSwitches = NumberTextSwitches{};
    ManualMode = BrochureMode = UntitledMode = false;
    VerificationMode = 0;
    BourdonSwitch = true;
    AppFixture::TearDown();
  }

  static bool FirstRunMessageQueued() {
    MSG message{};
    return PeekMessage(&message, MainFrame().window, kFirstRunMessage, kFirstRunMessage, PM_NOREMOVE) != 0;
  }
};

const std::vector<std::string> kStartSteps = {
    "start: GUI thread",
    "start: help file path",
    "start: environment switches",
    "start: start-up file name",
    "start: screen metrics",
    "start: accelerator tables",
    "start: cursors and icons",
    "start: small and underlined fonts",
    "start: printer settings",
    "start: default window rectangles",
    "start: program settings",
    "start: pens and brushes",
    "start: text and graphics fonts",
    "start: main window",
    "start: table window class",
    "start: message window class",
    "start: Layout window",
    "start: graphics thread",
    "start: List window",
    "start: Results window class",
    "start: progress window class",
    "start: graphics frame layout",
    "start: start-up file",
    "start: first-run check",
};

const std::vector<std::string> kExitSteps = {
    "exit: program settings", "exit: printer settings",   "exit: fonts",
    "exit: pens and brushes", "exit: accelerator tables", "exit: help file path",
    "exit: first-run marker",
};

TEST_F(ApplicationTest, StartUpRunsItsStepsInOrderAndShowsTheMainWindow) {
  InitApplication("");
  EXPECT_EQ(ApplicationStepLog(), kStartSteps);
  HWND main = MainFrame().window;
  ASSERT_TRUE(IsWindow(main));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(TextOf(main), "Quorvel");
  EXPECT_EQ(ActiveWindow, main);
  EXPECT_NE(MainAccelerators, nullptr);
  EXPECT_EQ(ActiveAccelerators, MainAccelerators);
  EXPECT_EQ(GuiThreadId, GetCurrentThreadId());
  // The graphics window exists before start-up goes on, on a thread of its own.
  HWND graphics = GraphicsWindowHandle();
  ASSERT_TRUE(IsWindow(graphics));
  char className[64] = {};
  GetClassName(graphics, className, sizeof className);
  EXPECT_STREQ(className, "QuorvelGraphics");
  EXPECT_NE(GetWindowThreadProcessId(graphics, nullptr), GuiThreadId);
  EXPECT_FALSE(IsWindowVisible(graphics));
  EXPECT_EQ(ProgramFolder.back(), '/');
  EXPECT_EQ(HelpFilePath, ProgramFolder + "Quorvel.hlp");
  EXPECT_EQ(CloseAndExit(), 0);
}

TEST_F(ApplicationTest, DefaultRectanglesFollowTheWorkArea) {
  // 1280 x 1024 headless: the main window 500 x 407 centred; the graphics
  // window 11/10 of 8/10 of the height wide (900), at the bottom left.
  InitApplication("");
  const RECT main = FramePlacement(kPlacementMain).rcNormalPosition;
  EXPECT_EQ(main.left, 390);
  EXPECT_EQ(main.top, 308);
  EXPECT_EQ(main.right, 890);
  EXPECT_EQ(main.bottom, 715);
  // Layout: 68 characters wide; List beside it, pushed left to end at the
  // right edge when it would pass it; both as tall as 15 rows at most half
  // the height. The window manager puts a title bar and borders around
  // each window (a caption and two frames high, two frames wide): the
  // Graphics and Results windows start that far below the Layout and end
  // that far above the bottom, the List and Results windows keep that far
  // from their left neighbours and from the right edge.
  const int decorationHeight = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  const int decorationWidth = 2 * GetSystemMetrics(SM_CXFRAME);
  ASSERT_EQ(decorationHeight, 27);
  ASSERT_EQ(decorationWidth, 8);
  const RECT graphics = FramePlacement(kPlacementGraphics).rcNormalPosition;
  const RECT layout = FramePlacement(kPlacementLayout).rcNormalPosition;
  const RECT list = FramePlacement(kPlacementList).rcNormalPosition;
  const RECT results = FramePlacement(kPlacementResults).rcNormalPosition;
  const int cw = layout.right / 68;
  EXPECT_EQ(layout.left, 0);
  EXPECT_EQ(layout.top, 0);
  EXPECT_EQ(layout.right, 68 * cw);
  EXPECT_GT(cw, 3);
  EXPECT_LE(layout.bottom, 512);
  EXPECT_EQ(graphics.left, 0);
  EXPECT_EQ(graphics.top, layout.bottom + 27);
  EXPECT_EQ(graphics.right, 900);
  EXPECT_EQ(graphics.bottom, 1024 - 27);
  EXPECT_EQ(list.top, 0);
  EXPECT_EQ(list.bottom, layout.bottom);
  const int listLeft = 68 * cw + 8;
  const int listWidth = std::max(1280 - listLeft - 8, 72 * cw);
  EXPECT_EQ(list.right - list.left, listWidth);
  EXPECT_EQ(list.left, listLeft + listWidth + 8 > 1280 ? 1280 - listWidth - 8 : listLeft);
  EXPECT_EQ(results.top, graphics.top);
  EXPECT_EQ(results.left, 908 + 75 * cw + 8 > 1280 ? 1280 - 75 * cw - 8 : 908);
  EXPECT_EQ(results.right, 1280 - 8);
  EXPECT_EQ(results.bottom, 1024 - 27);
  CloseAndExit();
}

TEST_F(ApplicationTest, ShutdownRunsInOrderEndsBothThreadsAndLeavesTheMarker) {
  InitApplication("");
  ProgramPreferences().largeToolbarButtons = 0;
  ApplicationStepLog().clear();
  EXPECT_EQ(CloseAndExit(), 0);
  std::vector<std::string> expected = {"exit: graphics thread"};
  expected.insert(expected.end(), kExitSteps.begin(), kExitSteps.end());
  std::vector<std::string> seen = {"exit: graphics thread"};
  seen.insert(seen.end(), ApplicationStepLog().begin(), ApplicationStepLog().end());
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(GraphicsThreadRunning());
  EXPECT_EQ(GraphicsWindowHandle(), nullptr);
  EXPECT_FALSE(IsWindow(MainFrame().window));
  EXPECT_TRUE(std::filesystem::exists(FirstRunMarkerPath()));
  EXPECT_EQ(std::filesystem::file_size(FirstRunMarkerPath()), 0u);
  // The settings reached the registry.
  EXPECT_EQ(Get("Software\\TVQ Systems\\Quorvel\\9.00\\Preferences", "Large toolbar buttons"), ByteList{0});
  EXPECT_EQ(TextFont().handle, nullptr);
  EXPECT_EQ(MainAccelerators, nullptr);
}

TEST_F(ApplicationTest, TheFirstStartAsksForTheSampleModelOnce) {
  InitApplication("");
  EXPECT_TRUE(FirstRunMessageQueued());
  CloseAndExit();
  platform::Shutdown();
  InitApplication("");
  EXPECT_FALSE(FirstRunMessageQueued());
  CloseAndExit();
}

TEST_F(ApplicationTest, AModelNamedOnTheFirstStartIsOpenedInsteadOfTheSample) {
  // A one-row model of its own, so that the file opened can be told from
  // the sample.
  Model model;
  InitEmptyModel(model, AnalysisOptions());
  model.title = "Named on the command line";
  model.rowCount = 1;
  model.row(1).elementType = ElementType::From;
  model.row(1).element = CreateElementData(ElementType::From);
  model.row(1).node = 10;
  const std::string path = TempFolder() + "/Named.mod";
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  ASSERT_FALSE(std::filesystem::exists(FirstRunMarkerPath()));
  InitApplication(path);
  EXPECT_FALSE(FirstRunMessageQueued());
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().path, path);
  EXPECT_EQ(TheModel().title, "Named on the command line");
  TheModel().modified = false;
  CloseAndExit();
  // Blanks and quotes name no file: the sample is still offered.
  platform::Shutdown();
  std::filesystem::remove(FirstRunMarkerPath());
  InitApplication(" \"\" ");
  EXPECT_TRUE(FirstRunMessageQueued());
  CloseAndExit();
  std::filesystem::remove(path);
}

TEST_F(ApplicationTest, StartUpReadsTheNumberTextSwitches) {
  setenv("INCREASE_DIGITS", "1", 1);
  setenv("MPREC", "", 1);
  InitApplication("");
  EXPECT_TRUE(g_NumberTextSwitches.increaseDigits);
  EXPECT_TRUE(g_NumberTextSwitches.momentDecimals);
  // More digits for the precise text of a value with seven of them.
  EXPECT_STREQ(FormatPrecise(1234567.0), "1.234567E+6");
  CloseAndExit();
  platform::Shutdown();
  unsetenv("INCREASE_DIGITS");
  unsetenv("MPREC");
  InitApplication("");
  EXPECT_FALSE(g_NumberTextSwitches.increaseDigits);
  EXPECT_FALSE(g_NumberTextSwitches.momentDecimals);
  EXPECT_STREQ(FormatPrecise(1234567.0), "1.2346E+6");
  CloseAndExit();
}

TEST_F(ApplicationTest, EachEnvironmentSwitchBeepsOnce) {
  const int before = platform::BeepCount();
  ReadEnvironmentSwitches();
  EXPECT_EQ(platform::BeepCount(), before);
  EXPECT_FALSE(ManualMode);
  EXPECT_TRUE(BourdonSwitch);

  setenv("QVVERIFY", "", 1);
  ReadEnvironmentSwitches();
  EXPECT_EQ(platform::BeepCount(), before + 1);
  EXPECT_EQ(VerificationMode, 502);
  EXPECT_EQ(ProgramTitle, "Quorvel");

  for (const char* name : {"QVMANUAL", "QVBROCHURE", "QVUNTITLED", "BOURDONP"}) setenv(name, "1", 1);
  ReadEnvironmentSwitches();
  EXPECT_EQ(platform::BeepCount(), before + 1 + 5);
  EXPECT_TRUE(ManualMode);
  EXPECT_TRUE(BrochureMode);
  EXPECT_TRUE(UntitledMode);
  EXPECT_FALSE(BourdonSwitch);
}

TEST_F(ApplicationTest, TheCommandLineKeepsItsCaseAndIsTestedLowerCased) {
  SetStartupFileName("C:\\Models\\Plant.MBF");
  EXPECT_EQ(StartupFileName, "C:\\Models\\Plant.MBF");
  EXPECT_EQ(StartupFileNameLower, "c:\\models\\plant.mbf");
  EXPECT_TRUE(StartupIsBatchFile);
  SetStartupFileName("/home/a/Plant.mod");
  EXPECT_EQ(StartupFileName, "/home/a/Plant.mod");
  EXPECT_FALSE(StartupIsBatchFile);
  SetStartupFileName("");
  EXPECT_FALSE(StartupIsBatchFile);
}

TEST_F(ApplicationTest, AStartUpFileGoesToTheOpenerAndABatchFileToTheImport) {
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"Model file: /data/Plant.mod", "Does not exist."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  InitApplication("/data/Plant.mod");
  platform::CheckModalScript();
  CloseAndExit();
  platform::Shutdown();
  // A batch file goes to the import, whatever the case of its extension; one
  // that cannot be read ends the run with exit code 1.
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOf(dialog), (std::vector<std::string>{"Unable to open import file:", "/data/Plant.MBF"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  InitApplication("/data/Plant.MBF");
  EXPECT_EQ(RunMessageLoop(), 1);
  EndGraphicsThread();
  ExitApplication();
  BatchRun = false;
}

// Expects the last-chance box with its caption, then the save question
// answered No.
void ExpectLastChance(const std::string& text, const std::string& caption) {
  platform::ExpectModal(platform::ModalKind::MessageBox, text, [caption](HWND box) {
    EXPECT_EQ(AppFixture::TextOfWindow(box), caption);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [](HWND dialog) {
    EXPECT_EQ(AppFixture::LinesOfDialog(dialog)[0], "Do you want to save changes to  Untitled ?");
    SendMessage(dialog, WM_COMMAND, IDNO, 0);
  });
}

// Runs the whole program through WinMain with a command line whose opening
// raises a message; while it is up, the main window is made to throw `thrown`
// on WM_APP, which is posted for the loop.
template <typename Thrower>
int RunProgramThatThrows(Thrower thrower, const std::function<void()>& expectAfterwards) {
  static Thrower s_thrower = thrower;
  static WNDPROC s_previous = nullptr;
  s_thrower = thrower;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    HWND main = MainFrame().window;
    s_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
          if (m == WM_APP) s_thrower();
          return CallWindowProc(s_previous, w, m, wp, lp);
        })));
    PostMessage(main, WM_APP, 0, 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  expectAfterwards();
  return WinMain(InstanceHandle, nullptr, "/data/a.mod", 1);
}

// The program ends after the box, and its exit code says that it failed.
TEST_F(ApplicationTest, AMessageTextThatNoCommandCaughtEndsTheProgramAfterItsBox) {
  TheModel().modified = true;
  EXPECT_EQ(RunProgramThatThrows([] { throw std::string("Pipe  is invalid"); },
                                 [] { ExpectLastChance("Pipe  is invalid", "Quorvel: Error"); }),
            1);
  EXPECT_TRUE(std::filesystem::exists(FirstRunMarkerPath()));
  EXPECT_FALSE(GraphicsThreadRunning());
  EXPECT_EQ(ApplicationStepLog().back(), "exit: first-run marker");
}

TEST_F(ApplicationTest, AStandardExceptionShowsItsOwnText) {
  TheModel().modified = true;
  RunProgramThatThrows([] { throw std::out_of_range("table index out of range"); },
                       [] { ExpectLastChance("table index out of range", "Quorvel"); });
  EXPECT_FALSE(GraphicsThreadRunning());
}

TEST_F(ApplicationTest, AnythingElseIsAnUnhandledException) {
  TheModel().modified = true;
  RunProgramThatThrows([] { throw 7; }, [] { ExpectLastChance("Unhandled exception", "Quorvel"); });
  EXPECT_FALSE(GraphicsThreadRunning());
}

TEST_F(ApplicationTest, AnUnmodifiedModelIsNotOfferedForSaving) {
  RunProgramThatThrows([] { throw std::string("boom"); }, [] {
    platform::ExpectModal(platform::ModalKind::MessageBox, "boom",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
  });
}

TEST(FaultTextTest, NamesTheFaultAndItsLocation) {
  EXPECT_EQ(FaultText(SIGSEGV, 0, 0x1234ABCDu), "Access violation\nat location  0x1234abcd");
  EXPECT_EQ(FaultText(SIGFPE, FPE_INTDIV, 0x10), "Integer divide by zero\nat location  0x00000010");
  EXPECT_EQ(FaultText(SIGFPE, FPE_INTOVF, 0), "Integer overflow\nat location  0x00000000");
  EXPECT_EQ(FaultText(SIGFPE, FPE_FLTDIV, 0), "Float divide by zero\nat location  0x00000000");
  EXPECT_EQ(FaultText(SIGFPE, FPE_FLTOVF, 0), "Float overflow\nat location  0x00000000");
  EXPECT_EQ(FaultText(SIGFPE, FPE_FLTINV, 0), "Invalid float operation\nat location  0x00000000");
  EXPECT_EQ(FaultText(77, 0, 0xFFFFFFFFu), "0000004D\nat location  0xffffffff");
}

TEST(FaultDeathTest, AnAccessViolationIsReportedAndEndsWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        InstallFaultHandlers();
        raise(SIGSEGV);
      },
      testing::ExitedWithCode(1), "Quorvel: Error\nAccess violation\nat location  0x");
}

TEST(FaultDeathTest, AllocationFailureEndsWithTheOutOfMemoryMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Under test the box ends at once, unanswered.
        platform::EnableTestMode(true);
        platform::SetFailureHandler([](const std::string&) {});
        platform::ExpectModal(platform::ModalKind::MessageBox, "*** Out of memory ***",
                              [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
        InstallFaultHandlers();
        std::get_new_handler()();
      },
      testing::ExitedWithCode(1), "\\*\\*\\* Out of memory \\*\\*\\*");
}

}  // namespace
