// Fitting a path into a control: whole when it fits, folders taken out of
// the middle (the first folder and the name stay), and cut from the left
// when even that is too wide; every result fits the width in the control's
// font.
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "results/FitPath.h"
#include "services/AppTesting.h"

namespace {

class FitPathTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    control_ = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 400, 20, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(control_);
    AppFixture::TearDown();
  }
  int Width(const std::string& text) const {
    HDC dc = GetDC(control_);
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ReleaseDC(control_, dc);
    return size.cx;
  }
  HWND control_ = nullptr;
};

TEST_F(FitPathTest, FoldersLeaveFromTheMiddleThenTheNameIsCutFromTheLeft) {
  const std::string path = "/home/engineer/projects/refinery unit 4/stress models/backups";
  EXPECT_EQ(FitPathToWidth(path, control_, Width(path)), path);
  // Room for the start, the dots and the last two parts.
  const std::string twoParts = "/home/.../stress models/backups";
  EXPECT_EQ(FitPathToWidth(path, control_, Width(twoParts)), twoParts);
  EXPECT_EQ(FitPathToWidth(path, control_, Width(twoParts) - 1), "/home/.../backups");
  // Backslashes separate folders as well.
  EXPECT_EQ(FitPathToWidth("C:\\models\\plant\\area 7\\pipe.mod", control_, Width("C:\\...\\pipe.mod")),
            "C:\\...\\pipe.mod");
  const std::string cut = FitPathToWidth(path, control_, Width("...ckups"));
  EXPECT_EQ(cut, "...ckups");
  for (int width : {10, 60, 150, 250}) EXPECT_LE(Width(FitPathToWidth(path, control_, width)), std::max(width, Width("...")));
}

}  // namespace
