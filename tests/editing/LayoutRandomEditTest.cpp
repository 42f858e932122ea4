// Seeded random edits through the program's own roads, on the rows of
// LayoutFixture::BuildRoadsModel (with a pump at node 20), on the two
// example models and on the model of every kind of the results tests.
// Every road a user has to edit the model is taken: cells of every column
// typed with ordinary, zero, tiny, huge and negative values, the row
// commands and their dialogs, the kind dialogs, the type pickers (on the
// spare row too, with what is typed next), rows typed to and from Beam and
// Find and Replace with Beam (the three property pickers after each),
// Undo, Redo, Merge, the List window's editors (Edit, double click,
// Enter, Delete and typed cells) in every list it offers, commands from
// the menu, a popup or their keys after text typed and left in a cell
// (Save and Duplicate last row among them), and a dialog of the Layout or
// the List window with the user turning to the other window meanwhile;
// whatever a dialog or question asks is answered at random (the steps and
// answers: RandomEditUser.h).
//
// After each step an oracle of its own (RandomEditOracle.h, not the
// program's rule code) checks that the step added no broken rule of the
// rows, that the model is saved and read back to the same bytes, that an
// action which stored nothing (or was refused) left the bytes, the modified
// mark and the undo stack alone, that one which stored left exactly one
// undo step and the mark (a right click that stores typed text and the
// popup command it posts are two actions, each judged by its own bytes;
// the text a command stored before its dialog was refused and left stands;
// File > Save clears the mark once the file holds the model), that the step
// Save adds when it enters a row or line changed the bytes, and that Undo
// and Redo move one step and mark the model (Undo over text typed in the
// Layout's cell takes back the typing only). A third of the steps are not
// saved after, so that the next one starts from a marked model. One stored step in four is
// undone and redone at once, its bytes checked; the others are left alone,
// so that a later step that joined an earlier one shows: at the end of the
// run Undo walks every step down to the first and Redo back up, each
// against the bytes recorded. A failing run is cut down to the shortest
// steps that fail the same way, printed with the seed and the model to
// replay it.
//
// LAYOUT_RANDOM_SEED and LAYOUT_RANDOM_STEPS (steps per model, 60 in the
// suite's own run, four models) choose a longer run; the totals are printed
// at the end.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editing/LayoutRowEdits.h"
#include "editing/RandomEditOracle.h"
#include "editing/RandomEditUser.h"
#include "model/KindRecords.h"
#include "model/ListWindow.h"
#include "model/RowObjects.h"
#include "model/UndoFiles.h"
#include "records/Pump.h"
#include "results/EveryKindModel.h"

namespace {

using namespace random_edit;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int EnvironmentNumber(const char* name, int otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::atoi(text) : otherwise;
}

class LayoutRandomEditTest : public RandomEditUser {
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

  // The models the runs start from: 0 the rows of the fixture, 1 and 2 the
  // examples, 3 the model of every element and support kind (beams and
  // their records, a valve, a jacketed bend whose arc node 41 pump P1
  // names), which gives the List window a list of each.
  static constexpr int kStarts = 4;
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
      // Every material described, as model 0's is: leaving a line of the
      // Materials list asks for one.
      for (int record = 1; record <= built.materials.count; ++record)
        if (built.materials[record].description.empty()) built.materials[record].description = "Material";
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

  // The model file of `model` (the open one unless said), or the writer's
  // refusal. The view and the axes' corner (the graphics thread keeps them,
  // and Save stores those shown), the current and top rows (where the user
  // clicked and scrolled) and the list the List window shows are left out:
  // none is an edit.
  static std::string ModelBytes(std::string& refusal, Model& model = TheModel()) {
    const std::string path = TempFolder() + "/random-bytes.mod";
    GraphicsSettings& view = model.graphics;
    const GraphicsSettings kept = view;
    const int current = model.currentRow, top = model.layoutTopRow;
    const std::string list = std::exchange(model.listName, {});
    view.viewLeft = view.viewBottom = view.viewRight = view.viewTop = 0.0f;
    view.viewDirection = {};
    view.viewSetting = 0;
    view.factor1 = view.factor2 = 0.0f;
    view.axesTriad = 0;
    model.currentRow = model.layoutTopRow = 1;
    refusal = WriteModelFileFrom(model, path);
    view = kept;
    model.currentRow = current;
    model.layoutTopRow = top;
    model.listName = list;
    std::string bytes = ReadFile(path);
    std::filesystem::remove(path);
    return bytes;
  }

