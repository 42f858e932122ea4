// The spectrum library: its file written and read back byte for byte, the
// files it refuses (another kind of file, version 601 with its version
// shown, a file cut short, a count the file cannot hold, an ordinate unit
// outside 0 to 4, a value that is not a number) and the old ones it reads
// (version 502's 16-byte names and ordinates in their own unit, a name
// without its zero, no spectra at all);
// its window reached by File > Open of a *.spe file (any letter case) and by
// File > New, edited, saved, and left with the save question; and a model's
// "&Library..." taking a spectrum whole, or saying the library has none.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "loads/LoadsTesting.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumLibrary.h"
#include "loads/SpectrumLibraryWindow.h"
#include "loads/SpectrumValuesGrid.h"
#include "platform/Menu.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "records/Spectrum.h"
#include "services/FramePlacements.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/Settings.h"
#include "services/Units.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

ResponseSpectrum Made(const std::string& name, std::int32_t unit, std::vector<FloatPair> points, bool period = false) {
  ResponseSpectrum spectrum;
  spectrum.name = name;
  spectrum.ordinateUnit = unit;
  spectrum.periodAbscissa = period ? 1 : 0;
  spectrum.logInterpolation1 = period ? 1 : 0;
  spectrum.points = std::move(points);
  return spectrum;
}

// A library file written byte by byte: header, count, records.
class LibraryBytes {
 public:
  explicit LibraryBytes(const char* header) { bytes_.append(header, 16); }
  LibraryBytes& Int(std::int32_t value) {
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes_.append(raw, 4);
    return *this;
  }
  LibraryBytes& Float(float value) {
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes_.append(raw, 4);
    return *this;
  }
  LibraryBytes& Name(const std::string& name, std::size_t width) {
    std::string field = name;
    field.resize(width, '\0');
    bytes_ += field;
    return *this;
  }
  LibraryBytes& Flags(char a, char b, char c) {
    bytes_ += a;
    bytes_ += b;
    bytes_ += c;
    return *this;
  }
  void WriteTo(const std::string& path) const { std::ofstream(path, std::ios::binary) << bytes_; }
  const std::string& Text() const { return bytes_; }

 private:
  std::string bytes_;
};

std::string ReadRefusal(const std::string& path) {
  try {
    ReadSpectrumLibraryFile(path);
  } catch (const std::string& message) {
    return message;
  }
  return "(read)";
}

class SpectrumLibraryFileTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_); }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  std::string folder_ = TempFolder() + "/spectrum-library-tests";
};

TEST_F(SpectrumLibraryFileTest, ALibraryIsWrittenAndReadBackByteForByte) {
  const SpectrumList written = {Made("El Centro N-S 1940", kOrdinateG, {{0.03f, 0.2f * 386.4f}, {0.5f, 1.1f * 386.4f}}, true),
                                Made("Site response 5 %", kOrdinateMm, {{kExplicitZero, 2.0f}, {10.0f, 0.5f}}),
                                Made("Floor 3", kOrdinateInPerSec2, {{1.0f, 100.0f}})};
  const std::string first = Path("first.spe"), second = Path("second.spe");
  WriteSpectrumLibraryFile(first, written);
  const std::string bytes = Bytes(first);
  EXPECT_EQ(bytes.substr(0, 16), std::string("QUORVELWSPE6000\0", 16));
  EXPECT_EQ(bytes.size(), 16u + 4u + 3u * (32u + 3u + 4u + 4u) + 8u * 5u);
  const SpectrumList read = ReadSpectrumLibraryFile(first);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].name, "El Centro N-S 1940");
  EXPECT_EQ(read[0].periodAbscissa, 1);
  EXPECT_EQ(read[0].logInterpolation1, 1);
  EXPECT_EQ(read[1].ordinateUnit, kOrdinateMm);
  EXPECT_EQ(read[1].points[0].x, kExplicitZero);
  WriteSpectrumLibraryFile(second, read);
  EXPECT_EQ(Bytes(second), bytes);
  // No temporary is left beside the library.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 2);
  // An empty library reads without a fault.
  WriteSpectrumLibraryFile(Path("empty.spe"), {});
  EXPECT_TRUE(ReadSpectrumLibraryFile(Path("empty.spe")).empty());
}

