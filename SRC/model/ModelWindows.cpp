// The Layout window opens its own table (UpdateLayoutTitle); these add the
// List window's list, the graphics redraw and the hiding that closing needs. While a model is open
// the main window is hidden: the model windows take its place, and closing
// the model shows it again.
#include "model/ModelWindows.h"

#include "graphics/GraphicsThread.h"
#include "model/LayoutWindow.h"
#include "model/ListWindow.h"
#include "platform/Window.h"
#include "shell/Frame.h"
#include "shell/TableWindow.h"

namespace {

constexpr int kGraphicsRedrawCommand = 436;

void RedrawGraphics() {
  if (HWND graphics = GraphicsWindowHandle()) PostMessage(graphics, WM_COMMAND, kGraphicsRedrawCommand, 0);
}

}  // namespace

void ShowModelWindows() {
  if (HWND main = MainFrame().window) ShowWindow(main, SW_HIDE);
  // The list saved with the model comes back; a list already shown now
  // shows this model's entries.
  if (!RestoreListWindow()) RefreshListWindow();
  UpdateLayoutTitle();
  RedrawGraphics();
}

void HideModelWindows() {
  Frame& layout = LayoutFrame();
  if (layout.window == nullptr) return;
  TableWindowClose(LayoutTableWindow());
  ShowWindow(layout.window, SW_HIDE);
  RedrawGraphics();
}