  // Reads the model file at the open model's path into `read`; the
  // reader's refusal, or "".
  static std::string ReadSaved(Model& read) {
    try {
      ReadModelFileInto(TheModel().path, read);
    } catch (const std::string& message) {
      return message;
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
    return {};
  }

  // Whether the file at the open model's path holds the model `now` (its
  // bytes as ModelBytes gives them): what a Save that clears the mark wrote.
  static bool SavedFileHolds(const std::string& now) {
    Model read;
    std::string refusal;
    return ReadSaved(read).empty() && FirstDifference(ModelBytes(refusal, read), now) < 0 && refusal.empty();
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
    if (const std::string message = ReadSaved(read); !message.empty())
      return "the saved file is not read back: " + message;
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
    bytesNow_ = [] {
      std::string refusal;
      return ModelBytes(refusal);
    };
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
      std::string before = ModelBytes(refusal);
      const int depth = UndoDepth();
      const bool mark = TheModel().modified;
      rowsBefore = RowLines(TheModel());
      const int spare = TheModel().rowCount + 1;
      const bool typing = table().editing && table().editChanged;
      outcome.log.push_back(Take(steps[i]));
      ++outcome.steps;
      const std::string after = ModelBytes(refusal);
      if (!refusal.empty()) return broken(at, kOtherFault, "the model is not written: " + refusal);
      // Comment picked for the spare row makes it a Comment row and leaves
      // the caret on it for the text typed next.
      if (steps[i].kind == kPickerStep && outcome.log.back().rfind("row " + std::to_string(spare) + " ", 0) == 0 &&
          outcome.log.back().find("ETYPES_DIALOG &Comment") != std::string::npos &&
          (table().currentRow != spare || table().currentColumn != 1 ||
           TheModel().row(spare).elementType != T::Comment))
        return broken(at, kOtherFault,
                      "Comment picked for the spare row left the caret at row " + std::to_string(table().currentRow) +
                          " column " + std::to_string(table().currentColumn));
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
      if (kind == kUndoStep && typing) {
        // Undo over text typed in the Layout's cell takes back the typing,
        // and nothing else.
        if (changed || UndoDepth() != depth || TheModel().modified != mark || table().editChanged)
          return broken(at, kOtherFault, "Undo over typed text did other than take back the typing");
      } else if (kind == kUndoStep || kind == kRedoStep) {
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
          if (TheModel().modified != mark)
            return broken(at, kOtherFault, "Undo or Redo with nothing to give back changed the modified mark");
        } else {
          if (FirstDifference(after, from.back()) >= 0)
            return broken(at, kOtherFault,
                          "Undo or Redo gave back other bytes than the model had, from byte " +
                              std::to_string(FirstDifference(after, from.back())));
          if (!TheModel().modified) return broken(at, kOtherFault, "Undo or Redo left no modified mark");
          from.pop_back();
          to.push_back(before);
        }
      } else {
        // One action, one undo step when it changed the bytes and none when
        // it did not, however many pieces it is made of. A right click
        // stores the text typed in its cell before its popup comes up: the
        // click and the command chosen are two actions, each judged by its
        // own bytes and by what was said in its own time.
        // A command that stores the typed text first and then opens its
        // dialog may have that dialog's input refused (the dialog stays
        // open and is left): when the action ends on the bytes the dialog
        // came up on, the typed text stands and what was said from then on
        // is about the dialog's part, which was not kept.
        struct Action {
          std::string start, end;
          std::vector<std::string> said;
          std::string typed;         // the bytes its dialog came up on, after the typed text stored
          std::size_t typedSaid = 0;  // what was said before that dialog
        };
        std::vector<Action> actions;
        if (poppedBytes_.empty()) {
          actions.push_back({before, after, said_, typedBytes_, std::min(typedSaid_, said_.size())});
        } else {
          const auto split = said_.begin() + static_cast<long>(std::min(poppedSaid_, said_.size()));
          actions.push_back({before, poppedBytes_, {said_.begin(), split}, {}, 0});
          actions.push_back({poppedBytes_, after, {split, said_.end()}, {}, 0});
        }
        std::vector<std::string> starts;  // the bytes before each action that stored
        for (const Action& action : actions) {
          if (FirstDifference(action.end, action.start) < 0) continue;
          starts.push_back(action.start);
          // What a dialog said: a cell's message may be about the row left.
          const bool keptTypedOnly = !action.typed.empty() && FirstDifference(action.end, action.typed) < 0;
          for (std::size_t k = 0; k < action.said.size(); ++k)
            if (action.said[k].rfind("cell:", 0) != 0 && SaysARule(action.said[k]) &&
                !(keptTypedOnly && k >= action.typedSaid))
              return broken(at, kOtherFault, "a rule's message was shown and the step still stored");
        }
        const int stored = static_cast<int>(starts.size());
        if (UndoDepth() != depth + stored)
          return broken(at, kUndoStepFault,
                        std::string(stored == 0 ? "a step that stored nothing" : "a stored step") +
                            " took the undo stack from " + std::to_string(depth) + " to " +
                            std::to_string(UndoDepth()) + " steps");
        // The mark follows the bytes; File > Save (from the menu or Ctrl+S)
        // clears it once the file holds the model, typed text it stored
        // included.
        const std::string& done = outcome.log.back();
        const bool saveStep =
            done.find(", command 104") != std::string::npos || done.find(", Ctrl+83") != std::string::npos;
        const bool savedNow = saveStep && !TheModel().modified;
        if (savedNow && !SavedFileHolds(after))
          return broken(at, kOtherFault, "Save cleared the modified mark and the file does not hold the model");
        if (stored == 0) {
          if (TheModel().modified != mark && !savedNow)
            return broken(at, kOtherFault, "a step that stored nothing left the modified mark");
          if (done.find("; ") != std::string::npos)
            ++outcome.refused;
          else
            ++outcome.unchanged;
        } else if (!TheModel().modified && !savedNow) {
          return broken(at, kOtherFault, "a stored step left no modified mark");
        }
        // Undo and Redo, as the check's own, leave the caret where the step left it.
        if (stored != 0 && (steps[i].seed >> 11) % 4 == 0) {
          const int caretRow = table().currentRow, caretColumn = table().currentColumn;
          Command(kUndo);
          const std::string undone = ModelBytes(refusal);
          if (const long back = FirstDifference(undone, starts.back()); back >= 0)
            return broken(at, kOtherFault,
                          "Undo does not give back the bytes before the step, from byte " + std::to_string(back));
          Command(kRedo);
          if (const long redone = FirstDifference(ModelBytes(refusal), after); redone >= 0)
            return broken(at, kOtherFault, "Redo does not give back the step, from byte " + std::to_string(redone));
          if (!TheModel().modified) return broken(at, kOtherFault, "Undo or Redo left no modified mark");
          TableGoTo(table(), caretRow);
          TableSetColumn(table(), caretColumn);
        }
        if (stored != 0) redo.clear();
        undo.insert(undo.end(), starts.begin(), starts.end());
      }
      // A share of the steps leaves the model marked, unsaved, for the next
      // step to start from: what it does to the mark is seen then too.
      if (TheModel().modified && (steps[i].seed >> 17) % 3 == 0) continue;
      // Save first enters the List window's line left unfinished (its
      // values filled in) or the row typed on the spare row: an action of
      // its own, one undo step when that changed the bytes and none when it
      // did not. (It also keeps the view shown, which is no edit.)
      const std::string unsaved = ModelBytes(refusal);
      const int unsavedDepth = UndoDepth();
      const std::string saved = SaveAndReadBack();
      if (!saved.empty()) return broken(at, kOtherFault, saved);
      const bool saveChanged = FirstDifference(ModelBytes(refusal), unsaved) >= 0;
      if (UndoDepth() != unsavedDepth + (saveChanged ? 1 : 0))
        return broken(at, kUndoStepFault,
                      std::string(saveChanged ? "Save that stored" : "Save that stored nothing") +
                          " took the undo stack from " + std::to_string(unsavedDepth) + " to " +
                          std::to_string(UndoDepth()) + " steps");
      if (saveChanged) {
        undo.push_back(unsaved);
        redo.clear();
      }
    }
    if (!steps.empty()) {
      const std::string why = WalkDownAndUp(undo);
      if (!why.empty()) return broken(static_cast<int>(steps.size()) - 1, kUndoStepFault, why);
    }
    return outcome;
  }

