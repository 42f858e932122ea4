// Printer contexts and print jobs (see Printer.h): the printers on offer,
// the context's device from the device mode, and the job that turns each
// recorded page into a page of a PDF file, handed to `lp` for a CUPS
// printer.
#include <cairo-pdf.h>
#include <cairo.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/FileNames.h"
#include "platform/GdiText.h"
#include "platform/MetafileInternal.h"
#include "platform/Printer.h"
#include "platform/SiblingTemporary.h"
#include "platform/Windows1252.h"

namespace platform {

namespace {

thread_local std::string t_lastError;

std::mutex& PrinterLock() {
  static std::mutex* lock = new std::mutex;  // lives as long as the process
  return *lock;
}

bool HasCommand(const char* name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    // The environment's bytes, as the disk has them.
    std::string diskFolder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!diskFolder.empty() && access((diskFolder + "/" + name).c_str(), X_OK) == 0) return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

// `lpstat -e` lists one destination a line.
std::vector<PrinterInfo> AskCups() {
  std::vector<PrinterInfo> found;
  if (!HasCommand("lpstat")) return found;
  FILE* pipe = popen("lpstat -e 2>/dev/null", "r");
  if (pipe == nullptr) return found;
  char line[256];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string name = line;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' ')) name.pop_back();
    if (!name.empty() && name != kPdfPrinter && name.size() < CCHDEVICENAME) found.push_back({name, kCupsDriver});
  }
  pclose(pipe);
  return found;
}

std::vector<PrinterInfo>*& CachedPrinters() {
  static std::vector<PrinterInfo>* cached = nullptr;
  return cached;
}

// Runs a program with its arguments (no shell); true when it exits with 0.
bool Run(const std::vector<std::string>& arguments) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::vector<PrinterInfo> Printers() {
  std::lock_guard guard(PrinterLock());
  if (CachedPrinters() == nullptr) {
    auto* list = new std::vector<PrinterInfo>{{kPdfPrinter, kPdfDriver}};  // kept for the process
    for (PrinterInfo& printer : AskCups()) list->push_back(std::move(printer));
    CachedPrinters() = list;
  }
  return *CachedPrinters();
}

void RefreshPrinters() {
  std::lock_guard guard(PrinterLock());
  delete CachedPrinters();
  CachedPrinters() = nullptr;
}

std::string DefaultPdfOutput() {
  const std::string home = FolderFromEnvironment("HOME");
  return (home.empty() ? std::string(".") : home) + "/Quorvel.pdf";
}

const std::vector<PaperSize>& PaperSizes() {
  static const std::vector<PaperSize> sizes{
      {DMPAPER_LETTER, "Letter", 8.5, 11.0},
      {DMPAPER_LEGAL, "Legal", 8.5, 14.0},
      {DMPAPER_A4, "A4", 210.0 / 25.4, 297.0 / 25.4},
      {DMPAPER_A3, "A3", 297.0 / 25.4, 420.0 / 25.4},
  };
  return sizes;
}

const PaperSize& PaperOf(short id) {
  for (const PaperSize& paper : PaperSizes())
    if (paper.id == id) return paper;
  return PaperSizes().front();
}

std::string LastPrintError() { return t_lastError; }

}  // namespace platform

using namespace platform;

