// The program's file dialogs; see FileDialogs.h.
#include "services/FileDialogs.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "services/ProgramContext.h"

namespace {

constexpr std::size_t kPathBuffer = 1024;

}  // namespace

std::string AskFilePath(HWND owner, const FilePathQuestion& question) {
  std::vector<char> buffer(kPathBuffer, '\0');
  std::copy_n(question.name.begin(), std::min(question.name.size(), buffer.size() - 1), buffer.begin());
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
  if (!(question.save ? GetSaveFileName(&record) : GetOpenFileName(&record))) return {};
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
