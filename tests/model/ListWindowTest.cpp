// The List window: the list menu and its dialog, the node list, the menu
// states, the list kept on the current Layout row, the find-node prompt
// over the list, and a list that stays shown when its last entry goes.
#include <cstdlib>

#include "application/ListFrame.h"
#include "editing/LayoutEditors.h"
#include "editing/LayoutTable.h"
#include "editing/NodeList.h"
#include "files/FileCommands.h"
#include "files/ModelFile.h"
#include "loads/PipeLoadsTable.h"
#include "model/EditTesting.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Toolbar.h"
#include "properties/MaterialDialog.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "services/ListFrameState.h"
#include "services/TempFiles.h"
#include "services/Units.h"
#include "supports/RestraintList.h"

namespace {

// A second list for the tests of the menu order: it stands for the anchors
// list, offered while `anchorsOffered` holds.
bool anchorsOffered = true;
int anchorsOpened = 0;
void OpenTestAnchors() {
  ++anchorsOpened;
  SetCurrentListOpener(OpenTestAnchors);
}
bool TestAnchorsOffered(const Model&) { return anchorsOffered; }

class ListWindowTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    anchorsOffered = true;
    anchorsOpened = 0;
  }
  void TearDown() override {
    g_UnitsSettings = UnitsSettings{};
    ListFixture::TearDown();
  }
  static NodeListTable& Nodes() { return TheNodeList(); }
  static UINT State(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }
  static HMENU Popup(int position) { return GetSubMenu(ListFrame().menu, position); }
  static void OpenPopup(int position) {
    SendMessage(ListFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Popup(position)), position);
  }
};

TEST_F(ListWindowTest, TheDialogTemplateFollowsTheNumberOfLists) {
  const std::pair<int, const char*> cases[] = {
      {0, "LIST_DIALOG3"},   {3, "LIST_DIALOG3"},   {4, "LIST_DIALOG6"},   {6, "LIST_DIALOG6"},
      {7, "LIST_DIALOG8"},   {9, "LIST_DIALOG10"},  {11, "LIST_DIALOG12"}, {13, "LIST_DIALOG14"},
      {15, "LIST_DIALOG18"}, {19, "LIST_DIALOG21"}, {22, "LIST_DIALOG24"}, {25, "LIST_DIALOG30"},
      {30, "LIST_DIALOG30"}, {31, "LIST_DIALOG40"}, {41, "LIST_DIALOG52"}, {52, "LIST_DIALOG52"}};
  for (const auto& [n, name] : cases) EXPECT_EQ(ListDialogTemplateName(n), name) << n;
  // Every template exists with as many hidden buttons as its name says.
  for (int n : {3, 6, 8, 10, 12, 14, 18, 21, 24, 30, 40, 52}) {
    const std::string name = "LIST_DIALOG" + std::to_string(n);
    platform::ExpectModal(platform::ModalKind::Dialog, name, [n](HWND dialog) {
      EXPECT_NE(GetDlgItem(dialog, 1400 + n), nullptr);
      EXPECT_EQ(GetDlgItem(dialog, 1401 + n), nullptr);
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1400 + n)));
      EndDialog(dialog, 0);
    });
    DialogBoxParam(nullptr, name.c_str(), nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  }
}

std::vector<std::string> Labels() {
  std::vector<std::string> labels;
  for (const ListMenuEntry& entry : ListMenuEntries()) labels.push_back(entry.label);
  return labels;
}

