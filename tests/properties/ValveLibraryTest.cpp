// The valve library: its file written and read back byte for byte, the
// version-510 file without valve types, every refusal of a file that is not
// a sound valve library (the library then left as it was), the diameter
// match; then the program's road: File > New and File > Open into the
// library window, typing valves into its table, the edit dialog with its
// duplicate refusal, find and replace (all, and with the prompt), Save As,
// and the leave question.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "model/ListWindow.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "properties/BeamLibraryWindow.h"
#include "properties/PropertyUiTesting.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "services/Frame.h"
#include "services/Settings.h"
#include "services/TableWindow.h"
#include "services/Units.h"

namespace {

std::string Folder() { return std::getenv("TMPDIR"); }

std::vector<char> Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ValveLibraryEntry Valve(const std::string& description, float od, float length, float weight, int type = 1) {
  ValveLibraryEntry valve;
  valve.description = description;
  valve.nominalSize = "4";
  valve.rating = "150  ";
  valve.connectionType = "FL";
  valve.outsideDiameter = od;
  valve.length = length;
  valve.weight = weight;
  valve.valveType = type;
  return valve;
}

ValveLibrary TwoValves() {
  ValveLibrary library;
  InsertValveEntry(library, 1);
  InsertValveEntry(library, 2);
  library.entries[1] = Valve("Gate valve class 150", 4.5f, 9.0f, 120.0f, 1);
  library.entries[2] = Valve("Globe valve full bore ABC", 6.625f, 16.0f, 310.0f, 2);  // 25 characters
  library.entries[2].standard = 1;
  library.entries[2].nominalSize = "DN150";
  library.entries[2].rating = "PN40 ";
  return library;
}

void AppendInt(std::vector<char>& bytes, std::int32_t value) {
  const char* p = reinterpret_cast<const char*>(&value);
  bytes.insert(bytes.end(), p, p + 4);
}
void AppendFloat(std::vector<char>& bytes, float value) {
  const char* p = reinterpret_cast<const char*>(&value);
  bytes.insert(bytes.end(), p, p + 4);
}
void AppendText(std::vector<char>& bytes, const std::string& text, std::size_t width) {
  std::vector<char> field(width, '\0');
  std::memcpy(field.data(), text.data(), std::min(text.size(), width));
  bytes.insert(bytes.end(), field.begin(), field.end());
}

// A version-510 file of one valve (no valve type field).
std::vector<char> Version510File() {
  std::vector<char> bytes;
  AppendText(bytes, "QUORVELWVAL5100", 16);
  for (int unit : {0, 0, 0}) AppendInt(bytes, unit);
  AppendInt(bytes, 1);
  AppendText(bytes, "Old check valve", 26);
  AppendFloat(bytes, 8.625f);
  AppendInt(bytes, 0);
  AppendText(bytes, "8", 8);
  AppendText(bytes, "300  ", 6);
  AppendText(bytes, "BW", 3);
  AppendFloat(bytes, 19.5f);
  AppendFloat(bytes, 650.0f);
  return bytes;
}

std::string ReadFailure(const std::string& path, ValveLibrary& library) {
  try {
    ReadValveLibraryFile(path, library);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

TEST(ValveLibraryFileTest, ALibraryIsWrittenAndReadBackByteForByte) {
  ValveLibrary library = TwoValves();
  library.modified = true;
  const std::string first = Folder() + "/first.val", second = Folder() + "/second.val";
  WriteValveLibraryFile(library, first);
  EXPECT_FALSE(library.modified);
  EXPECT_EQ(library.path, first);
  const std::vector<char> bytes = Bytes(first);
  ASSERT_EQ(bytes.size(), 32u + 2 * 63u);
  EXPECT_EQ(std::string(bytes.data(), 16), std::string("QUORVELWVAL6000\0", 16));
  std::int32_t count = 0;
  std::memcpy(&count, bytes.data() + 28, 4);
  EXPECT_EQ(count, 2);
  // The 25-character description fills its field to the terminator.
  EXPECT_EQ(std::string(bytes.data() + 32 + 63, 26), std::string("Globe valve full bore ABC\0", 26));

  ValveLibrary read;
  ReadValveLibraryFile(first, read);
  ASSERT_EQ(read.entries.count, 2);
  const ValveLibraryEntry& globe = read.entries[2];
  EXPECT_EQ(globe.description, "Globe valve full bore ABC");
  EXPECT_EQ(globe.nominalSize, "DN150");
  EXPECT_EQ(globe.rating, "PN40 ");
  EXPECT_EQ(globe.connectionType, "FL");
  EXPECT_EQ(globe.outsideDiameter, 6.625f);
  EXPECT_EQ(globe.length, 16.0f);
  EXPECT_EQ(globe.weight, 310.0f);
  EXPECT_EQ(globe.standard, 1);
  EXPECT_EQ(globe.valveType, 2);
  WriteValveLibraryFile(read, second);
  EXPECT_EQ(Bytes(second), bytes);
}

TEST(ValveLibraryFileTest, AVersion510FileGivesBlankValveTypesAndFieldsWithoutTerminatorsAreRead) {
  const std::string path = Folder() + "/old.val";
  std::vector<char> bytes = Version510File();
  WriteBytes(path, bytes);
  ValveLibrary library;
  ReadValveLibraryFile(path, library);
  ASSERT_EQ(library.entries.count, 1);
  EXPECT_EQ(library.entries[1].description, "Old check valve");
  EXPECT_EQ(library.entries[1].weight, 650.0f);
  EXPECT_EQ(library.entries[1].valveType, 0);
  EXPECT_STREQ(kValveTypeNames[library.entries[1].valveType], " ");
  // A nominal size that fills its eight bytes needs no terminator.
  std::memcpy(bytes.data() + 32 + 26 + 8, "12345678", 8);
  WriteBytes(path, bytes);
  ReadValveLibraryFile(path, library);
  EXPECT_EQ(library.entries[1].nominalSize, "12345678");
}

TEST(ValveLibraryFileTest, FilesThatAreNotSoundValveLibrariesAreRefusedAndTheLibraryKept) {
  const std::string path = Folder() + "/bad.val";
  ValveLibrary kept = TwoValves();
  kept.path = "kept.val";
  auto expectKept = [&kept] {
    EXPECT_EQ(kept.entries.count, 2);
    EXPECT_EQ(kept.path, "kept.val");
  };
  const std::string damaged = "There was an error while reading valve library:\n" + path;

  EXPECT_EQ(ReadFailure(Folder() + "/none.val", kept), "Valve Library: " + Folder() + "/none.val\nDoes not exist.");
  std::vector<char> bytes = Version510File();
  bytes[3] = 'X';  // "QUOXVELWVAL"
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), "Unable to read valve library:\n" + path);
  bytes = Version510File();
  std::memcpy(bytes.data() + 11, "4990", 4);
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), "Unable to read valve library:\n" + path + "\nVersion = 4.99");
  expectKept();

  bytes = Version510File();
  bytes[28] = 2;  // two records announced, one there
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), damaged);
  bytes = Version510File();
  bytes[28] = -1;  // a negative count
  bytes[29] = bytes[30] = bytes[31] = -1;
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), damaged);
  bytes = Version510File();
  bytes.resize(bytes.size() - 3);  // the last float cut
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), damaged);
  bytes = Version510File();
  bytes[32 + 26 + 4] = 4;  // standard 4
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), damaged);
  // A version-600 record whose valve type is 8.
  ValveLibrary library = TwoValves();
  library.entries[2].valveType = 7;
  WriteValveLibraryFile(library, path);
  bytes = Bytes(path);
  bytes[bytes.size() - 4] = 8;
  WriteBytes(path, bytes);
  EXPECT_EQ(ReadFailure(path, kept), damaged);
  bytes = Bytes(path);
  WriteBytes(path, std::vector<char>(bytes.begin(), bytes.begin() + 10));  // a header cut short
  EXPECT_EQ(ReadFailure(path, kept), "Unable to read valve library:\n" + path);
  expectKept();
}

