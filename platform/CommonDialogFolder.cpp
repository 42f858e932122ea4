// SHBrowseForFolder: the caller's title, the sub-folders of the folder
// shown ("[..]" goes up; a double click opens one) and, with BIF_EDITBOX, an
// edit box holding the chosen folder's path, which may also be typed. The
// callback hears BFFM_INITIALIZED once the dialog is ready and may answer
// with BFFM_SETSELECTION (a path) to preselect a folder. OK accepts only an
// existing folder whose path SHGetPathFromIDList can hand over (MAX_PATH),
// and says why it refuses one. The result is an ITEMIDLIST of our own holding the path,
// read with SHGetPathFromIDList and freed with CoTaskMemFree.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/ControlSupport.h"
#include "platform/DialogInternal.h"
#include "platform/FileNames.h"
#include "platform/MessageBox.h"
#include "platform/ResourceTemplates.h"
#include "platform/Window.h"

struct ITEMIDLIST {
  std::string path;
};

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr int kTitle = 0x3742;
constexpr int kList = 0x3741;
constexpr int kEdit = 0x3744;
constexpr char kCaption[] = "Browse For Folder";

struct FolderDialog {
  BROWSEINFO* info = nullptr;
  std::string folder;  // the folder listed
  std::vector<std::string> names;  // its sub-folders, after ".." when there is one
  std::string chosen;
};

struct Allocations {
  std::mutex lock;
  std::map<const void*, std::unique_ptr<ITEMIDLIST>> lists;
};

Allocations& TheAllocations() {
  static Allocations allocations;
  return allocations;
}