TEST_F(SpectrumLibraryFileTest, DamagedAndNewerFilesAreRefusedWithTheirMessages) {
  const std::string path = Path("bad.spe");
  EXPECT_EQ(ReadRefusal(Path("missing.spe")), "Spectrum Library: " + Path("missing.spe") + "\nDoes not exist.");
  LibraryBytes("QUORVELWMAT6900").Int(0).WriteTo(path);
  EXPECT_EQ(ReadRefusal(path), "Unable to read spectrum library:\n" + path);
  LibraryBytes("QUORVELWSPE6010").Int(0).WriteTo(path);
  EXPECT_EQ(ReadRefusal(path), "Unable to read spectrum library:\n" + path + "\nVersion = 6.01");
  // Cut short inside its points.
  LibraryBytes full("QUORVELWSPE6000");
  full.Int(1).Name("S1", 32).Flags(0, 0, 0).Int(kOrdinateInch).Int(2).Float(1.0f).Float(0.5f).Float(2.0f).Float(0.7f);
  std::ofstream(path, std::ios::binary) << full.Text().substr(0, full.Text().size() - 6);
  EXPECT_EQ(ReadRefusal(path), "There was an error while reading spectrum library:\n" + path);
  // A count the file cannot hold.
  LibraryBytes("QUORVELWSPE6000").Int(100000000).WriteTo(path);
  EXPECT_EQ(ReadRefusal(path), "There was an error while reading spectrum library:\n" + path);
  // An ordinate unit outside 0 to 4.
  LibraryBytes("QUORVELWSPE6000").Int(1).Name("S1", 32).Flags(0, 0, 0).Int(5).Int(0).WriteTo(path);
  EXPECT_EQ(ReadRefusal(path), "Unable to read spectrum library:\n" + path +
                                   "\nSpectrum S1 has the ordinate unit 5 (0 to 4 are known)");
  // A value that is not a number, or beyond every number: the lookup of a
  // one-point spectrum whose abscissa is not a number would read past it.
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    for (const auto& [x, y] : {std::pair{bad, 0.5f}, std::pair{5.0f, -bad}}) {
      LibraryBytes one("QUORVELWSPE6000");
      one.Int(1).Name("S1", 32).Flags(0, 0, 0).Int(kOrdinateG).Int(1).Float(x).Float(y).WriteTo(path);
      EXPECT_EQ(ReadRefusal(path), "There was an error while reading spectrum library:\n" + path) << x << " " << y;
    }
  }
}

TEST_F(SpectrumLibraryFileTest, OldFilesAndNamesWithoutTheirZeroAreRead) {
  const std::string path = Path("old.spe");
  // Version 502: 16-byte names, ordinates in g's converted on reading.
  LibraryBytes("QUORVELWSPE5020").Int(1).Name("Old", 16).Flags(0, 1, 0).Int(kOrdinateG).Int(1).Float(1.0f).Float(0.5f).WriteTo(path);
  const SpectrumList old = ReadSpectrumLibraryFile(path);
  ASSERT_EQ(old.size(), 1u);
  EXPECT_EQ(old[0].name, "Old");
  EXPECT_EQ(old[0].logInterpolation2, 1);
  EXPECT_FLOAT_EQ(old[0].points[0].y, 0.5f * 386.4f);
  // A full 32-byte name without its zero: its first 31 characters.
  LibraryBytes("QUORVELWSPE6000").Int(1).Name(std::string(32, 'N'), 32).Flags(0, 0, 0).Int(0).Int(0).WriteTo(path);
  EXPECT_EQ(ReadSpectrumLibraryFile(path)[0].name, std::string(31, 'N'));
}