// A length, weight or outside diameter that the table and the dialog would
// never store (NaN, infinite, below 0) makes the file a damaged one.
TEST(ValveLibraryFileTest, ANaNInfiniteOrNegativeMeasureIsRefusedAndTheLibraryKept) {
  const std::string path = Folder() + "/measure.val";
  const std::string damaged = "There was an error while reading valve library:\n" + path;
  ValveLibrary kept = TwoValves();
  kept.path = "kept.val";
  const ValveLibrary before = kept;
  // Offsets in the version-510 record at byte 32: OD after the description,
  // length and weight after the texts.
  const struct {
    const char* field;
    std::size_t offset;
  } fields[] = {{"outside diameter", 26}, {"length", 26 + 4 + 4 + 8 + 6 + 3}, {"weight", 26 + 4 + 4 + 8 + 6 + 3 + 4}};
  for (const auto& field : fields) {
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), -1.0f, -0.001f, std::numeric_limits<float>::infinity()}) {
      std::vector<char> bytes = Version510File();
      std::memcpy(bytes.data() + 32 + field.offset, &bad, 4);
      WriteBytes(path, bytes);
      EXPECT_EQ(ReadFailure(path, kept), damaged) << field.field << " " << bad;
      ASSERT_EQ(kept.entries.count, 2);
      EXPECT_EQ(kept.path, "kept.val");
      EXPECT_EQ(kept.entries[1].description, before.entries[1].description);
      EXPECT_EQ(kept.entries[2].weight, before.entries[2].weight);
    }
    // 0 is "not given" and is read.
    std::vector<char> bytes = Version510File();
    std::memset(bytes.data() + 32 + field.offset, 0, 4);
    WriteBytes(path, bytes);
    ValveLibrary read;
    EXPECT_EQ(ReadFailure(path, read), "") << field.field;
    EXPECT_EQ(read.entries.count, 1);
  }
}

