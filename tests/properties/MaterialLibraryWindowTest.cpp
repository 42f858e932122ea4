// The material library through the program's own commands: File > New of
// a library, its window listing, editing, printing and saving materials,
// File > Open of the saved file, a damaged or short file refused with the
// open library unchanged, the save question; the material dialog's
// "&Library" and the Materials list's "&Library..." picking a material
// whose table against temperature arrives whole; old libraries of both
// layouts converted from File > Open and the library's open dialog, 411
// refused, the overwrite question declined; the window's Import and Export;
// its piping-code and units dialogs.
#include "properties/PropertyUiTesting.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editing/ModelWindows.h"
#include "editing/NewDocument.h"
#include "files/FileCommands.h"
#include "model/ListWindow.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "properties/DialogTable.h"
#include "properties/MaterialDialog.h"
#include "properties/MaterialLibrary.h"
#include "properties/MaterialLibraryTesting.h"
#include "properties/MaterialLibraryWindow.h"
#include "properties/MaterialPropertyTable.h"
#include "properties/MaterialsTable.h"
#include "properties/ValveLibraryWindow.h"
#include "services/ListFrameState.h"
#include "services/NameTables.h"
#include "services/TableWindow.h"
#include "services/TempFiles.h"
#include "services/Units.h"

using namespace matlib_test;

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class MaterialLibraryWindowTest : public PropertyUiFixture {
 protected:
  void SetUp() override {
    PropertyUiFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "material-library";
    fs::create_directories(folder_);
    ClearMaterialLibrary(LoadedMaterialLibrary());
    ForgetMaterialLibraryPath();
  }
  void TearDown() override {
    TheModel().modified = false;
    CloseMaterialLibraryWindow();
    ClearMaterialLibrary(LoadedMaterialLibrary());
    ForgetMaterialLibraryPath();
    fs::remove_all(folder_);
    PropertyUiFixture::TearDown();
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  static MaterialsTable& Table() { return TheMaterialsTable(); }
  static void ListCommand(int id) {
    SendMessage(ListFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static void Type(int row, int column, const std::string& text) {
    MaterialsTable& table = Table();
    TableGoTo(table, row);
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    table.editBuffer.clear();
    for (char c : text)
      if (const int kept = table.FilterChar(c)) table.editBuffer += static_cast<char>(kept);
    table.editChanged = true;
    TableCommitEdit(table);
  }
  static void ExpectMessage(const std::string& name, const std::vector<std::string>& lines) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [lines](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog), lines);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  // A question answered Yes (IDOK) or No (IDCANCEL), its lines checked.
  static void ExpectQuestion(const std::vector<std::string>& lines, int answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE" + std::to_string(lines.size()) + "_DIALOG",
                          [lines, answer](HWND dialog) {
                            EXPECT_EQ(LinesOfDialog(dialog), lines);
                            SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                          });
  }
  static void ExpectSaveQuestion(const std::string& name, int answer) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG", [name, answer](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), "Do you want to save changes to  " + name + " ?");
      SendMessage(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    });
  }
  static void ChooseFile(const std::string& title, const std::string& path) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, title, [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
  }
  static void NewLibrary() {
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                          [](HWND dialog) { Click(GetDlgItem(dialog, 1002)); });
    NewDocumentDialog(MainFrame().window);
    platform::CheckModalScript();
  }
  // A library file of `count` materials under code 3 and English units.
  std::string LibraryFile(const std::string& name, int count) const {
    const std::string path = Path(name);
    WriteMaterialLibraryFile(path, LibraryMaterials(count), 3, LibraryUnits{});
    return path;
  }
  static std::string TitleOfList() { return TextOf(ListFrame().window); }
  // The keys as the program's message loop takes them, accelerators first.
  static void PumpAsTheMainLoop() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (ActiveAccelerators != nullptr && TranslateAccelerator(ActiveWindow, ActiveAccelerators, &message)) continue;
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
    platform::RunUntilIdle();
  }

  fs::path folder_;
};