// 1.4E-45 mm in a library older than 511 is 5.5E-47 in, a float's 0: the
// reader refuses it, of either sign, as the cell refuses it typed.
TEST_F(SpectrumLibraryFileTest, AnOldOrdinateLostAsAFloatIsRefusedAsTheCellRefusesIt) {
  float typed = 0.0f;
  EXPECT_EQ(ParseSpectrumOrdinate("1.4E-45", kOrdinateMm, typed), 1);
  for (const float y : {1.4e-45f, -1.4e-45f}) {
    LibraryBytes("QUORVELWSPE5100").Int(1).Name("S1", 32).Flags(0, 0, 0).Int(kOrdinateMm).Int(1).Float(1.0f).Float(y).WriteTo(Path("old.spe"));
    EXPECT_EQ(ReadRefusal(Path("old.spe")), "Unable to read spectrum library:\n" + Path("old.spe") +
                                                "\nSpectrum S1, point 1: " + SpectrumPointFaultText(SpectrumPointFault::OutOfRange));
  }
}

class SpectrumLibraryWindowTest : public LoadsFixture {
 protected:
  void TearDown() override {
    CloseSpectrumLibrary();
    LoadsFixture::TearDown();
  }
  static std::string Title() { return TextOf(ListFrame().window); }
  static std::string FirstMenuItem(int command) {
    char text[64] = {};
    GetMenuString(ListFrame().menu, static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  static SpectrumList& Spectra() { return TheModel().spectra; }
  static void TypeCell(TableWindow& table, int row, int column, const std::string& text) {
    SetFocus(table.Window());
    TableGoTo(table, row);
    TableSetColumn(table, column);
    table.editBuffer = text;
    table.editChanged = true;
    TableCommitEdit(table);
    platform::RunUntilIdle();
  }
  void WriteLibrary(const std::string& name) {
    WriteSpectrumLibraryFile(Path(name), {Made("DBE", kOrdinateG, {{1.0f, 0.2f * 386.4f}, {10.0f, 386.4f}}),
                                          Made("OBE", kOrdinateG, {{1.0f, 0.1f * 386.4f}}, true)});
  }
};

TEST_F(SpectrumLibraryWindowTest, OpenedFromAFileEditedSavedAndLeft) {
  WriteLibrary("site.SPE");
  const std::string path = Path("site.SPE");
  // Never placed before: the library windows' centred rectangle, not the
  // List frame's place.
  FramePlacement(kPlacementSpectrumLibrary) = WINDOWPLACEMENT{};
  ASSERT_TRUE(OpenFileByExtension(nullptr, path));
  ASSERT_TRUE(SpectrumLibraryWindowOpen());
  EXPECT_TRUE(SpectrumLibraryEditing());
  RECT placed{};
  GetWindowRect(ListFrame().window, &placed);
  EXPECT_EQ(placed.left, LibraryWindowRect.left);
  EXPECT_EQ(placed.top, LibraryWindowRect.top);
  EXPECT_EQ(placed.right - placed.left, LibraryWindowRect.right - LibraryWindowRect.left);
  EXPECT_EQ(Title(), "Quorvel : Spectrum Library  (2) -  [site.SPE (" + folder_.string() + ")]");
  EXPECT_EQ(FirstMenuItem(250), "&Read Spectrum...");
  EXPECT_EQ(FirstMenuItem(104), "&Save\tCtrl+S");
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_EQ(Spectra().size(), 3u);
  EXPECT_EQ(TheSpectraTable().PrintName(), "Spectrum Library");
  // The values grid beside the list, in g's.
  ASSERT_EQ(TableOfWindow(ListTableWindow(1)), &TheSpectrumValuesGrid());
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  EXPECT_EQ(grid.HeadingText(1, 0), "Frequency");
  EXPECT_EQ(grid.HeadingText(2, 0), "Acceleration");
  EXPECT_EQ(grid.HeadingText(2, 1), "(g's)");
  EXPECT_EQ(grid.CellText(1, 2, 0), "0.2");
  EXPECT_EQ(grid.rowCount, 3);
  // A point typed after the last, then one out of order: named, the focus kept.
  TypeCell(grid, 3, 1, "20");
  TypeCell(grid, 3, 2, "0.5");
  grid.EnterRow(false);
  TypeCell(grid, 4, 1, "15");
  TypeCell(grid, 4, 2, "0.4");
  messages.clear();
  EXPECT_TRUE(grid.MustKeepFocus());
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "The abscissa of row 4 is not above that of row 3.\nThe abscissas of a spectrum must ascend.");
  // (Entering the row stored the point before it, as leaving the grid does.)
  EXPECT_FALSE(grid.Commit());
  EXPECT_EQ(Spectra()[0].points.size(), 3u);
  TypeCell(grid, 4, 1, "25");
  EXPECT_TRUE(grid.Commit());
  ASSERT_EQ(Spectra()[0].points.size(), 4u);
  EXPECT_FLOAT_EQ(Spectra()[0].points[3].y, 0.4f * 386.4f);
  EXPECT_TRUE(TheModel().modified);
  // Save: the file holds the new points.
  ExpectBox({"Spectrum Library saved"});
  List(104);
  EXPECT_FALSE(TheModel().modified);
  ASSERT_EQ(ReadSpectrumLibraryFile(path)[0].points.size(), 4u);
  // Changed again, Close asks; Cancel keeps the window, No leaves it.
  ExpectBox({"Do you want to change Spectrum name", "from  \"OBE\"  to  \"OBE-2\" ?"}, IDOK);
  TypeCell(TheSpectraTable(), 2, 1, "OBE-2");
  EXPECT_TRUE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  List(103);
  EXPECT_TRUE(SpectrumLibraryWindowOpen());
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  List(103);
  platform::CheckModalScript();
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  EXPECT_FALSE(SpectrumLibraryEditing());
  EXPECT_FALSE(HasSpectra(Spectra()));
  EXPECT_EQ(ReadSpectrumLibraryFile(path)[1].name, "OBE");  // not saved
  EXPECT_EQ(FirstMenuItem(187), "&Coordinates");           // the List window's own menu again
}

TEST_F(SpectrumLibraryWindowTest, ANewLibraryIsSavedAsASpeFileAndABadFileKeepsTheModel) {
  const std::string bad = Path("bad.spe");
  WriteText(bad, "not a library");
  ExpectBox({"Unable to read spectrum library:", bad});
  EXPECT_FALSE(OpenFileByExtension(nullptr, bad));
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, 5);  // the model is still there

  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1003), BM_CLICK, 0, 0);  // Spectrum Library
  });
  NewDocumentDialog(nullptr);
  platform::CheckModalScript();
  ASSERT_TRUE(SpectrumLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, 0);
  EXPECT_EQ(Title(), "Quorvel : Spectrum Library  (0) -  [Untitled]");
  TypeCell(TheSpectraTable(), 1, 1, "FLOOR");
  EXPECT_EQ(Spectra()[0].name, "FLOOR");
  TypeCell(TheSpectrumValuesGrid(), 1, 1, "5");
  TypeCell(TheSpectrumValuesGrid(), 1, 2, "2");
  TheSpectrumValuesGrid().Commit();
  // Save of an untitled library asks for a file; another extension is refused.
  ChooseFile("Save Spectrum Library As", Path("floor.txt"));
  ExpectBox({"File extension must be : spe"});
  List(104);
  EXPECT_FALSE(std::filesystem::exists(Path("floor.txt")));
  ChooseFile("Save Spectrum Library As", Path("floor.spe"));
  ExpectBox({"Spectrum Library saved"});
  List(104);
  const SpectrumList saved = ReadSpectrumLibraryFile(Path("floor.spe"));
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].points.size(), 1u);
  EXPECT_EQ(ProgramPreferences().spectrumLibraryPath, Path("floor.spe"));
  List(103);
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
}