namespace gdi {

namespace {

struct PrinterJob {
  std::string driver;
  std::string device;
  std::string output;  // from the device names
  std::string target;  // the file the job ends in (PDF printer) or the spool file (CUPS)
  std::string partial;
  std::unique_ptr<SiblingTemporary> temporary;  // holds `partial` for a PDF printer
  std::string title;
  cairo_surface_t* surface = nullptr;
  bool inPage = false;
  int pages = 0;
};

std::map<HDC, std::unique_ptr<PrinterJob>>& Jobs() {
  static auto* jobs = new std::map<HDC, std::unique_ptr<PrinterJob>>;  // lives as long as the process
  return *jobs;
}

std::mutex& JobLock() {
  static std::mutex* lock = new std::mutex;  // lives as long as the process
  return *lock;
}

PrinterJob* JobOf(HDC dc) {
  std::lock_guard guard(JobLock());
  auto found = Jobs().find(dc);
  return found != Jobs().end() ? found->second.get() : nullptr;
}

void CloseSurface(PrinterJob& job) {
  if (job.surface == nullptr) return;
  auto textLock = gdi::LockCairoText();  // finishing embeds the glyphs of the fonts used
  cairo_surface_finish(job.surface);
  cairo_surface_destroy(job.surface);
  job.surface = nullptr;
}

void Abort(PrinterJob& job) {
  CloseSurface(job);
  if (job.temporary != nullptr) job.temporary.reset();
  else if (!job.partial.empty()) RemoveFile(job.partial);
  job.partial.clear();
  job.inPage = false;
}

// A page starts with the context's objects and modes selected again, so that
// each page can be drawn on its own.
void BeginPageRecord(HDC dc) {
  Recording& page = *dc->recording;
  page.words.clear();
  page.records = 0;
  page.nextHandle = 1;
  const DcState& state = dc->state;
  RecordSelect(*dc, state.pen.get());
  RecordSelect(*dc, state.brush.get());
  RecordSelect(*dc, state.font.get());
  RecordValues(*dc, EMR_SETTEXTCOLOR, {static_cast<std::int32_t>(state.textColour)});
  RecordValues(*dc, EMR_SETBKCOLOR, {static_cast<std::int32_t>(state.bkColour)});
  RecordValues(*dc, EMR_SETBKMODE, {state.bkMode});
  RecordValues(*dc, EMR_SETTEXTALIGN, {static_cast<std::int32_t>(state.textAlign)});
  RecordValues(*dc, EMR_SETVIEWPORTORGEX, {state.viewportOrg.x, state.viewportOrg.y});
  RecordValues(*dc, EMR_SETWINDOWORGEX, {state.windowOrg.x, state.windowOrg.y});
  if (state.hasClip) RecordRects(*dc, state.clip, false);
}

}  // namespace

void ForgetPrinterJob(HDC dc) {
  std::unique_ptr<PrinterJob> job;
  {
    std::lock_guard guard(JobLock());
    auto found = Jobs().find(dc);
    if (found == Jobs().end()) return;
    job = std::move(found->second);
    Jobs().erase(found);
  }
  Abort(*job);
}

}  // namespace gdi

using namespace gdi;

HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* mode) {
  if (device == nullptr) return nullptr;
  std::string name = device;
  std::string driverName = driver != nullptr ? driver : "";
  bool known = false;
  // Printers are known by their device name; the driver text of stored
  // device names (another system's) does not decide.
  for (const PrinterInfo& printer : Printers())
    if (printer.name == name) {
      known = true;
      driverName = printer.driver;
    }
  if (!known) return nullptr;
  auto traits = std::make_shared<DeviceTraits>();
  traits->technology = DT_RASPRINTER;
  int resolution = 600;
  if (mode != nullptr && mode->dmPrintQuality >= 72 && mode->dmPrintQuality <= 2400) resolution = mode->dmPrintQuality;
  traits->pixelsPerInchX = traits->pixelsPerInchY = resolution;
  const PaperSize& paper = PaperOf(mode != nullptr ? mode->dmPaperSize : DMPAPER_LETTER);
  bool landscape = mode != nullptr && mode->dmOrientation == DMORIENT_LANDSCAPE;
  double width = landscape ? paper.height : paper.width;
  double height = landscape ? paper.width : paper.height;
  traits->physicalWidth = static_cast<int>(std::lround(width * resolution));
  traits->physicalHeight = static_cast<int>(std::lround(height * resolution));
  // A PDF page has no unprintable border; a paper printer keeps about 1/6 inch.
  int border = driverName == kCupsDriver ? resolution / 6 : 0;
  traits->offsetX = traits->offsetY = border;
  traits->printableWidth = traits->physicalWidth - 2 * border;
  traits->printableHeight = traits->physicalHeight - 2 * border;
  auto recording = std::make_shared<Recording>();
  recording->reference = *traits;
  HDC dc = MakeRecordingDc(std::move(recording), std::move(traits));
  auto job = std::make_unique<PrinterJob>();
  job->driver = driverName;
  job->device = name;
  job->output = output != nullptr ? output : "";
  std::lock_guard guard(JobLock());
  Jobs()[dc] = std::move(job);
  return dc;
}

