// GetOpenFileName and GetSaveFileName: a dialog of the layer with the folder
// shown, its list (sub-folders in brackets, then the files that match the
// chosen type), the file-name field and the type list.
//
// The typed name is taken relative to the folder shown unless it is a full
// path; a folder name (or "..") opens that folder; a name with * or ? becomes
// the list's pattern. Otherwise the default extension is added when the name
// has none, the flags' checks run (path and file must exist, overwrite
// prompt), the hook may still refuse (CDN_FILEOK), and the path goes back in
// lpstrFile with its name and extension offsets (the name alone in
// lpstrFileTitle when given), or, when either does not fit, the dialog ends
// with FALSE and FNERR_BUFFERTOOSMALL (nothing is cut).
//
// The name field keeps what is typed as a name read from the disk is kept:
// a character the program's text cannot hold is held escaped (FileNames.h)
// and shows as a stand-in per byte, so that the file gets the name typed.
// A path longer than the file system takes, and in a save dialog a name
// with nothing before its extension, are refused with a message.
// Both '/' and '\' separate folders; patterns and extensions compare
// without regard to case.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/ControlSupport.h"
#include "platform/DialogInternal.h"
#include "platform/FileNames.h"
#include "platform/MessageBox.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "platform/Windows1252.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

struct Filter {
  std::string description;
  std::vector<std::string> patterns;
};

struct Entry {
  std::string name;
  bool folder = false;
};

struct FileDialog {
  OPENFILENAME* record = nullptr;
  bool save = false;
  std::string title;
  std::string folder;  // without a trailing separator, except the root
  std::vector<Filter> filters;
  int filterIndex = 0;  // 0-based
  std::string pattern;  // a typed pattern, replacing the type's
  std::string defaultExtension;
  std::vector<Entry> entries;
  HWND hook = nullptr;
  WNDPROC nameFieldProcedure = nullptr;  // the edit's own, under NameFieldProcedure
  bool tooSmall = false;
};

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t NameOffset(const std::string& path) {
  for (std::size_t at = path.size(); at > 0; --at)
    if (IsSeparator(path[at - 1])) return at;
  return 0;
}

// Offset of the extension (after its dot) in the name part, or npos.
std::size_t ExtensionOffset(const std::string& path) {
  std::size_t name = NameOffset(path);
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < name || dot + 1 == path.size()) return std::string::npos;
  return dot + 1;
}

// The name without its folder and extension.
std::string BaseName(const std::string& path) {
  std::size_t nameAt = NameOffset(path), extensionAt = ExtensionOffset(path);
  return path.substr(nameAt, extensionAt == std::string::npos ? std::string::npos : extensionAt - 1 - nameAt);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return IsSeparator(folder.back()) ? folder + name : folder + "/" + name;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Matches(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
  if (*name == '\0') return false;
  if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) != std::tolower(static_cast<unsigned char>(*name)))
    return false;
  return Matches(pattern + 1, name + 1);
}

std::vector<std::string> SplitPatterns(const std::string& text) {
  std::vector<std::string> patterns;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string pattern = text.substr(start, end - start);
    while (!pattern.empty() && pattern.front() == ' ') pattern.erase(pattern.begin());
    if (!pattern.empty()) patterns.push_back(pattern == "*.*" ? "*" : pattern);
    start = end + 1;
  }
  return patterns;
}

std::vector<Filter> ParseFilters(LPCSTR text) {
  std::vector<Filter> filters;
  while (text != nullptr && *text != '\0') {
    Filter filter;
    filter.description = text;
    text += filter.description.size() + 1;
    filter.patterns = SplitPatterns(text);
    text += std::strlen(text) + 1;
    filters.push_back(filter);
  }
  if (filters.empty()) filters.push_back(Filter{"All files", {"*"}});
  return filters;
}

bool MatchesType(const FileDialog& dialog, const std::string& name) {
  std::vector<std::string> patterns =
      dialog.pattern.empty() ? dialog.filters[static_cast<std::size_t>(dialog.filterIndex)].patterns
                             : std::vector<std::string>{dialog.pattern};
  for (const std::string& pattern : patterns)
    if (Matches(pattern.c_str(), name.c_str())) return true;
  return false;
}