// A damaged library opened while a library is open in the window: read
// first and refused, it leaves the open library with its unsaved change,
// asking nothing; one that reads asks about the change before it replaces it.
TEST_F(SpectrumLibraryWindowTest, ADamagedLibraryLeavesTheOpenLibraryAsItWas) {
  WriteLibrary("site.spe");
  ASSERT_TRUE(OpenFileByExtension(nullptr, Path("site.spe")));
  ExpectBox({"Do you want to change Spectrum name", "from  \"OBE\"  to  \"OBE-2\" ?"}, IDOK);
  TypeCell(TheSpectraTable(), 2, 1, "OBE-2");
  ASSERT_TRUE(TheModel().modified);
  const std::string title = Title();
  for (const std::string& bad : {Path("damaged.spe"), Path("short.spe")}) {
    WriteText(bad, bad == Path("short.spe") ? std::string("QUORVELWSPE6000\0\x05\0\0\0", 20) : "not a library");
    ExpectBox({bad == Path("short.spe") ? "There was an error while reading spectrum library:"
                                        : "Unable to read spectrum library:",
               bad});
    EXPECT_FALSE(OpenFileByExtension(nullptr, bad));
    platform::CheckModalScript();
    ASSERT_TRUE(SpectrumLibraryWindowOpen()) << bad;
    EXPECT_TRUE(SpectrumLibraryEditing());
    EXPECT_EQ(Title(), title);
    ASSERT_EQ(Spectra().size(), 3u);
    EXPECT_EQ(Spectra()[1].name, "OBE-2");
    EXPECT_TRUE(TheModel().modified);
  }
  WriteLibrary("other.spe");
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  EXPECT_TRUE(OpenFileByExtension(nullptr, Path("other.spe")));
  platform::CheckModalScript();
  EXPECT_EQ(Title(), "Quorvel : Spectrum Library  (2) -  [other.spe (" + folder_.string() + ")]");
  EXPECT_EQ(Spectra()[1].name, "OBE");
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(SpectrumLibraryWindowTest, AModelTakesALibrarySpectrumWhole) {
  WriteLibrary("site.spe");
  ProgramPreferences().spectrumLibraryPath = Path("site.spe");
  TheSpectrumLibrary() = SpectrumLibraryState{};
  Layout(251);
  ASSERT_EQ(CurrentListOpener(), &OpenSpectraTable);
  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [this](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Spectrum Library - [site.spe (" + folder_.string() + ")]");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);  // the first
  });
  const int depth = UndoDepth();
  List(270);
  platform::CheckModalScript();
  ASSERT_TRUE(HasSpectra(Spectra()));
  EXPECT_EQ(Spectra()[0].name, "DBE");
  EXPECT_EQ(Spectra()[0].ordinateUnit, kOrdinateG);
  EXPECT_EQ(Spectra()[0].points.size(), 2u);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), depth + 1);
  // An empty library says so and is forgotten.
  WriteSpectrumLibraryFile(Path("empty.spe"), {});
  TheSpectrumLibrary() = SpectrumLibraryState{};
  ProgramPreferences().spectrumLibraryPath = Path("empty.spe");
  ExpectBox({"There are no spectrums in ", Path("empty.spe")});
  List(270);
  EXPECT_TRUE(ProgramPreferences().spectrumLibraryPath.empty());
  EXPECT_EQ(Spectra().size(), 2u);
}

