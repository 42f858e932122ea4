// The file road's files (see ReportOutput.h): opening the report file with
// the "Print to File" dialog (or, in a batch run, a CSV file of its own
// beside the model), writing pages out in UTF-8, ending the report with its
// notice, the comma-separated export dialog, the report title and the table
// of contents collected in a temporary work file.
//
// Nothing is reported as written that was not: a file that cannot be opened
// or whose writing fails is named in an error message, and the notice
// "txt written." / "csv written." comes only after a good close.
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Windows1252.h"
#include "printing/ReportOutput.h"
#include "printing/ReportOutputInternal.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/ReportMode.h"
#include "services/Settings.h"
#include "services/TempFiles.h"
#include "services/WindowUtilities.h"

std::string g_OutputFileName;
bool g_BatchRun = false;
std::string g_CsvExportDefaultName;
std::FILE* g_CsvExportFile = nullptr;
bool g_CollectContents = false;

namespace {

constexpr std::size_t kTitleLength = 51;

struct ReportFile {
  std::FILE* stream = nullptr;
  std::string path;
  bool failed = false;
};

ReportFile& TheReportFile() {
  static ReportFile file;
  return file;
}

struct ContentsFile {
  std::FILE* stream = nullptr;
  std::string path;
  // Titles set since the last text was placed: a section that finds no
  // room at the foot of the page begins on the next, and is listed there.
  std::vector<std::string> waiting;
};

ContentsFile& Contents() {
  static ContentsFile file;
  return file;
}

// The model whose path was last seen: opening another model makes its path
// the one the dialog proposes.
std::string& LastModelPath() {
  static std::string path;
  return path;
}

std::string& PrintExtension() {
  static std::string extension;
  extension = ProgramPreferences().printFileExt;
  return extension;
}

void SetPrintExtension(const std::string& extension) {
  char* stored = ProgramPreferences().printFileExt;
  std::memset(stored, 0, sizeof ProgramPreferences().printFileExt);
  std::strncpy(stored, extension.c_str(), sizeof ProgramPreferences().printFileExt - 1);
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  std::size_t slash = path.find_last_of("/\\");
  std::size_t dot = path.find_last_of('.');
  std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
  return base + "." + extension;
}

void CloseContents() {
  ContentsFile& contents = Contents();
  if (contents.stream != nullptr) std::fclose(contents.stream);
  if (!contents.path.empty()) DeleteTempFile(contents.path);
  contents = ContentsFile{};
}

bool OpenReportFile(HWND owner, const std::string& path) {
  ReportFile& file = TheReportFile();
  file.stream = platform::OpenFile(path, "wb");
  if (file.stream == nullptr) {
    ShowErrorMessage(owner, "Unable to open print file:\n" + path);
    return false;
  }
  file.path = path;
  file.failed = false;
  return true;
}

void StartReport() {
  PrepareReportTitle();
  g_ReportPage = 0;
  ReportPageHeader();
}

UINT_PTR CsvExportHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    SendMessage(GetParent(dialog), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("OK"));
    CenterWindowOnParent(GetParent(dialog), IDOK);
  }
  return 0;
}

OPENFILENAME SaveRecord(HWND owner, std::vector<char>& name, const char* filter, const char* title, const char* extension) {
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.lpstrFilter = filter;
  record.lpstrFile = name.data();
  record.nMaxFile = static_cast<DWORD>(name.size());
  record.lpstrTitle = title;
  record.lpstrDefExt = extension;
  record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK;
  return record;
}

}  // namespace

void WriteReportPage(bool last) {
  ReportFile& file = TheReportFile();
  if (file.stream == nullptr) return;
  std::vector<std::string> lines = ReportPageLines();
  // The end of a comma-separated report keeps no trailing empty rows.
  if (last && g_ReportToFile)
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
  const char* end = g_ReportToFile ? "\r\n" : "\n";
  std::string text;
  for (const std::string& line : lines) text += platform::Utf8From1252(line) + end;
  if (!g_ReportToFile) text += '\f';
  if (std::fwrite(text.data(), 1, text.size(), file.stream) != text.size()) file.failed = true;
}

