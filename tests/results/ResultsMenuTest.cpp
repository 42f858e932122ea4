// The Results window's menu after a walk through the result tables: each
// table puts its items into the Results and View popups while it is shown
// and takes them out again when another one comes, so that whatever the
// walk (Tab, Shift+Tab, Ctrl+R and the chooser), the menu of a table is the
// menu a fresh opening of that table gives, and no popup holds a separator
// at its top, at its bottom or right after another one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Menu.h"
#include "platform/TestSupport.h"
#include "records/Spectrum.h"
#include "results/ResultChooser.h"
#include "results/ResultsTesting.h"
#include "results/TimeHistoryTesting.h"
#include "resultsfile/ResultNavigation.h"

namespace {

// Every item of a popup, by position: "-" for a separator, else the command
// and its text; a popup within it is listed after its own title.
void ListPopup(HMENU popup, const std::string& path, std::vector<std::string>& items) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    GetMenuString(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (HMENU inner = GetSubMenu(popup, i)) {
      items.push_back(path + "/" + text + " >");
      ListPopup(inner, path + "/" + text, items);
      continue;
    }
    const bool separator = (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    items.push_back(separator ? path + " -" : path + " " + std::to_string(GetMenuItemID(popup, i)) + " " + text);
  }
}

std::vector<std::string> MenuItems() {
  std::vector<std::string> items;
  HMENU menu = ResultsFrame().menu;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (HMENU popup = GetSubMenu(menu, i)) ListPopup(popup, text, items);
  }
  return items;
}