// The spectrum library and the valve library take the List frame in turn:
// opening the one leaves the other, after its save question.
TEST_F(SpectrumLibraryWindowTest, AnotherLibraryOpenedLeavesItAfterItsQuestionAndItLeavesTheOther) {
  WriteLibrary("site.spe");
  ValveLibrary valves;
  WriteValveLibraryFile(valves, Path("plant.val"));
  ASSERT_TRUE(OpenFileByExtension(nullptr, Path("site.spe")));
  ExpectBox({"Do you want to change Spectrum name", "from  \"OBE\"  to  \"OBE-2\" ?"}, IDOK);
  TypeCell(TheSpectraTable(), 2, 1, "OBE-2");
  ASSERT_TRUE(TheModel().modified);
  // File > Open and File > New of the library cancelled: no question, and
  // the change is still there to be saved.
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  List(102);
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  List(101);
  platform::CheckModalScript();
  EXPECT_TRUE(SpectrumLibraryWindowOpen());
  EXPECT_TRUE(TheModel().modified);
  // Cancel keeps the spectrum library with its change.
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(OpenFileByExtension(nullptr, Path("plant.val")));
  platform::CheckModalScript();
  EXPECT_TRUE(SpectrumLibraryWindowOpen());
  EXPECT_FALSE(ValveLibraryWindowOpen());
  EXPECT_EQ(Spectra()[1].name, "OBE-2");
  // No leaves it unsaved and the valve library takes the frame.
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDNO, 0); });
  EXPECT_TRUE(OpenFileByExtension(nullptr, Path("plant.val")));
  platform::CheckModalScript();
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  EXPECT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(ReadSpectrumLibraryFile(Path("site.spe"))[1].name, "OBE");
  // The spectrum library opened again leaves the valve library.
  EXPECT_TRUE(OpenFileByExtension(nullptr, Path("site.spe")));
  EXPECT_FALSE(ValveLibraryWindowOpen());
  EXPECT_TRUE(SpectrumLibraryWindowOpen());
  EXPECT_EQ(Title(), "Quorvel : Spectrum Library  (2) -  [site.spe (" + folder_.string() + ")]");
  // And File > New's model leaves it.
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG", [](HWND dialog) {
    SendMessage(GetDlgItem(dialog, 1001), BM_CLICK, 0, 0);  // Model
  });
  NewDocumentDialog(nullptr);
  platform::CheckModalScript();
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, 2);
}