namespace {

// Empty while the reports are the model's.
std::optional<std::string>& ReportDocumentPath() {
  static std::optional<std::string> path;
  return path;
}

}  // namespace

void SetReportDocumentPath(const std::string& path) { ReportDocumentPath() = path; }
void ClearReportDocumentPath() { ReportDocumentPath().reset(); }

void PrepareReportTitle() {
  const std::string& path = ReportDocumentPath() ? *ReportDocumentPath() : TheModel().path;
  std::string title = "Untitled";
  if (!path.empty()) {
    std::size_t slash = path.find_last_of("/\\");
    title = slash == std::string::npos ? path : path.substr(slash + 1);
    if (title.size() > 4) title.resize(title.size() - 4);
  }
  if (title.size() > kTitleLength) title.resize(kTitleLength);
  g_ReportTitle = title;
  g_ReportDate = FormatTodayDate();
}

std::string BatchReportFileName(const std::string& modelPath) {
  std::string base = modelPath.empty() ? "Untitled" : WithExtension(modelPath, "x");
  if (!modelPath.empty()) base.resize(base.size() - 2);
  std::string candidate = base + "_report.csv";
  for (int number = 2; platform::FileExists(candidate); ++number)
    candidate = base + "_report-" + std::to_string(number) + ".csv";
  return candidate;
}

bool ReportOpenFile(HWND owner, const std::string& path) {
  g_ReportToFile = LowerExtension(path) == "csv";
  if (!OpenReportFile(owner, path)) return false;
  StartReport();
  g_ReportFileOpen = true;
  return true;
}

bool ReportPrintToFile(HWND owner) {
  std::string path;
  if (g_BatchRun) {
    SetPrintExtension("csv");
    path = BatchReportFileName(TheModel().path);
  } else {
    if (!PrintToFileDialog(owner)) return false;
    path = g_OutputFileName;
  }
  return ReportOpenFile(owner, path);
}

UINT_PTR PrintToFileHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notice = reinterpret_cast<const OFNOTIFY*>(lParam);
  HWND file = GetParent(dialog);
  if (notice->hdr.code == CDN_INITDONE) {
    SendMessage(file, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("&Print"));
    CenterWindowOnParent(file, IDOK);
  } else if (notice->hdr.code == CDN_TYPECHANGE) {
    const std::string name = FileDialogSpec(file);
    if (!name.empty()) {
      std::string changed = WithExtension(name, notice->lpOFN->nFilterIndex == 2 ? "csv" : "txt");
      SendMessage(file, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(changed.c_str()));
    }
  }
  return 0;
}

bool PrintToFileDialog(HWND owner) {
  // The last document opened, under the report's extension, so that a
  // quick OK never offers to overwrite the model itself.
  if (TheModel().path != LastModelPath()) {
    LastModelPath() = TheModel().path;
    if (!LastModelPath().empty()) g_OutputFileName = LastModelPath();
  }
  std::string extension = PrintExtension() == "csv" ? "csv" : "txt";
  std::vector<char> name = FileNameBuffer(g_OutputFileName.empty() ? "" : WithExtension(g_OutputFileName, extension));
  static const char kFilter[] = "Text file (*.txt)\0*.txt\0Comma Separated Values file (*.csv)\0*.csv\0";
  OPENFILENAME record = SaveRecord(owner, name, kFilter, "Print to File", extension.c_str());
  record.nFilterIndex = extension == "csv" ? 2 : 1;
  record.lpfnHook = PrintToFileHook;
  if (!RunFileDialog(record, true)) return false;
  g_OutputFileName = name.data();
  std::string chosen = LowerExtension(g_OutputFileName);
  if (!chosen.empty()) SetPrintExtension(chosen.substr(0, 3));
  g_ReportToFile = chosen == "csv";
  return true;
}