TEST_F(ListWindowTest, OnlyBuiltListsWithTheirConditionAreOfferedAndThePropertyListsAlways) {
  EXPECT_FALSE(RegisterListKind("&Boilers", TestAnchorsOffered, OpenTestAnchors));
  // The model's anchor, its nodes and its valve, and the property lists always.
  ASSERT_EQ(BuildListMenu(), 6);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"&Anchors", "&Coordinates", "&Loads", "&Materials", "&Sections",
                                                "&Valves"}));
  EXPECT_EQ(ListDialogTemplate(), "LIST_DIALOG6");
  // The anchors list comes first in the menu order.
  ASSERT_TRUE(RegisterListKind("&Anchors", TestAnchorsOffered, OpenTestAnchors));
  ASSERT_EQ(BuildListMenu(), 6);
  EXPECT_EQ(ListMenuEntries()[0].label, "&Anchors");
  // A model without nodes has no node list; the property lists stay.
  Model empty;
  InitEmptyModel(empty, AnalysisOptions());
  SwapModel(empty);
  anchorsOffered = false;
  EXPECT_EQ(BuildListMenu(), 3);
  EXPECT_EQ(ListDialogTemplate(), "LIST_DIALOG3");
  SwapModel(empty);
}

TEST_F(ListWindowTest, TheListShownStaysInTheMenuAfterItEmpties) {
  RegisterListKind("&Anchors", TestAnchorsOffered, OpenTestAnchors);
  ShowListByOpener(OpenTestAnchors);
  anchorsOffered = false;
  ASSERT_EQ(BuildListMenu(), 6);
  EXPECT_EQ(ListMenuEntries()[0].label, "&Anchors");
  ShowListByOpener(OpenNodeList);
  EXPECT_EQ(BuildListMenu(), 5);
}

TEST_F(ListWindowTest, ListCommandShowsTheChosenListWithTheNodes) {
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1401)), "&Anchors");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1402)), "&Coordinates");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1405)), "&Sections");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1405)));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1406)), "&Valves");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1401), BST_CHECKED);
    CheckRadioButton(dialog, 1401, 1402, 1402);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 302, 0);
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(CurrentListOpener(), &OpenNodeList);
  EXPECT_EQ(TheModel().listName, "&Coordinates");
  NodeListTable& table = Nodes();
  EXPECT_EQ(table.rowCount, 4);
  EXPECT_EQ(table.HeadingText(1, 0), "Node");
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(table.CellText(row, 1, 0), std::to_string(row * 10));
  // Cancel shows nothing new.
  platform::ExpectModal(platform::ModalKind::Dialog, "LIST_DIALOG6",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(OpenListMenuDialog(ListFrame().window), 0);
}

TEST_F(ListWindowTest, NodeCoordinatesAreShownInTheLengthUnit) {
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  ShowListByOpener(OpenNodeList);
  NodeListTable& table = Nodes();
  EXPECT_EQ(table.HeadingText(2, 0).rfind("X ", 0), 0u);
  EXPECT_NE(table.HeadingText(2, 0).find("mm"), std::string::npos);
  EXPECT_NE(table.HeadingText(4, 0).find("mm"), std::string::npos);
  // Node 40 is three 12-inch pipes along X: 914.4 mm.
  EXPECT_NEAR(std::atof(table.CellText(4, 2, 0).c_str()), 914.4, 0.05);
  EXPECT_NEAR(std::atof(table.CellText(4, 3, 0).c_str()), 0.0, 1e-6);
  // The three coordinate columns share one width.
  EXPECT_EQ(table.widths[2], table.widths[3]);
  EXPECT_EQ(table.widths[3], table.widths[4]);
  const std::string file = NodeListFileText(TheModel());
  EXPECT_EQ(file.rfind("Coordinates\r\nNode,X ", 0), 0u);
  EXPECT_NE(file.find("\r\n40,"), std::string::npos);
}

TEST_F(ListWindowTest, TheListFollowsTheCurrentLayoutRow) {
  TheModel().currentRow = 3;
  ShowListByOpener(OpenNodeList);
  EXPECT_EQ(Nodes().currentRow, 3);
  EXPECT_EQ(Nodes().RowNode(3), 30);
  ShowModelWindows();
  SetCurrentLayoutRow(2);
  EXPECT_EQ(TheModel().currentRow, 2);
  EXPECT_EQ(Nodes().currentRow, 2);
  // A row that made no node (the comment) leaves the list where it was.
  SetCurrentLayoutRow(5);
  EXPECT_EQ(Nodes().currentRow, 2);
}

