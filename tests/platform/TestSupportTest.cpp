// The test support itself: the modal-window script (expected, unexpected,
// left open, never shown), PNG output of a window, counted beeps, and the
// folders each test process works in.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Gdi.h"
#include "platform/PlatformTest.h"

namespace {

class TestSupportTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    RegisterRecorder();
  }
  // Collects failures instead of failing the test, to check them.
  void CatchFailures() {
    platform::SetFailureHandler([this](const std::string& message) { failures.push_back(message); });
  }
  MessageLog log;
  std::vector<std::string> failures;
};

// A modal loop as the dialogs will run one: it starts through the script,
// then serves messages until its window is gone or the script ends it.
// Returns the number of messages it served, or -1 when it was refused.
int RunModalLoop(platform::ModalKind kind, const std::string& name, MessageLog* log) {
  HWND window = MakeTop(log, 0, 0, 100, 60, WS_POPUP);
  SetWindowText(window, name.c_str());
  ShowWindow(window, SW_SHOW);
  if (!platform::ModalLoopStarting(kind, name, window)) {
    DestroyWindow(window);
    return -1;
  }
  int served = 0;
  while (IsWindow(window)) {
    MSG message;
    if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      ++served;
      DispatchMessage(&message);
    } else if (platform::ModalLoopIdle(window)) {
      DestroyWindow(window);
    }
  }
  return served;
}

TEST_F(TestSupportTest, ExpectedModalWindowRunsItsAction) {
  HWND seen = nullptr;
  platform::ExpectModal(platform::ModalKind::Dialog, "OPTIONS_CODE_DIALOG", [&](HWND modal) {
    seen = modal;
    PostMessage(modal, WM_CLOSE, 0, 0);
  });
  CatchFailures();
  EXPECT_GE(RunModalLoop(platform::ModalKind::Dialog, "OPTIONS_CODE_DIALOG", &log), 1);
  platform::CheckModalScript();
  EXPECT_TRUE(failures.empty());
  EXPECT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
}

TEST_F(TestSupportTest, UnexpectedModalWindowFailsWithoutHanging) {
  CatchFailures();
  EXPECT_EQ(RunModalLoop(platform::ModalKind::MessageBox, "Invalid file extension", &log), -1);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "Unexpected modal window: message box \"Invalid file extension\".");
}

TEST_F(TestSupportTest, ModalWindowOfAnotherNameIsUnexpected) {
  platform::ExpectModal(platform::ModalKind::Dialog, "UNITS_DIALOG", nullptr);
  CatchFailures();
  EXPECT_EQ(RunModalLoop(platform::ModalKind::Dialog, "LAYOUT_DIALOG", &log), -1);
  platform::CheckModalScript();
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0],
            "Unexpected modal window: dialog \"LAYOUT_DIALOG\" (the script expected dialog \"UNITS_DIALOG\").");
  EXPECT_EQ(failures[1], "Expected modal window never appeared: dialog \"UNITS_DIALOG\".");
}

TEST_F(TestSupportTest, ModalWindowLeftOpenByItsActionEndsAndFails) {
  platform::ExpectModal(platform::ModalKind::PopupMenu, "LAYOUT_POPUP", [](HWND) {});
  CatchFailures();
  EXPECT_NE(RunModalLoop(platform::ModalKind::PopupMenu, "LAYOUT_POPUP", &log), -1);  // it ran, and ended
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "Modal window \"LAYOUT_POPUP\" is still open after its scripted action.");
}

TEST_F(TestSupportTest, WindowWrittenAsPng) {
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RegisterRecorder("Blue", 0, blue);
  HWND window = MakeTop(&log, 0, 0, 33, 21, WS_OVERLAPPED, "Blue");
  ShowWindow(window, SW_SHOW);
  platform::RunUntilIdle();
  EXPECT_EQ(platform::GetWindowPixel(window, 32, 20), RGB(0, 0, 255));
  std::string path = std::string(std::getenv("TMPDIR")) + "/window.png";
  ASSERT_TRUE(platform::WriteWindowPng(window, path));
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 24u);
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature, signature + 8, bytes.begin()));
  // IHDR: width and height, big-endian, at bytes 16 and 20.
  EXPECT_EQ((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19], 33);
  EXPECT_EQ((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23], 21);
  DestroyWindow(window);
  DeleteObject(blue);
}

TEST_F(TestSupportTest, BeepsAreCounted) {
  EXPECT_EQ(platform::BeepCount(), 0);
  MessageBeep(0);
  Beep(1000, 100);
  EXPECT_EQ(platform::BeepCount(), 2);
}

// Every test process makes its folders in the temporary folder it was
// given: this executable run again with TMPDIR set, its own TMPDIR shown by
// the helper below, and the given folder left empty when it ends.
TEST(IsolatedEnvironment, AProcessWorksInAFolderOfTheTemporaryFolderItWasGiven) {
  const std::filesystem::path given = std::filesystem::path(std::getenv("TMPDIR")) / "given";
  std::filesystem::create_directories(given);
  const std::string command = "TMPDIR='" + given.string() + "' '" + std::filesystem::read_symlink("/proc/self/exe").string() +
                              "' --gtest_filter=IsolatedEnvironment.DISABLED_ShowsItsTemporaryFolder"
                              " --gtest_also_run_disabled_tests";
  FILE* child = popen(command.c_str(), "r");
  ASSERT_NE(child, nullptr);
  std::string output;
  for (char buffer[256]; std::fgets(buffer, sizeof buffer, child) != nullptr;) output += buffer;
  EXPECT_EQ(pclose(child), 0) << output;
  const std::size_t at = output.find("TMPDIR=");
  ASSERT_NE(at, std::string::npos) << output;
  EXPECT_EQ(output.substr(at + 7, given.string().size() + 14), given.string() + "/quorvel-test-") << output;
  EXPECT_TRUE(std::filesystem::is_empty(given));
}

TEST(IsolatedEnvironment, DISABLED_ShowsItsTemporaryFolder) { std::printf("TMPDIR=%s\n", std::getenv("TMPDIR")); }

}  // namespace
