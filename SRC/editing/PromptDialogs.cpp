// The find-text prompt (see PromptDialogs.h). The field's text is read with
// the blanks around it removed, so " pump " finds the comment "PUMP ROOM".
#include "editing/PromptDialogs.h"

#include <algorithm>
#include <cctype>

#include "editing/RowText.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/FieldPrompt.h"
#include "services/TableWindow.h"
#include "services/WindowUtilities.h"

std::string g_LastFindText;

namespace {

constexpr int kTextField = 1301;
constexpr int kTextFieldLength = 71;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Only Comment and Hydrotest load rows carry text to look in.
bool LayoutRowTextContains(int row, const std::string& text) {
  const Model& model = TheModel();
  if (row < 1 || row > model.rowCount) return false;
  const ElementType type = model.row(row).elementType;
  if (type != ElementType::Comment && type != ElementType::HydrotestLoad) return false;
  return Upper(LayoutRowCellText(model, row, 1)).find(Upper(text)) != std::string::npos;
}

void SearchFor(HWND tableWindow, const std::string& text) {
  if (tableWindow == nullptr) return;
  SetTableNameMatcher(LayoutRowTextContains);
  TableWindowFindName(tableWindow, text);
}

std::string LastFindText() { return g_LastFindText; }

void PlaceOverOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr) CenterWindowOnWindow(dialog, owner);
}

std::string AcceptText(const std::string& text) {
  g_LastFindText = text;
  return "";
}

constexpr FieldPrompt kTextPrompt{kTextField, kTextFieldLength, "String is required", LastFindText, PlaceOverOwner,
                                  AcceptText};

}  // namespace

INT_PTR StringDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  return FieldPromptProc(kTextPrompt, dialog, message, wParam);
}

// The search runs once the prompt is gone, so its "not found" message
// stands over the table, not over a dialog about to close.
int AskFindText(HWND owner, HWND tableWindow) {
  const INT_PTR result =
      DialogBoxParam(nullptr, "FIND_TEXT_DIALOG", owner, StringDialogProc, reinterpret_cast<LPARAM>(tableWindow));
  if (result != 1) return 0;
  SearchFor(tableWindow, g_LastFindText);
  return 1;
}

bool RepeatFindText(HWND tableWindow) {
  if (g_LastFindText.empty()) return false;
  SearchFor(tableWindow, g_LastFindText);
  return true;
}