void ReadFolder(HWND window, FileDialog* dialog) {
  dialog->entries.clear();
  if (dialog->folder != "/") dialog->entries.push_back(Entry{"..", true});
  std::vector<Entry> found;
  std::error_code error;
  for (fs::directory_iterator it(FileSystemPath(dialog->folder), error), end; !error && it != end;
       it.increment(error)) {
    std::string name = ProgramNameOf(it->path().filename());
    if (name.empty() || name[0] == '.') continue;
    std::error_code ignored;
    bool folder = it->is_directory(ignored);
    if (folder || MatchesType(*dialog, name)) found.push_back(Entry{name, folder});
  }
  std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
    if (a.folder != b.folder) return a.folder;
    return Lower(a.name) < Lower(b.name);
  });
  dialog->entries.insert(dialog->entries.end(), found.begin(), found.end());
  HWND list = GetDlgItem(window, lst1);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  for (const Entry& entry : dialog->entries) {
    std::string shown = entry.folder ? "[" + entry.name + "]" : entry.name;
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  SetDlgItemText(window, cmb2, dialog->folder.c_str());
}

LRESULT NotifyHook(HWND window, FileDialog* dialog, UINT code) {
  if (dialog->hook == nullptr) return 0;
  OFNOTIFY notify{{window, 0, code}, dialog->record, nullptr};
  return SendMessage(dialog->hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

void OpenFolder(HWND window, FileDialog* dialog, const std::string& path) {
  std::error_code error;
  fs::path normal = fs::weakly_canonical(FileSystemPath(path), error);
  dialog->folder = error ? path : ProgramNameOf(normal);
  if (dialog->folder.size() > 1 && IsSeparator(dialog->folder.back())) dialog->folder.pop_back();
  ReadFolder(window, dialog);
  NotifyHook(window, dialog, CDN_FOLDERCHANGE);
}

std::string FileNameText(HWND window) {
  std::string name = controls::TextOf(GetDlgItem(window, edt1));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(name.begin());
  return name;
}

bool Refuse(HWND window, const FileDialog& dialog, const std::string& text) {
  MessageBox(window, text.c_str(), dialog.title.c_str(), MB_OK | MB_ICONWARNING);
  SetFocus(GetDlgItem(window, edt1));
  SendDlgItemMessage(window, edt1, EM_SETSEL, 0, -1);
  return false;
}

// The checks of the flags on the chosen path; false keeps the dialog open.
bool Acceptable(HWND window, const FileDialog& dialog, const std::string& path) {
  DWORD flags = dialog.record->Flags;
  std::size_t nameAt = NameOffset(path);
  std::string folder = nameAt > 1 ? path.substr(0, nameAt - 1) : path.substr(0, nameAt);
  if ((flags & OFN_NOVALIDATE) == 0 && path.substr(nameAt).find_first_of("*?\"<>|") != std::string::npos)
    return Refuse(window, dialog, path + "\nThe file name is not valid.");
  if (!FitsFileSystem(path))
    return Refuse(window, dialog,
                  path + "\nThe path is too long: the file system takes at most " + std::to_string(kLongestPathBytes) +
                      " bytes in a path and " + std::to_string(kLongestNameBytes) +
                      " in a name (a character shown as ? is one byte).");
  if (dialog.save && BaseName(path).find_first_not_of(". ") == std::string::npos)
    return Refuse(window, dialog, path + "\nThe file name is not valid: it has no name before its extension.");
  if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !folder.empty() && !IsFolder(folder))
    return Refuse(window, dialog, path + "\nPath does not exist.\nCheck the path and try again.");
  if ((flags & OFN_FILEMUSTEXIST) && !FileExists(path))
    return Refuse(window, dialog, path + "\nFile not found.\nCheck the file name and try again.");
  if (dialog.save && (flags & OFN_OVERWRITEPROMPT) && FileExists(path)) {
    std::string question = path + " already exists.\nDo you want to replace it?";
    if (MessageBox(window, question.c_str(), dialog.title.c_str(), MB_YESNO | MB_ICONWARNING) != IDYES) {
      SetFocus(GetDlgItem(window, edt1));
      return false;
    }
  }
  return true;
}

// Puts the chosen path (and its name, when asked) into the caller's record;
// false, with nothing written, when either does not fit.
bool Deliver(FileDialog* dialog, const std::string& path) {
  OPENFILENAME* record = dialog->record;
  std::size_t nameAt = NameOffset(path);
  std::string title = path.substr(nameAt);
  if (record->lpstrFile == nullptr || path.size() + 1 > record->nMaxFile || path.size() > 0xFFFF) return false;
  bool wantsTitle = record->lpstrFileTitle != nullptr && record->nMaxFileTitle > 0;
  if (wantsTitle && title.size() + 1 > record->nMaxFileTitle) return false;
  std::memcpy(record->lpstrFile, path.c_str(), path.size() + 1);
  if (wantsTitle) std::memcpy(record->lpstrFileTitle, title.c_str(), title.size() + 1);
  std::size_t extensionAt = ExtensionOffset(path);
  record->nFileOffset = static_cast<WORD>(nameAt);
  record->nFileExtension = static_cast<WORD>(extensionAt == std::string::npos ? 0 : extensionAt);
  record->nFilterIndex = static_cast<DWORD>(dialog->filterIndex + 1);
  return true;
}

void PressOk(HWND window, FileDialog* dialog) {
  std::string name = FileNameText(window);
  if (name.empty()) {
    int selected = static_cast<int>(SendDlgItemMessage(window, lst1, LB_GETCURSEL, 0, 0));
    if (selected >= 0 && selected < static_cast<int>(dialog->entries.size()) &&
        dialog->entries[static_cast<std::size_t>(selected)].folder)
      OpenFolder(window, dialog, Join(dialog->folder, dialog->entries[static_cast<std::size_t>(selected)].name));
    else
      MessageBeep(0);
    return;
  }
  std::string path = IsSeparator(name[0]) ? name : Join(dialog->folder, name);
  if (IsFolder(path)) {
    SetDlgItemText(window, edt1, "");
    OpenFolder(window, dialog, path);
    return;
  }
  if (name.find_first_of("*?") != std::string::npos && name.find_first_of("/\\") == std::string::npos) {
    dialog->pattern = name;
    ReadFolder(window, dialog);
    return;
  }
  if (!dialog->defaultExtension.empty() && ExtensionOffset(path) == std::string::npos) {
    // A name typed with a dot and no extension after it gets the extension
    // after that dot, not after a second one.
    while (path.size() > NameOffset(path) + 1 && path.back() == '.') path.pop_back();
    path += "." + dialog->defaultExtension;
  }
  if (!Acceptable(window, *dialog, path)) return;
  if (NotifyHook(window, dialog, CDN_FILEOK) != 0) return;
  if (!Deliver(dialog, path)) {
    dialog->tooSmall = true;
    EndDialog(window, IDCANCEL);
    return;
  }
  EndDialog(window, IDOK);
}

void ChooseEntry(HWND window, FileDialog* dialog, bool open) {
  int selected = static_cast<int>(SendDlgItemMessage(window, lst1, LB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= static_cast<int>(dialog->entries.size())) return;
  const Entry entry = dialog->entries[static_cast<std::size_t>(selected)];
  if (entry.folder) {
    if (open) OpenFolder(window, dialog, Join(dialog->folder, entry.name));
    return;
  }
  SetDlgItemText(window, edt1, entry.name.c_str());
  NotifyHook(window, dialog, CDN_SELCHANGE);
  if (open) PressOk(window, dialog);
}

void ChangeType(HWND window, FileDialog* dialog) {
  int selected = static_cast<int>(SendDlgItemMessage(window, cmb1, CB_GETCURSEL, 0, 0));
  if (selected < 0 || selected == dialog->filterIndex) return;
  dialog->filterIndex = selected;
  dialog->pattern.clear();
  dialog->record->nFilterIndex = static_cast<DWORD>(selected + 1);
  ReadFolder(window, dialog);
  NotifyHook(window, dialog, CDN_TYPECHANGE);
}

// CDM_ messages: the hook's way to read and change the dialog.
LRESULT CopyOut(const std::string& text, WPARAM size, LPARAM buffer) {
  if (buffer != 0 && size > 0) {
    std::size_t length = OutsideEscapedCharacter(text, std::min<std::size_t>(text.size(), size - 1), false);
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), length);
    reinterpret_cast<char*>(buffer)[length] = '\0';
  }
  return static_cast<LRESULT>(text.size() + 1);
}

