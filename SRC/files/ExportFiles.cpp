// The exports' shared save dialog, file writing and outcome (see
// ExportFiles.h).
#include "files/ExportFiles.h"


#include <algorithm>
#include <cstdio>

#include "files/ImportLog.h"
#include "model/Model.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/SiblingTemporary.h"
#include "platform/Window.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/TextFileEncoding.h"

namespace {

// The model's path with `extension` for its own: every export is proposed
// beside its model. Empty for an untitled model.
std::string ProposedName(const ExportFileQuestion& question) {
  std::string name = TheModel().path;
  if (name.empty()) return name;
  const std::size_t separator = name.find_last_of("/\\");
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) name.resize(dot);
  return name + "." + question.extension;
}

}  // namespace

UINT_PTR ExportDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
    SendMessage(GetParent(hook), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("&Export"));
  return FileDialogHookProc(hook, message, wParam, lParam);
}

std::string ChooseExportFile(HWND parent, const ExportFileQuestion& question, DWORD* filterIndex) {
  std::vector<char> buffer = FileNameBuffer(ProposedName(question));
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = parent;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = question.filter;
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  record.lpstrTitle = question.title;
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                 OFN_ENABLEHOOK;
  record.lpfnHook = question.hook != nullptr ? question.hook : ExportDialogHook;
  if (!RunFileDialog(record, true)) return {};
  if (filterIndex != nullptr) *filterIndex = record.nFilterIndex;
  return buffer.data();
}

bool ModelMayBeExported(HWND parent) {
  if (TheModel().unmadeReason.empty()) return true;
  ShowErrorMessage(parent, "The model cannot be exported:\n" + TheModel().unmadeReason);
  return false;
}

std::string WriteExportFile(const std::string& path, const std::string& text) {
  // An export killed earlier left its temporary beside the target: gone now.
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, 0644);
  if (!temporary.ok()) return "Unable to open export file:\n" + path;
  const std::string bytes = TextFileFromProgramText(text);
  if (!temporary.Write(bytes) || !temporary.Commit()) return "Unable to write export file:\n" + path;
  return {};
}

void ShowExportOutcome(HWND parent, const std::string& failure, const std::vector<std::string>& leftOut) {
  if (!failure.empty()) {
    ShowErrorMessage(parent, failure);
    return;
  }
  ShowExportLeftOut(parent, leftOut);
}

void ShowExportLeftOut(HWND owner, const std::vector<std::string>& leftOut) {
  ShowImportLog(owner, leftOut, "export");
}

void ShowItemList(HWND owner, const std::string& heading, const std::vector<std::string>& lines) {
  // The heading and "... and N more" take two of the lines a message shows.
  constexpr std::size_t kLinesShown = MAX_LINES - 2;
  if (lines.empty()) return;
  std::string text = heading;
  if (MessagesToStandardError) {
    for (const std::string& line : lines) text += "\n" + line;
    std::fprintf(stderr, "%s: %s\n", ProgramTitle.c_str(), text.c_str());
    std::fflush(stderr);
    return;
  }
  for (std::size_t i = 0; i < lines.size() && i < kLinesShown; ++i) text += "\n" + lines[i];
  if (lines.size() > kLinesShown) text += "\n... and " + std::to_string(lines.size() - kLinesShown) + " more";
  ShowWarningMessage(owner, text);
}
