// The find-node prompt (see FindNodeDialog.h). A refused field is reported
// as a field message over the dialog and the dialog stays open with the
// field's text selected, so the user can correct it.
#include "model/FindNodeDialog.h"

#include "platform/Dialog.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/FieldPrompt.h"

NodeId g_LastFoundNode = 0;

namespace {

constexpr int kNodeField = 1301;
constexpr int kNodeFieldLength = 8;

void CentreOnOwner(HWND dialog) {
  RECT own{}, area{};
  GetWindowRect(dialog, &own);
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr)
    GetWindowRect(owner, &area);
  else
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  MoveWindow(dialog, left < 0 ? 0 : left, top < 0 ? 0 : top, width, height, FALSE);
}

std::string LastNodeText() { return g_LastFoundNode != 0 ? NodeNumberText(g_LastFoundNode) : ""; }

std::string AcceptNode(const std::string& node) {
  NodeId id = 0;
  const int code = ParseNodeNumber(node, id);
  if (code != kNodeOk) return "Node =  " + node + "  " + NodeCheckReason(code);
  g_LastFoundNode = id;
  return "";
}

constexpr FieldPrompt kNodePrompt{kNodeField, kNodeFieldLength, "Node is required", LastNodeText, CentreOnOwner,
                                  AcceptNode};

}  // namespace

INT_PTR FindNodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  return FieldPromptProc(kNodePrompt, dialog, message, wParam);
}

int AskFindNode(HWND owner) {
  const INT_PTR result = DialogBoxParam(nullptr, "FIND_NODE_DIALOG", owner, FindNodeDialogProc, 0);
  return result == 1 ? 1 : 0;
}

std::string FoundNodeText() { return NodeNumberText(g_LastFoundNode); }