TEST_F(MaterialLibraryWindowTest, FileNewListsEditsPrintsAndSavesALibraryThatOpensAgain) {
  ShowModelWindows();
  TheModel().modified = false;
  NewLibrary();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, 0) << "the model was closed";
  EXPECT_EQ(TheModel().materials.count, 0);
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_NE(TitleOfList().find("Material Library  (0)"), std::string::npos) << TitleOfList();
  EXPECT_NE(TitleOfList().find("[Untitled]"), std::string::npos) << TitleOfList();
  char item[32] = {};
  GetMenuString(ListFrame().menu, 40071, item, sizeof item, MF_BYCOMMAND);
  EXPECT_STREQ(item, "Im&port...");
  EXPECT_EQ(Table().HeadingText(1, 0), "") << "a library's materials have no names";
  EXPECT_EQ(Table().widths[1], 0);

  // Typed on the empty row and entered, a material is added without a name
  // and asked for its properties.
  Type(1, 2, "Carbon steel A106 B");
  messages.clear();
  TableGoTo(Table(), 1);
  Table().currentColumn = 2;
  TableCommitCell(Table(), false);
  ASSERT_EQ(TheModel().materials.count, 1);
  EXPECT_EQ(messages, std::vector<std::string>{"Properties are required"});
  EXPECT_TRUE(TheModel().modified);
  EXPECT_NE(TitleOfList().find("Material Library  (1)"), std::string::npos) << TitleOfList();

  // Edit: the name is disabled and "&Library" hidden; the properties typed.
  platform::ExpectModal(platform::ModalKind::Dialog, MaterialDialogName(TheModel().options.PipingCode),
                        [](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1301)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1002)));
    SetDlgItemText(dialog, 1303, "0.283");
    platform::ExpectModal(platform::ModalKind::Dialog, "MATERIAL_PROPERTIES_DIALOG", [](HWND properties) {
      auto* table = dynamic_cast<PropertyRowsTable*>(TableOfWindow(GetFocus()));
      ASSERT_NE(table, nullptr);
      for (const char* t : {"70", "650"}) {
        TableGoTo(*table, table->rowCount);
        table->currentColumn = 1;
        TableLoadEditBuffer(*table);
        platform::TestTypeText(t);
        platform::RunUntilIdle();
        TableNextColumn(*table, 0);
        platform::TestTypeText("2.8E7");
        platform::RunUntilIdle();
        TableCommitCell(*table, false);
        platform::RunUntilIdle();
      }
      SendMessage(properties, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableGoTo(Table(), 1);
  // The list keeps the focus after the row was added, so Ctrl+E reaches it.
  EXPECT_EQ(GetFocus(), ListTableWindow(0));
  ListCommand(113);
  platform::CheckModalScript();
  const Material& typed = TheModel().materials[1];
  EXPECT_TRUE(typed.name.empty());
  EXPECT_FLOAT_EQ(typed.density, 0.283f);
  ASSERT_EQ(typed.numtemps, 2);
  EXPECT_FLOAT_EQ(typed.temps[2].values[kMatTemperature], 650.0f);

  // Printed to a text report under the library's heading.
  const fs::path report = folder_ / "library.txt";
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Material Library",
                        [](HWND sheet) { Click(GetDlgItem(sheet, 1002)); });
  ChooseFile("Print to File", report.string());
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  ListCommand(106);
  platform::CheckModalScript();
  const std::string text = ReadText(report);
  EXPECT_NE(text.find("Material Library"), std::string::npos) << text;
  EXPECT_NE(text.find("Pipe material : Carbon steel A106 B"), std::string::npos) << text;
  EXPECT_NE(text.find("650"), std::string::npos) << text;

  // Save of an untitled library is Save As; the extension is added.
  const std::string path = Path("typed");
  ChooseFile("Save Material Library As", path);
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND dialog) {
    char shown[64] = {};
    GetDlgItemText(dialog, 1501, shown, sizeof shown);
    EXPECT_STREQ(shown, "Material Library saved");
  });
  ListCommand(104);
  platform::CheckModalScript();
  ASSERT_TRUE(fs::exists(path + ".mat"));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(MaterialLibraryPath(), path + ".mat");
  EXPECT_NE(TitleOfList().find("typed.mat"), std::string::npos) << TitleOfList();
  MaterialLibrary saved;
  ReadMaterialLibraryFile(path + ".mat", saved);
  ASSERT_EQ(saved.materials.count, 1);
  EXPECT_EQ(saved.materials[1].temps[2].values, typed.temps[2].values);
  EXPECT_EQ(saved.pipingCode, TheModel().options.PipingCode);

  // Close: nothing to ask; the main window comes back without the library.
  ListCommand(103);
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(TheModel().materials.count, 0);
  EXPECT_TRUE(MaterialLibraryPath().empty());
  EXPECT_EQ(GetMenu(ListFrame().window), ListFrame().menu);
  char listItem[32] = {};
  GetMenuString(ListFrame().menu, 187, listItem, sizeof listItem, MF_BYCOMMAND);
  EXPECT_STREQ(listItem, "&Coordinates") << "the List frame has its own menu back";

  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path + ".mat"));
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  ASSERT_EQ(TheModel().materials.count, 1);
  EXPECT_EQ(TheModel().materials[1].description, "Carbon steel A106 B");
  EXPECT_EQ(Table().rowCount, 2);

  // A model opened from the library's window replaces it: the library's
  // frame and the main window give way to the model's windows.
  const std::string sample = std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod";
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, sample));
  platform::RunUntilIdle();
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  EXPECT_EQ(TheModel().path, sample);
  EXPECT_GT(TheModel().materials.count, 0);
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_TRUE(IsWindowVisible(LayoutFrame().window));
  EXPECT_TRUE(!IsWindowVisible(ListFrame().window) || TitleOfList().find("Material Library") == std::string::npos)
      << TitleOfList();
}

