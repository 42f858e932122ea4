// A model reader that throws a standard exception or a C string (an anchor
// whose record throws): File > Merge, the recovery of an automatic save,
// Undo and the read-back of File > Save show the message and keep the model.
#include <stdexcept>

#include "editing/ModelWindows.h"
#include "elements/RowObjectFactory.h"
#include "files/AutoSaveTesting.h"
#include "files/MergeModel.h"
#include "files/ModelFile.h"
#include "model/RowObjects.h"
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

class ReaderFaultsTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    SetRowKinds(TheRowKinds());
    AutoSaveFixture::TearDown();
  }
  // The open model as its file holds it (written without the read-back).
  std::string OpenModelBytes() {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenWrite(file, InFolder("check.mod")));
    WriteModelStream(file, TheModel());
    EXPECT_TRUE(BinaryFileClose(file));
    return Bytes(InFolder("check.mod"));
  }
  // The message box of `lines` and `more` lines after them.
  static void ExpectError(const std::vector<std::string>& lines, std::size_t more = 0) {
    const std::string name = "MESSAGE" + std::to_string(lines.size() + more) + "_DIALOG";
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND box) {
      std::vector<std::string> shown = LinesOf(box);
      shown.resize(lines.size());
      EXPECT_EQ(shown, lines);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
  }
};

TEST_F(ReaderFaultsTest, EveryRoadShowsWhatTheReaderThrewAndKeepsTheModel) {
  Start();
  const std::string merged = InFolder("merged.mod");
  BuildModel(InFolder("plant.mod"));
  ASSERT_EQ(WriteModelFileFrom(TheModel(), merged), "");
  const std::string left = LeaveFile("999999999-1");
  ShowModelWindows();
  platform::RunUntilIdle();
  HWND layout = LayoutFrame().window;
  RowKinds kinds = TheRowKinds();
  kinds.createItem = [](DataType type) -> std::unique_ptr<DataItem> {
    if (type == DataType::Anchor) return std::make_unique<FaultingAnchor>();
    return TheRowKinds().createItem(type);
  };
  SetRowKinds(kinds);
  for (bool cString : {false, true}) {
    SCOPED_TRACE(cString ? "C string" : "standard exception");
    g_throwCString = cString;
    const std::string reason = cString ? "Anchor record damaged" : "Unable to read model file:";
    const std::size_t more = cString ? 0 : 1;  // the path
    const std::string before = OpenModelBytes();
    ExpectError({reason}, more);
    EXPECT_FALSE(MergeModelFile(layout, merged));
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE5_DIALOG",
                          [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
    ExpectError({"Unable to read the automatic save:", left});
    EXPECT_FALSE(OfferAutomaticSaveRecovery(layout));
    platform::CheckModalScript();
    EXPECT_EQ(OpenModelBytes(), before);
    TakeUndoSnapshot(layout);
    TheModel().row(3).dx = 70.0f;
    const std::string edited = OpenModelBytes();
    ExpectError({reason}, more);
    SendMessage(layout, WM_COMMAND, 40050, 0);  // Undo
    platform::CheckModalScript();
    EXPECT_EQ(OpenModelBytes(), edited);
    ExpectError({"The model file written could not be read back:", reason}, more + 1);
    SendMessage(layout, WM_COMMAND, 104, 0);  // Save
    platform::CheckModalScript();
    EXPECT_FALSE(Exists(InFolder("plant.mod")));
  }
}

}  // namespace
