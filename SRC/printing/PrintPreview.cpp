// The print preview window (see PrintPreview.h): the frame with its menu
// and accelerators, the button bar, the page window, the layout of the page
// in the window, and hiding and restoring the program's frames around it.
#include "printing/PrintPreview.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/Paint.h"
#include "platform/Window.h"
#include "printing/MessageWindow.h"
#include "printing/PrinterSettings.h"
#include "services/AboutDialog.h"
#include "services/Assert.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramContext.h"

namespace {

constexpr char kFrameClass[] = "QuorvelPreview";
constexpr char kClientClass[] = "QuorvelPreviewClient";
constexpr int kPageMargin = 10;

struct PreviewState {
  HACCEL accelerators = nullptr;
  int barHeight = 0;
  // The frames hidden behind the preview, front to back, and which were minimised.
  std::vector<HWND> hidden;
  std::vector<HWND> minimised;
};

PreviewState& State() {
  static PreviewState state;
  return state;
}

PrinterSettings* Printer() { return PreviewPrinter(); }

std::array<Frame*, 5> MainFrames() {
  return {&LayoutFrame(), &MainFrame(), &GraphicsFrame(), &ListFrame(), &ResultsFrame()};
}

// Hides the program's frames, noting their order (front first) and which
// were minimised.
void HideMainFrames() {
  PreviewState& state = State();
  state.hidden.clear();
  state.minimised.clear();
  std::vector<HWND> visible;
  for (Frame* frame : MainFrames())
    if (frame->window != nullptr && IsWindowVisible(frame->window)) visible.push_back(frame->window);
  for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr; window = GetWindow(window, GW_HWNDNEXT))
    if (std::find(visible.begin(), visible.end(), window) != visible.end()) state.hidden.push_back(window);
  for (HWND window : visible)
    if (std::find(state.hidden.begin(), state.hidden.end(), window) == state.hidden.end()) state.hidden.push_back(window);
  for (HWND window : state.hidden)
    if (IsIconic(window)) state.minimised.push_back(window);
  for (Frame* frame : MainFrames()) FrameHideRemember(*frame);
}

void RestoreMainFrames(HWND owner) {
  PreviewState& state = State();
  if (owner != nullptr && IsWindow(owner)) ShowWindow(owner, SW_SHOW);
  HWND after = owner;
  for (HWND window : state.hidden) {
    if (window == owner || !IsWindow(window)) continue;
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    after = window;
  }
  for (HWND window : state.minimised)
    if (IsWindow(window)) ShowWindow(window, SW_SHOWMINNOACTIVE);
  if (owner != nullptr && IsWindow(owner)) SetForegroundWindow(owner);
  state.hidden.clear();
  state.minimised.clear();
}