TEST_F(MaterialLibraryWindowTest, ADamagedOrShortFileLeavesTheOpenLibraryAsItWas) {
  const std::string good = LibraryFile("good.mat", 3);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, good));
  Type(2, 2, "Changed, not saved");
  ASSERT_TRUE(TheModel().modified);
  const std::string damaged = Path("damaged.mat"), shortFile = Path("short.mat");
  std::vector<unsigned char> bytes = section_test::ReadByteFile(good);
  bytes[40] = 99;  // more materials than the file holds
  section_test::WriteByteFile(damaged, bytes);
  section_test::WriteByteFile(shortFile, section_test::ByteVector(bytes.begin(), bytes.begin() + 9));

  // A file that cannot be read is refused before anything is asked.
  ExpectMessage("MESSAGE2_DIALOG", {"There was an error while reading material library:", damaged});
  EXPECT_FALSE(OpenFileByExtension(MainFrame().window, damaged));
  platform::CheckModalScript();
  ExpectMessage("MESSAGE2_DIALOG", {"Unable to read material library:", shortFile});
  EXPECT_FALSE(OpenFileByExtension(MainFrame().window, shortFile));
  platform::CheckModalScript();

  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(MaterialLibraryPath(), good);
  ASSERT_EQ(TheModel().materials.count, 3);
  EXPECT_EQ(TheModel().materials[2].description, "Changed, not saved");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(LoadedMaterialLibrary().materials.count, 0);

  // Leaving asks; Cancel keeps the window, No leaves without saving.
  ExpectSaveQuestion("good.mat", IDCANCEL);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(MaterialLibraryWindowOpen());
  ExpectSaveQuestion("good.mat", IDNO);
  ListCommand(103);
  platform::CheckModalScript();
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  MaterialLibrary kept;
  ReadMaterialLibraryFile(good, kept);
  EXPECT_EQ(kept.materials[2].description, "Steel grade 2");
}

TEST_F(MaterialLibraryWindowTest, AnotherDocumentLeavesTheLibraryThroughTheListFramesTool) {
  const std::string good = LibraryFile("good.mat", 3), other = LibraryFile("other.mat", 2);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, good));
  ASSERT_NE(CurrentListFrameTool(), nullptr);
  ASSERT_NE(CurrentListFrameTool()->leave, nullptr);
  Type(2, 2, "Changed, not saved");
  ASSERT_TRUE(TheModel().modified);

  // A readable library asks the open one's question; Cancel keeps it all.
  ExpectSaveQuestion("good.mat", IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, other));
  platform::CheckModalScript();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(MaterialLibraryPath(), good);
  ASSERT_EQ(TheModel().materials.count, 3);
  EXPECT_EQ(TheModel().materials[2].description, "Changed, not saved");
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(LoadedMaterialLibrary().materials.count, 0) << "the library read for the switch is not kept";

  // No: the other library takes the window, the changes are dropped.
  ExpectSaveQuestion("good.mat", IDNO);
  EXPECT_TRUE(OpenFileByExtension(ListFrame().window, other));
  platform::CheckModalScript();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(MaterialLibraryPath(), other);
  EXPECT_EQ(TheModel().materials.count, 2);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));

  // A model that cannot be read after the library was left: the main
  // window comes back rather than no window at all.
  const std::string missing = Path("missing.mod");
  ExpectMessage("MESSAGE2_DIALOG", {"Model file: " + missing, "Does not exist."});
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, missing));
  platform::CheckModalScript();
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  EXPECT_TRUE(IsWindowVisible(MainFrame().window));
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));

  // The valve library window holds the frame: opening a material library
  // leaves it through its tool, and File > New from the material library
  // (its question first) gives the frame to the valve library again.
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { Click(GetDlgItem(dialog, 1004)); });
  NewDocumentDialog(MainFrame().window);
  platform::CheckModalScript();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, good));
  EXPECT_FALSE(ValveLibraryWindowOpen());
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(TheModel().materials.count, 3);
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));

  Type(1, 2, "Changed again");
  ExpectSaveQuestion("good.mat", IDNO);
  platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                        [](HWND dialog) { Click(GetDlgItem(dialog, 1004)); });
  ListCommand(101);
  platform::CheckModalScript();
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  EXPECT_TRUE(ValveLibraryWindowOpen());
  EXPECT_EQ(TheModel().materials.count, 0);
  EXPECT_FALSE(IsWindowVisible(MainFrame().window));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  CloseValveLibraryWindow();
  MaterialLibrary kept;
  ReadMaterialLibraryFile(good, kept);
  EXPECT_EQ(kept.materials[1].description, "Steel grade 1");
}

