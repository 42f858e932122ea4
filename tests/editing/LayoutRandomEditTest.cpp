// Seeded random edits through the program's own roads, on the rows of
// LayoutFixture::BuildRoadsModel (with a pump at node 20), on the two
// example models and on the model of every kind of the results tests.
// Every road a user has to edit the model is taken: cells of every column
// typed with ordinary, zero, tiny, huge and negative values, the row
// commands and their dialogs, the kind dialogs, the type pickers (on the
// spare row too, with what is typed next), rows typed to and from Beam and
// Find and Replace with Beam (the three property pickers after each),
// Undo, Redo, Merge, and the List window's editors (Edit, double click,
// Enter, Delete and typed cells) in every list it offers; whatever a
// dialog or question asks is answered at random.
//
// After each step an oracle of this file (not the program's rule code)
// checks that the step added no broken rule of the rows, that the model is
// saved and read back to the same bytes, that a step which stored nothing
// (or was refused) left the bytes, the modified mark and the undo stack
// alone, that one which stored left exactly one undo step, whose Undo
// gives back the bytes before the step, and that Undo and Redo move one
// step. A failing run is cut down to the shortest steps that fail the
// same way, printed with the seed and the model to replay it.
//
// LAYOUT_RANDOM_SEED and LAYOUT_RANDOM_STEPS (steps per model) choose a
// longer run; the totals are printed at the end.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editing/LayoutRowEdits.h"
#include "model/KindRecords.h"
#include "model/ListWindow.h"
#include "model/RowObjects.h"
#include "model/ToolTesting.h"
#include "model/UndoFiles.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "records/AllowableLoad.h"
#include "records/Compressor.h"
#include "records/Pump.h"
#include "results/EveryKindModel.h"
#include "services/ListFrameState.h"

namespace {

using T = ElementType;

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
  kStepKinds
};

struct Step {
  int kind = kTypeCell;
  std::uint32_t seed = 0;  // every choice of the step, its answers included, is drawn from it
  bool aimed = true;       // may take a row whose node something names
};

// The rules the rows keep, counted: a step may not add to any count.
enum Rule : int {
  kFirstFrom,     // the first element row is a From row
  kLocationNode,  // a Location names a node an earlier row made
  kLength,        // an element that makes its node has length
  kZeroOffsets,   // hinge, ball, Location and closing rows have no offsets
  kNamedNode,     // pumps, compressors, turbines, allowables, connected items name made nodes
  kFinite,        // every number held or derived is finite
  kRules
};
const char* const kRuleNames[kRules] = {"the first From row leads", "a Location names a made node",
                                        "an element has length",    "joints, Locations and closings have no offsets",
                                        "named nodes are made",     "every number is finite"};
using RuleCounts = std::array<int, kRules>;

bool MakesNothing(T type) { return type == T::None || type == T::Comment || type == T::HydrotestLoad; }