// A measure a typed number could not hold (1E38 and up) is refused as the
// dialog refuses it; just below the limit it is read.
TEST(ValveLibraryFileTest, AMeasureFromTheLimitOfATypedNumberUpIsRefused) {
  const std::string path = Folder() + "/large.val";
  const std::string damaged = "There was an error while reading valve library:\n" + path;
  const std::size_t weight = 32 + 26 + 4 + 4 + 8 + 6 + 3 + 4;  // in the version-510 record
  for (const auto& [value, result] : {std::pair{3.0e38f, damaged}, std::pair{1.5e38f, damaged},
                                      std::pair{9.9e37f, std::string()}}) {
    std::vector<char> bytes = Version510File();
    std::memcpy(bytes.data() + weight, &value, 4);
    WriteBytes(path, bytes);
    ValveLibrary read;
    EXPECT_EQ(ReadFailure(path, read), result) << value;
    EXPECT_EQ(read.entries.count, result.empty() ? 1 : 0) << value;
  }
}

TEST(ValveLibraryFileTest, DiametersMatchWhenTheyPrintAlikeWithThreeDecimals) {
  EXPECT_TRUE(ValveDiameterMatches(4.5f, 4.5f));
  EXPECT_TRUE(ValveDiameterMatches(4.4999f, 4.5f));
  EXPECT_FALSE(ValveDiameterMatches(4.501f, 4.5f));
  ValveLibrary library = TwoValves();
  ValveLibraryEntry twin = library.entries[1];
  EXPECT_EQ(FindDuplicateValve(library, twin, 0), 1);
  EXPECT_EQ(FindDuplicateValve(library, twin, 1), 0);  // itself
  twin.weight = 1.0f;  // the weight does not make another valve
  EXPECT_EQ(FindDuplicateValve(library, twin, 0), 1);
  twin.length = 10.0f;
  EXPECT_EQ(FindDuplicateValve(library, twin, 0), 0);
}

