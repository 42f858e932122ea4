// The save question (see SaveQuestion.h): "Do you want to save changes to
// <model name> ?" with Yes, No and Cancel. Yes writes the model back to its
// file, or asks for one with Save As when it is untitled; a failed write or
// a cancelled Save As counts as Cancel, so the caller never goes on
// believing the model was saved.
#include "files/SaveQuestion.h"

#include "files/FileCommands.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "services/Frame.h"
#include "services/Message.h"

bool ModelHasUnsavedChanges() { return TheModel().modified; }

// The model is named by its file name as the window titles show it
// ("hot.mod"), on every road that asks.
int QuerySaveModelChanges(HWND owner) {
  const int answer = AskSaveChanges(owner, CurrentFileName());
  if (answer != IDYES) return answer;
  return SaveModel(owner) ? IDYES : IDCANCEL;
}
