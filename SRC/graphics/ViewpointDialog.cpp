// VIEWPOINT_DIALOG; see ViewpointDialog.h.
#include "graphics/ViewpointDialog.h"

#include <string>

#include "graphics/ViewCommands.h"
#include "model/ViewProjection.h"
#include "platform/Dialog.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kFirstField = 1301;
constexpr int kPreviousButton = 1005;
constexpr int kApplyButton = 999;

thread_local DialogHelper t_helper;
thread_local bool t_overGraphics = false;
POINT g_Position{0, 0};

Vec3 CurrentViewpoint() {
  Vec3 viewpoint{1.0f, 1.0f, 1.0f};
  RunOnGraphicsThread([&viewpoint] { viewpoint = Viewpoint; });
  return viewpoint;
}

bool PreviousExists() { return GraphicsPreviousViewExists(); }

void ShowDirection(const Vec3& direction) {
  for (int i = 0; i < 3; ++i)
    t_helper.DialogSetItemText(kFirstField + i, FormatFixedWidth(direction[static_cast<std::size_t>(i)], 10, 4));
}

// Apply: true when the fields were read (changed or not).
bool Apply() {
  static const char* const kLabels[3] = {"X", "Y", "Z"};
  float values[3] = {};
  try {
    for (int i = 0; i < 3; ++i) {
      t_helper.DialogGetItemText(kFirstField + i);
      if (ParseFieldReal(values[i]) != 0) {
        t_helper.errorItem = kFirstField + i;
        ThrowInvalidField(kLabels[i]);
      }
    }
    t_helper.errorItem = kFirstField;
    ApplyViewpoint(values[0], values[1], values[2]);
  } catch (const std::string& message) {
    t_helper.DialogFocusInvalid(message);
    return false;
  }
  t_helper.DialogEnableItem(kPreviousButton, PreviousExists());
  return true;
}

void StandardView(const Vec3& direction) {
  ShowDirection(direction);
  Apply();
}

void Previous() {
  if (!PreviousExists()) return;
  Vec3 previous{};
  RunOnGraphicsThread([&previous] {
    previous = PreviousViewpoint();
    SwapWithPreviousView();
  });
  ShowDirection(previous);
}

void Close(HWND dialog, int result) {
  if (t_overGraphics) {
    RECT rect{};
    GetWindowRect(dialog, &rect);
    g_Position = POINT{rect.left, rect.top};
  }
  EndDialog(dialog, result);
}

void Init(HWND dialog) {
  t_helper = DialogHelper{};
  t_helper.DialogBind(dialog);
  ShowDirection(CurrentViewpoint());
  t_helper.DialogEnableItem(kPreviousButton, PreviousExists());
  if (t_overGraphics) MoveWindowInScreen(dialog, g_Position, 0);
  else CenterWindowOnParent(dialog, 0);
  t_helper.DialogSelectAndFocus(kFirstField);
}

INT_PTR ViewpointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: Init(dialog); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case 1001: StandardView({1.0f, 0.0f, 0.0f}); return TRUE;
        case 1002: StandardView({0.0f, 1.0f, 0.0f}); return TRUE;
        case 1003: StandardView({0.0f, 0.0f, 1.0f}); return TRUE;
        case 1004: StandardView({1.0f, 1.0f, 1.0f}); return TRUE;
        case kApplyButton: Apply(); return TRUE;
        case kPreviousButton: Previous(); return TRUE;
        case IDOK:
          if (Apply()) Close(dialog, 1);
          return TRUE;
        case IDCANCEL: Close(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

void ApplyViewpoint(float x, float y, float z) {
  if (x == 0.0f && y == 0.0f && z == 0.0f) throw std::string("0.0, 0.0, 0.0 is not a valid viewpoint");
  RunOnGraphicsThread([x, y, z] { ViewAlongDirection(x, y, z); });
}

int RunViewpointDialog(HWND owner) {
  t_overGraphics = owner != nullptr && owner == GraphicsFrame().window;
  return static_cast<int>(DialogBoxParam(InstanceHandle, "VIEWPOINT_DIALOG", owner, ViewpointDialogProc, 0));
}
