// The save question (see SaveQuestion.h): "Do you want to save changes to
// <model name> ?" with Yes, No and Cancel. Yes writes a titled model back to
// its file; a failed write is reported and counts as Cancel, so the caller
// never goes on believing the model was saved. Saving an untitled model
// needs the Save As dialog of the file commands; until those exist Yes on an
// untitled model says so and counts as Cancel.
#include "files/SaveQuestion.h"

#include "files/ModelFile.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "shell/General.h"
#include "shell/Message.h"
#include "shell/StandIn.h"

bool ModelHasUnsavedChanges() { return TheModel().modified; }

int QuerySaveModelChanges(HWND owner) {
  const int answer = AskSaveChanges(owner, GetModelName());
  if (answer != IDYES) return answer;
  if (TheModel().path.empty()) {
    STAND_IN("the Save As dialog of the file commands");
    ShowErrorMessage(owner, "Saving an untitled model is not available yet.");
    return IDCANCEL;
  }
  const std::string failure = WriteModelFile(TheModel().path);
  if (!failure.empty()) {
    ShowErrorMessage(owner, failure);
    return IDCANCEL;
  }
  return IDYES;
}