TEST_F(MaterialLibraryWindowTest, TheLibrarysKeysCopyPasteInsertDeleteAndSave) {
  const std::string path = LibraryFile("keys.mat", 3);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path));
  ASSERT_EQ(ActiveWindow, ListFrame().window);
  SetFocus(ListTableWindow(0));
  const auto control = [](UINT key) {
    platform::TestKeyDown(VK_CONTROL);
    platform::TestKeyPress(key);
    PumpAsTheMainLoop();
    platform::TestKeyUp(VK_CONTROL);
    PumpAsTheMainLoop();
  };
  const Material first = LibraryMaterials(3)[1];
  Model& model = TheModel();

  // Ctrl+C on the first material, Ctrl+V on the third: its values, no name.
  TableGoTo(Table(), 1);
  control('C');
  TableGoTo(Table(), 3);
  control('V');
  ASSERT_EQ(model.materials.count, 3);
  EXPECT_EQ(model.materials[3].description, first.description);
  EXPECT_TRUE(model.materials[3].name.empty());
  EXPECT_EQ(model.materials[3].numtemps, first.numtemps);
  EXPECT_TRUE(model.modified);

  // Ctrl+I inserts an empty record before the current one; Ctrl+X deletes
  // the current one (a library's materials are named by no row).
  TableGoTo(Table(), 2);
  control('I');
  ASSERT_EQ(model.materials.count, 4);
  EXPECT_TRUE(model.materials[2].description.empty());
  EXPECT_EQ(model.materials[3].description, "Steel grade 2");
  TableGoTo(Table(), 3);
  control('X');
  ASSERT_EQ(model.materials.count, 3);
  EXPECT_EQ(model.materials[3].description, first.description);
  TableGoTo(Table(), 2);
  control('X');
  ASSERT_EQ(model.materials.count, 2);

  // Ctrl+S writes the library under its name.
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1501)), "Material Library saved");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  control('S');
  platform::CheckModalScript();
  EXPECT_FALSE(model.modified);
  MaterialLibrary saved;
  ReadMaterialLibraryFile(path, saved);
  ASSERT_EQ(saved.materials.count, 2);
  EXPECT_EQ(saved.materials[1].description, first.description);
  EXPECT_EQ(saved.materials[2].description, first.description);
  EXPECT_EQ(saved.materials[2].temps[1].values, first.temps[1].values);
}

TEST_F(MaterialLibraryWindowTest, TheMaterialDialogsLibraryPicksAWholeTemperatureTable) {
  const std::string path = LibraryFile("pick.mat", 3);
  const Material expected = LibraryMaterials(3)[2];
  Model& model = TheModel();
  platform::ExpectModal(platform::ModalKind::Dialog, MaterialDialogName(model.options.PipingCode), [&](HWND dialog) {
    ChooseFile("Open Material Library", path);
    platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [&](HWND picker) {
      std::string folder = folder_.string();
      EXPECT_EQ(TextOf(picker), "Material Library - [pick.mat (" + folder + ")]");
      EXPECT_EQ(TextOf(GetDlgItem(picker, 1501)),
                std::string("Piping code : ") + PipingCodeShortName(CodeListPosition(3)));
      auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus()));
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(table->rowCount, 3);
      EXPECT_EQ(table->HeadingText(1, 0), "Material Description");
      EXPECT_EQ(table->CellText(2, 1, 0), "Steel grade 2");
      // Just tall enough for the three rows.
      EXPECT_EQ(table->place.bottom - table->place.top,
                table->headingHeight + 3 * table->rowHeight + 2 * GetSystemMetrics(SM_CYEDGE));
      TableGoTo(*table, 2);
      SendMessage(picker, WM_COMMAND, IDOK, 0);
    });
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    EXPECT_EQ(Field(dialog, 1302), "Steel grade 2");
    EXPECT_EQ(Field(dialog, 1301), "CS") << "the name stays the edited material's own";
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  LayoutCommand(283);
  platform::CheckModalScript();
  const Material& m = model.materials[1];
  EXPECT_EQ(m.name, "CS");
  EXPECT_EQ(m.description, "Steel grade 2");
  EXPECT_EQ(m.type, expected.type);
  EXPECT_NEAR(m.density, expected.density, 5.0e-4f);  // through its field's three decimals
  ASSERT_EQ(m.numtemps, expected.numtemps);
  for (int row = 1; row <= m.numtemps; ++row)
    EXPECT_EQ(m.temps[static_cast<std::size_t>(row)].values, expected.temps[static_cast<std::size_t>(row)].values);
  EXPECT_EQ(model.row(2).material, "CS");
  EXPECT_EQ(MaterialLibraryPath(), path);

  // The Materials list's "&Library...": the library is loaded, the picker
  // comes at once; another description asks first.
  ShowListByOpener(OpenMaterialsTable);
  platform::RunUntilIdle();
  TableGoTo(Table(), 1);
  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [](HWND picker) {
    auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus()));
    ASSERT_NE(table, nullptr);
    TableGoTo(*table, 3);
    SendMessage(picker, WM_COMMAND, IDOK, 0);
  });
  ExpectQuestion({"Do you want to change Material", "from  \"Steel grade 2\"  to  \"Fibreglass 3\" ?"}, IDOK);
  ListCommand(270);
  platform::CheckModalScript();
  EXPECT_EQ(m.name, "CS");
  EXPECT_EQ(m.description, "Fibreglass 3");
  EXPECT_EQ(m.isFrp, 1);
  EXPECT_EQ(m.temps[1].values[kMatShearModulus], 1.1e6f);
  EXPECT_TRUE(CanUndo());

  // "&Library" in the picker: a library without materials says so, is
  // forgotten and ends the pick.
  const std::string empty = LibraryFile("empty.mat", 0);
  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [&](HWND picker) {
    ChooseFile("Open Material Library", empty);
    ExpectMessage("MESSAGE2_DIALOG", {"There are no materials in ", empty});
    SendMessage(picker, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
  });
  ListCommand(270);
  platform::CheckModalScript();
  EXPECT_EQ(m.description, "Fibreglass 3");
  EXPECT_TRUE(MaterialLibraryPath().empty());
}