LRESULT OnControlMessage(HWND window, FileDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  int id = static_cast<int>(wParam) == cmb13 ? edt1 : static_cast<int>(wParam);
  switch (message) {
    case CDM_GETSPEC: return CopyOut(FileNameText(window), wParam, lParam);
    case CDM_GETFILEPATH: return CopyOut(Join(dialog->folder, FileNameText(window)), wParam, lParam);
    case CDM_GETFOLDERPATH: return CopyOut(dialog->folder, wParam, lParam);
    case CDM_SETCONTROLTEXT: SetDlgItemText(window, id, reinterpret_cast<LPCSTR>(lParam)); return 0;
    case CDM_HIDECONTROL: ShowWindow(GetDlgItem(window, id), SW_HIDE); return 0;
    case CDM_SETDEFEXT: dialog->defaultExtension = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : ""; return 0;
    default: return 0;
  }
}

// The hook runs as a dialog procedure of a child dialog; this passes the
// messages on to the caller's hook procedure.
INT_PTR HookAdapter(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<FileDialog*>(GetWindowLongPtr(GetParent(hook), DWLP_USER));
  if (dialog == nullptr || dialog->record->lpfnHook == nullptr) return FALSE;
  return static_cast<INT_PTR>(dialog->record->lpfnHook(hook, message, wParam, lParam));
}

