// The caret of a cell being typed is where the user left it after a command
// that stores the cell first and leaves him in it (the save and file
// commands, the units, the type pickers, the row tools cancelled) or that
// lays the table out again in a new font (which stores nothing): what he
// types next goes where he was typing, and the cell stores both pieces in
// order. A command that rewrites the cell leaves the caret at the end of
// the new text when it was at the end, else at the same character. Driven at random over the commands, the cells (the title row, a
// comment row, a description in the Materials list) and the caret positions.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>

#include "editing/ModelWindows.h"
#include "editing/UnitsDialog.h"
#include "model/ToolTesting.h"
#include "properties/MaterialsTable.h"
#include "records/Material.h"
#include "services/Frame.h"

namespace {

using platform::ModalKind;

void Press(HWND dialog, int id) {
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void Escape(HWND) { platform::TestKeyPress(VK_ESCAPE); }
void Cancel(HWND dialog) { Press(dialog, IDCANCEL); }
void Ok(HWND dialog) { Press(dialog, IDOK); }

// A command of a frame and what answers the window it opens (none: it opens
// nothing over the cell).
struct Road {
  const char* name;
  bool list;  // a List frame command, else a Layout one
  int command;
  ModalKind kind;
  const char* window;
  std::function<void(HWND)> answer;
  int cell = -1;  // the only cell it is taken in, -1 any of its frame's
  const char* rewrites = nullptr;  // the text it leaves in the cell, when it changes it
};

const std::vector<Road>& Roads() {
  static const std::vector<Road> roads = {
      {"Save", false, 104, ModalKind::Dialog, nullptr, nullptr},
      {"Save As cancelled", false, 105, ModalKind::CommonDialog, "Save As", Cancel},
      {"New, save question cancelled", false, 101, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"Open, save question cancelled", false, 102, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"Close, save question cancelled", false, 103, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"Open Results, save question cancelled", false, 293, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"Analyze, save question cancelled", false, 108, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"Units OK", false, 431, ModalKind::Dialog, "UNITS_DIALOG", Ok},
      {"Units Cancel", false, 431, ModalKind::Dialog, "UNITS_DIALOG", Cancel},
      {"Units Escape", false, 431, ModalKind::Dialog, "UNITS_DIALOG", Escape},
      {"Units changed", false, 431, ModalKind::Dialog, "UNITS_DIALOG",
       [](HWND d) {
         Press(d, g_UnitsSettings.unit[kUnitLength] == kLengthInch ? kAllSiButton : kAllEnglishButton);
         Press(d, IDOK);
       }},
      {"Increase Font", false, 40074, ModalKind::Dialog, nullptr, nullptr},
      {"Decrease Font", false, 40075, ModalKind::Dialog, nullptr, nullptr},
      {"Font OK", false, 411, ModalKind::CommonDialog, "Font", Ok},
      {"Element types Escape", false, 182, ModalKind::Dialog, "ETYPES_DIALOG", Escape},
      {"Data types Escape", false, 183, ModalKind::Dialog, "DTYPES_DIALOG", Escape},
      {"Data types OK", false, 183, ModalKind::Dialog, "DTYPES_DIALOG", Ok},
      {"Copy cancelled", false, 40036, ModalKind::Dialog, "COPY_ELEMENTS_DIALOG", Cancel},
      {"Change cancelled", false, 116, ModalKind::Dialog, "CHANGE_ELEMENTS_DIALOG", Cancel},
      {"Rotate cancelled", false, 40012, ModalKind::Dialog, "ROTATE_ELEMENTS_DIALOG", Cancel},
      {"Renumber cancelled", false, 40010, ModalKind::Dialog, "RENUMBER_NODES", Cancel},
      {"Find and Replace cancelled", false, 40022, ModalKind::Dialog, "REPLACE_ELEMENTS_DATAS", Cancel},
      {"Export to MBF cancelled", false, 351, ModalKind::CommonDialog, "Export Model to Batch File", Cancel},
      {"Export to PCF cancelled", false, 40056, ModalKind::CommonDialog, "Export Model to PCF File", Cancel},
      {"Export to plant design cancelled", false, 40026, ModalKind::CommonDialog, "Export Model to 3D Plant Design", Cancel},
      {"Internal pressure design", false, 40057, ModalKind::Dialog, "MESSAGE6_DIALOG", Ok},
      {"External pressure design", false, 40058, ModalKind::Dialog, "MESSAGE1_DIALOG", Ok},
      {"Merge cancelled", false, 40028, ModalKind::CommonDialog, "Merge Model", Cancel},
      {"Refine cancelled", false, 40067, ModalKind::Dialog, "REFINE_LAYOUT", Cancel},
      {"Edit type of the title", false, 201, ModalKind::Dialog, nullptr, nullptr, 0},
      {"Edit type, comment cancelled", false, 201, ModalKind::Dialog, "COMMENT_DIALOG", Cancel, 1},
      {"Edit type, comment rewritten", false, 201, ModalKind::Dialog, "COMMENT_DIALOG",
       [](HWND d) {
         SetDlgItemText(d, 1301, "a new note");
         Press(d, IDOK);
       },
       1, "a new note"},
      {"Edit type, comment lengthened", false, 201, ModalKind::Dialog, "COMMENT_DIALOG",
       [](HWND d) {
         SetDlgItemText(d, 1301, "a note much longer than the one it replaces");
         Press(d, IDOK);
       },
       1, "a note much longer than the one it replaces"},
      {"List Units OK", true, 431, ModalKind::Dialog, "UNITS_DIALOG", Ok},
      {"List Units Cancel", true, 431, ModalKind::Dialog, "UNITS_DIALOG", Cancel},
      {"List Units Escape", true, 431, ModalKind::Dialog, "UNITS_DIALOG", Escape},
      {"List Font OK", true, 411, ModalKind::CommonDialog, "Font", Ok},
      {"List New, save question cancelled", true, 101, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
      {"List Open, save question cancelled", true, 102, ModalKind::Dialog, "SAVE_CHANGES_DIALOG", Cancel},
  };
  return roads;
}

const char* const kTitle = "Title = Sample 8 inch line";
const char* const kComment = "keep this note";
const char* const kDescription = "Carbon steel";

class TypedCellCaretTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    BuildRoadsModel();
    for (int cell : {0, 1, 2}) Restore(cell);
    TheModel().path = TempFolder() + "/caret.mod";
    ReadBackModel();
  }

  // The cells typed in: the title row, the comment row, the description
  // of the first material. Each puts the caret `back` characters before
  // the end of its text with the keys.
  void GoToCell(int cell, int back) {
    if (cell < 2) {
      SetForegroundWindow(LayoutFrame().window);
      platform::RunUntilIdle();
      TableGoTo(table(), cell == 0 ? 1 : 10);
    } else {
      SendMessage(LayoutFrame().window, WM_COMMAND, 188, 0);
      platform::RunUntilIdle();
      SetForegroundWindow(ListFrame().window);
      platform::RunUntilIdle();
      MaterialsTable& materials = TheMaterialsTable();
      TableGoTo(materials, 1);
      TableSetColumn(materials, 2);
    }
    platform::RunUntilIdle();
    Key(VK_END);
    for (int i = 0; i < back; ++i) Key(VK_LEFT);
  }
  void Restore(int cell) {
    if (cell == 0) static_cast<CommentData&>(*row(1).element).SetText(kTitle);
    if (cell == 1) static_cast<CommentData&>(*row(10).element).SetText(kComment);
    if (cell == 2) TheModel().materials[1].description = kDescription;
  }
  std::string Stored(int cell) {
    if (cell == 2) return TheModel().materials[1].description;
    return row(cell == 0 ? 1 : 10).element->Text();
  }
  TableWindow& Table(int cell) { return cell == 2 ? static_cast<TableWindow&>(TheMaterialsTable()) : table(); }
};

TEST_F(TypedCellCaretTest, TextTypedAfterACommandThatStoresTheCellGoesWhereTheCaretWas) {
  const char* seedText = std::getenv("QUORVEL_TEST_SEED");
  const unsigned seed = seedText != nullptr ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261209u;
  std::mt19937 random(seed);
  std::ostringstream steps;
  const std::vector<Road>& roads = Roads();
  // Every road three times, in a random order each time.
  std::vector<std::size_t> order;
  for (int round = 0; round < 3; ++round) {
    std::vector<std::size_t> once(roads.size());
    for (std::size_t i = 0; i < once.size(); ++i) once[i] = i;
    std::shuffle(once.begin(), once.end(), random);
    order.insert(order.end(), once.begin(), once.end());
  }
  for (int step = 0; step < static_cast<int>(order.size()); ++step) {
    const Road& road = roads[order[static_cast<std::size_t>(step)]];
    const int cell = road.cell >= 0 ? road.cell : road.list ? 2 : static_cast<int>(random() % 2);
    // Each step starts from the cell's first text, well within its length.
    Restore(cell);
    const std::string before = Stored(cell);
    const int prefix = cell == 0 ? 8 : 0;
    // A road that rewrites the cell starts once from its end, where the
    // caret follows the end of the new text, longer or shorter.
    const bool fromTheEnd = road.rewrites != nullptr && step < static_cast<int>(roads.size());
    const int back = fromTheEnd ? 0 : static_cast<int>(random() % (before.size() - prefix + 1));
    const std::string first{static_cast<char>('a' + random() % 26), static_cast<char>('0' + step % 10)};
    const std::string second{static_cast<char>('a' + random() % 26), static_cast<char>('0' + step % 10)};
    steps << "  " << step << ": cell " << cell << ", " << back << " back, \"" << first << "\", " << road.name
          << ", \"" << second << "\"\n";
    SCOPED_TRACE("seed " + std::to_string(seed) + ", steps:\n" + steps.str());

    GoToCell(cell, back);
    Type(first);
    if (road.window != nullptr) platform::ExpectModal(road.kind, road.window, road.answer);
    SendMessage(road.list ? ListFrame().window : LayoutFrame().window, WM_COMMAND, road.command, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    Type(second);
    std::string expected = before;
    expected.insert(expected.size() - static_cast<std::size_t>(back), first + second);
    if (road.rewrites != nullptr) {
      // A text changed under the caret keeps it at its end when it was
      // there, else at the same character as far as the text goes.
      expected = road.rewrites;
      const std::size_t caret = before.size() - static_cast<std::size_t>(back) + first.size();
      expected.insert(back == 0 ? expected.size() : std::min(caret, expected.size()), second);
    }
    EXPECT_EQ(Table(cell).editBuffer, expected);
    // Leaving the row stores it as it reads.
    Key(cell == 2 ? VK_UP : VK_DOWN);
    EXPECT_EQ(Stored(cell), expected);
  }
}

}  // namespace
