// The program's file dialogs; see FileDialogs.h.
#include "services/FileDialogs.h"

#include <algorithm>
#include <cctype>

#include "platform/FileNames.h"
#include "services/Message.h"
#include "services/ProgramContext.h"

std::vector<char> FileNameBuffer(const std::string& proposed) {
  std::vector<char> buffer(std::max(platform::kFileNameBufferSize, proposed.size() + 1), '\0');
  std::copy(proposed.begin(), proposed.end(), buffer.begin());
  return buffer;
}

bool RunFileDialog(OPENFILENAME& record, bool save) {
  if (save ? GetSaveFileName(&record) : GetOpenFileName(&record)) return true;
  const DWORD error = CommDlgExtendedError();
  if (error == FNERR_BUFFERTOOSMALL)
    ShowErrorMessage(record.hwndOwner, "The path chosen is longer than the " + std::to_string(record.nMaxFile - 1) +
                                           " characters this command takes.");
  else if (error != 0)
    ShowErrorMessage(record.hwndOwner, "The file dialog could not be shown.");
  return false;
}

std::string FileDialogSpec(HWND dialog) {
  const auto size = static_cast<std::size_t>(SendMessage(dialog, CDM_GETSPEC, 0, 0));
  std::vector<char> name(std::max<std::size_t>(size, 1), '\0');
  SendMessage(dialog, CDM_GETSPEC, name.size(), reinterpret_cast<LPARAM>(name.data()));
  return name.data();
}

std::string AskFilePath(HWND owner, const FilePathQuestion& question) {
  std::vector<char> buffer = FileNameBuffer(question.name);
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = InstanceHandle;
  record.lpstrFilter = question.filter;
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  record.lpstrInitialDir = question.folder.empty() ? nullptr : question.folder.c_str();
  record.lpstrTitle = question.title;
  record.lpstrDefExt = question.defaultExtension;
  record.lpfnHook = question.hook;
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (question.hook != nullptr) record.Flags |= OFN_ENABLEHOOK;
  if (question.save) record.Flags |= OFN_OVERWRITEPROMPT;
  else if (question.mustExist) record.Flags |= OFN_FILEMUSTEXIST;
  if (!RunFileDialog(record, question.save)) return {};
  return buffer.data();
}

std::string LowerExtension(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::size_t nameOffset = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < nameOffset) return {};
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}
