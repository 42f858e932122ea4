// The user of the random edit test (LayoutRandomEditTest.cpp): the steps a
// user takes on the program's own roads, every choice of a step drawn from
// its seed, and the answers to whatever a step's dialogs and questions ask.
// The steps of the kinds before the List window's editors draw as they
// always did, so that the steps once found replay as they were found.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "editing/RandomEditOracle.h"
#include "model/ListWindow.h"
#include "model/ToolTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "services/ListFrameState.h"

namespace random_edit {

// The commands a step may send, as the Layout window's menus and keys do.
constexpr int kInsert = 128, kDelete = 126, kDeleteRows = 279, kCopy = 363, kCopyRows = 40036, kPaste = 364,
              kCombine = 40048, kGenerate = 117, kReplace = 40022, kChangeRows = 116, kSplit = 129,
              kMultipleSplit = 40049, kRefine = 40067, kRotate = 40012, kSlope = 385, kOffsets = 40027,
              kElementKind = 201, kDataKind = 202, kElementPicker = 182, kDataPicker = 183, kDeleteData = 238,
              kUndo = 40050, kRedo = 40051, kMerge = 40028, kSave = 104;
// The List window's: Edit (Ctrl+E), Delete (Ctrl+X) and List (Ctrl+L).
constexpr int kListEdit = 113, kListDelete = 126, kListChoose = 302;

// The kinds after Merge came later: the draws of the earlier kinds, their
// answers included, are kept as they were, so that the steps found with
// them replay as they were found.
enum StepKind : int {
  kTypeCell,
  kCommand,
  kUndoStep,
  kRedoStep,
  kMergeStep,
  kListStep,      // a List window editor: Edit, double click, Enter, Delete or a typed cell
  kBeamStep,      // a row typed to or from Beam, or Find and Replace with Beam, with the pickers after
  kPickerStep,    // the Element (or Data) Types picker, on the spare row one time in two
  kTypeHereStep,  // text typed where the caret stands, as after a picker
  kTypedCommandStep,  // text typed into a cell and left there, then a command from the menu, a popup or a key
  kOtherWindowStep,   // a dialog of the Layout (or the List window) open, the user clicks and types in the other
  kStepKinds
};

struct Step {
  int kind = kTypeCell;
  std::uint32_t seed = 0;  // every choice of the step, its answers included, is drawn from it
  bool aimed = true;       // may take a row whose node something names
};

class RandomEditUser : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    platform::SetModalAnswerer(
        {[this](platform::ModalKind kind, const std::string& name, HWND modal) { return Answer(kind, name, modal); },
         [](HWND modal) { SendMessage(modal, WM_COMMAND, IDCANCEL, 0); }});
  }
  void TearDown() override {
    platform::SetModalAnswerer({});
    ToolFixture::TearDown();
  }

  // What Merge takes in: one of the first three models the runs start
  // from (LayoutRandomEditTest), the fixture's as it started or an example.
  static constexpr int kMergeSources = 3;
  static std::string Example(int start) {
    return std::string(QUORVEL_SOURCE_DIR) + (start == 1 ? "/examples/SteamLine.mod" : "/examples/Sample.mod");
  }
  static std::string MergedFixture() { return TempFolder() + "/random-merge.mod"; }

  // --- answers -------------------------------------------------------------

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(*random_); }

  // A value for a field or cell: ordinary, zero, tiny, huge or negative; a
  // row number, a node of the model, or a node no row makes.
  std::string Value() {
    static const char* const kValues[] = {"12.5", "40",    "0",       "0.00001", "-0.00002", "1E37",
                                          "6E37", "-9E37", "3.39E38", "-25",     "1E-30",    "250000"};
    const Model& model = TheModel();
    switch (Pick(4)) {
      case 0:
        return kValues[Pick(static_cast<int>(std::size(kValues)))];
      case 1:
        return std::to_string(1 + Pick(model.rowCount + 1));
      case 2: {
        const int row = 2 + Pick(std::max(1, model.rowCount - 1));
        return std::to_string(model.row(row).node);
      }
      default:
        return std::to_string(10 * (1 + Pick(12)) + Pick(3) * 5);
    }
  }
  struct Controls {
    std::vector<HWND> edits, combos;
  };
  static BOOL Collect(HWND child, LPARAM parameter) {
    auto& found = *reinterpret_cast<Controls*>(parameter);
    if (!IsWindowVisible(child) || !IsWindowEnabled(child)) return TRUE;
    char text[32] = {};
    GetClassName(child, text, sizeof text);
    std::string name = text;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name == "EDIT" && (GetWindowLong(child, GWL_STYLE) & ES_READONLY) == 0) found.edits.push_back(child);
    if (name == "COMBOBOX") found.combos.push_back(child);
    return TRUE;
  }
  bool Answer(platform::ModalKind kind, const std::string& name, HWND modal) {
    if (random_ == nullptr) return false;
    using K = platform::ModalKind;
    if (kind == K::PopupMenu) {
      if (!popupAnswers_) return false;
      // The click that opened the popup stored the text typed in the cell
      // first, an action of its own; its command is the next.
      if (bytesNow_) poppedBytes_ = bytesNow_();
      poppedSaid_ = said_.size();
      // An item chosen with the keys, as a user runs down the menu.
      const int down = Pick(6);
      said_.push_back("popup \"" + name + "\" item " + std::to_string(down + 1));
      for (int n = 0; n < down; ++n) platform::TestKeyPress(VK_DOWN);
      platform::TestKeyPress(VK_RETURN);
      // Return on a greyed item leaves the menu open, and the user leaves it;
      // after a chosen item the Escape reaches the cell before the command.
      platform::TestKeyPress(VK_ESCAPE);
      return true;
    }
    if (kind == K::CommonDialog || kind == K::PropertySheet) {
      said_.push_back(name + " cancelled");
      SendMessage(modal, WM_COMMAND, IDCANCEL, 0);
      return true;
    }
    auto button = [&](int id) { return GetDlgItem(modal, id) != nullptr && IsWindowVisible(GetDlgItem(modal, id)); };
    if (kind == K::MessageBox || name.rfind("MESSAGE", 0) == 0 || name == "SAVE_CHANGES_DIALOG" ||
        name == "APPROVE_MERGE_DIALOG") {
      std::string text;
      for (const std::string& line : LinesOfDialog(modal)) text += line + " / ";
      std::vector<int> choices;
      for (int id : {IDOK, IDYES, IDNO, IDCANCEL})
        if (button(id)) choices.push_back(id);
      if (name == "SAVE_CHANGES_DIALOG") choices = {IDCANCEL};
      const int chosen =
          choices.empty() ? IDCANCEL : choices[static_cast<std::size_t>(Pick(static_cast<int>(choices.size())))];
      said_.push_back("\"" + text + "\" " + (chosen == IDOK || chosen == IDYES ? "yes" : "no"));
      SendMessage(modal, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
      return true;
    }
    // The dialog a command opens after storing the text typed in its cell
    // comes up on the text stored: what it says is about its own input.
    if (kind == K::Dialog && typedDialog_ && typedBytes_.empty() && bytesNow_ && name.rfind("MESSAGE", 0) != 0) {
      typedBytes_ = bytesNow_();
      typedSaid_ = said_.size();
    }
    if (kind == K::Dialog && intrude_ != nullptr && name.rfind("MESSAGE", 0) != 0) Intrude(modal);
    if (fullAnswers_ && AnswerFully(name, modal)) return true;
    // A dialog: some fields filled, some choices made, then OK.
    Controls found;
    EnumChildWindows(modal, Collect, reinterpret_cast<LPARAM>(&found));
    std::string filled;
    for (HWND edit : found.edits) {
      if (Pick(3) == 0) continue;
      const std::string value = Value();
      SetWindowText(edit, value.c_str());
      filled += " " + std::to_string(GetDlgCtrlID(edit)) + "=" + value;
    }
    for (HWND combo : found.combos) {
      const int count = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
      if (count <= 0 || Pick(2) == 0) continue;
      const int item = Pick(count);
      SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
      SendMessage(modal, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      filled += " " + std::to_string(GetDlgCtrlID(combo)) + "#" + std::to_string(item);
    }
    said_.push_back(name + filled);
    SendMessage(modal, WM_COMMAND, button(IDOK) ? IDOK : IDCANCEL, 0);
    return true;
  }

  // The answers of the later step kinds: a type picker clicks one of its
  // enabled choices, Find and Replace is asked for Beams when the step
  // wants them, and one dialog in eight is cancelled (a picker left
  // without a choice). False leaves the dialog to the answers above.
  bool AnswerFully(const std::string& name, HWND modal) {
    if (name == "ETYPES_DIALOG" || name == "DTYPES_DIALOG") {
      std::vector<HWND> choices;
      for (int id = 1401; id <= 1424; ++id)
        if (HWND radio = GetDlgItem(modal, id); radio != nullptr && IsWindowVisible(radio) && IsWindowEnabled(radio))
          choices.push_back(radio);
      if (!choices.empty() && Pick(6) != 0) {
        HWND chosen = choices[static_cast<std::size_t>(Pick(static_cast<int>(choices.size())))];
        said_.push_back(name + " " + TextOf(chosen));
        SendMessage(chosen, BM_CLICK, 0, 0);
        return true;
      }
    } else if (name == "REPLACE_ELEMENTS_DATAS" && beamReplace_) {
      ReplaceWithBeams(modal);
      return true;
    } else if (Pick(8) != 0) {
      return false;
    }
    said_.push_back(name + " cancelled");
    SendMessage(modal, WM_COMMAND, IDCANCEL, 0);
    return true;
  }
  // Find and Replace over rows drawn at random: another kind found and
  // replaced with Beam, or one time in three Beam with another kind.
  void ReplaceWithBeams(HWND modal) {
    const int rows = TheModel().rowCount, from = 2 + Pick(std::max(1, rows - 1));
    const int to = std::min(rows, from + Pick(rows));
    SetDlgItemText(modal, 1301, std::to_string(from).c_str());
    SetDlgItemText(modal, 1302, std::to_string(to).c_str());
    SendMessage(GetDlgItem(modal, 1401), BM_CLICK, 0, 0);
    const bool toBeam = Pick(3) != 0;
    std::string said = "Find and Replace rows " + std::to_string(from) + "-" + std::to_string(to);
    for (int item : {1201, 1202}) {
      HWND combo = GetDlgItem(modal, item);
      const int count = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
      const LRESULT beam = SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>("Beam"));
      const bool wantsBeam = (item == 1202) == toBeam;
      const int chosen = wantsBeam && beam >= 0 ? static_cast<int>(beam) : 1 + Pick(std::max(1, count - 1));
      SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
      SendMessage(modal, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      said += (item == 1201 ? " find #" : " with #") + std::to_string(chosen);
    }
    said_.push_back(said);
    SendMessage(modal, WM_COMMAND, IDOK, 0);
  }

  // --- steps ---------------------------------------------------------------

  void At(int row, int column) {
    TableGoTo(table(), row);
    TableSetColumn(table(), column);
    // The user clicks the table: its frame comes forward from the graphics window.
    SetForegroundWindow(LayoutFrame().window);
    SetFocus(LayoutTableWindow());
    platform::RunUntilIdle();
  }
  std::string CellText(int column) {
    static const char* const kTypes[] = {"PIPE", "COMMENT", "LOC",   "HINGE",   "BALL",    "VALVE", "BEND",
                                         "FROM", "REDUCER", "RIGID", "ELASTIC", "BELLOWS", "C",     "JP"};
    static const char* const kData[] = {"A", "XZ", "X", "G", "R", "H", "W", ""};
    static const char* const kNames[] = {"A106", "S4", "L1", "", "ZZZ"};
    switch (column) {
      case 1:
        return Pick(6) == 0 ? "" : Value();
      case 2:
        return kTypes[Pick(static_cast<int>(std::size(kTypes)))];
      case 6:
      case 7:
      case 8:
        return kNames[Pick(static_cast<int>(std::size(kNames)))];
      case 9:
        return kData[Pick(static_cast<int>(std::size(kData)))];
      default:
        return Value();
    }
  }
  static constexpr int kCommands[] = {
      kInsert,   kDelete,      kDeleteRows, kCopy,          kCopyRows,      kPaste,     kPaste,  kCombine,
      kGenerate, kReplace,     kChangeRows, kSplit,         kMultipleSplit, kRefine,    kRotate, kSlope,
      kOffsets,  kElementKind, kDataKind,   kElementPicker, kDataPicker,    kDeleteData};

  // Runs one step; returns what it did, for the log.
  std::string Take(const Step& step) {
    std::mt19937 random(step.seed);
    random_ = &random;
    said_.clear();
    messages.clear();  // what the checks after the step before were told
    fullAnswers_ = step.kind >= kListStep;
    poppedBytes_.clear();
    poppedSaid_ = 0;
    typedBytes_.clear();
    typedSaid_ = 0;
    const int rows = TheModel().rowCount;
    // Every row, the spare row too; one step in four on a row whose node
    // something else names, where a lost node shows first.
    // (drawn apart, so the other draws of a step stay as they were).
    int row = 2 + Pick(rows);
    const std::vector<int> named = NamedRows(TheModel());
    std::mt19937 aim(step.seed ^ 0x9E3779B9u);
    if (step.aimed && !named.empty() && aim() % 4 == 0) row = named[aim() % named.size()];
    const int column = 1 + Pick(kLayoutColumns);
    std::string done = "row " + std::to_string(row) + " column " + std::to_string(column) + ": ";
    switch (step.kind) {
      case kTypeCell: {
        At(row, column);
        const std::string text = CellText(column);
        const bool enter = Pick(3) == 0;
        done += "type \"" + text + "\"" + (enter ? " Enter" : " Tab");
        // The text there goes first, as the user takes it away.
        platform::TestKeyPress(VK_END);
        for (int n = table().EditLength(); n > 0; --n) platform::TestKeyPress(VK_BACK);
        // A Type completed by the letters typed so far is stored and the
        // caret moves on: that letter was the user's action, who types no
        // further into the cell left.
        // A data cell's letter may store its item at once, as its dialog
        // shows: the same.
        if (TypeUntilStored(text, row, column)) {
          done += " (completed at the letter that moved the caret)";
        } else {
          Key(enter ? VK_RETURN : VK_TAB);
        }
        if (table().editing) Key(VK_ESCAPE);
        break;
      }
      case kCommand: {
        const int command = kCommands[Pick(static_cast<int>(std::size(kCommands)))];
        done += "command " + std::to_string(command);
        At(row, column);
        Command(command);
        break;
      }
      case kUndoStep:
        done += "Undo";
        Command(kUndo);
        break;
      case kRedoStep:
        done += "Redo";
        Command(kRedo);
        break;
      case kMergeStep: {
        const int start = Pick(kMergeSources);
        const std::string path = start == 0 ? MergedFixture() : Example(start);
        done += "Merge " + std::filesystem::path(path).filename().string();
        platform::ExpectModal(platform::ModalKind::CommonDialog, "Merge Model", [path](HWND dialog) {
          SetDlgItemText(dialog, edt1, path.c_str());
          platform::TestKeyPress(VK_RETURN);
        });
        At(row, column);
        Command(kMerge);
        platform::CheckModalScript();
        break;
      }
      case kListStep:
        done = ListRoad();
        break;
      case kBeamStep:
        done = BeamRoad(row);
        break;
      case kPickerStep: {
        // The spare row is where a new user picks the type of the row typed next.
        if (Pick(2) == 0) row = rows + 1;
        const bool data = Pick(4) == 0;
        done = "row " + std::to_string(row) + " column " + std::to_string(column) + ": " +
               (data ? "Data Types" : "Element Types");
        At(row, column);
        platform::TestKeyDown(VK_CONTROL);
        platform::TestKeyDown(VK_SHIFT);
        platform::TestKeyPress(data ? 'D' : 'T');
        platform::TestKeyUp(VK_SHIFT);
        platform::TestKeyUp(VK_CONTROL);
        PumpAsTheMainLoop();  // the keys go through the Layout window's accelerators
        break;
      }
      case kTypeHereStep: {
        const int here = table().currentRow, at = table().currentColumn;
        const std::string text =
            TheModel().row(here).elementType == T::Comment ? "note " + Value() : CellText(at);
        const bool enter = Pick(3) != 0;
        done = "row " + std::to_string(here) + " column " + std::to_string(at) + ": type \"" + text + "\"" +
               (enter ? " Enter" : " Tab") + " where the caret stands";
        SetForegroundWindow(LayoutFrame().window);
        SetFocus(LayoutTableWindow());
        Type(text);
        Key(enter ? VK_RETURN : VK_TAB);
        break;
      }
      case kTypedCommandStep:
        done += TypedCommand(row, column);
        break;
      case kOtherWindowStep:
        done = OtherWindowRoad(row, column);
        break;
      default:
        break;
    }
    platform::RunUntilIdle();
    if (TableWindow* list = TableOfWindow(ListTableWindow(0)); list != nullptr && list->editing) {
      SetFocus(ListTableWindow(0));
      Key(VK_ESCAPE);
    }
    // Text a refused command left in the Layout's cell is Escaped there, not
    // in the List window that had the last Escape.
    if (table().editing) {
      SetFocus(LayoutTableWindow());
      Key(VK_ESCAPE);
    }
    for (const std::string& text : messages) said_.push_back("cell: \"" + text + "\"");
    messages.clear();
    for (const std::string& text : said_) done += "; " + text;
    random_ = nullptr;
    return done;
  }

  // A row typed to Beam or from Beam to another kind in its Type cell, or
  // Find and Replace with Beam: the three pickers follow, each answered.
  std::string BeamRoad(int row) {
    const int road = Pick(3);
    if (road == 2) {
      beamReplace_ = true;
      At(row, 1 + Pick(kLayoutColumns));
      Command(kReplace);
      beamReplace_ = false;
      return "Find and Replace with Beam";
    }
    std::vector<int> beams;
    for (int r = 2; r <= TheModel().rowCount; ++r)
      if (TheModel().row(r).elementType == T::Beam) beams.push_back(r);
    // What a user types for another kind: the letters its name completes on.
    static const char* const kOthers[] = {"P", "V", "C", "RI", "JP", "BEN", "F", "E"};
    std::string text = "BEAM";
    if (road == 1 && !beams.empty()) {
      row = beams[static_cast<std::size_t>(Pick(static_cast<int>(beams.size())))];
      text = kOthers[Pick(static_cast<int>(std::size(kOthers)))];
    }
    const bool enter = Pick(3) == 0;
    At(row, 2);
    platform::TestKeyPress(VK_END);
    for (int n = table().EditLength(); n > 0; --n) platform::TestKeyPress(VK_BACK);
    std::string done = "row " + std::to_string(row) + " column 2: type \"" + text + "\"";
    if (TypeUntilStored(text, row, 2))
      done += " (completed at the letter that moved the caret)";
    else
      Key(enter ? VK_RETURN : VK_TAB);
    if (table().editing) Key(VK_ESCAPE);
    return done + (enter ? " Enter" : " Tab");
  }

  // Types `text` into the cell at `row`, `column` a letter at a time; true
  // when a letter stored it (a completed Type, a data letter storing its
  // item) or moved the caret on, as the user then types no further.
  bool TypeUntilStored(const std::string& text, int row, int column) {
    for (std::size_t n = 0; n < text.size(); ++n) {
      const int stored = UndoDepth();
      Type(text.substr(n, 1));
      if (table().currentRow != row || table().currentColumn != column || UndoDepth() != stored) return true;
    }
    return false;
  }

  // A List window editor on a line of a list the List window offers (the
  // valve library, a tool of its own over the frame, left out): the list
  // chosen with List (Ctrl+L), then Edit, a double click, Enter, Delete, or
  // a value typed into the line's cell and entered.
  std::string ListRoad(bool editOnly = false) {
    const int count = BuildListMenu();
    std::vector<std::string> labels;
    for (const ListMenuEntry& entry : ListMenuEntries())
      if (entry.label != "&Valve Library") labels.push_back(entry.label);
    if (labels.empty()) return "no list offered";
    const std::string label = labels[static_cast<std::size_t>(Pick(static_cast<int>(labels.size())))];
    platform::ExpectModal(platform::ModalKind::Dialog, ListDialogTemplateName(count), [label, count](HWND dialog) {
      for (int id = 1401; id <= 1400 + count; ++id)
        if (TextOf(GetDlgItem(dialog, id)) == label) {
          SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
          return;
        }
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessage(ListFrame().window, WM_COMMAND, kListChoose, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    std::string done = "list " + label;
    HWND window = ListTableWindow(0);
    TableWindow* list = TableOfWindow(window);
    if (list == nullptr || list->rowCount < 1 || !IsWindowVisible(window)) return done + " (empty)";
    const int line = 1 + Pick(list->rowCount), column = 1 + Pick(std::max(1, list->columnCount));
    TableGoTo(*list, line);
    TableSetColumn(*list, column);
    SetForegroundWindow(ListFrame().window);
    SetFocus(window);
    platform::RunUntilIdle();
    done += " line " + std::to_string(list->currentRow) + " column " + std::to_string(list->currentColumn);
    switch (editOnly ? 0 : Pick(5)) {
      case 0:
        done += ": Edit";
        SendMessage(ListFrame().window, WM_COMMAND, kListEdit, 0);
        break;
      case 1: {
        done += ": double click";
        const int x = list->x[static_cast<std::size_t>(list->currentColumn)] - list->hPosition + 4;
        const int y = list->headingHeight + (list->currentRow - list->topRow - 1) * list->rowHeight + list->rowHeight / 2;
        for (int click = 0; click < 2; ++click) {
          platform::TestMouse(window, WM_LBUTTONDOWN, x, y);
          platform::TestMouse(window, WM_LBUTTONUP, x, y);
        }
        break;
      }
      case 2:
        done += ": Enter";
        Key(VK_RETURN);
        break;
      case 3:
        done += ": Delete";
        SendMessage(ListFrame().window, WM_COMMAND, kListDelete, 0);
        break;
      default: {
        const std::string text = Value();
        done += ": type \"" + text + "\" Enter";
        Type(text);
        Key(VK_RETURN);
        break;
      }
    }
    platform::RunUntilIdle();
    return done;
  }

  // Text typed into the cell and left there, then one command: from the
  // menu, from a popup of the cell, or from its key through the
  // accelerators. The command takes the text first, in the same action.
  std::string TypedCommand(int row, int column) {
    At(row, column);
    const std::string text = CellText(column);
    platform::TestKeyPress(VK_END);
    for (int n = table().EditLength(); n > 0; --n) platform::TestKeyPress(VK_BACK);
    std::string done = "type \"" + text + "\"";
    if (TypeUntilStored(text, row, column)) return done + " (completed at the letter that moved the caret)";
    static constexpr int kTyped[] = {kOffsets, kSlope, 280, 281, 282, 384, kElementPicker, kDataPicker,
                                     kElementKind, kDataKind, kInsert, kPaste, 118, kSave};
    // The commands and keys that open a dialog before they change anything.
    static constexpr int kDialogs[] = {kOffsets,       kSlope,      280,          281,      282,
                                       kElementPicker, kDataPicker, kElementKind, kDataKind};
    switch (Pick(3)) {
      case 0: {
        const int command = kTyped[Pick(static_cast<int>(std::size(kTyped)))];
        typedDialog_ = std::find(std::begin(kDialogs), std::end(kDialogs), command) != std::end(kDialogs);
        Command(command);
        typedDialog_ = false;
        return done + ", command " + std::to_string(command);
      }
      case 1: {
        // Ctrl+Shift+T, Ctrl+Shift+D, Ctrl+T, Ctrl+D, Ctrl+Insert, Ctrl+Enter, Ctrl+S.
        static const UINT kKeys[][2] = {{'T', 1}, {'D', 1}, {'T', 0}, {'D', 0}, {VK_INSERT, 0}, {VK_RETURN, 0}, {'S', 0}};
        const auto& key = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
        typedDialog_ = key[0] == 'T' || key[0] == 'D';
        platform::TestKeyDown(VK_CONTROL);
        if (key[1] != 0) platform::TestKeyDown(VK_SHIFT);
        platform::TestKeyPress(key[0]);
        if (key[1] != 0) platform::TestKeyUp(VK_SHIFT);
        platform::TestKeyUp(VK_CONTROL);
        PumpAsTheMainLoop();
        typedDialog_ = false;
        return done + ", Ctrl+" + (key[1] != 0 ? "Shift+" : "") + std::to_string(key[0]);
      }
      default: {
        const TableWindow& t = table();
        const int x = t.x[static_cast<std::size_t>(t.currentColumn)] - t.hPosition + 4;
        const int y = t.headingHeight + (t.currentRow - t.topRow - 1) * t.rowHeight + t.rowHeight / 2;
        popupAnswers_ = true;
        platform::TestMouse(LayoutTableWindow(), WM_RBUTTONDOWN, x, y);
        platform::TestMouse(LayoutTableWindow(), WM_RBUTTONUP, x, y);
        platform::RunUntilIdle();
        popupAnswers_ = false;
        return done + ", popup";
      }
    }
  }

  // A dialog of one window open, and the user clicks into the other window
  // and types a value there before answering the dialog: the Layout's
  // offsets, slope or a kind's dialog with the List window, or a List
  // window's Edit with the Layout.
  std::string OtherWindowRoad(int row, int column) {
    if (Pick(2) == 0) {
      static constexpr int kDialogs[] = {kOffsets, kSlope, kElementKind, kDataKind};
      const int command = kDialogs[Pick(static_cast<int>(std::size(kDialogs)))];
      At(row, column);
      intrude_ = ListTableWindow(0);
      Command(command);
      intrude_ = nullptr;
      return "row " + std::to_string(row) + " column " + std::to_string(column) + ": command " +
             std::to_string(command) + " with the List window";
    }
    intrude_ = LayoutTableWindow();
    std::string done = ListRoad(true);
    intrude_ = nullptr;
    return done + " with the Layout";
  }
  void Intrude(HWND modal) {
    HWND other = std::exchange(intrude_, nullptr);
    const std::string value = Value();
    said_.push_back("clicked the other window, typed \"" + value + "\" Tab");
    if (other != nullptr && IsWindow(other)) {
      platform::TestMouse(other, WM_LBUTTONDOWN, 8, 40);
      platform::TestMouse(other, WM_LBUTTONUP, 8, 40);
    }
    platform::TestTypeText(value);
    platform::TestKeyPress(VK_TAB);
    platform::RunUntilIdle();
    if (IsWindow(modal)) SetForegroundWindow(modal);
  }

  std::mt19937* random_ = nullptr;
  bool popupAnswers_ = false;      // a popup of the step is answered
  std::function<std::string()> bytesNow_;  // the model's bytes, as the oracle reads them
  std::string poppedBytes_;        // the model's bytes when the step's popup came up
  std::size_t poppedSaid_ = 0;     // what the step had said then: the rest is the popup command's
  bool typedDialog_ = false;       // the command under way opens a dialog on the text typed first
  std::string typedBytes_;         // the model's bytes when that dialog came up
  std::size_t typedSaid_ = 0;      // what the step had said then: the rest is the dialog's
  HWND intrude_ = nullptr;         // the window the user turns to while the next dialog is open
  std::vector<std::string> said_;  // what the step's dialogs and questions said, and the answers
  bool fullAnswers_ = false;       // the step is of a later kind (AnswerFully)
  bool beamReplace_ = false;       // Find and Replace is asked for Beams
};

}  // namespace random_edit