TEST_F(ListWindowTest, TheNodeListAddsDistanceAndGreysEditUntilItCloses) {
  ShowListByOpener(OpenNodeList);
  HMENU view = Popup(2);
  EXPECT_NE(State(view, kDistanceCommand), static_cast<UINT>(-1));
  char text[64] = {};
  GetMenuString(view, kDistanceCommand, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Distance...\tCtrl+D");
  EXPECT_TRUE(GetMenuState(ListFrame().menu, 1, MF_BYPOSITION) & MF_GRAYED);
  TableWindowClose(ListTableWindow(0));
  EXPECT_EQ(State(view, kDistanceCommand), static_cast<UINT>(-1));
  EXPECT_FALSE(GetMenuState(ListFrame().menu, 1, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(ListWindowTest, MenuStatesFollowTheListAndThePipingCode) {
  OpenPopup(0);
  EXPECT_TRUE(State(Popup(0), 106) & MF_GRAYED);  // no list shown
  ShowListByOpener(OpenNodeList);
  OpenPopup(0);
  EXPECT_FALSE(State(Popup(0), 106) & MF_GRAYED);
  OpenPopup(2);
  EXPECT_FALSE(State(Popup(2), 336) & MF_GRAYED);  // the node list is searched by node
  EXPECT_TRUE(State(Popup(2), 267) & MF_GRAYED);
  OpenPopup(1);
  EXPECT_TRUE(State(Popup(1), 128) & MF_GRAYED);  // nodes are neither inserted
  EXPECT_TRUE(State(Popup(1), 126) & MF_GRAYED);  // nor deleted here
  TheModel().options.PipingCode = 0;
  OpenPopup(4);
  for (UINT id : {193u, 194u, 195u, 251u, 376u, 252u, 354u}) EXPECT_TRUE(State(Popup(4), id) & MF_GRAYED) << id;
  EXPECT_FALSE(State(Popup(4), 187) & MF_GRAYED);
  TheModel().options.PipingCode = 3;
  OpenPopup(4);
  EXPECT_FALSE(State(Popup(4), 193) & MF_GRAYED);
}

TEST_F(ListWindowTest, NextAndPreviousListWrapAround) {
  RegisterListKind("&Anchors", TestAnchorsOffered, OpenTestAnchors);
  ShowListByOpener(OpenNodeList);
  SendMessage(ListFrame().window, WM_COMMAND, 40043, 0);
  EXPECT_EQ(CurrentListOpener(), &OpenTestAnchors);
  EXPECT_EQ(anchorsOpened, 1);
  SendMessage(ListFrame().window, WM_COMMAND, 40043, 0);  // from the first to the last
  EXPECT_EQ(TheModel().listName, "&Valves");
  SendMessage(ListFrame().window, WM_COMMAND, 40043, 0);
  EXPECT_EQ(CurrentListOpener(), &OpenSectionsTable);
  SendMessage(ListFrame().window, WM_COMMAND, 40043, 0);
  EXPECT_EQ(CurrentListOpener(), &OpenMaterialsTable);
  SendMessage(ListFrame().window, WM_COMMAND, 40043, 0);
  EXPECT_EQ(CurrentListOpener(), &OpenPipeLoadsTable);
  EXPECT_EQ(TheModel().listName, "&Loads");
  SendMessage(ListFrame().window, WM_COMMAND, 40042, 0);
  SendMessage(ListFrame().window, WM_COMMAND, 40042, 0);
  SendMessage(ListFrame().window, WM_COMMAND, 40042, 0);
  SendMessage(ListFrame().window, WM_COMMAND, 40042, 0);  // from the last to the first
  EXPECT_EQ(CurrentListOpener(), &OpenTestAnchors);
}

TEST_F(ListWindowTest, ASavedListIsShownAgainAndANewModelForgetsIt) {
  TheModel().listName = "&Coordinates";
  RestoreListWindow();
  EXPECT_EQ(CurrentListOpener(), &OpenNodeList);
  EXPECT_TRUE(IsWindowVisible(ListTableWindow(0)));
  ResetListWindow();
  EXPECT_EQ(CurrentListOpener(), nullptr);
  EXPECT_EQ(TheModel().listName, "");
  EXPECT_EQ(CurrentListLabel(), "");
}

TEST_F(ListWindowTest, FindNodeMovesTheListOrNamesTheNodeItCannotFind) {
  ShowListByOpener(OpenNodeList);
  // A refused node keeps the prompt open; the script then cancels it.
  auto answer = [](const std::string& text, bool refused = false) {
    platform::ExpectModal(platform::ModalKind::Dialog, "FIND_NODE_DIALOG", [text, refused](HWND dialog) {
      SetDlgItemText(dialog, 1301, text.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
      if (refused) SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, 336, 0);
  };
  answer("30");
  EXPECT_EQ(Nodes().currentRow, 3);
  answer("90");
  answer("12a", true);
  answer("", true);
  EXPECT_EQ(messages, (std::vector<std::string>{"Node  90  not found", "Node =  12a  is invalid", "Node is required"}));
  EXPECT_EQ(Nodes().currentRow, 3);
}

TEST_F(ListWindowTest, ClosingTheListFrameGoesBackToTheLayout) {
  ShowModelWindows();
  ShowListByOpener(OpenNodeList);
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(ListToolTipText(256), "Layout Window");
  EXPECT_EQ(ListToolTipText(40042), "Next List");
}

TEST_F(ListWindowTest, TheListWindowRunsUndoRedoNewOpenExitAndAbout) {
  ShowModelWindows();
  ShowListByOpener(OpenNodeList);
  HWND list = ListFrame().window;
  TakeUndoSnapshot();
  TheModel().row(3).dx = 48.0f;
  RefreshAfterModelEdit(TheModel());
  SendMessage(list, WM_COMMAND, 40050, 0);
  EXPECT_EQ(TheModel().row(3).dx, 12.0f);
  SendMessage(list, WM_COMMAND, 40051, 0);
  EXPECT_EQ(TheModel().row(3).dx, 48.0f);
  ASSERT_TRUE(TheModel().modified);
  platform::ExpectModal(platform::ModalKind::Dialog, "ABOUT_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  SendMessage(list, WM_COMMAND, 903, 0);
  // New, Open and Exit ask about the change first; Cancel keeps the model.
  for (int command : {101, 102, 110}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SAVE_CHANGES_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
    SendMessage(list, WM_COMMAND, static_cast<WPARAM>(command), 0);
    platform::CheckModalScript();
    EXPECT_EQ(TheModel().rowCount, 5) << command;
    EXPECT_TRUE(IsWindow(MainFrame().window)) << command;
  }
  // Open goes on to its dialog once the change is dealt with; Exit ends the
  // program.
  TheModel().modified = false;
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open",
                        [](HWND) { platform::TestKeyPress(VK_ESCAPE); });
  SendMessage(list, WM_COMMAND, 102, 0);
  platform::CheckModalScript();
  PostMessage(list, WM_COMMAND, 110, 0);
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(MainFrame().window));
}

TEST_F(ListWindowTest, AModelSavedWithItsListReopensItAndClosingForgetsTheListAndItsPlace) {
  ShowModelWindows();
  ShowListByOpener(OpenNodeList);
  TableGoTo(Nodes(), 4);
  TheModel().currentRow = 5;  // the comment, which names no node
  ASSERT_EQ(TheModel().listName, "&Coordinates");
  const std::string listed = TempFolder() + "/listed.mod";
  ASSERT_EQ(WriteModelFileFrom(TheModel(), listed), "");
  TheModel().listName = "&Hangers";
  const std::string materials = TempFolder() + "/hangers.mod";
  ASSERT_EQ(WriteModelFileFrom(TheModel(), materials), "");
  // Close hides the List window, forgets its list and puts its tables
  // back at their top.
  SendMessage(LayoutFrame().window, WM_COMMAND, 103, 0);
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(CurrentListOpener(), nullptr);
  EXPECT_EQ(Nodes().currentRow, 1);
  EXPECT_EQ(Nodes().topRow, 0);
  // Opening the model shows its list again, at the list's top since the
  // current row has no node.
  ASSERT_TRUE(OpenFileByExtension(nullptr, listed));
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(CurrentListOpener(), &OpenNodeList);
  EXPECT_EQ(Nodes().currentRow, 1);
  // A list not offered is not opened (no message either) and its name
  // stays for the next save.
  SendMessage(LayoutFrame().window, WM_COMMAND, 103, 0);
  ASSERT_TRUE(OpenFileByExtension(nullptr, materials));
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
  EXPECT_EQ(TheModel().listName, "&Hangers");
  std::filesystem::remove(listed);
  std::filesystem::remove(materials);
}

TEST_F(ListWindowTest, TheNodeListOpensOnABendRowsOwnNode) {
  Model& model = TheModel();
  model.row(4).elementType = ElementType::Bend;
  model.row(4).element = CreateElementData(ElementType::Bend);
  AddRow(model, 50, ElementType::Pipe, 0.0f, 12.0f);
  MakeModel(model);
  const int index40 = FindNodeIndex(model.nodes, 40);
  ASSERT_NE(index40, 0);
  ASSERT_NE(FindNodeIndex(model.nodes, 100040), 0);  // the bend made its arc ends
  model.currentRow = 4;
  SendMessage(LayoutFrame().window, WM_COMMAND, 187, 0);
  EXPECT_EQ(Nodes().currentRow, index40);
  EXPECT_EQ(Nodes().CellText(Nodes().currentRow, 1, 0), "40");
}

}  // namespace

namespace {

// Deleting the last restraint while the restraints list is shown: the List
// window keeps that list, under its own title with its count of 0 and its
// headings over an empty grid, never an empty frame titled with no name;
// the list stays in the menu, and the keys of the empty list do nothing
// harmful.
TEST_F(ListWindowTest, TheListShownStaysShownUnderItsNameWhenItsLastEntryIsDeleted) {
  PutItem(TheModel(), 3, DataType::Restraint);
  MakeModel(TheModel());
  ShowModelWindows();
  ChooseList("&Restraints");
  HWND frame = ListFrame().window, table = ListTableWindow(0);
  ASSERT_EQ(TextOf(frame), "Quorvel : Restraints  (1)  -  [Untitled]");
  SetFocus(table);
  SendMessage(frame, WM_COMMAND, 126, 0);  // Edit > Delete
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::None);
  EXPECT_EQ(TextOf(frame), "Quorvel : Restraints  (0)  -  [Untitled]");
  EXPECT_TRUE(IsWindowVisible(frame));
  ASSERT_TRUE(IsWindowVisible(table));
  // The headings are drawn: dark text pixels in the heading band.
  RECT client{};
  GetClientRect(table, &client);
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < client.right; ++x) dark += GetRValue(platform::GetWindowPixel(table, x, y)) < 60;
  EXPECT_GT(dark, 30);
  EXPECT_EQ(CurrentListOpener(), &OpenRestraintsList);
  bool offered = false;
  for (int entry = 1; entry <= BuildListMenu(); ++entry)
    offered |= ListMenuEntries()[static_cast<std::size_t>(entry) - 1].label == "&Restraints";
  EXPECT_TRUE(offered);
  // The keys of a list meet no row: nothing changes, nothing is asked.
  const int rows = TheModel().rowCount;
  for (UINT key : {static_cast<UINT>(VK_DOWN), static_cast<UINT>(VK_UP), static_cast<UINT>(VK_END),
                   static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_TAB)})
    platform::TestKeyPress(key);
  platform::TestTypeText("1");
  SendMessage(frame, WM_COMMAND, 126, 0);
  SendMessage(frame, WM_COMMAND, 113, 0);  // Edit > Edit
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().rowCount, rows);
  EXPECT_EQ(TextOf(frame), "Quorvel : Restraints  (0)  -  [Untitled]");
  // Undo brings the restraint back into the list shown.
  SendMessage(frame, WM_COMMAND, 40050, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TextOf(frame), "Quorvel : Restraints  (1)  -  [Untitled]");
}

}  // namespace