// The oracle. Node numbers of 100000 and more stand for their plain number.
RuleCounts CountBrokenRules(const Model& model, std::vector<std::string>& notes) {
  RuleCounts counts{};
  auto note = [&](Rule rule, const std::string& text) {
    ++counts[rule];
    notes.push_back(std::string(kRuleNames[rule]) + ": " + text);
  };
  std::set<std::int32_t> made;
  bool seenElement = false;
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    const std::string at = "row " + std::to_string(r) + " node " + std::to_string(row.node);
    for (float value : {row.dx, row.dy, row.dz})
      if (!std::isfinite(value)) note(kFinite, at + " offset");
    if (MakesNothing(row.elementType)) continue;
    if (!seenElement && row.elementType != T::From) note(kFirstFrom, at);
    seenElement = true;
    const bool earlier = made.count(row.node) != 0;
    const bool offsets = row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f;
    const double length = std::sqrt(double(row.dx) * row.dx + double(row.dy) * row.dy + double(row.dz) * row.dz);
    switch (row.elementType) {
      case T::From:
        break;
      case T::Location:
        if (!earlier) note(kLocationNode, at);
        if (offsets) note(kZeroOffsets, at);
        break;
      case T::HingeJoint:
      case T::BallJoint:
        if (offsets && !row.absolute) note(kZeroOffsets, at);
        break;
      default:
        if (row.absolute) break;
        if (earlier && offsets) note(kZeroOffsets, at + " closes a loop");
        if (!earlier && row.elementType != T::Elastic && !(length > 0.0001)) note(kLength, at);
        break;
    }
    if (row.elementType != T::Location) made.insert(row.node);
    if (const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr)
      for (std::int32_t node : {bend->intermediateNode1, bend->intermediateNode2})
        if (node != 0) made.insert(node);
  }
  // A layout with no element row (File > New gives one) breaks nothing.
  auto named = [&](std::int32_t node, const std::string& by) {
    if (node != 0 && made.count(node % 100000) == 0) note(kNamedNode, by + " names " + std::to_string(node));
  };
  for (int i = 1; i <= model.pumps.count; ++i) {
    named(model.pumps[i].suctionNode, "pump " + model.pumps[i].name);
    named(model.pumps[i].dischargeNode, "pump " + model.pumps[i].name);
  }
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) {
      const RotatingEquipment& unit = (*table)[i];
      for (std::int32_t node : {unit.inletNode, unit.exhaustNode, unit.extractionNode1, unit.extractionNode2})
        named(node, "rotating equipment " + unit.description);
    }
  for (int i = 1; i <= model.allowables.count; ++i) named(model.allowables[i].node, "allowable");
  for (int r = 2; r <= model.rowCount; ++r) {
    const DataItem* item = model.row(r).item.get();
    if (item != nullptr && item->HasConnectedNode())
      named(item->ConnectedNode(), "the item of row " + std::to_string(r));
  }
  for (int i = 1; i <= model.nodes.count; ++i) {
    const NodeRecord& node = model.nodes[i];
    if (!std::isfinite(node.x) || !std::isfinite(node.y) || !std::isfinite(node.z))
      note(kFinite, "node " + std::to_string(node.id) + " coordinates");
  }
  const GraphicsSettings& view = model.graphics;
  for (float value : {view.viewLeft, view.viewBottom, view.viewRight, view.viewTop})
    if (!std::isfinite(value)) note(kFinite, "the view rectangle");
  return counts;
}

// The rows as text, one line each, to show what a failing step changed.
std::vector<std::string> RowLines(const Model& model) {
  std::vector<std::string> lines;
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    std::ostringstream line;
    line << r << ": node " << row.node << " type " << static_cast<int>(row.elementType) << " d " << row.dx << ","
         << row.dy << "," << row.dz << (row.absolute ? " abs" : "") << " names " << row.material << "/" << row.section
         << "/" << row.load << " data " << static_cast<int>(row.dataType);
    lines.push_back(line.str());
  }
  return lines;
}

std::string RowChanges(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::string changes;
  for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
    const std::string a = i < before.size() ? before[i] : "-", b = i < after.size() ? after[i] : "-";
    if (a != b) changes += "\n    was " + a + "\n    now " + b;
  }
  return changes.empty() ? " (no row changed)" : changes;
}

// The rows that make a node a pump, compressor, turbine, allowable,
// connected item, Location or closing row names.
std::vector<int> NamedRows(const Model& model) {
  std::set<std::int32_t> names;
  for (int i = 1; i <= model.pumps.count; ++i) names.insert({model.pumps[i].suctionNode, model.pumps[i].dischargeNode});
  for (const auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i)
      names.insert(
          {(*table)[i].inletNode, (*table)[i].exhaustNode, (*table)[i].extractionNode1, (*table)[i].extractionNode2});
  for (int i = 1; i <= model.allowables.count; ++i) names.insert(model.allowables[i].node);
  std::set<std::int32_t> seen;
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (row.item != nullptr && row.item->HasConnectedNode()) names.insert(row.item->ConnectedNode());
    if (MakesNothing(row.elementType)) continue;
    if (row.elementType == T::Location || (seen.count(row.node) != 0 && row.elementType != T::From))
      names.insert(row.node);
    seen.insert(row.node);
  }
  std::vector<int> rows;
  std::set<std::int32_t> plain;
  for (std::int32_t node : names) plain.insert(node % 100000);
  for (int r = 2; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (MakesNothing(row.elementType) || row.elementType == T::Location) continue;
    const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
    if (plain.count(row.node) != 0 ||
        (bend != nullptr && (plain.count(bend->intermediateNode1) != 0 || plain.count(bend->intermediateNode2) != 0)))
      rows.push_back(r);
  }
  return rows;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int EnvironmentNumber(const char* name, int otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::atoi(text) : otherwise;
}

