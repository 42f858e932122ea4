// ChooseFont: the faces the layer offers (DejaVu Sans and DejaVu Sans Mono),
// four styles and a list of point sizes (nSizeMin..nSizeMax with
// CF_LIMITSIZE), with a sample in the chosen font. The record's LOGFONT comes
// back with the face, the height for 96 pixels per inch, the weight and the
// italic flag; iPointSize in tenths of a point. A face the layer does not
// have (a description from elsewhere, "Arial") starts on the face the layer
// draws it with: the fixed face for fixed pitch, else the proportional one.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>
#include <string>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/DialogInternal.h"
#include "platform/ResourceTemplates.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr int kFaces = 0x0460;
constexpr int kStyles = 0x0461;
constexpr int kSizes = 0x0462;
constexpr int kSample = 0x0444;
const char* const kFaceNames[] = {"DejaVu Sans", "DejaVu Sans Mono"};
const char* const kStyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};

struct FontDialog {
  CHOOSEFONT* record = nullptr;
  std::vector<int> sizes;
  HFONT sample = nullptr;
};

int PointsOfHeight(LONG height) {
  if (height == 0) return 10;
  return static_cast<int>(std::lround(std::abs(height) * 72.0 / 96.0));
}

int Selected(HWND window, int list) {
  return static_cast<int>(SendDlgItemMessage(window, list, LB_GETCURSEL, 0, 0));
}

// The LOGFONT of the current choice, based on the caller's one.
LOGFONT Chosen(HWND window, const FontDialog& dialog, int* points) {
  LOGFONT font{};
  if (dialog.record->lpLogFont != nullptr) font = *dialog.record->lpLogFont;
  int face = std::max(0, Selected(window, kFaces));
  int style = std::max(0, Selected(window, kStyles));
  int size = Selected(window, kSizes);
  *points = size >= 0 && size < static_cast<int>(dialog.sizes.size()) ? dialog.sizes[static_cast<std::size_t>(size)] : 10;
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, kFaceNames[face], LF_FACESIZE - 1);
  font.lfHeight = -static_cast<LONG>(std::lround(*points * 96.0 / 72.0));
  font.lfWidth = 0;
  font.lfWeight = style >= 2 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (style % 2) == 1 ? 1 : 0;
  font.lfPitchAndFamily = face == 1 ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
  return font;
}