TEST_F(MaterialLibraryWindowTest, APickerOfThirtyShowsTwelveRowsAndScrolls) {
  const std::string path = Path("thirty.mat");
  WriteMaterialLibraryFile(path, LibraryMaterials(30), 0, LibraryUnits{});
  ReadMaterialLibraryFile(path, LoadedMaterialLibrary());
  SetMaterialLibraryPath(path);
  ShowListByOpener(OpenMaterialsTable);
  platform::RunUntilIdle();
  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [](HWND picker) {
    auto* table = dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus()));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount, 30);
    EXPECT_EQ(table->place.bottom - table->place.top,
              table->headingHeight + 12 * table->rowHeight + 2 * GetSystemMetrics(SM_CYEDGE));
    EXPECT_TRUE(table->vScrollShown);
    SendMessage(picker, WM_COMMAND, IDCANCEL, 0);
  });
  ListCommand(270);
  platform::CheckModalScript();
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(MaterialLibraryWindowTest, ThePickersLibraryKeepsItsLibraryOnAnErrorAndShowsAnother) {
  const std::string first = LibraryFile("first.mat", 3);
  const std::string second = Path("second.mat");
  WriteMaterialLibraryFile(second, LibraryMaterials(5), 101, LibraryUnits{});
  const std::string damaged = Path("damaged.mat");
  const std::vector<unsigned char> bytes = section_test::ReadByteFile(second);
  ASSERT_GT(bytes.size(), 7u);
  section_test::WriteByteFile(damaged, section_test::ByteVector(bytes.begin(), bytes.end() - 7));
  ReadMaterialLibraryFile(first, LoadedMaterialLibrary());
  SetMaterialLibraryPath(first);
  TheModel().materials[1].description.clear();
  ShowListByOpener(OpenMaterialsTable);
  platform::RunUntilIdle();
  TableGoTo(Table(), 1);
  const std::string folder = folder_.string();

  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [&](HWND picker) {
    const auto table = [] { return dynamic_cast<DialogTableWindow*>(TableOfWindow(GetFocus())); };
    ASSERT_NE(table(), nullptr);
    EXPECT_EQ(table()->rowCount, 3);
    // A library that cannot be read is reported; the picker keeps its own.
    ChooseFile("Open Material Library", damaged);
    ExpectMessage("MESSAGE2_DIALOG", {"There was an error while reading material library:", damaged});
    SendMessage(picker, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(picker), "Material Library - [first.mat (" + folder + ")]");
    EXPECT_EQ(TextOf(GetDlgItem(picker, 1501)), std::string("Piping code : ") + PipingCodeShortName(CodeListPosition(3)));
    // Another library: the title, code line and rows are its own.
    ChooseFile("Open Material Library", second);
    SendMessage(picker, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(picker), "Material Library - [second.mat (" + folder + ")]");
    EXPECT_EQ(TextOf(GetDlgItem(picker, 1501)),
              std::string("Piping code : ") + PipingCodeShortName(CodeListPosition(101)));
    auto* shown = table();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->rowCount, 5);
    EXPECT_EQ(shown->CellText(5, 1, 0), LibraryMaterials(5)[5].description);
    TableGoTo(*shown, 5);
    // A double-click on a row is OK.
    shown->DoubleClick();
  });
  ListCommand(270);
  platform::CheckModalScript();
  const Material expected = LibraryMaterials(5)[5];
  const Material& m = TheModel().materials[1];
  EXPECT_EQ(m.name, "CS");
  EXPECT_EQ(m.description, expected.description);
  ASSERT_EQ(m.numtemps, expected.numtemps);
  EXPECT_EQ(m.temps[static_cast<std::size_t>(m.numtemps)].values,
            expected.temps[static_cast<std::size_t>(expected.numtemps)].values);
  EXPECT_EQ(MaterialLibraryPath(), second);
  EXPECT_EQ(LoadedMaterialLibrary().materials.count, 5) << "left loaded for the next pick";
}