// The program's road to the library window.
class ValveLibraryWindowTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    ClearValveLibrary(TheValveLibrary());
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;  // lengths typed in inch
  }
  void TearDown() override {
    g_UnitsSettings.unit[kUnitLength] = 0;
    TheValveLibrary().modified = false;
    CloseValveLibraryWindow();
    PropertyUiFixture::TearDown();
  }
  static TableWindow& Table() { return ValveLibraryTable(); }
  static void Type(int row, int column, const std::string& text) {
    TableWindow& table = Table();
    TableGoTo(table, row);
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    table.editBuffer.clear();
    for (char c : text)
      if (const int kept = table.FilterChar(c)) table.editBuffer += static_cast<char>(kept);
    table.editChanged = true;
    TableCommitEdit(table);
  }
  static void ListCommand(int id) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static void NewLibrary() {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                          [](HWND dialog) { Click(GetDlgItem(dialog, 1004)); });
    NewDocumentDialog(MainFrame().window);
    platform::CheckModalScript();
  }
  static void ExpectSaveQuestion(int answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                          [answer](HWND dialog) { SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0); });
  }
};

TEST_F(ValveLibraryWindowTest, FileNewOpensAnEmptyLibraryWhoseTypedValvesAreSavedAndOpenedAgain) {
  ShowModelWindows();
  TheModel().modified = false;
  NewLibrary();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, 0);  // the model was closed
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_NE(TextOf(ListFrame().window).find("Valve Library  (0) -  [Untitled]"), std::string::npos);
  EXPECT_EQ(Table().HeadingText(2, 0), "Nom");
  EXPECT_EQ(Table().HeadingText(6, 1), UnitLabel(kUnitLength));

  // Typed on the empty line, a valve is appended; numbers refuse letters.
  Type(1, 1, "Gate valve");
  Type(1, 2, "4");
  Type(1, 3, "4.5");
  Type(1, 6, "9");
  Type(1, 7, "1x20");
  const ValveLibrary& library = TheValveLibrary();
  ASSERT_EQ(library.entries.count, 1);
  EXPECT_EQ(library.entries[1].outsideDiameter, 4.5f);
  EXPECT_EQ(library.entries[1].weight, 120.0f);
  EXPECT_TRUE(library.modified);
  EXPECT_EQ(Table().rowCount, 2);
  EXPECT_EQ(Table().CellText(1, 1, 0), "Gate valve");
  messages.clear();
  Type(1, 3, "-1");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].substr(0, 16), "Outside Diameter");
  EXPECT_EQ(library.entries[1].outsideDiameter, 4.5f);

  // Enter on a valve without its nominal size names it.
  Type(2, 1, "Check valve");
  messages.clear();
  TableGoTo(Table(), 2);
  TableCommitCell(Table(), false);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Nominal Size is required");

  const std::string path = Folder() + "/typed";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Save Valve Library As", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "Valve Library saved");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ListCommand(105);
  platform::CheckModalScript();
  EXPECT_TRUE(std::filesystem::exists(path + ".val"));
  EXPECT_FALSE(library.modified);
  EXPECT_EQ(ProgramPreferences().valveLibraryPath, path + ".val");

  // Close: nothing to ask; the main window comes back.
  ListCommand(103);
  EXPECT_FALSE(ValveLibraryWindowOpen());
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  EXPECT_EQ(TheValveLibrary().entries.count, 0);

  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path + ".val"));
  ASSERT_TRUE(ValveLibraryWindowOpen());
  ASSERT_EQ(TheValveLibrary().entries.count, 2);
  EXPECT_EQ(TheValveLibrary().entries[1].length, 9.0f);
  EXPECT_EQ(TheValveLibrary().entries[2].description, "Check valve");
}