void ShowSample(HWND window, FontDialog* dialog) {
  int points = 0;
  LOGFONT font = Chosen(window, *dialog, &points);
  HFONT made = CreateFontIndirect(&font);
  SendDlgItemMessage(window, kSample, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
  if (dialog->sample != nullptr) DeleteObject(dialog->sample);
  dialog->sample = made;
}

void Fill(HWND window, FontDialog* dialog) {
  const CHOOSEFONT* record = dialog->record;
  for (const char* face : kFaceNames) SendDlgItemMessage(window, kFaces, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
  for (const char* style : kStyleNames) SendDlgItemMessage(window, kStyles, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
  for (int size : dialog->sizes) {
    std::string text = std::to_string(size);
    SendDlgItemMessage(window, kSizes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  int face = 0, style = 0, points = record->iPointSize > 0 ? record->iPointSize / 10 : 10;
  if ((record->Flags & CF_INITTOLOGFONTSTRUCT) && record->lpLogFont != nullptr) {
    const LOGFONT& font = *record->lpLogFont;
    bool fixed = (font.lfPitchAndFamily & 0x3) == FIXED_PITCH || strcasecmp(font.lfFaceName, kFaceNames[1]) == 0;
    face = fixed ? 1 : 0;
    style = (font.lfWeight >= FW_BOLD ? 2 : 0) + (font.lfItalic ? 1 : 0);
    points = PointsOfHeight(font.lfHeight);
  }
  // The nearest size offered.
  std::size_t nearest = 0;
  for (std::size_t index = 0; index < dialog->sizes.size(); ++index)
    if (std::abs(dialog->sizes[index] - points) < std::abs(dialog->sizes[nearest] - points)) nearest = index;
  SendDlgItemMessage(window, kFaces, LB_SETCURSEL, static_cast<WPARAM>(face), 0);
  SendDlgItemMessage(window, kStyles, LB_SETCURSEL, static_cast<WPARAM>(style), 0);
  SendDlgItemMessage(window, kSizes, LB_SETCURSEL, nearest, 0);
  ShowSample(window, dialog);
}

INT_PTR CallHook(HWND window, const FontDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const CHOOSEFONT* record = dialog->record;
  if ((record->Flags & CF_ENABLEHOOK) == 0 || record->lpfnHook == nullptr) return FALSE;
  return static_cast<INT_PTR>(record->lpfnHook(window, message, wParam, lParam));
}

INT_PTR FontProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<FontDialog*>(lParam);
    SetWindowLongPtr(window, DWLP_USER, lParam);
    Fill(window, dialog);
    FocusDialogControl(GetDlgItem(window, kFaces));
    CallHook(window, dialog, message, wParam, reinterpret_cast<LPARAM>(dialog->record));
    return FALSE;
  }
  auto* dialog = reinterpret_cast<FontDialog*>(GetWindowLongPtr(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (CallHook(window, dialog, message, wParam, lParam) != 0) return TRUE;
  if (message == WM_DESTROY && dialog->sample != nullptr) {
    SendDlgItemMessage(window, kSample, WM_SETFONT, 0, FALSE);
    DeleteObject(dialog->sample);
    dialog->sample = nullptr;
  }
  if (message != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  if ((id == kFaces || id == kStyles || id == kSizes) && HIWORD(wParam) == LBN_SELCHANGE) {
    ShowSample(window, dialog);
  } else if (id == IDOK || ((id == kFaces || id == kStyles || id == kSizes) && HIWORD(wParam) == LBN_DBLCLK)) {
    int points = 0;
    LOGFONT font = Chosen(window, *dialog, &points);
    if (dialog->record->lpLogFont != nullptr) *dialog->record->lpLogFont = font;
    dialog->record->iPointSize = points * 10;
    EndDialog(window, IDOK);
  } else if (id == IDCANCEL) {
    EndDialog(window, IDCANCEL);
  }
  return TRUE;
}

DialogTemplate FontTemplate() {
  DialogTemplate form;
  form.name = form.caption = "Font";
  form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  form.cx = 277;
  form.cy = 116;
  const DWORD list = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  form.items = {
      {-1, "STATIC", "&Font:", 7, 7, 100, 8, SS_LEFT, 0},
      {kFaces, "LISTBOX", "", 7, 17, 100, 60, list | WS_GROUP, 0},
      {-1, "STATIC", "Font st&yle:", 112, 7, 60, 8, SS_LEFT, 0},
      {kStyles, "LISTBOX", "", 112, 17, 60, 60, list | WS_GROUP, 0},
      {-1, "STATIC", "&Size:", 177, 7, 36, 8, SS_LEFT, 0},
      {kSizes, "LISTBOX", "", 177, 17, 36, 60, list | WS_GROUP, 0},
      {kSample, "STATIC", "AaBbYyZz", 7, 83, 206, 26, SS_CENTER | SS_SUNKEN, 0},
      {IDOK, "BUTTON", "OK", 220, 17, 50, 14, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
      {IDCANCEL, "BUTTON", "Cancel", 220, 35, 50, 14, WS_TABSTOP | BS_PUSHBUTTON, 0},
  };
  return form;
}

}  // namespace

}  // namespace platform

using namespace platform;

BOOL ChooseFont(CHOOSEFONT* record) {
  SetCommonDialogError(0);
  if (record == nullptr || record->lStructSize != sizeof(CHOOSEFONT)) {
    SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  FontDialog dialog;
  dialog.record = record;
  if ((record->Flags & CF_LIMITSIZE) && record->nSizeMin > 0 && record->nSizeMax >= record->nSizeMin) {
    for (int size = record->nSizeMin; size <= std::min(record->nSizeMax, record->nSizeMin + 200); ++size)
      dialog.sizes.push_back(size);
  } else {
    dialog.sizes = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
  }
  INT_PTR result = RunCommonDialog(FontTemplate(), record->hwndOwner, FontProcedure, reinterpret_cast<LPARAM>(&dialog));
  if (dialog.sample != nullptr) DeleteObject(dialog.sample);
  if (result == -1) {
    SetCommonDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  return result == IDOK ? TRUE : FALSE;
}
