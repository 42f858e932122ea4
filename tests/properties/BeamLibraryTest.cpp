// The beam section library: its file written and read back byte for byte
// (units of the file made current, names of 4 bytes below version 690),
// refusals of another magic, a newer version, a count the file cannot
// hold and a unit index outside its list, each leaving the library as it
// was; the library window reached by File > Open of a *.bli and by File >
// New, its edits saved and the save question when it closes; and a
// section taken from it into a model through LIBRARY_USE_DIALOG.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <iterator>

#include "editing/NewDocument.h"
#include "files/ByteEmitter.h"
#include "files/FileCommands.h"
#include "properties/BeamLibrary.h"
#include "properties/BeamLibraryWindow.h"
#include "properties/BeamSectionsTable.h"
#include "properties/PropertyUiTesting.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"
#include "services/TempFiles.h"
#include "services/Units.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A library of two sections, by hand, written in millimetres (Dimension,
// Area and Moment of inertia units 1).
std::string LibraryBytes(const char* magicAndVersion, std::size_t nameWidth, std::int32_t count = 2) {
  ByteEmitter out;
  out.Fixed(magicAndVersion, 16);
  out.Int(1);
  out.Int(1);
  out.Int(1);
  out.Int(count);
  out.Fixed("A", nameWidth);
  out.Fixed("W 14X90", 16);
  out.Floats({26.5f, 999.0f, 362.0f, 4.06f, 0.0f, 0.0f, 14.0f, 14.5f});
  out.Fixed("B", nameWidth);
  out.Fixed("TS 16X16X5/8", 16);
  out.Floats({37.43f, 1454.0f, 1454.0f, 2318.0f, 0.0f, 0.0f, 16.0f, 16.0f});
  return out.bytes();
}

class BeamLibraryFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(path_);
    g_UnitsSettings = UnitsSettings{};
  }
  std::string path_ = TempFolder() + "/sections.bli";
};

TEST_F(BeamLibraryFileTest, ALibraryIsReadAndWrittenBackByteForByte) {
  const std::string original = LibraryBytes("QUORVELBEAM6900", 6);
  Write(path_, original);
  BeamLibraryContents read;
  ReadBeamLibraryFile(path_, read);
  ASSERT_EQ(read.sections.count, 2);
  EXPECT_EQ(read.units, (std::array<std::int32_t, 3>{1, 1, 1}));
  EXPECT_EQ(read.sections[1].description, "W 14X90");
  EXPECT_FLOAT_EQ(read.sections[2].J, 2318.0f);
  // Written with the file's units current, the bytes come back as they were.
  g_UnitsSettings.unit[kUnitDimension] = 1;
  g_UnitsSettings.unit[kUnitArea] = 1;
  g_UnitsSettings.unit[kUnitMomentOfInertia] = 1;
  const std::string copy = TempFolder() + "/copy.bli";
  WriteBeamLibraryFile(copy, read.sections);
  EXPECT_EQ(Bytes(copy), original);
  std::filesystem::remove(copy);
}

TEST_F(BeamLibraryFileTest, BelowVersion690NamesTakeFourBytes) {
  Write(path_, LibraryBytes("QUORVELBEAM6800", 4));
  BeamLibraryContents read;
  ReadBeamLibraryFile(path_, read);
  ASSERT_EQ(read.sections.count, 2);
  EXPECT_EQ(read.sections[2].name, "B");
  EXPECT_EQ(read.sections[2].description, "TS 16X16X5/8");
}

TEST_F(BeamLibraryFileTest, DamagedOrForeignFilesAreRefusedAndTheLibraryStaysAsItWas) {
  BeamLibraryContents kept;
  Write(path_, LibraryBytes("QUORVELBEAM6900", 6));
  ReadBeamLibraryFile(path_, kept);
  auto expectRefused = [&](const std::string& bytes, const std::string& message) {
    Write(path_, bytes);
    BeamLibraryContents library = kept;
    try {
      ReadBeamLibraryFile(path_, library);
      ADD_FAILURE() << message;
    } catch (const std::string& text) {
      EXPECT_EQ(text, message);
    }
    EXPECT_EQ(library.sections.count, 2);
    EXPECT_EQ(library.sections[1].description, "W 14X90");
  };
  const std::string unable = "Unable to read beam library:\n" + path_;
  const std::string damaged = "There was an error while reading beam library:\n" + path_;
  expectRefused(LibraryBytes("QUORVELBEAM6910", 6), unable);
  expectRefused(LibraryBytes("QUORVELWMAT6900", 6), unable);
  expectRefused(LibraryBytes("QUORVELBEAM6900", 6, 3), damaged);
  expectRefused(LibraryBytes("QUORVELBEAM6900", 6, -1), damaged);
  std::string badUnit = LibraryBytes("QUORVELBEAM6900", 6);
  badUnit[16] = 9;  // no Dimension unit 9
  expectRefused(badUnit, damaged);
  expectRefused(LibraryBytes("QUORVELBEAM6900", 6).substr(0, 100), damaged);
  // A J that no cell, import or model takes: header 32 bytes, name 6,
  // description 16, then A, Imaj, Imin and J.
  for (const float j : {2e38f, 1e-40f}) {
    std::string bytes = LibraryBytes("QUORVELBEAM6900", 6);
    std::memcpy(bytes.data() + 32 + 6 + 16 + 12, &j, 4);
    expectRefused(bytes, damaged + "\nBeam section 1: the torsional inertia " + (j > 1.0f ? "2E+38" : "1E-40") +
                             " is out of range (a value is zero, or from 1E-37 up to 1E38)");
  }
  std::filesystem::remove(path_);
  BeamLibraryContents library = kept;
  try {
    ReadBeamLibraryFile(path_, library);
    ADD_FAILURE();
  } catch (const std::string& text) {
    EXPECT_EQ(text, "Beam Library: " + path_ + "\nDoes not exist.");
  }
}

