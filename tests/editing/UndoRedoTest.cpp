// Undo and redo through model snapshots: fifty random edits undone and
// redone give back the model files of every step exactly; tokens discard
// only their own snapshot; a new edit empties the redo stack and a discarded
// one gives it back; a damaged snapshot leaves the open model and its path
// as they were; snapshots are not named like model files and none is left
// after Close.
#include <functional>
#include <random>
#include <stdexcept>

#include "editing/UndoRedo.h"
#include "files/FileCommands.h"
#include "model/EditSteps.h"
#include "model/EditTesting.h"
#include "model/RowOperations.h"
#include "services/ErrorRecords.h"
#include "supports/Restraint.h"

namespace {

using UndoRedoTest = EditFixture;

// One edit of a kind the Layout window makes, chosen by the generator.
void RandomEdit(Model& model, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 4);
  std::uniform_int_distribution<int> row(2, model.rowCount);
  std::uniform_int_distribution<int> length(1, 96);
  const int target = row(random);
  switch (kind(random)) {
    case 0: model.row(target).dx = static_cast<float>(length(random)); break;
    case 1: model.row(target).dz = static_cast<float>(length(random)) / 4.0f; break;
    case 2:
      if (model.row(target).dataType == DataType::None) {
        auto* restraint = dynamic_cast<Restraint*>(SetDataType(model, target, DataType::Restraint));
        restraint->restrainY = 1;
      } else {
        ClearDataType(model, target);
      }
      break;
    case 3: model.row(target).section = model.row(target).section == "S6" ? "S4" : "S6"; break;
    default: {
      // A new pipe at the end, under the next free node number.
      const int number = ++model.rowCount;
      LayoutRow& added = model.row(number);
      added.node = NextNodeNumber(model.nodes, model.row(number - 1).node, model.nodeIncrement);
      SetElementType(model, number, ElementType::Pipe);
      added.dy = static_cast<float>(length(random));
      break;
    }
  }
  RefreshAfterModelEdit(model);
}

TEST_F(UndoRedoTest, FiftyEditsUndoneAndRedoneGiveBackEveryModelFile) {
  std::mt19937 random(20261206);
  std::vector<std::string> states{Bytes(TheModel())};
  // Each edit settled as the roads settle theirs: one that changed no byte
  // (a length drawn again) leaves no step.
  while (states.size() < 51) {
    const SnapshotToken token = TakeUndoSnapshot();
    ASSERT_NE(token, 0u);
    RandomEdit(TheModel(), random);
    ASSERT_EQ(SettleEditSnapshot(token), "");
    if (Bytes(TheModel()) != states.back()) states.push_back(Bytes(TheModel()));
  }
  ASSERT_NE(states.front(), states.back());
  const std::string path = TheModel().path;
  for (int step = 49; step >= 0; --step) {
    ASSERT_TRUE(UndoEdit(nullptr));
    ASSERT_EQ(Bytes(TheModel()), states[static_cast<std::size_t>(step)]) << "undo to step " << step;
  }
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(UndoEdit(nullptr));  // an empty stack changes nothing
  EXPECT_EQ(Bytes(TheModel()), states.front());
  for (int step = 1; step <= 50; ++step) {
    ASSERT_TRUE(RedoEdit(nullptr));
    ASSERT_EQ(Bytes(TheModel()), states[static_cast<std::size_t>(step)]) << "redo to step " << step;
  }
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(UndoDepth(), 50);
  EXPECT_EQ(TheModel().path, path);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(UndoRedoTest, UndoMarksTheModelModifiedAndKeepsItsPath) {
  const std::string before = Bytes(TheModel());
  TakeUndoSnapshot();
  TheModel().row(3).dx = 99.0f;
  RefreshAfterModelEdit(TheModel());
  TheModel().modified = false;  // as after a save
  ASSERT_TRUE(UndoEdit(nullptr));
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().path, Folder() + "/open.mod");
  EXPECT_EQ(Bytes(TheModel()), before);
  EXPECT_FLOAT_EQ(TheModel().row(3).dx, 12.0f);
}