  // Undo down through every step the run kept, each giving back the bytes
  // before it, and Redo up again to the bytes the run ended with, each
  // leaving the model marked; "" when they do, else what went wrong.
  std::string WalkDownAndUp(const std::vector<std::string>& undo) {
    std::string refusal;
    const std::string last = ModelBytes(refusal);
    if (UndoDepth() != static_cast<int>(undo.size()))
      return "the run kept " + std::to_string(UndoDepth()) + " undo steps for " + std::to_string(undo.size()) +
             " actions that stored";
    for (std::size_t k = undo.size(); k-- > 0;) {
      Command(kUndo);
      if (const long at = FirstDifference(ModelBytes(refusal), undo[k]); at >= 0)
        return "Undo " + std::to_string(undo.size() - k) + " at the end of the run gives other bytes from byte " +
               std::to_string(at);
      if (!TheModel().modified)
        return "Undo " + std::to_string(undo.size() - k) + " at the end of the run left no mark";
    }
    for (std::size_t k = 1; k <= undo.size(); ++k) {
      Command(kRedo);
      const std::string& expected = k < undo.size() ? undo[k] : last;
      if (const long at = FirstDifference(ModelBytes(refusal), expected); at >= 0)
        return "Redo " + std::to_string(k) + " at the end of the run gives other bytes from byte " +
               std::to_string(at);
      if (!TheModel().modified) return "Redo " + std::to_string(k) + " at the end of the run left no mark";
    }
    return {};
  }