namespace {

// The four buttons that lists and tools show in the List window's toolbar
// (AISC Beam Library, Highlight, the library and Colour Graphics) each
// show an image of their own, drawn over the button face, not the blank
// placeholder of an image no window uses.
TEST_F(ListWindowTest, TheToolbarButtonsOfListsAndToolsShowImagesOfTheirOwn) {
  ShowModelWindows();
  ChooseList("&Materials");
  Frame& frame = ListFrame();
  for (HWND toolbar : {frame.smallToolbar, frame.largeToolbar}) {
    ASSERT_NE(toolbar, nullptr);
    ShowWindow(toolbar, SW_SHOW);
    for (int command : {244, 432, 270, 245}) SendMessage(toolbar, TB_HIDEBUTTON, command, FALSE);
    platform::RunUntilIdle();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    std::vector<std::vector<COLORREF>> images;
    for (int command : {244, 432, 270, 245}) {
      SCOPED_TRACE(command);
      RECT box{};
      ASSERT_TRUE(SendMessage(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&box)));
      std::vector<COLORREF> pixels;
      int drawn = 0;
      for (int y = box.top + 2; y < box.bottom - 2; ++y)
        for (int x = box.left + 2; x < box.right - 2; ++x) {
          pixels.push_back(platform::GetWindowPixel(toolbar, x, y));
          drawn += pixels.back() != face;
        }
      const int cell = toolbar == frame.smallToolbar ? 16 : 32;
      EXPECT_GT(drawn, cell * cell / 6) << "the button shows next to nothing";
      for (const std::vector<COLORREF>& other : images) EXPECT_NE(pixels, other);
      images.push_back(pixels);
    }
  }
}

}  // namespace