void Layout(HWND frame) {
  PrinterSettings* printer = Printer();
  if (printer == nullptr) return;
  RECT client{};
  GetClientRect(frame, &client);
  int width = client.right, height = client.bottom;
  const int bar = State().barHeight;
  if (printer->previewBar != nullptr) {
    MoveWindow(printer->previewBar, 0, 0, width, bar, TRUE);
    // The frame line along the top, the rule 2 pixels above the bar's bottom.
    for (int id : {1501, 1502}) {
      HWND line = GetDlgItem(printer->previewBar, id);
      RECT rect{};
      GetWindowRect(line, &rect);
      MoveWindow(line, 0, id == 1501 ? 0 : bar - 2, width, std::max<int>(1, rect.bottom - rect.top), TRUE);
    }
  }
  RECT page = PreviewPageRect(width, height, bar, printer->paperWidth, printer->paperHeight);
  if (printer->previewClient != nullptr)
    MoveWindow(printer->previewClient, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
}

void PaintPage(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  PrinterSettings* printer = Printer();
  RECT client{};
  GetClientRect(window, &client);
  if (printer != nullptr && printer->paperWidth > 0 && printer->paperHeight > 0) {
    float pixelsX = client.right / printer->paperWidth;
    float pixelsY = client.bottom / printer->paperHeight;
    RECT area{};
    area.left = static_cast<LONG>(pixelsX * printer->leftMargin + 0.5f);
    area.top = static_cast<LONG>(pixelsY * printer->topMargin + 0.5f);
    area.right = area.left + static_cast<LONG>(pixelsX * printer->printableWidth + 0.5f);
    area.bottom = area.top + static_cast<LONG>(pixelsY * printer->printableHeight + 0.5f);
    printer->DrawPage(dc, area);
  }
  EndPaint(window, &paint);
}

void ClosePreview(HWND frame) {
  PrinterSettings* printer = Printer();
  ShowWindow(frame, SW_HIDE);
  DestroyWindow(frame);
  if (printer == nullptr) return;
  HWND owner = printer->owner;
  printer->previewFrame = printer->previewBar = printer->previewClient = nullptr;
  printer->DeleteDocument();
  PreviewPrinter() = nullptr;
  ActiveWindow = nullptr;
  ActiveAccelerators = nullptr;
  RestoreMainFrames(owner);
}

void PrintFromPreview(HWND frame) {
  PrinterSettings* printer = Printer();
  HDC dc = printer->RunPrintDialog(frame);
  if (dc == nullptr) return;
  EnableWindow(frame, FALSE);
  ShowPrintingWindow(frame);
  std::string failure;
  try {
    printer->PrintPages(dc);
  } catch (const std::string& text) {
    failure = text;
  }
  DeleteDC(dc);
  ClosePrintingWindow();
  EnableWindow(frame, TRUE);
  if (!failure.empty()) {
    ShowErrorMessage(frame, failure);
    return;
  }
  SendMessage(frame, WM_CLOSE, 0, 0);
}

// Page setup and font changes record the document again from page 1.
void Rerecord(HWND frame) {
  PrinterSettings* printer = Printer();
  try {
    RecordForPreview(*printer);
  } catch (const std::string& text) {
    ShowErrorMessage(frame, text);
    SendMessage(frame, WM_CLOSE, 0, 0);
    return;
  }
  printer->InitPreviewBar();
  Layout(frame);
  InvalidateRect(printer->previewClient, nullptr, TRUE);
}

void OnCommand(HWND frame, int id) {
  PrinterSettings* printer = Printer();
  if (printer == nullptr) return;
  try {
    switch (id) {
      case 106: PrintFromPreview(frame); return;
      case 103: SendMessage(frame, WM_CLOSE, 0, 0); return;
      case 359:
        if (printer->PageSetupDialog(frame)) Rerecord(frame);
        return;
      case 411:
        if (printer->FontDialog(frame)) Rerecord(frame);
        return;
      case 363: printer->CopyPage(frame); return;
      case 369: printer->NextPage(); return;
      case 370: printer->PreviousPage(); return;
      case 371: printer->FirstPage(); return;
      case 372: printer->LastPage(); return;
      case 900: ShowInfoMessage(frame, "There is no help viewer on this system."); return;
      case 903: DialogBox(InstanceHandle, "ABOUT_DIALOG", frame, AboutDialogProc); return;
      default: return;
    }
  } catch (const std::string& text) {
    ShowErrorMessage(frame, text);
  }
}

LRESULT PreviewFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Layout(window);
      return 0;
    case WM_INITMENUPOPUP:
      if (Printer() != nullptr && HIWORD(static_cast<std::uintptr_t>(lParam)) == 0)
        Printer()->UpdatePreviewMenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
      return 0;
    case WM_CLOSE: ClosePreview(window); return 0;
    // Escape leaves the preview, as it leaves any view that stands in for
    // the program's windows until it is closed.
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        PostMessage(window, WM_COMMAND, 103, 0);
        return 0;
      }
      return DefWindowProc(window, message, wParam, lParam);
    case WM_DESTROY:
      if (Printer() != nullptr) {
        Printer()->previewPlacement.length = sizeof(WINDOWPLACEMENT);
        GetWindowPlacement(window, &Printer()->previewPlacement);
      }
      return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT PreviewClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintPage(window);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

INT_PTR PreviewBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return FALSE;
  if (message != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  // Escape on a button of the bar comes as Cancel: it closes the preview.
  if (id == IDCANCEL) id = 103;
  if (id == 103 || id == 106 || id == 369 || id == 370) SendMessage(GetParent(bar), WM_COMMAND, static_cast<WPARAM>(id), 0);
  return TRUE;
}

}  // namespace