TEST_F(MaterialLibraryWindowTest, OldLibrariesConvertToLibrariesWithTheirCodeAndUnits) {
  const std::string oldA = Path("plant.mdb"), matA = Path("plant.mat");
  section_test::WriteByteFile(oldA, LayoutA(350, 6, {OldSteel(), OldFibreglass()}));
  const int rows = TheModel().rowCount;

  // Declining the overwrite keeps the existing file and the open model, and
  // says nothing more.
  std::ofstream(matA) << "an earlier library";
  ExpectQuestion({"Material library " + matA + " already exists", "Do you want to overwrite ?"}, IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(MainFrame().window, oldA));
  platform::CheckModalScript();
  EXPECT_EQ(ReadText(matA), "an earlier library");
  EXPECT_FALSE(MaterialLibraryWindowOpen());
  EXPECT_EQ(TheModel().rowCount, rows);

  // Version 411 is refused after its question; nothing is written.
  const std::string old411 = Path("new.mdb");
  section_test::WriteByteFile(old411, LayoutB(411, 1, {OldSteel()}));
  ExpectQuestion({"Material library is in Version  4.11 format.", "Do you want to convert to 5.00 format ?"}, IDOK);
  ExpectMessage("MESSAGE1_DIALOG", {"Material library could not be read"});
  EXPECT_FALSE(OpenFileByExtension(MainFrame().window, old411));
  platform::CheckModalScript();
  EXPECT_FALSE(fs::exists(Path("new.mat")));
  EXPECT_EQ(TheModel().rowCount, rows);

  // Layout B from the library's open dialog, behind the Materials list's
  // "&Library...": converted, then offered in the picker.
  const std::string oldB = Path("frp.MDB"), matB = Path("frp.mat");
  section_test::WriteByteFile(oldB, LayoutB(400, 3, {OldSteel(), OldFibreglass()}));
  ShowListByOpener(OpenMaterialsTable);
  platform::RunUntilIdle();
  ChooseFile("Open Material Library", oldB);
  ExpectQuestion({"Material library is in Version  4.00 format.", "Do you want to convert to 5.00 format ?"}, IDOK);
  ExpectMessage("MESSAGE2_DIALOG", {"Material Library converted to:", matB});
  platform::ExpectModal(platform::ModalKind::Dialog, "LIBRARY_USE_DIALOG", [](HWND picker) {
    EXPECT_EQ(TableOfWindow(GetFocus())->rowCount, 2);
    SendMessage(picker, WM_COMMAND, IDCANCEL, 0);
  });
  ListCommand(270);
  platform::CheckModalScript();
  EXPECT_EQ(MaterialLibraryPath(), matB);
  EXPECT_EQ(TheModel().rowCount, rows);
  MaterialLibrary frp;
  ReadMaterialLibraryFile(matB, frp);
  EXPECT_EQ(frp.pipingCode, 3);
  ASSERT_EQ(frp.materials.count, 2);
  EXPECT_EQ(frp.materials[2].isFrp, 1);
  EXPECT_EQ(frp.materials[2].type, "FR");
  EXPECT_EQ(frp.materials[2].temps[1].values[kMatShearModulus], 0.0f);

  // Layout A from File > Open, over the earlier file this time: converted
  // beside it, then shown in the window in its own code and units; the
  // kinds a library keeps no unit of stay as they were chosen.
  const auto kept = [](int kind) {
    for (int i = 0; i < kLibraryUnitCount; ++i)
      if (kLibraryUnitKinds[i] == kind) return false;
    return UnitCount(kind) > 1;
  };
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (kept(kind)) g_UnitsSettings.unit[kind] = 1 - OldUnitChoice(kind);
  const UnitsSettings chosen = g_UnitsSettings;
  ExpectQuestion({"Material library " + matA + " already exists", "Do you want to overwrite ?"}, IDOK);
  ExpectQuestion({"Material library is in Version  3.50 format.", "Do you want to convert to 5.00 format ?"}, IDOK);
  ExpectMessage("MESSAGE2_DIALOG", {"Material Library converted to:", matA});
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, oldA));
  platform::CheckModalScript();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(MaterialLibraryPath(), matA);
  EXPECT_EQ(TheModel().options.PipingCode, 6);
  EXPECT_EQ(ChosenUnit(kUnitDensity), OldUnitChoice(kUnitDensity)) << "the window shows the old units";
  EXPECT_EQ(ChosenUnit(kUnitModulus), OldUnitChoice(kUnitModulus));
  for (int kind = 1; kind <= kUnitKindCount; ++kind) {
    if (kept(kind)) {
      EXPECT_EQ(ChosenUnit(kind), chosen.unit[kind]) << "unit kind " << kind;
    }
  }
  EXPECT_EQ(TheModel().materials.count, 2);
  MaterialLibrary converted;
  ReadMaterialLibraryFile(matA, converted);
  EXPECT_EQ(converted.pipingCode, 6) << "the file keeps the old library's code";
  EXPECT_EQ(converted.units[0], OldUnitChoice(kUnitDensity));
  EXPECT_EQ(converted.units[1], OldUnitChoice(kUnitTemperature));
  ASSERT_EQ(converted.materials.count, 2);
  EXPECT_EQ(converted.materials[2].type, "FR");
  EXPECT_EQ(converted.materials[2].temps[1].values[kMatHoopModulus], 0.0f);
  EXPECT_EQ(converted.materials[2].temps[1].values[kMatShearModulus], 0.0f);
  g_UnitsSettings = UnitsSettings{};
}