TEST_F(UndoRedoTest, NewEditEmptiesRedoAndADiscardedEditGivesItBack) {
  TakeUndoSnapshot();
  TheModel().row(2).dx = 30.0f;
  ASSERT_TRUE(UndoEdit(nullptr));
  ASSERT_TRUE(CanRedo());

  // A dialog opened and cancelled: the redo stack is there again.
  const SnapshotToken cancelled = TakeUndoSnapshot();
  EXPECT_FALSE(CanRedo());
  PopTempFile(cancelled);
  EXPECT_TRUE(CanRedo());
  EXPECT_FALSE(CanUndo());

  // An edit that stands, then another snapshot: the redo is gone for good.
  const SnapshotToken stands = TakeUndoSnapshot();
  TheModel().row(2).dy = 5.0f;
  ASSERT_EQ(SettleEditSnapshot(stands), "");
  const SnapshotToken next = TakeUndoSnapshot();
  PopTempFile(next);
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(UndoDepth(), 1);
}

TEST_F(UndoRedoTest, PopTempFileDiscardsOnlyItsOwnSnapshot) {
  const SnapshotToken outer = TakeUndoSnapshot();
  TheModel().row(4).dx = 40.0f;
  RefreshAfterModelEdit(TheModel());
  ASSERT_EQ(SettleEditSnapshot(outer), "");
  const std::string afterOuterEdit = Bytes(TheModel());
  const SnapshotToken inner = TakeUndoSnapshot();
  TheModel().row(5).dx = 50.0f;
  RefreshAfterModelEdit(TheModel());
  // The outer edit is discarded after the inner one was taken: the inner
  // snapshot, the newest, must stay.
  PopTempFile(outer);
  EXPECT_EQ(UndoDepth(), 1);
  PopTempFile(outer);  // a second discard of the same token does nothing
  EXPECT_EQ(UndoDepth(), 1);
  ASSERT_TRUE(UndoEdit(nullptr));
  EXPECT_EQ(Bytes(TheModel()), afterOuterEdit);
  PopTempFile(inner);  // already restored: nothing left to discard
  EXPECT_EQ(UndoDepth(), 0);
}

TEST_F(UndoRedoTest, DamagedSnapshotLeavesTheModelAndItsPathAsTheyWere) {
  TakeUndoSnapshot();
  TheModel().row(3).dy = 7.0f;
  RefreshAfterModelEdit(TheModel());
  const std::string before = Bytes(TheModel());
  const std::vector<std::string> files = SnapshotFiles();
  ASSERT_EQ(files.size(), 1u);
  const std::string snapshot = Folder() + "/" + files[0];
  {
    std::fstream damage(snapshot, std::ios::binary | std::ios::in | std::ios::out);
    damage.write("NOTAMODEL", 9);
  }
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [snapshot](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Unable to read model file:", snapshot}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(UndoEdit(nullptr));
  EXPECT_EQ(Bytes(TheModel()), before);
  EXPECT_EQ(TheModel().path, Folder() + "/open.mod");
  EXPECT_FALSE(CanRedo());  // the redo snapshot taken for it went back
  EXPECT_FALSE(CanUndo());  // the damaged snapshot is not offered again
  EXPECT_TRUE(SnapshotFiles().empty());
}

TEST_F(UndoRedoTest, VanishedSnapshotIsReportedAndChangesNothing) {
  TakeUndoSnapshot();
  TheModel().row(3).dy = 7.0f;
  const std::string before = Bytes(TheModel());
  const std::vector<std::string> files = SnapshotFiles();
  ASSERT_EQ(files.size(), 1u);
  const std::string snapshot = Folder() + "/" + files[0];
  std::filesystem::remove(snapshot);
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [snapshot](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model file: " + snapshot, "Does not exist."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(UndoEdit(nullptr));
  EXPECT_EQ(Bytes(TheModel()), before);
  EXPECT_EQ(TheModel().path, Folder() + "/open.mod");
}

TEST_F(UndoRedoTest, SnapshotsAreNotModelFilesAndCloseLeavesNone) {
  const SnapshotToken first = TakeUndoSnapshot();
  TheModel().row(2).dy = 2.0f;
  ASSERT_EQ(SettleEditSnapshot(first), "");
  TakeUndoSnapshot();
  TheModel().row(2).dx = 1.0f;
  ASSERT_TRUE(UndoEdit(nullptr));
  const std::vector<std::string> files = SnapshotFiles();
  EXPECT_EQ(files.size(), 2u);  // one undo, one redo
  for (const std::string& name : files) EXPECT_EQ(name.find(".mod"), std::string::npos) << name;
  CloseModel();
  EXPECT_TRUE(SnapshotFiles().empty());
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
  EXPECT_EQ(CountLiveTempFiles(), 0);
}

TEST_F(UndoRedoTest, TheStacksKeepTheirDepth) {
  for (int i = 0; i < kSnapshotDepth + 5; ++i) {
    const SnapshotToken token = TakeUndoSnapshot();
    TheModel().row(2).dy = static_cast<float>(i + 1);
    ASSERT_EQ(SettleEditSnapshot(token), "");
  }
  EXPECT_EQ(UndoDepth(), kSnapshotDepth);
  EXPECT_EQ(static_cast<int>(SnapshotFiles().size()), kSnapshotDepth);
}

// The one door of an edit inside one action of the user (a message the
// layer hands a window procedure): the pieces are one step, kept when the
// bytes changed, whatever the pieces said; a throw puts the model back; a
// rule the action broke, which no piece asked about, refuses it whole at
// its end.
std::function<void()> g_action;
LRESULT ActionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER) return DefWindowProc(window, message, wParam, lParam);
  g_action();
  return 0;
}