TEST_F(ValveLibraryWindowTest, TheDialogRefusesADuplicateAndTheLeaveQuestionCanKeepTheWindow) {
  ValveLibrary& library = TheValveLibrary();
  library = TwoValves();
  OpenValveLibraryWindow(MainFrame().window);
  // A new valve just like the first one.
  platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_LIBRARY_DIALOGNEW", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    SetDlgItemText(dialog, 1301, "Gate valve class 150");
    SetDlgItemText(dialog, 1201, "4");
    SetDlgItemText(dialog, 1304, "4.5");
    SetDlgItemText(dialog, 1202, "150  ");
    SetDlgItemText(dialog, 1203, "FL");
    SetDlgItemText(dialog, 1302, "9");
    SetDlgItemText(dialog, 1303, "99");
    ExpectRefusal(dialog, "Valve is already defined.");
    SetDlgItemText(dialog, 1302, "9.5");  // another length: another valve
    SendDlgItemMessage(dialog, 1204, CB_SETCURSEL, 3, 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableGoTo(Table(), 3);
  Table().DoubleClick();
  platform::CheckModalScript();
  ASSERT_EQ(library.entries.count, 3);
  EXPECT_EQ(library.entries[3].length, 9.5f);
  EXPECT_EQ(library.entries[3].weight, 99.0f);
  EXPECT_EQ(library.entries[3].valveType, 3);
  EXPECT_TRUE(library.modified);

  // The DIN valve opens with its standard's ratings.
  platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_LIBRARY_DIALOGNEW", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessage(dialog, 1202, CB_GETCOUNT, 0, 0), 9);
    char first[16] = {};
    SendDlgItemMessage(dialog, 1202, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, "PN6  ");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  TableGoTo(Table(), 2);
  Table().DoubleClick();
  platform::CheckModalScript();

  // Leaving asks; Cancel keeps the window and the valves.
  ExpectSaveQuestion(IDCANCEL);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(library.entries.count, 3);
  ExpectSaveQuestion(IDNO);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::CheckModalScript();
  EXPECT_FALSE(ValveLibraryWindowOpen());
}

TEST_F(ValveLibraryWindowTest, FindAndReplaceChangesEveryMatchOrAsksForEach) {
  ValveLibrary& library = TheValveLibrary();
  library = TwoValves();
  InsertValveEntry(library, 3);
  library.entries[3] = Valve("GATE VALVE CLASS 150", 6.625f, 11.0f, 200.0f);
  OpenValveLibraryWindow(MainFrame().window);
  // Both fields are required.
  platform::ExpectModal(platform::ModalKind::Dialog, "FINDANDREPLACE", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Find and Replace Description");
    ExpectRefusal(dialog, "Find String is required");
    SetDlgItemText(dialog, 1301, "gate valve class 150");
    ExpectRefusal(dialog, "Replace String is required");
    SetDlgItemText(dialog, 1302, "Gate valve 150#");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ListCommand(40022);
  platform::CheckModalScript();
  EXPECT_EQ(library.entries[1].description, "Gate valve 150#");
  EXPECT_EQ(library.entries[3].description, "Gate valve 150#");
  EXPECT_EQ(library.entries[2].description, "Globe valve full bore ABC");
  EXPECT_TRUE(library.modified);

  // With the prompt: No leaves the first, Yes changes the second.
  int asked = 0;
  platform::ExpectModal(platform::ModalKind::Dialog, "FINDANDREPLACE", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "Gate valve");
    SetDlgItemText(dialog, 1301, "Gate valve 150#");
    CheckRadioButton(dialog, 1401, 1402, 1402);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  for (int answer : {IDNO, IDYES})
    platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_REPLACE_DIALOG", [answer, &asked](HWND dialog) {
      ++asked;
      EXPECT_EQ(TextOf(GetDlgItem(dialog, 1500)),
                "Do you want to change valve description from Gate valve 150# to Gate valve");
      SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    });
  ListCommand(40022);
  platform::CheckModalScript();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(library.entries[1].description, "Gate valve 150#");
  EXPECT_EQ(library.entries[3].description, "Gate valve");
  EXPECT_EQ(Table().currentRow, 3);  // the row asked about last
}