TEST_F(MaterialLibraryWindowTest, AnOldLibraryIsWrittenOnlyAfterTheOpenLibraryGaveWay) {
  const std::string open = LibraryFile("plant.mat", 3);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, open));
  Type(1, 2, "Edited in the window");
  ASSERT_TRUE(TheModel().modified);
  const std::string old = Path("plant.mdb");
  section_test::WriteByteFile(old, LayoutB(400, 6, {OldSteel(), OldFibreglass()}));
  const std::string before = ReadText(open);
  const auto questions = [&] {
    ExpectQuestion({"Material library " + open + " already exists", "Do you want to overwrite ?"}, IDOK);
    ExpectQuestion({"Material library is in Version  4.00 format.", "Do you want to convert to 5.00 format ?"}, IDOK);
  };

  // Cancel at the open library's question: nothing written, nothing left.
  questions();
  ExpectSaveQuestion("plant.mat", IDCANCEL);
  EXPECT_FALSE(OpenFileByExtension(ListFrame().window, old));
  platform::CheckModalScript();
  EXPECT_EQ(ReadText(open), before);
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(TheModel().materials[1].description, "Edited in the window");
  EXPECT_TRUE(TheModel().modified);

  // Yes: the open library is saved first, then the conversion written over
  // it as agreed; the window and the file then hold the same library.
  questions();
  ExpectSaveQuestion("plant.mat", IDYES);
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  ExpectMessage("MESSAGE2_DIALOG", {"Material Library converted to:", open});
  ASSERT_TRUE(OpenFileByExtension(ListFrame().window, old));
  platform::CheckModalScript();
  ASSERT_TRUE(MaterialLibraryWindowOpen());
  EXPECT_EQ(MaterialLibraryPath(), open);
  EXPECT_EQ(TheModel().options.PipingCode, 6);
  ASSERT_EQ(TheModel().materials.count, 2);
  EXPECT_FALSE(TheModel().modified);
  MaterialLibrary onDisk;
  ReadMaterialLibraryFile(open, onDisk);
  ASSERT_EQ(onDisk.materials.count, 2);
  EXPECT_EQ(onDisk.materials[1].description, TheModel().materials[1].description);
  EXPECT_EQ(onDisk.materials[2].type, "FR");
  EXPECT_EQ(onDisk.pipingCode, 6);
  g_UnitsSettings = UnitsSettings{};
}