  // The shortest steps found that still fail the same way: the steps up to
  // the failing one, then chunks and single steps dropped while it still
  // fails so.
  std::vector<Step> Shrink(int start, std::vector<Step> steps, const Outcome& found) {
    // The same fault is the same kind told in the same words: another fault
    // of the kind met on the way is not the one being shrunk.
    const auto same = [&found](const Outcome& outcome) {
      return outcome.broken >= 0 && outcome.fault == found.fault && outcome.why.substr(0, 24) == found.why.substr(0, 24);
    };
    const int brokenAt = found.broken;
    steps.resize(static_cast<std::size_t>(brokenAt) + 1);
    int replays = 0;
    for (std::size_t chunk = steps.size() / 2; chunk >= 1 && replays < 400; chunk /= 2) {
      for (std::size_t from = 0; from + chunk <= steps.size() && replays < 400;) {
        std::vector<Step> tried = steps;
        tried.erase(tried.begin() + static_cast<long>(from), tried.begin() + static_cast<long>(from + chunk));
        ++replays;
        const Outcome outcome = Run(start, tried);
        if (same(outcome)) {
          tried.resize(static_cast<std::size_t>(outcome.broken) + 1);
          steps = tried;
        } else {
          from += chunk;
        }
      }
    }
    return steps;
  }
};