TEST_F(ValveLibraryWindowTest, OpeningADamagedLibraryChangesNothing) {
  ShowModelWindows();
  const int rows = TheModel().rowCount;
  const std::string path = Folder() + "/damaged.val";
  WriteBytes(path, std::vector<char>(20, 'x'));
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [path](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "Unable to read valve library:");
    EXPECT_EQ(LinesOfDialog(dialog).at(1), path);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(OpenFileByExtension(MainFrame().window, path));
  EXPECT_FALSE(ValveLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, rows);
}

// Whichever library holds the List frame is left, after its save question,
// before another document takes the program over.
TEST_F(ValveLibraryWindowTest, ANewOrOpenedDocumentLeavesTheLibraryThatHoldsTheListFrame) {
  ShowModelWindows();
  TheModel().modified = false;
  NewLibrary();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  Type(1, 1, "Gate valve");
  ASSERT_TRUE(TheValveLibrary().modified);

  // File > New's beam section library: Cancel keeps the valve library.
  const auto newBeamLibrary = [](int answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                          [](HWND dialog) { Click(GetDlgItem(dialog, 1005)); });
    ExpectSaveQuestion(answer);
    NewDocumentDialog(MainFrame().window);
  };
  newBeamLibrary(IDCANCEL);
  platform::CheckModalScript();
  EXPECT_TRUE(ValveLibraryWindowOpen());
  EXPECT_FALSE(BeamLibraryWindowOpen());
  EXPECT_EQ(TheValveLibrary().entries.count, 1);

  newBeamLibrary(IDNO);
  platform::CheckModalScript();
  EXPECT_FALSE(ValveLibraryWindowOpen());
  ASSERT_TRUE(BeamLibraryWindowOpen());

  // A valve library opened from the beam library's window leaves it.
  const std::string path = Folder() + "/one.val";
  ValveLibrary written;
  InsertValveEntry(written, 1);
  written.entries[1].description = "Ball valve";
  written.entries[1].nominalSize = "2";
  written.entries[1].outsideDiameter = 2.375f;
  WriteValveLibraryFile(written, path);
  TheModel().modified = false;
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, path));
  platform::CheckModalScript();
  EXPECT_FALSE(BeamLibraryWindowOpen());
  ASSERT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(TheValveLibrary().entries.count, 1);
}

// Opening a library whose valve has a negative weight from the library's own
// File > Open: the reader's message, and the library shown stays as it was.
TEST_F(ValveLibraryWindowTest, OpeningALibraryWithANegativeWeightKeepsTheOpenLibrary) {
  ValveLibrary& library = TheValveLibrary();
  library = TwoValves();
  library.path = Folder() + "/two.val";
  library.modified = false;
  OpenValveLibraryWindow(MainFrame().window);
  const std::string path = Folder() + "/negative.val";
  std::vector<char> bytes = Version510File();
  const float negative = -650.0f;
  std::memcpy(bytes.data() + 32 + 55, &negative, 4);
  WriteBytes(path, bytes);
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open Valve Library", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [path](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog).at(0), "There was an error while reading valve library:");
    EXPECT_EQ(LinesOfDialog(dialog).at(1), path);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ListCommand(102);
  platform::CheckModalScript();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  ASSERT_EQ(library.entries.count, 2);
  EXPECT_EQ(library.entries[1].weight, 120.0f);
  EXPECT_EQ(library.path, Folder() + "/two.val");
  EXPECT_FALSE(library.modified);
  EXPECT_EQ(Table().CellText(2, 1, 0), "Globe valve full bore ABC");
  EXPECT_NE(TextOf(ListFrame().window).find("Valve Library  (2)"), std::string::npos);
}