TEST_F(MaterialLibraryWindowTest, ExportAndImportGiveTheSameMaterialsAndABadLineChangesNothing) {
  const std::string path = LibraryFile("exchange.mat", 4);
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, path));
  const ModelRecordTable<Material> original = TheModel().materials;

  const std::string text = Path("exchange.mlb");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Material Library", [text](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Export");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, edt1)), "exchange.mlb");
    SetDlgItemText(dialog, edt1, text.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  ListCommand(40070);
  platform::CheckModalScript();
  ASSERT_TRUE(fs::exists(text));
  EXPECT_EQ(ReadText(text).substr(0, 22), "OPTIONS\nB313\nMATERIAL\n");

  // Emptied, then imported: the same materials, descriptions upper-cased.
  TableGoTo(Table(), 1);
  for (int i = 0; i < 4; ++i) ListCommand(126);
  ASSERT_EQ(TheModel().materials.count, 0);
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Import Material Library", [text](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Import");
    SetDlgItemText(dialog, edt1, text.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  ListCommand(40071);
  platform::CheckModalScript();
  const ModelRecordTable<Material>& imported = TheModel().materials;
  ASSERT_EQ(imported.count, 4);
  EXPECT_TRUE(TheModel().modified);
  for (int i = 1; i <= 4; ++i) {
    std::string upper = original[i].description;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(imported[i].description, upper);
    EXPECT_EQ(imported[i].type, original[i].type);
    EXPECT_EQ(imported[i].numtemps, original[i].numtemps);
    for (int row = 1; row <= original[i].numtemps; ++row)
      EXPECT_EQ(imported[i].temps[static_cast<std::size_t>(row)].values,
                original[i].temps[static_cast<std::size_t>(row)].values);
  }
  EXPECT_EQ(Table().rowCount, 5);

  // NAVY on line 2: the line's message, the library and units unchanged.
  const std::string navy = Path("navy.mlb");
  std::ofstream(navy) << "OPTIONS\nNAVY,SI\nMATERIAL\nNEW STEEL,0.283\nNEW STEEL,70,29E6\n";
  TheModel().modified = false;
  ChooseFile("Import Material Library", navy);
  ExpectMessage("MESSAGE2_DIALOG", {"Line = 2 :  NAVY,SI", "NAVY code is presently not available"});
  ListCommand(40071);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().materials.count, 4);
  EXPECT_EQ(TheModel().materials[1].description, imported[1].description);
  EXPECT_EQ(ChosenUnit(kUnitTemperature), 0);
  EXPECT_FALSE(TheModel().modified);

  // A description with a comma: refused by name, nothing asked or written.
  Type(2, 2, "Steel, killed");
  ExpectMessage("MESSAGE3_DIALOG", {"Material 2 \"Steel, killed\"",
                                    "has a comma in its description, which an import would read",
                                    "as the end of the description. Export of materials aborted."});
  fs::remove(text);
  ListCommand(40070);
  platform::CheckModalScript();
  EXPECT_FALSE(fs::exists(text));
}

TEST_F(MaterialLibraryWindowTest, PipingCodeAndUnitsDialogsOfTheLibrary) {
  ASSERT_TRUE(OpenFileByExtension(MainFrame().window, LibraryFile("codes.mat", 2)));
  EXPECT_EQ(TheModel().options.PipingCode, 3);
  auto chooseCode = [](const char* name) {
    platform::ExpectModal(platform::ModalKind::Dialog, "MATLIB_CODE_DIALOG", [name](HWND dialog) {
      const LRESULT index = SendDlgItemMessage(dialog, 1201, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(name));
      ASSERT_GE(index, 0) << name;
      SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, 305, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  };
  chooseCode("B31.3 (2016)");  // the current one: nothing changes
  EXPECT_FALSE(TheModel().modified);
  chooseCode("ASME Class 2 (2017)");
  EXPECT_EQ(TheModel().options.PipingCode, 101);
  EXPECT_TRUE(TheModel().modified);
  chooseCode("BS 806 (1986)");
  EXPECT_EQ(TheModel().options.PipingCode, 12);
  EXPECT_EQ(Table().HeadingText(8, 0), "") << "the list's columns follow the code";

  const UnitsSettings before = g_UnitsSettings;
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::Dialog, "MATLIB_UNITS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessage(dialog, 1201, CB_GETCOUNT, 0, 0), 4);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
    EXPECT_EQ(SendDlgItemMessage(dialog, 1205, CB_GETCURSEL, 0, 0), 3);  // (kg/mm2)
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ListCommand(431);
  platform::CheckModalScript();
  EXPECT_EQ(std::memcmp(&before, &g_UnitsSettings, sizeof before), 0) << "Cancel changes no unit";
  EXPECT_FALSE(TheModel().modified);

  platform::ExpectModal(platform::ModalKind::Dialog, "MATLIB_UNITS_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  ListCommand(431);
  platform::CheckModalScript();
  EXPECT_EQ(ChosenUnit(kUnitDensity), 2);
  EXPECT_EQ(ChosenUnit(kUnitTemperature), 1);
  EXPECT_EQ(ChosenUnit(kUnitModulus), 1);
  EXPECT_EQ(ChosenUnit(kUnitThermalExpansion), 1);
  EXPECT_EQ(ChosenUnit(kUnitStress), 1);
  EXPECT_EQ(ChosenUnit(kUnitLength), before.unit[kUnitLength]) << "the other kinds stay";
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(Table().HeadingText(4, 1), "(kg/m3)");

  // Saved, the file records the code and units chosen.
  platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
  ListCommand(104);
  platform::CheckModalScript();
  MaterialLibrary saved;
  ReadMaterialLibraryFile(MaterialLibraryPath(), saved);
  EXPECT_EQ(saved.pipingCode, 12);
  EXPECT_EQ(saved.units, (LibraryUnits{2, 1, 1, 1, 1}));
  g_UnitsSettings = before;
}

}  // namespace
