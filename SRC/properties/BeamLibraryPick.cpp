// The library pick dialog; see BeamLibraryPick.h.
#include "properties/BeamLibraryPick.h"

#include <algorithm>

#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Window.h"
#include "properties/BeamLibrary.h"
#include "properties/DialogTable.h"
#include "properties/PropertyTables.h"
#include "services/Assert.h"
#include "services/Message.h"
#include "services/ProgramContext.h"

namespace {

constexpr int kLibraryButton = 1001;
constexpr int kFrame = 1500;

std::string FileTitle(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int SectionCount() { return BeamLibraryTable().sections.count; }

class LibraryTable : public DialogTableWindow {
 public:
  void DefineColumns() override {
    HDC dc = Dc();
    int width = DcTextWidth(dc, "Beam Description");
    for (int r = 1; r <= SectionCount(); ++r)
      width = std::max(width, DcTextWidth(dc, BeamLibraryTable().sections[r].description));
    widths[1] = width;
  }
  std::string HeadingText(int column, int line) override {
    return column == 1 && line == 0 ? "Beam Description" : "";
  }
  std::string CellText(int row, int column, int) override {
    if (column != 1 || row < 1 || row > SectionCount()) return {};
    return BeamLibraryTable().sections[row].description;
  }
  void DoubleClick() override { PostMessage(dialog, WM_COMMAND, IDOK, 0); }
  void EnterRow(bool) override { PostMessage(dialog, WM_COMMAND, IDOK, 0); }
  HWND dialog = nullptr;
};

void Fill(HWND dialog, LibraryTable& table) {
  QV_ASSERT(SectionCount() > 0 && "numlibbeams");
  const std::string title = "Beam Library - [" + FileTitle(BeamLibraryPath()) + "]";
  SetWindowText(dialog, title.c_str());
  LayoutDialogTable(dialog, table, SectionCount(), 1, 4, 12, {{IDOK, 8}, {IDCANCEL, 56}, {kLibraryButton, 104}});
}

void OnInit(HWND dialog, LibraryTable& table) {
  table.dialog = dialog;
  if (HWND frame = GetDlgItem(dialog, kFrame)) ShowWindow(frame, SW_HIDE);
  CreateDialogTable(dialog, table, 1, 1);
  Fill(dialog, table);
}

// Another library file; one without sections is forgotten and the pick ends.
void OnLibrary(HWND dialog, LibraryTable& table) {
  if (!BeamLibraryChooseFile(dialog)) return;
  if (SectionCount() == 0) {
    ShowErrorMessage(dialog, "There are no beams sections in \n" + BeamLibraryPath());
    ForgetBeamLibrary();
    EndDialog(dialog, 0);
    return;
  }
  TableReset(table);
  Fill(dialog, table);
}

}  // namespace

INT_PTR BeamLibraryPickDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<LibraryTable*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      auto& table = *reinterpret_cast<LibraryTable*>(GetWindowLongPtr(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, table.currentRow >= 1 && table.currentRow <= SectionCount() ? table.currentRow : 0); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case kLibraryButton: OnLibrary(dialog, table); return TRUE;
        default: return FALSE;
      }
    }
    default: return FALSE;
  }
}

int ChooseBeamLibrarySection(HWND owner) {
  if (SectionCount() == 0) {
    const std::string& path = BeamLibraryPath();
    const bool read = !path.empty() && platform::FileExists(path) ? BeamLibraryOpen(owner) : BeamLibraryChooseFile(owner);
    if (!read) return 0;
    if (SectionCount() == 0) {
      ShowErrorMessage(owner, "There are no beam sections in \n" + BeamLibraryPath());
      return 0;
    }
  }
  LibraryTable table;
  const INT_PTR chosen = DialogBoxParam(InstanceHandle, "LIBRARY_USE_DIALOG", owner, BeamLibraryPickDialogProc,
                                        reinterpret_cast<LPARAM>(&table));
  return chosen > 0 && chosen <= SectionCount() ? static_cast<int>(chosen) : 0;
}