std::string Normal(const std::string& path) {
  std::error_code error;
  fs::path normal = fs::weakly_canonical(FileSystemPath(path), error);
  std::string text = error ? path : ProgramNameOf(normal);
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string Child(const std::string& folder, const std::string& name) {
  if (name == "..") return Normal(fs::path(folder).parent_path().string());
  return folder == "/" ? "/" + name : folder + "/" + name;
}

void ShowChoice(HWND window, FolderDialog* dialog, const std::string& path) {
  dialog->chosen = path;
  SetDlgItemText(window, kEdit, path.c_str());
}

void List(HWND window, FolderDialog* dialog, const std::string& folder) {
  dialog->folder = Normal(folder);
  dialog->names.clear();
  std::error_code error;
  for (fs::directory_iterator it(FileSystemPath(dialog->folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    std::string name = ProgramNameOf(it->path().filename());
    if (!name.empty() && name[0] != '.' && it->is_directory(ignored)) dialog->names.push_back(name);
  }
  std::sort(dialog->names.begin(), dialog->names.end());
  if (dialog->folder != "/") dialog->names.insert(dialog->names.begin(), "..");
  HWND list = GetDlgItem(window, kList);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : dialog->names) {
    std::string shown = "[" + name + "]";
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  ShowChoice(window, dialog, dialog->folder);
}

// A folder chosen from outside: list its parent with it selected.
void Select(HWND window, FolderDialog* dialog, const std::string& path) {
  std::string folder = Normal(path);
  if (!IsFolder(folder)) return;
  std::string parent = Normal(fs::path(folder).parent_path().string());
  if (parent == folder) {
    List(window, dialog, folder);
    return;
  }
  List(window, dialog, parent);
  std::string name = fs::path(folder).filename().string();
  auto found = std::find(dialog->names.begin(), dialog->names.end(), name);
  if (found != dialog->names.end())
    SendDlgItemMessage(window, kList, LB_SETCURSEL, static_cast<WPARAM>(found - dialog->names.begin()), 0);
  ShowChoice(window, dialog, folder);
}

void OnList(HWND window, FolderDialog* dialog, WORD code) {
  int index = static_cast<int>(SendDlgItemMessage(window, kList, LB_GETCURSEL, 0, 0));
  if (index < 0 || index >= static_cast<int>(dialog->names.size())) return;
  std::string path = Child(dialog->folder, dialog->names[static_cast<std::size_t>(index)]);
  if (code == LBN_DBLCLK) List(window, dialog, path);
  else if (code == LBN_SELCHANGE) ShowChoice(window, dialog, path);
}

void PressOk(HWND window, FolderDialog* dialog) {
  std::string path = dialog->chosen;
  if (dialog->info->ulFlags & BIF_EDITBOX) {
    path = controls::TextOf(GetDlgItem(window, kEdit));
    if (!path.empty() && path[0] != '/') path = Child(dialog->folder, path);
  }
  if (path.empty() || !IsFolder(path)) {
    MessageBox(window, (path + "\nThe folder does not exist.").c_str(), kCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  path = Normal(path);
  if (path.size() + 1 > static_cast<std::size_t>(MAX_PATH)) {
    const std::string text = path + "\nThe folder's path is too long: at most " + std::to_string(MAX_PATH - 1) +
                             " characters are taken (a character shown as ? counts three).";
    MessageBox(window, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  dialog->chosen = path;
  EndDialog(window, IDOK);
}

INT_PTR FolderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<FolderDialog*>(lParam);
    SetWindowLongPtr(window, DWLP_USER, lParam);
    List(window, dialog, CurrentFolder());
    if ((dialog->info->ulFlags & BIF_EDITBOX) == 0) ShowWindow(GetDlgItem(window, kEdit), SW_HIDE);
    FocusDialogControl(GetDlgItem(window, kList));
    if (dialog->info->lpfn != nullptr) dialog->info->lpfn(window, BFFM_INITIALIZED, 0, dialog->info->lParam);
    return FALSE;
  }
  auto* dialog = reinterpret_cast<FolderDialog*>(GetWindowLongPtr(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message == BFFM_SETSELECTION) {
    if (wParam != 0 && lParam != 0) Select(window, dialog, reinterpret_cast<LPCSTR>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: PressOk(window, dialog); return TRUE;
    case IDCANCEL: EndDialog(window, IDCANCEL); return TRUE;
    case kList: OnList(window, dialog, HIWORD(wParam)); return TRUE;
    default: return FALSE;
  }
}

DialogTemplate FolderTemplate(const BROWSEINFO& info) {
  DialogTemplate form;
  form.name = form.caption = kCaption;
  form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  form.cx = 214;
  form.cy = 176;
  form.items = {
      {kTitle, "STATIC", info.lpszTitle != nullptr ? info.lpszTitle : "", 7, 7, 200, 16, SS_LEFT | SS_NOPREFIX, 0},
      {kList, "LISTBOX", "", 7, 26, 200, 100, WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0},
      {-1, "STATIC", "F&older:", 7, 135, 30, 8, SS_LEFT, 0},
      {kEdit, "EDIT", "", 40, 133, 167, 12, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0},
      {IDOK, "BUTTON", "OK", 103, 155, 50, 14, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0},
      {IDCANCEL, "BUTTON", "Cancel", 157, 155, 50, 14, WS_TABSTOP | BS_PUSHBUTTON, 0},
  };
  return form;
}

}  // namespace

}  // namespace platform

using namespace platform;

PIDLIST_ABSOLUTE SHBrowseForFolder(BROWSEINFO* info) {
  if (info == nullptr) return nullptr;
  FolderDialog dialog;
  dialog.info = info;
  INT_PTR result = RunCommonDialog(FolderTemplate(*info), info->hwndOwner, FolderProcedure,
                                   reinterpret_cast<LPARAM>(&dialog));
  if (result != IDOK) return nullptr;
  if (info->pszDisplayName != nullptr) {
    std::string name = fs::path(dialog.chosen).filename().string();
    if (name.empty()) name = dialog.chosen;
    std::size_t length = std::min<std::size_t>(name.size(), MAX_PATH - 1);
    std::memcpy(info->pszDisplayName, name.c_str(), length);
    info->pszDisplayName[length] = '\0';
  }
  auto list = std::make_unique<ITEMIDLIST>();
  list->path = dialog.chosen;
  ITEMIDLIST* handle = list.get();
  std::lock_guard guard(TheAllocations().lock);
  TheAllocations().lists[handle] = std::move(list);
  return handle;
}

BOOL SHGetPathFromIDList(PCIDLIST_ABSOLUTE folder, LPSTR path) {
  if (folder == nullptr || path == nullptr) return FALSE;
  {
    std::lock_guard guard(TheAllocations().lock);
    if (TheAllocations().lists.count(folder) == 0) return FALSE;
  }
  if (folder->path.size() + 1 > static_cast<std::size_t>(MAX_PATH)) {
    path[0] = '\0';
    return FALSE;  // too long for the caller's buffer: refused, never cut
  }
  std::memcpy(path, folder->path.c_str(), folder->path.size() + 1);
  return TRUE;
}

void CoTaskMemFree(void* memory) {
  std::unique_ptr<ITEMIDLIST> gone;
  std::lock_guard guard(TheAllocations().lock);
  auto found = TheAllocations().lists.find(memory);
  if (found == TheAllocations().lists.end()) return;
  gone = std::move(found->second);
  TheAllocations().lists.erase(found);
}