void Act(const std::function<void()>& work) {
  WNDCLASS actions{};
  actions.lpfnWndProc = ActionProcedure;
  actions.lpszClassName = "EditActions";
  RegisterClass(&actions);
  HWND window = CreateWindow("EditActions", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  g_action = work;
  try {
    SendMessage(window, WM_USER, 0, 0);
  } catch (...) {
    DestroyWindow(window);
    throw;
  }
  DestroyWindow(window);
}

TEST_F(UndoRedoTest, AnActionIsOneStepKeptByItsBytesAndAThrowPutsItBack) {
  Model& model = TheModel();
  const std::string before = Bytes(model);
  const auto change = [&](int row, float dx, bool says) {
    return RunEdit(nullptr, [&] {
      model.row(row).dx = dx;
      RefreshAfterModelEdit(model);
      return says;
    });
  };
  Act([&] {
    change(3, 20.0f, true);
    change(4, 30.0f, true);
  });
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_TRUE(model.modified);
  const std::string two = Bytes(model);
  // A piece that says it changed nothing, and did: the bytes decide.
  Act([&] { change(5, 40.0f, false); });
  EXPECT_EQ(UndoDepth(), 2);
  // Changes that end where they began: no step, and the mark as it was.
  model.modified = false;
  Act([&] {
    change(2, 50.0f, true);
    change(2, 12.0f, true);
  });
  EXPECT_EQ(UndoDepth(), 2);
  EXPECT_FALSE(model.modified);
  // A throw the program did not foresee, inside the door and out of the
  // action: the model as it was, no step.
  const std::string three = Bytes(model);
  EXPECT_THROW(Act([&] {
                 change(3, 77.0f, true);
                 RunEdit(nullptr, [&]() -> bool {
                   model.row(4).dx = 66.0f;
                   throw std::runtime_error("failed");
                 });
               }),
               std::runtime_error);
  EXPECT_TRUE(Bytes(model) == three);
  EXPECT_EQ(UndoDepth(), 2);
  // A message thrown after a part of the change, outside any action: the
  // part goes back.
  EXPECT_THROW(RunEdit(nullptr, [&]() -> bool {
                 model.row(4).dx = 66.0f;
                 throw std::string("DX is invalid");
               }),
               std::string);
  EXPECT_TRUE(Bytes(model) == three);
  ASSERT_TRUE(UndoEdit(nullptr));
  EXPECT_TRUE(Bytes(model) == two);
  ASSERT_TRUE(UndoEdit(nullptr));
  EXPECT_TRUE(Bytes(model) == before);
}

TEST_F(UndoRedoTest, ARuleTheWholeActionBrokeRefusesItAtItsEnd) {
  Model& model = TheModel();
  const std::string before = Bytes(model);
  std::vector<std::string> said;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [&](HWND box) {
    said = LinesOfDialog(box);
    SendMessage(box, WM_COMMAND, IDOK, 0);
  });
  // The piece leaves its snapshot to the action, as a cancelled dialog
  // does, after a pipe lost its length.
  Act([&] {
    PopTempFile(TakeUndoSnapshot());
    model.row(3).dx = 0.0f;
    RefreshAfterModelEdit(model);
  });
  platform::CheckModalScript();
  ASSERT_FALSE(said.empty());
  EXPECT_NE(said.front().find("zero length"), std::string::npos) << said.front();
  EXPECT_TRUE(Bytes(model) == before);
  EXPECT_EQ(UndoDepth(), 0);
  EXPECT_FALSE(model.modified);
}