namespace {

// The model file of the open model, its view rectangle left out: the
// graphics window keeps its zoom there on its own thread.
std::string WrittenModel() {
  GraphicsSettings& view = TheModel().graphics;
  const GraphicsSettings kept = view;
  view.viewLeft = view.viewBottom = view.viewRight = view.viewTop = 0.0f;
  const std::string bytes = EditFixture::Bytes(TheModel());
  view = kept;
  return bytes;
}

// An edit made in a list through its dialog (the Edit command, and the
// editor's own snapshot within it) is one undo step, and one Undo
// gives back the model it was made on; one the rules refuse leaves none.
TEST_F(ListWindowTest, AnEditInAListIsOneUndoStep) {
  OpenAsReadBack(TheModel());
  ShowModelWindows();
  // Each list with its dialog and the field 1302 changed: the valve's
  // length, the section's diameter, the material's description.
  for (const auto& [list, dialog] : {std::pair<const char*, std::string>{"&Valves", "VALVE_DIALOG"},
                                     {"&Sections", "SECTION_DIALOG"},
                                     {"&Materials", MaterialDialogName(TheModel().options.PipingCode)}}) {
    ChooseList(list);
    const std::string before = WrittenModel();
    platform::ExpectModal(platform::ModalKind::Dialog, dialog, [](HWND box) {
      SetDlgItemText(box, 1302, "15");
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, 113, 0);
    platform::CheckModalScript();
    EXPECT_EQ(UndoDepth(), 1) << list;
    EXPECT_NE(WrittenModel(), before) << list;
    SendMessage(ListFrame().window, WM_COMMAND, 40050, 0);
    EXPECT_TRUE(WrittenModel() == before) << list;
    EXPECT_EQ(UndoDepth(), 0) << list;
  }
  // A length typed in the valves list that leaves the valve without length
  // is refused as the cell's message, the model as it was.
  ChooseList("&Valves");
  const std::string before = WrittenModel();
  TableWindow& valves = *TableOfWindow(ListTableWindow(0));
  SetFocus(valves.Window());
  TableSetColumn(valves, 4);
  platform::TestTypeText("0.00001");
  platform::TestKeyPress(VK_RETURN);
  platform::RunUntilIdle();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "This element has zero length");
  EXPECT_TRUE(WrittenModel() == before);
  EXPECT_EQ(UndoDepth(), 0);
}

// Each key that stores a line's cell, each List command and File > Save
// (which enters the line it fills in) is an undo step of its own, and no
// other window takes input while a dialog of the Layout is open.
TEST_F(ListWindowTest, EveryKeyAndCommandOfTheListIsAStepOfItsOwn) {
  OpenAsReadBack(TheModel());
  TheModel().path = TempFolder() + "/list-steps.mod";
  ShowModelWindows();
  const auto key = [](UINT virtualKey) {
    platform::TestKeyPress(virtualKey);
    platform::RunUntilIdle();
  };
  const auto typeInto = [&](const char* list, int line, int column, const std::string& text) {
    ChooseList(list);
    TableWindow& shown = *TableOfWindow(ListTableWindow(0));
    SetFocus(shown.Window());
    TableGoTo(shown, line);
    TableSetColumn(shown, column);
    platform::TestTypeText(text);
    key(VK_TAB);
    return &shown;
  };
  const auto undo = [] {
    SendMessage(ListFrame().window, WM_COMMAND, 40050, 0);
    platform::RunUntilIdle();
  };
  // Two cells of a section, each stored with Tab: two steps.
  TableWindow* sections = typeInto("&Sections", 1, 7, "10");
  const std::string seventh = sections->CellText(1, 7, 0), eighth = sections->CellText(1, 8, 0);
  platform::TestTypeText("5");
  key(VK_TAB);
  EXPECT_EQ(UndoDepth(), 2);
  undo();
  EXPECT_EQ(sections->CellText(1, 7, 0), seventh);
  EXPECT_EQ(sections->CellText(1, 8, 0), eighth);
  // Enter on a section whose insulation has a density but no thickness
  // clears the pair: a change of the model, one step, marked.
  DeleteUndoRedoFiles();
  TheModel().sections[1].insulationDensity = 5.0f;
  TheModel().sections[1].insulationThickness = 0.0f;
  TheModel().modified = false;
  SetFocus(sections->Window());
  TableGoTo(*sections, 1);
  key(VK_RETURN);
  EXPECT_EQ(TheModel().sections[1].insulationDensity, 0.0f);
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_TRUE(TheModel().modified);
  // A density stored with Tab, then File > Save, which fills in the line's
  // Nu and joint factor: two steps; one Undo takes back the filling only.
  // The material is one still being entered, without its table against
  // temperature: a zero joint factor is refused in any other.
  DeleteUndoRedoFiles();
  TheModel().materials[1].numtemps = 0;
  TheModel().materials[1].nu = 0.0f;
  TheModel().materials[1].jointFactor = 0.0f;
  TheModel().materials[1].description = "Carbon steel";
  typeInto("&Materials", 1, 4, "0.29");
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::RunUntilIdle();
  EXPECT_NE(TheModel().materials[1].nu, 0.0f);
  EXPECT_EQ(UndoDepth(), 2);
  undo();
  EXPECT_EQ(TheModel().materials[1].nu, 0.0f);
  EXPECT_FLOAT_EQ(TheModel().materials[1].density, 0.29f);
  // With the Layout's offsets dialog open, the List window takes no input:
  // one Undo takes back the offsets, and nothing else was stored.
  DeleteUndoRedoFiles();
  TableGoTo(TheLayoutTable(), 2);
  const std::string before = WrittenModel();
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [&](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(ListFrame().window));
    platform::TestMouse(ListTableWindow(0), WM_LBUTTONDOWN, 5, 40);
    platform::TestMouse(ListTableWindow(0), WM_LBUTTONUP, 5, 40);
    platform::TestTypeText("0.123");
    platform::TestKeyPress(VK_TAB);
    platform::RunUntilIdle();
    SetDlgItemText(dialog, 1301, "33");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 40027, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(UndoDepth(), 1);
  undo();
  EXPECT_TRUE(WrittenModel() == before);
  std::filesystem::remove(TheModel().path);
}

}  // namespace