TEST_F(LayoutRandomEditTest, NoRoadBreaksARuleTheModelKept) {
  const std::uint32_t seed = static_cast<std::uint32_t>(EnvironmentNumber("LAYOUT_RANDOM_SEED", 20261209));
  const int count = EnvironmentNumber("LAYOUT_RANDOM_STEPS", 60);
  int total = 0, refused = 0, unchanged = 0;
  std::array<int, 4> faults{};  // by Fault
  std::array<int, kStepKinds> kinds{};
  for (int start = 0; start < kStarts; ++start) {
    std::mt19937 random(seed + static_cast<std::uint32_t>(start));
    std::vector<Step> steps;
    while (static_cast<int>(steps.size()) < count) {
      Step step;
      const int draw = std::uniform_int_distribution<int>(0, 109)(random);
      step.kind = draw < 38    ? kTypeCell
                  : draw < 70  ? kCommand
                  : draw < 76  ? kUndoStep
                  : draw < 81  ? kRedoStep
                  : draw < 83  ? kMergeStep
                  : draw < 92  ? kListStep
                  : draw < 96  ? kBeamStep
                  : draw < 100 ? kPickerStep
                  : draw < 106 ? kTypedCommandStep
                               : kOtherWindowStep;
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
    const std::vector<Step> shortest = Shrink(start, steps, outcome);
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
      "random edits: seed %u, %d steps (%d on the List window's editors, %d Beam changes, %d type pickers, %d "
      "commands after typed text, %d dialogs with the other window), %d "
      "refused with a message, %d that stored nothing silently; %d broke a rule, %d left other than one undo step "
      "for what they stored, %d other faults\n",
      seed, total, kinds[kListStep], kinds[kBeamStep], kinds[kPickerStep], kinds[kTypedCommandStep],
      kinds[kOtherWindowStep], refused, unchanged, faults[kRuleFault],
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
      // A value typed into a row of the model (a material's line) and
      // entered with Enter: the store and the entering of the row (the
      // values it lacks filled in) are one undo step.
      {3, {{kTypeCell, 2338496244u}}},
      {0, {{kListStep, 415781856u}}},
      // A row typed to Beam without beam materials to pick (refused with
      // "Material is required"), and a Beam row typed to Cut pipe after
      // Find and Replace made it a Beam, the three pickers answered: the
      // refused one leaves the row, the mark and the undo stack as they
      // were; the taken one is one undo step, whose Undo gives the bytes
      // back.
      {1, {{kBeamStep, 1941725865u}}},
      {2, {{kBeamStep, 1206485860u}, {kTypeCell, 4249084715u}}},
      // Element Types turns an elastic element into a bellows of axial
      // stiffness 1E37 and mean diameter 85 with no bending stiffness: the
      // bending stiffness they give is beyond a float, refused in the
      // dialog, and the model stays one that is saved.
      {3, {{kPickerStep, 4139192503u}}},
      // Edit in the Anchors list, OK with a value changed: one undo step.
      {3, {{kListStep, 1652506201u}}},
      // Enter on a pipe load whose design temperature is below an
      // operating one is refused before the values it lacks are filled.
      {3, {{kListStep, 739608139u}}},
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
      // A ball joint typed over a pipe: the letter that completes the type
      // stores it with its dialog, one undo step, marked; the row entered
      // later clears the pipe's names as a step of its own.
      {0, {{kTypeCell, 3612780537u}, {kTypeCell, 452960458u}}},
      // One key or command whose later piece opens a dialog or a picker is
      // one undo step: a typed value and Enter that picks the row's
      // material, or opens the item's dialog in a kind list; Data Types
      // that opens the item's dialog; the Loads list's dialog whose line is
      // then entered. A data cell's letter that stores its
      // item is an action of its own, as the letter completing a Type is.
      {1, {{kTypeCell, 3352672261u}, {kCommand, 3509445131u}, {kCommand, 28614791u}, {kTypeCell, 1655646358u}}},
      {0, {{kTypeCell, 1774049422u}, {kTypeCell, 2275857226u}}},
      {1, {{kTypeCell, 2943532855u}, {kListStep, 1696200253u}}},
      {0, {{kBeamStep, 4135638988u}, {kListStep, 1251214358u}}},
      {0, {{kPickerStep, 3557134958u}, {kCommand, 2400054235u}}},
      {0, {{kListStep, 895243549u}}},
      // A Beam row typed "C": the letter completes Cut pipe and stores it
      // with its dialog and pickers, one step; the Enter the user did not
      // type on is not part of it.
      {0, {{kCommand, 1728732262u}, {kCommand, 2932426376u}, {kBeamStep, 3352179980u}, {kBeamStep, 1732254869u}}},
      // Save enters the List window's line the user left (a material's
      // values filled in) or the comment typed on the spare row: a step of
      // its own, which the next Undo takes back.
      {0, {{kCommand, 3799166902u}, {kListStep, 3278388365u}, {kTypeCell, 1873287630u}, {kUndoStep, 2047786501u}}},
      {2,
       {{kCommand, 3598674689u},
        {kListStep, 4174669821u},
        {kPickerStep, 32006309u},
        {kTypeHereStep, 4122369650u},
        {kUndoStep, 1397496438u}}},
      {0, {{kTypeCell, 2825101756u}, {kUndoStep, 3619521550u}, {kListStep, 2591941229u}, {kRedoStep, 3231943273u}}},
      // The offsets dialog's values refused ("DY is too large"), the dialog
      // then cancelled: the model is the one before, byte for byte, unmarked.
      {3,
       {{kCommand, 4080125816u},
        {kBeamStep, 1741434739u},
        {kCommand, 1023973377u},
        {kTypeCell, 3594705561u},
        {kCommand, 1443008245u}}},
      // A node typed on the spare row and stored by Offsets, whose dialog
      // then refuses offsets at a node an earlier row made and is left:
      // the typed row stands, one undo step.
      {0,
       {{kCommand, 1547926291u},
        {kCommand, 3294991868u},
        {kCommand, 1164793319u},
        {kBeamStep, 1494507401u},
        {kListStep, 3219347589u},
        {kCommand, 3346728102u},
        {kCommand, 2844162662u},
        {kTypedCommandStep, 3740761648u}}},
  };
  for (const Found& replay : found) {
    const Outcome outcome = Run(replay.start, replay.steps);
    std::string steps;
    for (const std::string& line : outcome.log) steps += line + "\n";
    EXPECT_EQ(outcome.broken, -1) << outcome.why << "\n" << steps;
  }
}

}  // namespace