// A refused edit puts back the bytes the model had, a load-case list that
// the making of the open model would rebuild among them.
TEST_F(UndoRedoTest, ARefusedEditPutsBackTheLoadCasesAsTheyWere) {
  Model& model = TheModel();
  ASSERT_GE(model.loadCases.count, 2);
  --model.loadCases.count;  // a list its flags were never rebuilt into
  const std::string before = Bytes(model);
  const SnapshotToken token = TakeUndoSnapshot();
  model.row(3).dx = 0.0f;
  RefreshAfterModelEdit(model);
  EXPECT_NE(SettleEditSnapshot(token).find("zero length"), std::string::npos);
  EXPECT_TRUE(Bytes(model) == before);
  EXPECT_FALSE(model.modified);
}

// A message thrown by a piece that joined a larger edit (a record's field
// refused), as text or as a record that also moves the caret or sends a
// command, and caught by that edit leaves the edit its own change: one
// step each, the outer DX kept.
TEST_F(UndoRedoTest, AMessageCaughtByTheOuterEditLeavesItItsChange) {
  Model& model = TheModel();
  const std::string before = Bytes(model);
  const std::function<void()> throws[] = {[] { throw std::string("Density = -460 is invalid"); },
                                          [] { throw CI{"Density = -460 is invalid", 5}; },
                                          [] { throw MsgCmd{"Density = -460 is invalid", 280}; },
                                          [] { throw MsgColCmd{"Density = -460 is invalid", 5, 280}; }};
  float dx = 20.0f;
  for (const auto& refuse : throws) {
    dx += 1.0f;
    Act([&] {
      RunEdit(nullptr, [&] {
        model.row(3).dx = dx;
        RefreshAfterModelEdit(model);
        try {
          RunEdit(nullptr, [&]() -> bool {
            refuse();
            return true;
          });
        } catch (...) {
        }
        return true;
      });
    });
    EXPECT_FLOAT_EQ(model.row(3).dx, dx);
  }
  EXPECT_EQ(UndoDepth(), 4);
  for (int step = 0; step < 4; ++step) ASSERT_TRUE(UndoEdit(nullptr));
  EXPECT_TRUE(Bytes(model) == before);
}

// An action that ends by a throw after its pieces stood goes back whole:
// the bytes and the mark as they were, no step.
TEST_F(UndoRedoTest, AnActionThatEndsByAThrowIsPutBackWhole) {
  Model& model = TheModel();
  const std::string before = Bytes(model);
  model.modified = false;
  EXPECT_THROW(Act([&] {
                 for (int row : {3, 4})
                   RunEdit(nullptr, [&] {
                     model.row(row).dx = 10.0f * static_cast<float>(row);
                     RefreshAfterModelEdit(model);
                     return true;
                   });
                 throw std::runtime_error("failed");
               }),
               std::runtime_error);
  EXPECT_TRUE(Bytes(model) == before);
  EXPECT_EQ(UndoDepth(), 0);
  EXPECT_FALSE(model.modified);
  // Put back as a refusal is: what it stored from a cell goes back there.
  BeginActionEdits();
  const SnapshotToken token = TakeUndoSnapshot();
  model.row(3).dx = 30.0f;
  SettleEditSnapshot(token);
  EXPECT_EQ(EndActionEdits(false), "");
  EXPECT_TRUE(ActionPutBack());
  EXPECT_TRUE(Bytes(model) == before);
}

}  // namespace

namespace {

// A process that ends with snapshots on its stacks leaves none behind. The
// child is forked, so it writes into this process's temporary folder.
TEST(UndoExitDeathTest, ExitLeavesNoSnapshotFiles) {
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        const SnapshotToken first = TakeUndoSnapshot();
        TheModel().title += " edited";
        SettleEditSnapshot(first);
        TakeUndoSnapshot();
        std::exit(EditFixture::SnapshotFiles().size() == 2 ? 0 : 3);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_TRUE(EditFixture::SnapshotFiles().empty());
}

}  // namespace