void InitialPlace(HWND window, FileDialog* dialog) {
  OPENFILENAME* record = dialog->record;
  std::string initial = record->lpstrFile != nullptr ? record->lpstrFile : "";
  std::size_t nameAt = NameOffset(initial);
  std::string folder = nameAt > 0 ? initial.substr(0, nameAt) : "";
  if (folder.empty() && record->lpstrInitialDir != nullptr) folder = record->lpstrInitialDir;
  if (folder.empty() || !IsFolder(folder)) folder = CurrentFolder();
  dialog->folder = folder;
  if (dialog->folder.size() > 1 && IsSeparator(dialog->folder.back())) dialog->folder.pop_back();
  SetDlgItemText(window, edt1, initial.substr(nameAt).c_str());
}

// The name field takes a character the program's text cannot hold as a
// name read from the disk holds it.
LRESULT NameFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* dialog = reinterpret_cast<const FileDialog*>(GetWindowLongPtr(GetParent(field), DWLP_USER));
  WNDPROC base = dialog != nullptr ? dialog->nameFieldProcedure : nullptr;
  if (base == nullptr) return DefWindowProc(field, message, wParam, lParam);
  if (message != WM_UNICHAR) return CallWindowProc(base, field, message, wParam, lParam);
  const std::string typed = FileNameCharacter(static_cast<unsigned>(wParam));
  if (typed.empty()) MessageBeep(0);
  else SendMessage(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
  return TRUE;
}

void FillTypes(HWND window, FileDialog* dialog) {
  HWND types = GetDlgItem(window, cmb1);
  for (const Filter& filter : dialog->filters)
    SendMessage(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
  SendMessage(types, CB_SETCURSEL, static_cast<WPARAM>(dialog->filterIndex), 0);
}

INT_PTR OnInitDialog(HWND window, FileDialog* dialog) {
  SetWindowLongPtr(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
  dialog->nameFieldProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(GetDlgItem(window, edt1), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NameFieldProcedure)));
  FillTypes(window, dialog);
  InitialPlace(window, dialog);
  ReadFolder(window, dialog);
  OPENFILENAME* record = dialog->record;
  if ((record->Flags & OFN_ENABLEHOOK) && record->lpfnHook != nullptr) {
    DialogTemplate child;
    child.name = dialog->title + " hook";
    child.style = WS_CHILD | DS_CONTROL;
    dialog->hook = CreateDialogFromTemplate(record->hInstance, child, window, HookAdapter,
                                            reinterpret_cast<LPARAM>(record), false);
  }
  FocusDialogControl(GetDlgItem(window, edt1));
  NotifyHook(window, dialog, CDN_INITDONE);
  return FALSE;
}