int StartDoc(HDC dc, const DOCINFO* info) {
  t_lastError.clear();
  PrinterJob* job = JobOf(ValidDc(dc));
  if (job == nullptr || job->surface != nullptr) return SP_ERROR;
  job->title = info != nullptr && info->lpszDocName != nullptr ? info->lpszDocName : "Quorvel";
  if (job->driver == kCupsDriver) {
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = temporary != nullptr && *temporary != '\0' ? temporary : "/tmp";
    std::string diskPattern = folder + "/quorvel-print-XXXXXX";
    int file = mkstemp(diskPattern.data());
    if (file < 0) {
      t_lastError = "cannot create a spool file in " + FromFileSystemName(folder);
      return SP_ERROR;
    }
    close(file);
    job->target = FromFileSystemName(diskPattern);
    job->partial = job->target;
  } else {
    std::string output = info != nullptr && info->lpszOutput != nullptr ? info->lpszOutput : job->output;
    if (output.empty() || output == "FILE:") output = DefaultPdfOutput();
    job->target = output;
    // A job killed earlier left its temporary beside the target: gone now.
    RemoveStaleTemporaries(output);
    job->temporary = std::make_unique<SiblingTemporary>(output, 0644);
    if (!job->temporary->ok()) {
      t_lastError = "cannot write " + job->target;
      job->temporary.reset();
      return SP_ERROR;
    }
    job->partial = job->temporary->path();
  }
  const DeviceTraits& device = *dc->device;
  double widthPoints = device.physicalWidth * 72.0 / device.pixelsPerInchX;
  double heightPoints = device.physicalHeight * 72.0 / device.pixelsPerInchY;
  job->surface = cairo_pdf_surface_create(ToFileSystemName(job->partial).c_str(), widthPoints, heightPoints);
  if (cairo_surface_status(job->surface) != CAIRO_STATUS_SUCCESS) {
    t_lastError = "cannot write " + job->target;
    cairo_surface_destroy(job->surface);
    job->surface = nullptr;
    Abort(*job);
    return SP_ERROR;
  }
  cairo_pdf_surface_set_metadata(job->surface, CAIRO_PDF_METADATA_TITLE, Utf8From1252(job->title).c_str());
  cairo_pdf_surface_set_metadata(job->surface, CAIRO_PDF_METADATA_CREATOR, "Quorvel");
  job->pages = 0;
  return 1;
}

int StartPage(HDC dc) {
  PrinterJob* job = JobOf(ValidDc(dc));
  if (job == nullptr || job->surface == nullptr || job->inPage) return SP_ERROR;
  job->inPage = true;
  BeginPageRecord(dc);
  return 1;
}

int EndPage(HDC dc) {
  PrinterJob* job = JobOf(ValidDc(dc));
  if (job == nullptr || job->surface == nullptr || !job->inPage) return SP_ERROR;
  cairo_t* cr = cairo_create(job->surface);
  RenderPage(*dc->recording, *dc->device, cr);
  {
    auto textLock = gdi::LockCairoText();
    cairo_show_page(cr);
    cairo_destroy(cr);
  }
  job->inPage = false;
  ++job->pages;
  dc->recording->words.clear();
  dc->recording->records = 0;
  return cairo_surface_status(job->surface) == CAIRO_STATUS_SUCCESS ? 1 : SP_ERROR;
}

int EndDoc(HDC dc) {
  t_lastError.clear();
  PrinterJob* job = JobOf(ValidDc(dc));
  if (job == nullptr || job->surface == nullptr) return SP_ERROR;
  if (job->inPage) EndPage(dc);
  auto textLock = gdi::LockCairoText();  // finishing embeds the glyphs of the fonts used
  cairo_surface_finish(job->surface);
  bool written = cairo_surface_status(job->surface) == CAIRO_STATUS_SUCCESS && job->pages > 0;
  cairo_surface_destroy(job->surface);
  textLock.unlock();
  job->surface = nullptr;
  if (!written) {
    t_lastError = job->pages == 0 ? "the job has no pages" : "cannot write " + job->target;
    Abort(*job);
    return SP_ERROR;
  }
  if (job->driver == kCupsDriver) {
    bool handed = Run({"lp", "-d", job->device, "-t", Utf8From1252(job->title), ToFileSystemName(job->partial)});
    RemoveFile(job->partial);
    job->partial.clear();
    if (!handed) {
      t_lastError = "lp refused the job for " + job->device;
      return SP_ERROR;
    }
    return 1;
  }
  if (!job->temporary->Commit()) {
    t_lastError = "cannot write " + job->target;
    Abort(*job);
    return SP_ERROR;
  }
  job->temporary.reset();
  job->partial.clear();
  return 1;
}

int AbortDoc(HDC dc) {
  PrinterJob* job = JobOf(ValidDc(dc));
  if (job == nullptr) return SP_ERROR;
  Abort(*job);
  return 1;
}