class LayoutRandomEditTest : public ToolFixture {
 protected:
  // What a failing step did wrong: added a broken rule, left other than
  // one undo step for what it stored (none for what it did not), or another
  // fault (the file, Undo's bytes, the mark).
  enum Fault : int { kNoFault, kRuleFault, kUndoStepFault, kOtherFault };
  struct Outcome {
    int broken = -1;               // the step that failed, -1 when none did
    Fault fault = kNoFault;
    std::string why;               // what it did wrong
    std::vector<std::string> log;  // one line per step taken
    int steps = 0, refused = 0, unchanged = 0;
  };

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

  // The models the runs start from: 0 the rows of the fixture, 1 and 2 the
  // examples, 3 the model of every element and support kind (beams and
  // their records, a valve, a jacketed bend whose arc node 41 pump P1
  // names), which gives the List window a list of each. Merge takes in one
  // of the first three.
  static constexpr int kStarts = 4, kMergeSources = 3;
  static std::string Example(int start) {
    return std::string(QUORVEL_SOURCE_DIR) + (start == 1 ? "/examples/SteamLine.mod" : "/examples/Sample.mod");
  }
  static std::string MergedFixture() { return TempFolder() + "/random-merge.mod"; }
  // The model of every kind with a title row above its rows, as the
  // Layout shows every model, and the jacketed bend's arc node named.
  static void BuildEveryKindModel(Model& model) {
    every_kind::BuildEveryKind(model, "", 3);
    for (int r = model.rowCount; r >= 1; --r) model.row(r + 1) = std::move(model.row(r));
    model.row(1) = LayoutRow{};
    model.row(1).elementType = T::Comment;
    model.row(1).element = CreateElementData(T::Comment);
    ++model.rowCount;
    for (int r = 2; r <= model.rowCount; ++r)
      if (model.row(r).elementType == T::JacketedBend) {
        BendRecord& bend = *model.row(r).element->AsBend();
        bend.intermediateNode1 = 41;
        bend.angle1 = 0.5f;
      }
    AppendPump(model.pumps, Pump{"P1", 41});
  }
  void OpenStart(int start) {
    platform::RunUntilIdle();
    ForgetCopiedRows();
    // No list shown, none half edited: a replay starts where the run did.
    ResetListWindow();
    DeleteUndoRedoFiles();
    Model& model = TheModel();
    if (start == 0) {
      StartEmptyLayoutModel(model);
      BuildRoadsModel();
      AppendPump(TheModel().pumps, Pump{"P1", 20});
      // As the Materials list has every material typed: leaving its line
      // (a Save from the Layout) asks for a description.
      TheModel().materials[1].description = "Carbon steel";
    } else if (start == 3) {
      Model built;
      BuildEveryKindModel(built);
      SwapModel(built);
      g_UnitsSettings.unit[kUnitLength] = kLengthInch;
      TheModel().unitChoices = ProgramUnitChoices();
    } else {
      Model read;
      ReadModelFileInto(Example(start), read);
      SwapModel(read);
      g_UnitsSettings.unit[kUnitLength] = kLengthInch;
      TheModel().unitChoices = ProgramUnitChoices();
    }
    ReadBackModel();
    TheModel().path = TempFolder() + "/random-edit.mod";
    std::filesystem::remove(TheModel().path);
    // What Merge takes in for model 0: the model as it starts, so that a
    // replay merges the same rows.
    ASSERT_EQ(WriteModelFileFrom(TheModel(), MergedFixture()), "");
    // The graphics window open beside the table: its view of the model is a
    // number the model keeps, drawn again after every edit.
    Command(253);
    TableGoTo(table(), 2);
    platform::RunUntilIdle();
  }