INT_PTR FileDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(window, reinterpret_cast<FileDialog*>(lParam));
  auto* dialog = reinterpret_cast<FileDialog*>(GetWindowLongPtr(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message >= CDM_FIRST && message <= CDM_SETDEFEXT) {
    SetWindowLongPtr(window, DWLP_MSGRESULT, OnControlMessage(window, dialog, message, wParam, lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: PressOk(window, dialog); return TRUE;
    case IDCANCEL: EndDialog(window, IDCANCEL); return TRUE;
    case lst1:
      if (HIWORD(wParam) == LBN_SELCHANGE) ChooseEntry(window, dialog, false);
      if (HIWORD(wParam) == LBN_DBLCLK) ChooseEntry(window, dialog, true);
      return TRUE;
    case cmb1:
      if (HIWORD(wParam) == CBN_SELCHANGE) ChangeType(window, dialog);
      return TRUE;
    default: return FALSE;
  }
}

DialogTemplate FileTemplate(const FileDialog& dialog) {
  DialogTemplate form;
  form.name = dialog.title;
  form.caption = dialog.title;
  form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  form.cx = 260;
  form.cy = 157;
  const DWORD edit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
  form.items = {
      {stc4, "STATIC", "Look &in:", 7, 9, 40, 8, SS_LEFT, 0},
      {cmb2, "EDIT", "", 50, 7, 203, 12, WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, 0},
      {lst1, "LISTBOX", "", 7, 24, 246, 90, WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0},
      {stc3, "STATIC", "File &name:", 7, 121, 50, 8, SS_LEFT, 0},
      {edt1, "EDIT", "", 60, 119, 140, 12, edit, 0},
      {stc2, "STATIC", "Files of &type:", 7, 139, 52, 8, SS_LEFT, 0},
      {cmb1, "COMBOBOX", "", 60, 137, 140, 100, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
      {IDOK, "BUTTON", dialog.save ? "&Save" : "&Open", 205, 118, 48, 14, WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
      {IDCANCEL, "BUTTON", "Cancel", 205, 136, 48, 14, WS_TABSTOP | BS_PUSHBUTTON, 0},
  };
  return form;
}

BOOL RunFileDialog(OPENFILENAME* record, bool save) {
  SetCommonDialogError(0);
  if (record == nullptr || record->lStructSize != sizeof(OPENFILENAME)) {
    SetCommonDialogError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  FileDialog dialog;
  dialog.record = record;
  dialog.save = save;
  dialog.title = record->lpstrTitle != nullptr ? record->lpstrTitle : save ? "Save As" : "Open";
  dialog.filters = ParseFilters(record->lpstrFilter);
  int index = static_cast<int>(record->nFilterIndex) - 1;
  dialog.filterIndex = index >= 0 && index < static_cast<int>(dialog.filters.size()) ? index : 0;
  dialog.defaultExtension = record->lpstrDefExt != nullptr ? record->lpstrDefExt : "";
  INT_PTR result = RunCommonDialog(FileTemplate(dialog), record->hwndOwner, FileDialogProcedure,
                                   reinterpret_cast<LPARAM>(&dialog));
  if (result == -1) {
    SetCommonDialogError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  if (dialog.tooSmall) {
    SetCommonDialogError(FNERR_BUFFERTOOSMALL);
    return FALSE;
  }
  return result == IDOK ? TRUE : FALSE;
}

}  // namespace

}  // namespace platform

BOOL GetOpenFileName(OPENFILENAME* record) { return platform::RunFileDialog(record, false); }
BOOL GetSaveFileName(OPENFILENAME* record) { return platform::RunFileDialog(record, true); }