RECT PreviewPageRect(int width, int height, int barHeight, float paperWidth, float paperHeight) {
  int margin = kPageMargin;
  if (width < 3 * margin || height - barHeight < 3 * margin) margin = 0;
  if (paperWidth <= 0 || paperHeight <= 0) return RECT{margin, barHeight + margin, margin, barHeight + margin};
  int pageHeight = (height - barHeight) - 2 * margin;
  int pageWidth = static_cast<int>(pageHeight * paperWidth / paperHeight);
  int x = (width - pageWidth) / 2;
  int y = barHeight + margin;
  if (x < margin) {
    pageWidth = width - 2 * margin;
    pageHeight = static_cast<int>(pageWidth / (paperWidth / paperHeight));
    x = margin;
    y = barHeight + (height - barHeight - pageHeight) / 2;
  }
  return RECT{x, y, x + std::max(pageWidth, 0), y + std::max(pageHeight, 0)};
}

void AssertPreviewWindows(HWND bar, HWND frame) {
  QV_ASSERT(bar != nullptr && "dialogbar");
  QV_ASSERT(frame != nullptr && "frame");
}

HACCEL PreviewAccelerators() { return State().accelerators; }

void InitPreview() {
  State().accelerators = LoadAccelerators(InstanceHandle, "ACCEL_PREVIEW");
  WNDCLASS frameClass{};
  frameClass.style = CS_HREDRAW | CS_VREDRAW;
  frameClass.lpfnWndProc = PreviewFrameProc;
  frameClass.hInstance = InstanceHandle;
  frameClass.hIcon = ProgramIcon;
  frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  frameClass.lpszMenuName = "PREVIEW_MENU";
  frameClass.lpszClassName = kFrameClass;
  if (RegisterClass(&frameClass) == 0) throw std::string("Unable to register QuorvelPreview");
  WNDCLASS clientClass{};
  clientClass.style = CS_HREDRAW | CS_VREDRAW;
  clientClass.lpfnWndProc = PreviewClientProc;
  clientClass.hInstance = InstanceHandle;
  clientClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  clientClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  clientClass.lpszClassName = kClientClass;
  if (RegisterClass(&clientClass) == 0) throw std::string("Unable to register QuorvelPreviewClient");
}

void FreePreview() {
  if (State().accelerators != nullptr) DestroyAcceleratorTable(State().accelerators);
  State().accelerators = nullptr;
}

void RecordForPreview(PrinterSettings& printer) {
  HDC dc = printer.CreatePrinterDc();
  try {
    printer.ComputePrintArea(dc);
    printer.Record(dc, printer.printableWidth, printer.printableHeight);
  } catch (...) {
    DeleteDC(dc);
    throw;
  }
  DeleteDC(dc);
}

void ShowPrintPreview(PrinterSettings& printer, HWND owner) {
  if (PreviewPrinter() != nullptr && PreviewPrinter()->previewFrame != nullptr)
    SendMessage(PreviewPrinter()->previewFrame, WM_CLOSE, 0, 0);
  PreviewPrinter() = &printer;
  printer.owner = owner;
  HWND frame = CreateWindowEx(0, kFrameClass, "Quorvel : Print Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              InstanceHandle, nullptr);
  if (frame == nullptr) {
    PreviewPrinter() = nullptr;
    ShowErrorMessage(owner, "Unable to create the print preview");
    return;
  }
  printer.previewFrame = frame;
  try {
    printer.previewBar = CreateDialog(InstanceHandle, "PREVIEW_BUTTONS", frame, PreviewBarProc);
    if (printer.previewBar != nullptr) {
      RECT bar{};
      GetWindowRect(printer.previewBar, &bar);
      State().barHeight = bar.bottom - bar.top;
    }
    printer.previewClient = CreateWindowEx(0, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                           frame, nullptr, InstanceHandle, nullptr);
    SetFocus(frame);
    RecordForPreview(printer);
    printer.InitPreviewBar();
  } catch (const std::string& text) {
    SendMessage(frame, WM_CLOSE, 0, 0);
    ShowErrorMessage(owner, text);
    return;
  }
  HideMainFrames();
  printer.ActivatePreview();
  WINDOWPLACEMENT placement = printer.previewPlacement;
  placement.length = sizeof placement;
  if (placement.showCmd != SW_SHOWMAXIMIZED) placement.showCmd = SW_SHOWNORMAL;
  SetWindowPlacement(frame, &placement);
  Layout(frame);
  SetForegroundWindow(frame);
}