  // The model file of the open model, or the writer's refusal. The view
  // rectangle (the graphics thread keeps it), the current and top rows
  // (where the user clicked and scrolled) and the list the List window
  // shows are left out: none is an edit.
  static std::string ModelBytes(std::string& refusal) {
    const std::string path = TempFolder() + "/random-bytes.mod";
    GraphicsSettings& view = TheModel().graphics;
    const GraphicsSettings kept = view;
    const int current = TheModel().currentRow, top = TheModel().layoutTopRow;
    const std::string list = std::exchange(TheModel().listName, {});
    view.viewLeft = view.viewBottom = view.viewRight = view.viewTop = 0.0f;
    TheModel().currentRow = TheModel().layoutTopRow = 1;
    refusal = WriteModelFileFrom(TheModel(), path);
    view = kept;
    TheModel().currentRow = current;
    TheModel().layoutTopRow = top;
    TheModel().listName = list;
    std::string bytes = ReadFile(path);
    std::filesystem::remove(path);
    return bytes;
  }

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
    if (kind == K::PopupMenu) return false;
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
        Type(text);
        Key(enter ? VK_RETURN : VK_TAB);
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
      default:
        break;
    }
    platform::RunUntilIdle();
    if (TableWindow* list = TableOfWindow(ListTableWindow(0)); list != nullptr && list->editing) {
      SetFocus(ListTableWindow(0));
      Key(VK_ESCAPE);
    }
    if (table().editing) Key(VK_ESCAPE);
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
    Type(text);
    Key(enter ? VK_RETURN : VK_TAB);
    if (table().editing) Key(VK_ESCAPE);
    return "row " + std::to_string(row) + " column 2: type \"" + text + "\"" + (enter ? " Enter" : " Tab");
  }

  // A List window editor on a line of a list the List window offers (the
  // valve library, a tool of its own over the frame, left out): the list
  // chosen with List (Ctrl+L), then Edit, a double click, Enter, Delete, or
  // a value typed into the line's cell and entered.
  std::string ListRoad() {
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
    switch (Pick(5)) {
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

  // Saves through File > Save and reads the file back: "" when the bytes
  // read back are the bytes saved, else what went wrong. Save enters a row
  // typed on the spare row first, and refuses with the row's message when
  // it cannot be entered; such a model is written by Save's writer alone.
  std::string SaveAndReadBack() {
    const Model& model = TheModel();
    const LayoutRow& spare = model.row(model.rowCount + 1);
    const std::string path = model.path;
    if (spare.node != 0 || spare.elementType != T::None || spare.dataType != DataType::None || spare.dx != 0.0f ||
        spare.dy != 0.0f || spare.dz != 0.0f) {
      const std::string refusal = WriteModelFileFrom(model, path);
      if (!refusal.empty()) return "the model is not written: " + refusal;
    } else {
      std::mt19937 random(1);
      random_ = &random;
      said_.clear();
      Command(kSave);
      random_ = nullptr;
      if (TheModel().modified || !std::filesystem::exists(path)) {
        std::string why = "Save refused";
        for (const std::string& text : said_) why += "; " + text;
        for (const std::string& text : messages) why += "; cell: \"" + text + "\"";
        return why;
      }
    }
    const std::string saved = ReadFile(path);
    Model read;
    try {
      ReadModelFileInto(path, read);
    } catch (const std::string& message) {
      return "the saved file is not read back: " + message;
    }
    // A model whose extents are symmetric opens fitted to the window from
    // (1, 1, 1): that view is the reader's, not one the file failed to keep.
    GraphicsSettings& view = read.graphics;
    if (view.viewLeft == 0.0f && view.viewRight == 0.0f && view.viewBottom == 0.0f && view.viewTop == 0.0f) {
      const GraphicsSettings& saved = TheModel().graphics;
      view.viewDirection = saved.viewDirection;
      view.viewLeft = saved.viewLeft;
      view.viewRight = saved.viewRight;
      view.viewBottom = saved.viewBottom;
      view.viewTop = saved.viewTop;
    }
    const std::string again = TempFolder() + "/random-again.mod";
    const std::string refusal = WriteModelFileFrom(read, again);
    if (!refusal.empty()) return "the model read back is not written: " + refusal;
    const long at = FirstDifference(ReadFile(again), saved);
    std::filesystem::remove(again);
    return at < 0 ? "" : "the file read back differs at byte " + std::to_string(at);
  }

  static bool SaysARule(const std::string& said) {
    for (const char* rule : {"zero length", "Node must be defined", "is referred by", "should be zero",
                             "cannot be deleted", "too large", "not finite"})
      if (said.find(rule) != std::string::npos) return true;
    return false;
  }

  // Runs `steps` from model `start`, checking after each; stops at the first
  // fault.
  Outcome Run(int start, const std::vector<Step>& steps) {
    Outcome outcome;
    OpenStart(start);
    std::vector<std::string> notes;
    RuleCounts counts = CountBrokenRules(TheModel(), notes);
    for (const std::string& note : notes) std::printf("model %d starts with: %s\n", start, note.c_str());
    std::vector<std::string> undo, redo;  // the bytes Undo and Redo must give back
    std::vector<std::string> rowsBefore;
    auto broken = [&](int at, Fault fault, const std::string& why) {
      outcome.broken = at;
      outcome.fault = fault;
      outcome.why = why + RowChanges(rowsBefore, RowLines(TheModel()));
      return outcome;
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const int at = static_cast<int>(i);
      if (UndoDepth() + 5 > kSnapshotDepth) {
        // Below the stacks' own limit, so that every step's undo steps can be counted.
        DeleteUndoRedoFiles();
        undo.clear();
        redo.clear();
      }
      std::string refusal;
      const std::string before = ModelBytes(refusal);
      const int depth = UndoDepth();
      const bool mark = TheModel().modified;
      rowsBefore = RowLines(TheModel());
      outcome.log.push_back(Take(steps[i]));
      ++outcome.steps;
      const std::string after = ModelBytes(refusal);
      if (!refusal.empty()) return broken(at, kOtherFault, "the model is not written: " + refusal);
      notes.clear();
      const int kind = steps[i].kind;
      const RuleCounts now = CountBrokenRules(TheModel(), notes);
      // Undo and Redo give back a model this run already had.
      for (int rule = 0; rule < kRules && kind != kUndoStep && kind != kRedoStep; ++rule)
        if (now[static_cast<std::size_t>(rule)] > counts[static_cast<std::size_t>(rule)]) {
          std::string why = "a rule broken: ";
          for (const std::string& note : notes)
            if (note.rfind(kRuleNames[rule], 0) == 0) why += note + "; ";
          return broken(at, kRuleFault, why);
        }
      counts = now;
      const bool changed = FirstDifference(after, before) >= 0;
      if (kind == kUndoStep || kind == kRedoStep) {
        auto& from = kind == kUndoStep ? undo : redo;
        auto& to = kind == kUndoStep ? redo : undo;
        // Undo moves one step from the undo stack to the redo stack, Redo back.
        const int moved = from.empty() ? 0 : kind == kUndoStep ? -1 : 1;
        if (UndoDepth() != depth + moved)
          return broken(at, kUndoStepFault,
                        "Undo or Redo took the undo stack from " + std::to_string(depth) + " to " +
                            std::to_string(UndoDepth()) + " steps");
        if (from.empty()) {
          if (changed) return broken(at, kOtherFault, "Undo or Redo with nothing to give back changed the model");
        } else {
          if (FirstDifference(after, from.back()) >= 0)
            return broken(at, kOtherFault,
                          "Undo or Redo gave back other bytes than the model had, from byte " +
                              std::to_string(FirstDifference(after, from.back())));
          from.pop_back();
          to.push_back(before);
        }
      } else if (!changed) {
        // Nothing stored, or refused: no mark, no undo step.
        if (UndoDepth() != depth)
          return broken(at, kUndoStepFault,
                        "a step that stored nothing took the undo stack from " + std::to_string(depth) + " to " +
                            std::to_string(UndoDepth()) + " steps");
        if (TheModel().modified != mark) return broken(at, kOtherFault, "a step that stored nothing left the modified mark");
        if (outcome.log.back().find("; ") != std::string::npos)
          ++outcome.refused;
        else
          ++outcome.unchanged;
      } else {
        bool said = false;  // what a dialog said: a cell's message may be about the row left
        for (const std::string& text : said_) said = said || (text.rfind("cell:", 0) != 0 && SaysARule(text));
        if (said) return broken(at, kOtherFault, "a rule's message was shown and the step still stored");
        if (!TheModel().modified) return broken(at, kOtherFault, "a stored step left no modified mark");
        // One action, one undo step, however many pieces it is made of.
        if (UndoDepth() != depth + 1)
          return broken(at, kUndoStepFault,
                        "a stored step took the undo stack from " + std::to_string(depth) + " to " +
                            std::to_string(UndoDepth()) + " steps");
        // Undo and Redo, as the check's own, leave the caret where the step left it.
        const int caretRow = table().currentRow, caretColumn = table().currentColumn;
        Command(kUndo);
        const std::string undone = ModelBytes(refusal);
        if (const long back = FirstDifference(undone, before); back >= 0)
          return broken(at, kOtherFault,
                        "Undo does not give back the bytes before the step, from byte " + std::to_string(back));
        Command(kRedo);
        if (const long redone = FirstDifference(ModelBytes(refusal), after); redone >= 0)
          return broken(at, kOtherFault, "Redo does not give back the step, from byte " + std::to_string(redone));
        TableGoTo(table(), caretRow);
        TableSetColumn(table(), caretColumn);
        undo.push_back(before);
        redo.clear();
      }
      const std::string saved = SaveAndReadBack();
      if (!saved.empty()) return broken(at, kOtherFault, saved);
    }
    return outcome;
  }

  // The shortest steps found that still fail the same way: the steps up to
  // the failing one, then chunks and single steps dropped while it still
  // fails so.
  std::vector<Step> Shrink(int start, std::vector<Step> steps, int brokenAt, Fault fault) {
    steps.resize(static_cast<std::size_t>(brokenAt) + 1);
    int replays = 0;
    for (std::size_t chunk = steps.size() / 2; chunk >= 1 && replays < 400; chunk /= 2) {
      for (std::size_t from = 0; from + chunk <= steps.size() && replays < 400;) {
        std::vector<Step> tried = steps;
        tried.erase(tried.begin() + static_cast<long>(from), tried.begin() + static_cast<long>(from + chunk));
        ++replays;
        const Outcome outcome = Run(start, tried);
        if (outcome.broken >= 0 && outcome.fault == fault) {
          tried.resize(static_cast<std::size_t>(outcome.broken) + 1);
          steps = tried;
        } else {
          from += chunk;
        }
      }
    }
    return steps;
  }

  std::mt19937* random_ = nullptr;
  std::vector<std::string> said_;  // what the step's dialogs and questions said, and the answers
  bool fullAnswers_ = false;       // the step is of a later kind (AnswerFully)
  bool beamReplace_ = false;       // Find and Replace is asked for Beams
};

TEST_F(LayoutRandomEditTest, NoRoadBreaksARuleTheModelKept) {
  const std::uint32_t seed = static_cast<std::uint32_t>(EnvironmentNumber("LAYOUT_RANDOM_SEED", 20261209));
  const int count = EnvironmentNumber("LAYOUT_RANDOM_STEPS", 80);
  int total = 0, refused = 0, unchanged = 0;
  std::array<int, 4> faults{};  // by Fault
  std::array<int, kStepKinds> kinds{};
  for (int start = 0; start < kStarts; ++start) {
    std::mt19937 random(seed + static_cast<std::uint32_t>(start));
    std::vector<Step> steps;
    while (static_cast<int>(steps.size()) < count) {
      Step step;
      const int draw = std::uniform_int_distribution<int>(0, 99)(random);
      step.kind = draw < 38   ? kTypeCell
                  : draw < 70 ? kCommand
                  : draw < 76 ? kUndoStep
                  : draw < 81 ? kRedoStep
                  : draw < 83 ? kMergeStep
                  : draw < 92 ? kListStep
                  : draw < 96 ? kBeamStep
                              : kPickerStep;
      step.seed = static_cast<std::uint32_t>(random());
      steps.push_back(step);
      // What the user types next once the picker has made the row's kind.
      if (step.kind == kPickerStep && random() % 2 == 0)
        steps.push_back({kTypeHereStep, static_cast<std::uint32_t>(random())});
    }
    steps.resize(static_cast<std::size_t>(count));
    const Outcome outcome = Run(start, steps);
    for (int i = 0; i < outcome.steps; ++i) ++kinds[static_cast<std::size_t>(steps[static_cast<std::size_t>(i)].kind)];
    total += outcome.steps;
    refused += outcome.refused;
    unchanged += outcome.unchanged;
    if (outcome.broken < 0) continue;
    ++faults[static_cast<std::size_t>(outcome.fault)];
    const std::vector<Step> shortest = Shrink(start, steps, outcome.broken, outcome.fault);
    const Outcome replay = Run(start, shortest);
    std::ostringstream report;
    report << "seed " << seed << ", model " << start << ", step " << outcome.broken + 1 << " of " << count
           << " broke: " << outcome.why << "\nshortest (" << shortest.size() << " steps";
    if (replay.broken < 0) report << ", which no longer fails on its own";
    report << "): " << replay.why << "\n";
    for (std::size_t i = 0; i < shortest.size(); ++i)
      report << "  " << i + 1 << ". kind " << shortest[i].kind << " seed " << shortest[i].seed << ": "
             << (i < replay.log.size() ? replay.log[i] : std::string("-")) << "\n";
    ADD_FAILURE() << report.str();
  }
  std::printf(
      "random edits: seed %u, %d steps (%d on the List window's editors, %d Beam changes, %d type pickers), %d "
      "refused with a message, %d that stored nothing silently; %d broke a rule, %d left other than one undo step "
      "for what they stored, %d other faults\n",
      seed, total, kinds[kListStep], kinds[kBeamStep], kinds[kPickerStep], refused, unchanged, faults[kRuleFault],
      faults[kUndoStepFault], faults[kOtherFault]);
}

}  // namespace