// A model that cannot be read, opened from the library, leaves the library
// and then the program with a window to go on from: the main window.
TEST_F(SpectrumLibraryWindowTest, AModelThatCannotBeReadLeavesTheMainWindowShown) {
  WriteLibrary("site.spe");
  ASSERT_TRUE(OpenFileByExtension(nullptr, Path("site.spe")));
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  const std::string bad = Path("damaged.mod");
  WriteText(bad, "not a model");
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
  EXPECT_FALSE(OpenFileByExtension(nullptr, bad));
  platform::CheckModalScript();
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
}

// Points typed into the values grid are still in the grid when the user
// picks File > Close from the menu (which takes no focus): the library asks
// to save them, and Yes writes them.
TEST_F(SpectrumLibraryWindowTest, PointsStillInTheGridAreSavedWhenTheLibraryIsClosed) {
  WriteLibrary("site.spe");
  ASSERT_TRUE(OpenFileByExtension(nullptr, Path("site.spe")));
  SpectrumValuesGrid& grid = TheSpectrumValuesGrid();
  TypeCell(grid, 3, 1, "20");
  TypeCell(grid, 3, 2, "0.5");
  ASSERT_FALSE(TheModel().modified);  // not yet in the spectrum
  platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDYES, 0); });
  ExpectBox({"Spectrum Library saved"});
  List(103);
  platform::CheckModalScript();
  EXPECT_FALSE(SpectrumLibraryWindowOpen());
  const SpectrumList saved = ReadSpectrumLibraryFile(Path("site.spe"));
  ASSERT_EQ(saved[0].points.size(), 3u);
  EXPECT_FLOAT_EQ(saved[0].points[2].x, 20.0f);
  EXPECT_FLOAT_EQ(saved[0].points[2].y, 0.5f * 386.4f);
}

}  // namespace
