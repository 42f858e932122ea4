// The New chooser. A radio button that gets the focus becomes the choice; a
// click on one (which follows the focus) ends the dialog at once with it, as
// OK does.
#include "editing/NewDocument.h"

#include <string>

#include "editing/ModelWindows.h"
#include "elements/CommentData.h"
#include "evaluations/FlangeTool.h"
#include "evaluations/LugEvaluationTool.h"
#include "evaluations/NozzleEvaluationTool.h"
#include "loads/SpectrumLibraryWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "properties/BeamLibraryWindow.h"
#include "properties/MaterialLibraryWindow.h"
#include "properties/ValveLibraryWindow.h"
#include "services/ListFrameState.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kFirstChoice = 1001;
constexpr int kChoiceCount = 8;
constexpr int kFlangeChoice = 6;
constexpr int kNozzleChoice = 7;
constexpr int kLugChoice = 8;
constexpr NodeId kFirstNode = 10;
constexpr int kMaterialLibraryChoice = 2;
constexpr int kSpectrumLibraryChoice = 3;
constexpr int kValveLibraryChoice = 4;
constexpr int kBeamLibraryChoice = 5;

int& RememberedChoice() {
  static int choice = 1;
  return choice;
}

void OnChoiceCommand(HWND dialog, int id, int code) {
  const int choice = id - kFirstChoice + 1;
  if (code == BN_SETFOCUS) {
    RememberedChoice() = choice;
    CheckRadioButton(dialog, kFirstChoice, kFirstChoice + kChoiceCount - 1, id);
  } else if (code == BN_CLICKED) {
    EndDialog(dialog, choice);
  }
}

}  // namespace

INT_PTR NewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      RememberedChoice() = 1;
      CheckRadioButton(dialog, kFirstChoice, kFirstChoice + kChoiceCount - 1, kFirstChoice);
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) EndDialog(dialog, RememberedChoice());
      if (id == IDCANCEL) EndDialog(dialog, 0);
      if (id >= kFirstChoice && id < kFirstChoice + kChoiceCount) OnChoiceCommand(dialog, id, HIWORD(wParam));
      return TRUE;
    }
    default: return FALSE;
  }
}

int NewDocumentChoice(HWND parent) {
  const INT_PTR choice = DialogBox(InstanceHandle, "NEW_DIALOG", parent, NewDialogProc);
  return choice > 0 && choice <= kChoiceCount ? static_cast<int>(choice) : 0;
}

void SetUpNewModel(Model& model) {
  model.rowCount = 2;
  LayoutRow& title = model.row(1);
  SetElementType(model, 1, ElementType::Comment);
  if (auto* comment = dynamic_cast<CommentData*>(title.element.get())) comment->SetText("Title = ");
  model.title.clear();
  LayoutRow& from = model.row(2);
  from.node = kFirstNode;
  SetElementType(model, 2, ElementType::From);
  SetDataType(model, 2, DataType::Anchor);
  MakeModel(model);
  model.currentRow = 1;
  model.modified = false;
}

void NewDocumentDialog(HWND parent) {
  const int choice = NewDocumentChoice(parent);
  if (choice == 0) return;
  // A library window open now is left first, after its save question.
  if (!LeaveListFrameTool(parent)) return;
  if (choice == kSpectrumLibraryChoice) {
    NewSpectrumLibrary(parent);
    return;
  }
  if (choice == kMaterialLibraryChoice) {
    ProgramCommands().closeModel();
    NewMaterialLibrary();
    return;
  }
  if (choice == kValveLibraryChoice) {
    ProgramCommands().closeModel();
    NewValveLibrary(parent);
    return;
  }
  if (choice == kFlangeChoice) {
    NewFlangeQualification(parent);
    return;
  }
  if (choice == kNozzleChoice) {
    NewNozzleEvaluationDocument(parent);
    return;
  }
  if (choice == kLugChoice) {
    NewLugEvaluationDocument(parent);
    return;
  }
  if (choice == kBeamLibraryChoice) {
    ProgramCommands().closeModel();
    NewBeamLibrary();
    return;
  }
  ProgramCommands().closeModel();
  SetUpNewModel(TheModel());
  ShowModelWindows();
}