namespace {

// Steps that broke a rule in earlier runs, replayed as they were found.
TEST_F(LayoutRandomEditTest, StepsThatOnceBrokeARuleKeepThem) {
  struct Found {
    int start;
    std::vector<Step> steps;
  };
  const Found found[] = {
      // Insert at row 2, then Delete Rows 2 to 25: every row but the title
      // goes, the first From with them, in one step. A layout with no
      // element row, as File > New gives, is saved and read back.
      {1, {{kCommand, 138900035u}, {kCommand, 3096090385u}}},
      // A value typed into the Materials (Loads) list's entry row behind
      // the last record is refused as the row has no name yet: no file
      // keeps that row, so neither the mark nor an undo step is left.
      {2, {{kListStep, 2175080755u}}},
      {1, {{kListStep, 1224587919u}}},
      // Enter on a material's line fills the values it lacks: one undo
      // step, marked, though "Properties are required" follows.
      {0, {{kListStep, 3098122479u}}},
      // Find and Replace with Ball opens the ball dialog on the template
      // row; the request is then refused and cancelled: no mark.
      {1, {{kCommand, 760143171u, false}}},
      // An elastic row that kept its names loses them when a name is typed
      // on it: the model is marked.
      {1,
       {{kTypeCell, 1520010714u, false},
        {kTypeCell, 1315808874u, false},
        {kTypeCell, 3266659742u, false},
        {kCommand, 1915127810u, false},
        {kTypeCell, 2240273568u, false}}},
      // The same through a ball joint typed over a pipe and undone.
      {2, {{kTypeCell, 262572219u, false}, {kUndoStep, 2370768324u, false}, {kTypeCell, 3642199288u, false}}},
      // A closing pipe with a weld typed Location, whose data type is left
      // unchosen: the row goes back to what it was, weld and pipe.
      {0, {{kTypeCell, 833944553u, false}, {kTypeCell, 2325143818u, false}}},
      // A ball joint typed over a pipe keeps the pipe's names until its row
      // is entered: entering it clears them, one undo step, marked.
      {0, {{kTypeCell, 3612780537u}, {kTypeCell, 452960458u}}},
  };
  for (const Found& replay : found) {
    const Outcome outcome = Run(replay.start, replay.steps);
    EXPECT_EQ(outcome.broken, -1) << outcome.why << "\n" << (outcome.log.empty() ? "" : outcome.log.back());
  }
}

}  // namespace