bool ReportCloseFile() {
  ReportTrimPage();
  WriteReportPage(true);
  ReportFile& file = TheReportFile();
  bool written = file.stream != nullptr && !file.failed;
  if (file.stream != nullptr && std::fclose(file.stream) != 0) written = false;
  file.stream = nullptr;
  g_ReportFileOpen = false;
  CloseContents();
  if (g_ReportToFile) {
    g_ReportLine = 1;
    g_ReportToFile = false;
  }
  return written;
}

bool ReportWrittenMessage(HWND owner) {
  const bool csv = g_ReportToFile;
  if (!ReportCloseFile()) {
    ShowErrorMessage(owner, "Unable to write print file:\n" + TheReportFile().path);
    return false;
  }
  if (!(csv && g_BatchRun)) ShowNotice(owner, csv ? "csv written." : "txt written.");
  return true;
}

void ReportAbandonFile() {
  ReportFile& file = TheReportFile();
  if (file.stream != nullptr) {
    std::fclose(file.stream);
    platform::RemoveFile(file.path);
  }
  file.stream = nullptr;
  g_ReportFileOpen = false;
  g_ReportToFile = false;
  g_ReportLine = 1;
  CloseContents();
}

bool ExportCsvDialog(HWND owner) {
  std::vector<char> name = FileNameBuffer(g_CsvExportDefaultName);
  static const char kFilter[] = "Comma Separated Values file (*.csv)\0*.csv\0";
  OPENFILENAME record = SaveRecord(owner, name, kFilter, "Export to Comma Separated Values file", "csv");
  record.lpfnHook = CsvExportHook;
  if (!RunFileDialog(record, true)) return false;
  g_CsvExportFile = platform::OpenFile(name.data(), "wb");
  if (g_CsvExportFile == nullptr) {
    ShowErrorMessage(owner, std::string("Unable to open csv file:\n") + name.data());
    return false;
  }
  return true;
}

void OpenContentsFile() {
  CloseContents();
  ContentsFile& contents = Contents();
  contents.path = CreateTempFile("quorvel-contents-");
  if (contents.path.empty()) return;
  contents.stream = platform::OpenFile(contents.path, "w+b");
}

void ReportSetTitle(const std::string& title) {
  ContentsFile& contents = Contents();
  if (!g_CollectContents || contents.stream == nullptr) return;
  contents.waiting.push_back(title);
}

void ReportPlaceContentsTitles() {
  ContentsFile& contents = Contents();
  if (contents.waiting.empty()) return;
  std::vector<std::string> titles = std::move(contents.waiting);
  contents.waiting.clear();
  // The unnumbered front pages (cover, revision record) are not listed.
  if (contents.stream == nullptr || g_ReportPageNumberOff || g_ReportPage <= g_ReportUnnumberedPages) return;
  for (const std::string& title : titles)
    std::fprintf(contents.stream, "%s: Page %d\n", title.c_str(), ReportShownPageNumber());
}

void ReportTableOfContents() {
  ContentsFile& contents = Contents();
  if (contents.stream == nullptr) return;
  ReportPlaceContentsTitles();
  g_RomanPageNumbers = true;
  std::rewind(contents.stream);
  g_ContentsFirstPage = g_ReportPage;
  ReportNewPage();
  char line[96];
  while (std::fgets(line, sizeof line, contents.stream) != nullptr) {
    std::string entry = line;
    // Only a real line end is dropped; a long entry keeps its last character.
    if (!entry.empty() && entry.back() == '\n') entry.pop_back();
    else while (std::fgets(line, sizeof line, contents.stream) != nullptr && std::strchr(line, '\n') == nullptr) {}
    if (g_ReportLine == kReportBodyLine) {
      ReportPutCentred("Table of Contents", 6, 78);
      ReportNewLine();
      ReportRule();
    }
    ReportPutText(entry, 6);
    ReportNewLine();
  }
  ReportRule();
  CloseContents();
  g_RomanPageNumbers = false;
}