// The separators of every popup that stand at its top or bottom or right
// after another separator, named by popup and position.
std::vector<std::string> MisplacedSeparators(HMENU popup, const std::string& path) {
  std::vector<std::string> misplaced;
  const int count = GetMenuItemCount(popup);
  bool previousSeparator = true;  // the top counts as one
  for (int i = 0; i < count; ++i) {
    if (HMENU inner = GetSubMenu(popup, i)) {
      for (const std::string& found : MisplacedSeparators(inner, path + "/" + std::to_string(i))) misplaced.push_back(found);
      previousSeparator = false;
      continue;
    }
    const bool separator = (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
    if (separator && (previousSeparator || i == count - 1)) misplaced.push_back(path + " at " + std::to_string(i));
    previousSeparator = separator;
  }
  return misplaced;
}

// The misplaced separators, with the whole menu when there are any.
std::vector<std::string> MisplacedSeparators() {
  std::vector<std::string> misplaced;
  HMENU menu = ResultsFrame().menu;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (HMENU popup = GetSubMenu(menu, i))
      for (const std::string& found : MisplacedSeparators(popup, "popup " + std::to_string(i))) misplaced.push_back(found);
  if (!misplaced.empty())
    for (const std::string& item : MenuItems()) misplaced.push_back(item);
  return misplaced;
}

class ResultsMenuTest : public ResultsFixture {
 protected:
  // The line with modal, force spectrum, time history and harmonic results,
  // and a response spectrum case beside them.
  void BuildDynamic() {
    Model& model = BuildLine({1, 30, 31, 37, 35, 36}, false);
    AddTimeHistoryLoads(model, {1, 30, 31, 37, 35, 36}, true);
    ResponseSpectrum flat;
    flat.name = "RS";
    flat.ordinateUnit = kOrdinateG;
    flat.points = {{0.1f, 0.3f * 386.4f}, {100.0f, 0.3f * 386.4f}};
    SetLastSpectrum(model.spectra, flat);
    SetDirectionSpectrum(model.spectrumLoad, 1, "RS", 1.0f);
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
  }
  static int EntryOf(const std::string& name) {
    const auto& list = ResultChooserList();
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].name == name) return static_cast<int>(i) + 1;
    ADD_FAILURE() << "no chooser entry " << name;
    return 1;
  }
  // The time-history entry asks which history to show: the displacements
  // of the first node.
  static void ExpectHistoryChoice() {
    platform::ExpectModal(platform::ModalKind::Dialog, "TIME_HISTORY_RESULTS_DIALOG", [](HWND dialog) {
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                            [](HWND pick) { SendMessage(pick, WM_COMMAND, IDOK, 0); });
      Click(dialog, 1403);
    });
  }
  static bool IsHistory(int index) {
    return ResultChooserList()[static_cast<std::size_t>(index) - 1].name == "&Time history";
  }
  // The results opened afresh on the chooser's `entry`.
  void OpenFresh(const std::string& entry) {
    if (InResultsMode()) LeaveResultsMode();
    platform::ExpectModal(platform::ModalKind::Dialog, chooser_, [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
    OpenResults();
    platform::RunUntilIdle();
    platform::CheckModalScript();
    ASSERT_TRUE(InResultsMode());
    ASSERT_EQ(ResultChooserTemplateName(static_cast<int>(ResultChooserList().size())), chooser_);
    if (IsHistory(EntryOf(entry))) ExpectHistoryChoice();
    OpenResultByIndex(EntryOf(entry));
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  static void Tab(bool backwards = false) {
    const int count = static_cast<int>(ResultChooserList().size()), at = CurrentResultIndex();
    if (IsHistory(backwards ? (at <= 1 ? count : at - 1) : (at >= count ? 1 : at + 1))) ExpectHistoryChoice();
    SetFocus(ResultsTableWindow());
    if (backwards) platform::TestKeyDown(VK_SHIFT);
    platform::TestKeyPress(VK_TAB);
    if (backwards) platform::TestKeyUp(VK_SHIFT);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  // "&Results..." (Ctrl+R) and the chooser's `entry`.
  void Choose(const std::string& entry) {
    const int index = EntryOf(entry);
    platform::ExpectModal(platform::ModalKind::Dialog, chooser_, [index](HWND dialog) { Click(dialog, 1400 + index); });
    if (IsHistory(index)) ExpectHistoryChoice();
    ResultsCommandNow(174);  // Ctrl+R: "&Results..."
    platform::CheckModalScript();
  }

  std::string chooser_ = "RESULTS10_DIALOG";
};

TEST_F(ResultsMenuTest, AfterAnyWalkATableHasTheMenuOfItsFreshOpening) {
  BuildDynamic();
  OpenFresh("&Displacements");
  const std::vector<std::string> displacements = MenuItems();
  EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{});
  // The menu of a fresh opening of each table the chooser offers.
  std::vector<std::string> entries;
  for (const ResultChooserEntry& entry : ResultChooserList()) entries.push_back(entry.name);
  ASSERT_GE(entries.size(), 6u);
  std::vector<std::vector<std::string>> fresh;
  for (const std::string& entry : entries) {
    OpenFresh(entry);
    fresh.push_back(MenuItems());
    EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{}) << entry;
  }
  // A walk that left separators behind: Displacements, Tab three times,
  // Shift+Tab, then Ctrl+R > Displacements.
  OpenFresh("&Displacements");
  for (int i = 0; i < 3; ++i) Tab();
  Tab(true);
  EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{});
  Choose("&Displacements");
  EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{});
  EXPECT_EQ(MenuItems(), displacements);
  // A longer walk: every table forward and back, then each one chosen,
  // each time with the menu of its fresh opening.
  for (std::size_t step = 0; step < 2 * entries.size(); ++step) {
    Tab(step >= entries.size());
    const int at = CurrentResultIndex();
    EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{}) << "step " << step;
    EXPECT_EQ(MenuItems(), fresh[static_cast<std::size_t>(at) - 1]) << entries[static_cast<std::size_t>(at) - 1];
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Choose(entries[i]);
    EXPECT_EQ(MisplacedSeparators(), std::vector<std::string>{}) << entries[i];
    EXPECT_EQ(MenuItems(), fresh[i]) << entries[i];
  }
  Choose("&Displacements");
  EXPECT_EQ(MenuItems(), displacements);
}

}  // namespace