// The first valve of a new library, typed as a user types it: Tab goes from
// each cell to the next and Enter takes the valve; a refused number adds
// nothing. Insert (Ctrl+Ins) puts an empty valve at the line, and Edit
// (Ctrl+E) on the empty line adds one through the dialog.
TEST_F(ValveLibraryWindowTest, TheFirstValveIsTypedCellByCellWithTabOrAddedByInsertOrTheDialog) {
  ShowModelWindows();
  TheModel().modified = false;
  NewLibrary();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  TableWindow& table = Table();
  ASSERT_EQ(table.rowCount, 1);  // the empty line
  ASSERT_EQ(GetFocus(), table.Window());
  const ValveLibrary& library = TheValveLibrary();

  // A weight refused on the empty line appends no valve.
  messages.clear();
  for (int tab = 1; tab < 7; ++tab) platform::TestKeyPress(VK_TAB);
  PumpAsTheMainLoop();
  ASSERT_EQ(table.currentColumn, 7);
  platform::TestTypeText("-5");
  platform::TestKeyPress(VK_TAB);
  PumpAsTheMainLoop();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].substr(0, 6), "Weight");
  EXPECT_EQ(library.entries.count, 0);
  platform::TestKeyPress(VK_ESCAPE);
  platform::TestKeyDown(VK_SHIFT);
  for (int tab = 1; tab < 7; ++tab) platform::TestKeyPress(VK_TAB);
  platform::TestKeyUp(VK_SHIFT);
  PumpAsTheMainLoop();
  ASSERT_EQ(table.currentColumn, 1);

  const char* const cells[] = {"Gate valve", "4", "4.5", "150", "FL", "9", "120"};
  for (int column = 1; column <= 7; ++column) {
    platform::TestTypeText(cells[column - 1]);
    platform::TestKeyPress(column < 7 ? VK_TAB : VK_RETURN);
    PumpAsTheMainLoop();
    if (column < 7) {
      EXPECT_EQ(table.currentColumn, column + 1) << cells[column - 1];
    }
  }
  ASSERT_EQ(library.entries.count, 1);
  const ValveLibraryEntry& gate = library.entries[1];
  EXPECT_EQ(gate.description, "Gate valve");
  EXPECT_EQ(gate.nominalSize, "4");
  EXPECT_EQ(gate.outsideDiameter, 4.5f);
  EXPECT_EQ(gate.rating, "150  ");
  EXPECT_EQ(gate.connectionType, "FL");
  EXPECT_EQ(gate.length, 9.0f);
  EXPECT_EQ(gate.weight, 120.0f);
  EXPECT_EQ(table.rowCount, 2);
  EXPECT_EQ(table.currentRow, 2);  // Enter went on to the empty line
  EXPECT_NE(TextOf(ListFrame().window).find("Valve Library  (1)"), std::string::npos);
  EXPECT_EQ(messages.size(), 1u);

  // Ctrl+Ins on the first line: an empty valve before the gate valve.
  TableGoTo(table, 1);
  platform::TestKeyDown(VK_CONTROL);
  platform::TestKeyPress(VK_INSERT);
  platform::TestKeyUp(VK_CONTROL);
  PumpAsTheMainLoop();
  ASSERT_EQ(library.entries.count, 2);
  EXPECT_EQ(library.entries[1].description, "");
  EXPECT_EQ(library.entries[2].description, "Gate valve");

  // Ctrl+E on the empty line: the dialog's valve is appended.
  TableGoTo(table, 3);
  platform::ExpectModal(platform::ModalKind::Dialog, "VALVE_LIBRARY_DIALOGNEW", [](HWND dialog) {
    SetDlgItemText(dialog, 1301, "Check valve");
    SetDlgItemText(dialog, 1201, "6");
    SetDlgItemText(dialog, 1304, "6.625");
    SetDlgItemText(dialog, 1303, "310");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  platform::TestKeyDown(VK_CONTROL);
  platform::TestKeyPress('E');
  platform::TestKeyUp(VK_CONTROL);
  PumpAsTheMainLoop();
  platform::CheckModalScript();
  ASSERT_EQ(library.entries.count, 3);
  EXPECT_EQ(library.entries[3].description, "Check valve");
  EXPECT_EQ(library.entries[3].weight, 310.0f);
  EXPECT_EQ(table.rowCount, 4);
}

}  // namespace
