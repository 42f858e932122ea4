// A model reader that throws what is no message text (a standard exception
// from a container, a C string) on every road that reads a model file:
// File > Merge, the recovery of an automatic save, Undo and the read-back
// of File > Save each show the message and keep the open model as it was.
// The fault comes from an anchor kind whose record throws when it is read.
#include <algorithm>
#include <stdexcept>

#include "editing/ModelWindows.h"
#include "elements/RowObjectFactory.h"
#include "files/AutoSaveTesting.h"
#include "files/ModelFile.h"
#include "model/RowObjects.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/BinaryFile.h"

namespace {

bool g_throwCString = false;

class FaultingAnchor : public DataItem {
 public:
  void Read(BinaryFile&) override {
    if (g_throwCString) throw "Anchor record damaged";
    throw std::length_error("vector::reserve");
  }
};

std::unique_ptr<DataItem> CreateFaultingItem(DataType type) {
  if (type == DataType::Anchor) return std::make_unique<FaultingAnchor>();
  return TheRowKinds().createItem(type);
}

// While it lives, an anchor read from a file faults.
struct FaultingAnchors {
  explicit FaultingAnchors(bool cString) {
    g_throwCString = cString;
    RowKinds kinds = TheRowKinds();
    kinds.createItem = CreateFaultingItem;
    SetRowKinds(kinds);
  }
  ~FaultingAnchors() { SetRowKinds(TheRowKinds()); }
};

class ReaderFaultsTest : public AutoSaveFixture {
 protected:
  // The open model as its file holds it (written without the read-back,
  // which the faulting kinds would refuse).
  std::string OpenModelBytes() {
    const std::string path = InFolder("check.mod");
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenWrite(file, path));
    WriteModelStream(file, TheModel());
    EXPECT_TRUE(BinaryFileClose(file));
    return Bytes(path);
  }
  // The error message box of `count` lines, the first of which are `lines`.
  static void ExpectError(std::size_t count, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(count) + "_DIALOG",
                          [lines](HWND box) {
                            std::vector<std::string> shown = LinesOf(box);
                            shown.resize(std::min(shown.size(), lines.size()));
                            EXPECT_EQ(shown, lines);
                            SendMessage(box, WM_COMMAND, IDOK, 0);
                          });
  }
};

TEST_F(ReaderFaultsTest, EveryRoadShowsWhatTheReaderThrewAndKeepsTheModel) {
  Start();
  const std::string merged = InFolder("merged.mod");
  BuildModel(merged);
  ASSERT_EQ(WriteModelFileFrom(TheModel(), merged), "");
  const std::string left = LeaveFile("999999999-1");
  BuildModel(InFolder("plant.mod"));
  ShowModelWindows();
  platform::RunUntilIdle();
  HWND layout = LayoutFrame().window;
  for (bool cString : {false, true}) {
    SCOPED_TRACE(cString ? "C string" : "standard exception");
    const std::string before = OpenModelBytes();
    FaultingAnchors faulting(cString);
    // The reader's message: the C string, or the refusal and the path.
    const std::size_t lines = cString ? 1 : 2;
    const std::string reason = cString ? "Anchor record damaged" : "Unable to read model file:";
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Merge Model", [merged](HWND dialog) {
      SetDlgItemText(dialog, edt1, merged.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    ExpectError(lines, cString ? std::vector<std::string>{reason} : std::vector<std::string>{reason, merged});
    SendMessage(layout, WM_COMMAND, 40028, 0);
    platform::CheckModalScript();
    EXPECT_EQ(OpenModelBytes(), before) << "merge";

    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
    ExpectError(2, {"Unable to read the automatic save:", left});
    EXPECT_FALSE(OfferAutomaticSaveRecovery(layout));
    platform::CheckModalScript();
    EXPECT_TRUE(Exists(left));
    EXPECT_EQ(OpenModelBytes(), before) << "recovery";

    TakeUndoSnapshot(layout);
    TheModel().row(3).dx = 70.0f;
    const std::string edited = OpenModelBytes();
    ExpectError(lines, {reason});
    SendMessage(layout, WM_COMMAND, 40050, 0);
    platform::CheckModalScript();
    EXPECT_EQ(OpenModelBytes(), edited) << "undo";
    TheModel().row(3).dx = 24.0f;

    ExpectError(lines + 2, {"The model file written could not be read back:", reason});
    SendMessage(layout, WM_COMMAND, 104, 0);
    platform::CheckModalScript();
    EXPECT_FALSE(Exists(InFolder("plant.mod")));
    EXPECT_TRUE(TheModel().modified);
  }
}

}  // namespace