class BeamLibraryWindowTest : public PropertyUiFixture {
 protected:
  void TearDown() override {
    if (BeamLibraryWindowOpen()) {
      TheModel().modified = false;
      LeaveBeamLibraryWindow(ListFrame().window);
    }
    std::filesystem::remove(path_);
    PropertyUiFixture::TearDown();
  }
  std::string path_ = TempFolder() + "/window.bli";
};

TEST_F(BeamLibraryWindowTest, FileOpenOfABliShowsTheLibraryWithItsUnitsAndSavesItsEdits) {
  Write(path_, LibraryBytes("QUORVELBEAM6900", 6));
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path_));
  platform::RunUntilIdle();
  ASSERT_TRUE(BeamLibraryWindowOpen());
  EXPECT_TRUE(BeamLibraryMode());
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_EQ(ChosenUnit(kUnitDimension), 1);
  EXPECT_EQ(ChosenUnit(kUnitArea), 1);
  BeamSectionsTable& table = TheBeamSectionsTable();
  EXPECT_EQ(table.rowCount, 3);  // two sections and the entry row
  EXPECT_EQ(table.widths[1], 0);  // no names in a library
  EXPECT_EQ(table.CellText(2, 2, 0), "TS 16X16X5/8");
  EXPECT_NE(TextOf(ListFrame().window).find("Beam Section Library  (2) -  [window.bli"), std::string::npos)
      << TextOf(ListFrame().window);
  // The description is the key: Enter on a row without one is refused.
  TableGoTo(table, 3);
  g_EditFieldText = "50";
  TableSetColumn(table, 3);
  EXPECT_THROW(table.StoreCell(), CI);
  // A typed description on the entry row makes a section, saved with Ctrl+S.
  TableSetColumn(table, 2);
  g_EditFieldText = "HOMEMADE";
  table.StoreCell();
  for (auto [column, text] : {std::pair{3, "10"}, {4, "100"}, {5, "50"}}) {
    TableSetColumn(table, column);
    g_EditFieldText = text;
    table.StoreCell();
  }
  table.EnterRow(false);
  EXPECT_EQ(TheModel().beamSections.count, 3);
  EXPECT_TRUE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND box) {
    EXPECT_EQ(LinesOfDialog(box).at(0), "Beam Library saved");
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 104, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(TheModel().modified);
  BeamLibraryContents saved;
  ReadBeamLibraryFile(path_, saved);
  EXPECT_EQ(saved.sections.count, 3);
  EXPECT_EQ(saved.sections[3].description, "HOMEMADE");
  EXPECT_EQ(saved.units[0], 1);
  // Close: the List frame is the model's again and the main window is back.
  SendMessage(ListFrame().window, WM_COMMAND, 103, 0);
  platform::RunUntilIdle();
  EXPECT_FALSE(BeamLibraryWindowOpen());
  EXPECT_FALSE(BeamLibraryMode());
  EXPECT_EQ(TheModel().beamSections.count, 0);
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
}

TEST_F(BeamLibraryWindowTest, FileNewOpensAnEmptyLibraryThatAsksToBeSavedWhenItCloses) {
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), 0);
  });
  NewDocumentDialog(MainFrame().window);
  platform::RunUntilIdle();
  ASSERT_TRUE(BeamLibraryWindowOpen());
  EXPECT_EQ(TheModel().beamSections.count, 0);
  EXPECT_NE(TextOf(ListFrame().window).find("[Untitled]"), std::string::npos);
  TheModel().modified = true;
  // Cancel keeps the window; No leaves it without saving.
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(LeaveBeamLibraryWindow(ListFrame().window));
  EXPECT_TRUE(BeamLibraryWindowOpen());
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDNO, 0); });
  EXPECT_TRUE(LeaveBeamLibraryWindow(ListFrame().window));
  EXPECT_FALSE(BeamLibraryWindowOpen());
}

}  // namespace
