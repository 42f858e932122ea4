// Entry, start-up, main loop and shutdown (see Application.h).
#include "application/Application.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "analysis/ProgressWindow.h"
#include "application/LayoutWindow.h"
#include "application/ListFrame.h"
#include "application/MainWindow.h"
#include "application/ProgramCommandsSetup.h"
#include "files/AutoSave.h"
#include "files/BatchImport.h"
#include "files/FileCommands.h"
#include "files/SaveQuestion.h"
#include "graphics/GraphicsThread.h"
#include "graphics/PrintSetup.h"
#include "platform/Controls.h"
#include "platform/FileNames.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resource.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "printing/MessageWindow.h"
#include "printing/ReportOutput.h"
#include "results/ResultsWindow.h"
#include "services/AppFonts.h"
#include "services/AppPens.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/StartupSwitches.h"
#include "services/TableWindow.h"
#include "services/WindowUtilities.h"

namespace {

constexpr std::size_t kPathLimit = 4096;
constexpr int kDefaultBeep = -1;  // any type gives the default beep

void Step(const std::string& name) { ApplicationStepLog().push_back(name); }

void Beep() { MessageBeep(static_cast<UINT>(kDefaultBeep)); }

bool EnvironmentHas(const char* name) { return std::getenv(name) != nullptr; }

// The screen's default font: average character width and row height (the
// character height plus twice its line spacing), for the default rectangles.
void MeasureDefaultFont(int& characterWidth, int& rowHeight) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  characterWidth = metrics.tmAveCharWidth;
  rowHeight = metrics.tmHeight + 2 * (metrics.tmHeight / 12 + 2);
}

RECT CentredRect(int width, int height) {
  const int left = (Screen.workWidth - width) / 2;
  const int top = (Screen.workHeight - height) / 2;
  return RECT{left, top, left + width, top + height};
}

// The name of a fault, or null when the signal and code name none.
const char* FaultName(int signalNumber, int code) {
  if (signalNumber == SIGSEGV || signalNumber == SIGBUS) return "Access violation";
  if (signalNumber != SIGFPE) return nullptr;
  switch (code) {
    case FPE_INTDIV: return "Integer divide by zero";
    case FPE_INTOVF: return "Integer overflow";
    case FPE_FLTDIV: return "Float divide by zero";
    case FPE_FLTOVF: return "Float overflow";
    case FPE_FLTINV: return "Invalid float operation";
    default: return nullptr;
  }
}

// Eight hexadecimal digits of the value's low 32 bits, upper or lower case.
void EightHexDigits(std::uintptr_t value, bool upper, char* out /* output of size 8 */) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  for (int i = 7; i >= 0; --i, value >>= 4) out[i] = digits[value & 0xF];
}

// The whole fault text into a fixed buffer, without allocating: a fault may
// have struck inside the allocator.
std::size_t FormatFault(int signalNumber, int code, std::uintptr_t address, char* out, std::size_t size) {
  std::size_t used = 0;
  auto put = [&](const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length && used + 1 < size; ++i) out[used++] = text[i];
  };
  if (const char* name = FaultName(signalNumber, code)) {
    put(name, std::strlen(name));
  } else {
    char number[8];
    EightHexDigits(static_cast<std::uintptr_t>(signalNumber), true, number);
    put(number, sizeof number);
  }
  static const char kLocation[] = "\nat location  0x";
  put(kLocation, sizeof kLocation - 1);
  char location[8];
  EightHexDigits(address, false, location);
  put(location, sizeof location);
  out[used] = '\0';
  return used;
}

// Reports the fault on the standard error stream and ends the process; only
// async-signal-safe calls.
void FaultHandler(int signalNumber, siginfo_t* info, void*) {
  static const char kCaption[] = "Quorvel: Error\n";
  char text[96];
  const std::size_t length =
      FormatFault(signalNumber, info->si_code, reinterpret_cast<std::uintptr_t>(info->si_addr), text, sizeof text - 1);
  text[length] = '\n';
  ssize_t written = write(STDERR_FILENO, kCaption, sizeof kCaption - 1);
  written = write(STDERR_FILENO, text, length + 1);
  (void)written;
  _exit(1);
}

// A failure while the message itself is shown must not come back here.
void OutOfMemoryHandler() {
  std::set_new_handler(nullptr);
  static const char kText[] = "*** Out of memory ***\n";
  ssize_t written = write(STDERR_FILENO, kText, sizeof kText - 1);
  (void)written;
  try {
    if (!MessagesToStandardError) MessageBox(nullptr, "*** Out of memory ***", "Quorvel", MB_OK | MB_ICONERROR);
  } catch (...) {
  }
  _exit(1);
}

// Whether the command line names a file: blanks and quotes alone name none.
bool NamesAFile(const std::string& commandLine) {
  return commandLine.find_first_not_of(" \t\"") != std::string::npos;
}

// With no display, nobody can answer a message box: messages go to the
// standard error stream and one ends the run with exit code 1, so that a
// run started from a script never waits for ever. A batch run ends by its
// own rule.
void AnswerMessagesOnlyWithADisplay() {
  MessagesToStandardError = !MessagesCanBeAnswered();
  UnansweredMessageEndsRun = MessagesToStandardError && !StartupIsBatchFile;
}

// A run with no display to show its windows on, that nobody asked to run
// without one (QUORVEL_DISPLAY=headless, as the tests do), could only wait
// for ever: what it would show is said on the standard error stream
// instead, and the run ends as a failure. A batch file's run ends by
// itself.
std::string NoDisplayMessage(const std::string& commandLine) {
  if (!NoDisplayAtAll() || IsBatchFileName(commandLine)) return {};
  const std::string path = StartupFilePath(commandLine);
  return "Quorvel: no display to show " + (path.empty() ? std::string("the program") : path) +
         " on: DISPLAY is not set.\nRun it on an X display, or give it a model batch file (.mbf), whose "
         "run ends by itself.";
}

void AskSaveBeforeEnd() {
  // The program ends after an error: the next start offers the automatic
  // save, whatever is answered here.
  KeepAutomaticSaveAtExit();
  // Nobody could answer the question: the automatic save is the answer.
  if (!MessagesToStandardError && ModelHasUnsavedChanges()) QuerySaveModelChanges(nullptr);
}

// From here on the model is saved at the interval; a start after a crash
// offers the crashed program's automatic save. True when a model was opened
// from it.
bool StartAutomaticSaveAndOfferRecovery() {
  StartAutomaticSave();
  // A batch run, or a run nobody can answer, asks nothing: the save waits
  // for the next interactive start. A command-line batch run that ended
  // well has already cleared BatchRun, and its results are open: the start-up
  // file says what the run is.
  if (BatchRun || StartupIsBatchFile || MessagesToStandardError) return false;
  return OfferAutomaticSaveRecovery(MainFrame().window);
}

}  // namespace

std::vector<std::string>& ApplicationStepLog() {
  static std::vector<std::string> log;
  return log;
}

std::string FaultText(int signalNumber, int code, std::uintptr_t address) {
  char text[96];
  FormatFault(signalNumber, code, address, text, sizeof text);
  return text;
}

void InstallFaultHandlers() {
  struct sigaction action {};
  action.sa_sigaction = FaultHandler;
  action.sa_flags = SA_SIGINFO | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : {SIGSEGV, SIGBUS, SIGFPE}) sigaction(signalNumber, &action, nullptr);
  std::set_new_handler(OutOfMemoryHandler);
}

std::string FirstRunMarkerPath() {
  return (std::filesystem::path(RegistryFilePath()).parent_path() / "Quorvel.ini").string();
}

void SetHelpFilePath() {
  char path[kPathLimit + 1] = {};
  const ssize_t length = readlink("/proc/self/exe", path, kPathLimit);
  std::string program =
      length > 0 ? platform::FromFileSystemName(std::string_view(path, static_cast<std::size_t>(length))) : std::string();
  const std::size_t separator = program.find_last_of('/');
  ProgramFolder = separator == std::string::npos ? std::string("./") : program.substr(0, separator + 1);
  HelpFilePath = ProgramFolder + "Quorvel.hlp";
}

void ReadEnvironmentSwitches() {
  ManualMode = EnvironmentHas("QVMANUAL");
  if (ManualMode) Beep();
  BrochureMode = EnvironmentHas("QVBROCHURE");
  if (BrochureMode) Beep();
  UntitledMode = EnvironmentHas("QVUNTITLED");
  if (UntitledMode) Beep();
  VerificationMode = EnvironmentHas("QVVERIFY") ? 502 : 0;
  if (VerificationMode != 0) {
    Beep();
    ProgramTitle = "Quorvel";
  }
  BourdonSwitch = true;
  if (EnvironmentHas("BOURDONP")) {
    Beep();
    BourdonSwitch = false;
  }
  ReadNumberTextSwitches();
}

void SetStartupFileName(const std::string& commandLine) {
  // Kept whole: a path cut short would name another file.
  StartupFileName = commandLine;
  StartupFileNameLower = StartupFileName;
  for (char& c : StartupFileNameLower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // Known by its extension: "mbf" anywhere else in a path (a folder
  // plant.mbf.old, a model line.mbf.mod) names no batch file.
  StartupIsBatchFile = IsBatchFileName(StartupFileName);
}

void ReadScreenMetrics() {
  HDC dc = GetDC(nullptr);
  Screen.bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  const RECT area = WorkArea();
  Screen.workWidth = area.right - area.left;
  Screen.workHeight = area.bottom - area.top;
  Screen.vScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  Screen.hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
}

void LoadAcceleratorTables() {
  MainAccelerators = LoadAccelerators(InstanceHandle, "MAIN_ACCEL");
  LayoutAccelerators = LoadAccelerators(InstanceHandle, "LAYOUT_ACCEL");
  ListAccelerators = LoadAccelerators(InstanceHandle, "LIST_ACCEL");
  GraphicsAccelerators = LoadAccelerators(InstanceHandle, "GRAPHICS_ACCEL");
  ResultsAccelerators = LoadAccelerators(InstanceHandle, "RESULTS_ACCEL");
}

void LoadCursors() {
  IBeamCursor = LoadCursor(nullptr, IDC_IBEAM);
  CrossCursor = LoadCursor(nullptr, IDC_CROSS);
  WaitCursor = LoadCursor(nullptr, IDC_WAIT);
  HandCursor = LoadCursor(InstanceHandle, "HAND_CURSOR");
  // The layer has no cursors of its own from images; its hand is the same
  // pointing hand.
  if (HandCursor == nullptr) HandCursor = LoadCursor(nullptr, IDC_HAND);
}

void LoadIcons() {
  ProgramIcon = LoadIcon(InstanceHandle, MAKEINTRESOURCE(7001));
  InformationIcon = LoadIcon(nullptr, IDI_INFORMATION);
  QuestionIcon = LoadIcon(nullptr, IDI_QUESTION);
  WarningIcon = LoadIcon(nullptr, IDI_WARNING);
  ErrorIcon = LoadIcon(nullptr, IDI_ERROR);
  LogoBitmap = LoadBitmap(InstanceHandle, MAKEINTRESOURCE(1803));
}

void SetDefaultWindowRects(int cw, int ch) {
  const int W = Screen.workWidth;
  const int H = Screen.workHeight;
  const WindowDecoration decoration = WindowDecorationAllowance();
  const int mainLeft = (W - 500) / 2, mainTop = (H - 407) / 2;
  FrameSetDefaultPlacement(MainFrame(), mainLeft, mainTop, mainLeft + 500, mainTop + 407);
  // The Layout and List windows share the top; the Graphics and Results
  // windows start below the Layout's frame, so that the title bar the
  // window manager puts above each window is never under another window.
  const int layoutBottom = std::min(H / 2, 15 * ch);
  const int lowerTop = layoutBottom + decoration.height;
  const int lowerBottom = std::max(H - decoration.height, lowerTop + 1);
  const int graphicsHeight = 8 * H / 10;
  const int graphicsWidth = 11 * graphicsHeight / 10;
  FrameSetDefaultPlacement(GraphicsFrame(), 0, lowerTop, graphicsWidth, lowerBottom);
  FrameSetDefaultPlacement(LayoutFrame(), 0, 0, 68 * cw, layoutBottom);
  int listLeft = 68 * cw + decoration.width;
  const int listWidth = std::max(W - listLeft - decoration.width, 72 * cw);
  if (listLeft + listWidth + decoration.width > W) listLeft = std::max(W - listWidth - decoration.width, 0);
  FrameSetDefaultPlacement(ListFrame(), listLeft, 0, listLeft + listWidth, layoutBottom);
  int resultsLeft = graphicsWidth + decoration.width;
  if (resultsLeft + 75 * cw + decoration.width > W) resultsLeft = std::max(W - 75 * cw - decoration.width, 0);
  FrameSetDefaultPlacement(ResultsFrame(), resultsLeft, lowerTop, W - decoration.width, lowerBottom);
  LibraryWindowRect = CentredRect(80 * cw, 15 * ch);
  ToolWindowRect = CentredRect(50 * cw, 15 * ch);
}

void RegisterWindowClasses() {
  Step("start: main window");
  RegisterMainWindow();
  Step("start: table window class");
  RegisterTableWindowClass();
  Step("start: message window class");
  RegisterPrintingWindowClass();
  Step("start: Layout window");
  RegisterLayoutWindow();
  Step("start: graphics thread");
  StartGraphicsThread();
  Step("start: List window");
  RegisterListWindow();
  Step("start: Results window class");
  RegisterResultsWindowClass();
  Step("start: progress window class");
  RegisterProgressWindowClass();
}

void DestroyAcceleratorTables() {
  for (HACCEL* table : {&GraphicsAccelerators, &ResultsAccelerators, &ListAccelerators, &LayoutAccelerators,
                        &MainAccelerators}) {
    if (*table != nullptr) DestroyAcceleratorTable(*table);
    *table = nullptr;
  }
  ActiveAccelerators = nullptr;
}

void InitApplication(const std::string& commandLine) {
  ApplicationStepLog().clear();
  InstallProgramCommands();
  Step("start: GUI thread");
  GuiThreadId = GetCurrentThreadId();
  InitCommonControls();
  Step("start: help file path");
  SetHelpFilePath();
  Step("start: environment switches");
  ReadEnvironmentSwitches();
  Step("start: start-up file name");
  SetStartupFileName(commandLine);
  AnswerMessagesOnlyWithADisplay();
  Step("start: screen metrics");
  ReadScreenMetrics();
  Step("start: accelerator tables");
  LoadAcceleratorTables();
  Step("start: cursors and icons");
  LoadCursors();
  LoadIcons();
  Step("start: small and underlined fonts");
  CreateFonts();
  int characterWidth = 0, rowHeight = 0;
  MeasureDefaultFont(characterWidth, rowHeight);
  Step("start: printer settings");
  InitPrinters();
  Step("start: default window rectangles");
  SetDefaultWindowRects(characterWidth, rowHeight);
  Step("start: program settings");
  LoadProgramSettings();
  Step("start: pens and brushes");
  CreateBrushesAndPens(Screen.bitsPerPixel);
  Step("start: text and graphics fonts");
  CreateTextAndGraphicsFonts();
  RegisterWindowClasses();
  Step("start: graphics frame layout");
  FrameResendSize(GraphicsFrame());
  Step("start: start-up file");
  if (!StartupFileName.empty() && StartupIsBatchFile) {
    ImportBatchFileFromCommandLine(MainFrame().window, StartupFileName);
    // The batch run is over once its results are shown (or its end is on
    // the way): whatever the user does from here asks what it asks in any
    // session, and a report goes where the user chooses.
    g_BatchRun = false;
  } else {
    OpenStartupFile(MainFrame().window, StartupFileName);
  }
  Step("start: first-run check");
  // The recovery question comes first and alone: the sample, posted before
  // it, would open while the question waits and hide it. The sample only
  // stands in for a file the user did not name and a model not recovered.
  const bool recovered = StartAutomaticSaveAndOfferRecovery();
  if (!recovered && !NamesAFile(StartupFileName) && !platform::FileExists(FirstRunMarkerPath()))
    PostMessage(MainFrame().window, kFirstRunMessage, 0, 0);
}

void ExitApplication() {
  EndAutomaticSave();
  Step("exit: program settings");
  SaveProgramSettings();
  Step("exit: printer settings");
  FreePrinters();
  Step("exit: fonts");
  DeleteFonts();
  Step("exit: pens and brushes");
  DeleteBrushesAndPens();
  Step("exit: accelerator tables");
  DestroyAcceleratorTables();
  Step("exit: help file path");
  HelpFilePath.clear();
  Step("exit: first-run marker");
  const std::string marker = FirstRunMarkerPath();
  std::error_code ignored;
  std::filesystem::create_directories(platform::FileSystemPath(std::filesystem::path(marker).parent_path().string()),
                                      ignored);
  std::ofstream(platform::FileSystemPath(marker), std::ios::trunc);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    // Before the loop waits, what the handled messages changed in the
    // settings reaches the store: a crash later loses no choice made.
    if (!PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE)) SaveProgramSettings();
    if (GetMessage(&message, nullptr, 0, 0) <= 0) break;
    if (ActiveAccelerators != nullptr && TranslateAccelerator(ActiveWindow, ActiveAccelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return static_cast<int>(message.wParam);
}

void ReportUncaughtMessage(const std::string& text) {
  ShowMessageBox(nullptr, text, "Quorvel: Error", MB_OK | MB_ICONERROR);
  AskSaveBeforeEnd();
}

void ReportUncaughtException(const std::exception& error) {
  ShowMessageBox(nullptr, error.what(), "Quorvel", MB_OK | MB_ICONERROR);
  AskSaveBeforeEnd();
}

void ReportUnknownException() {
  ShowMessageBox(nullptr, "Unhandled exception", "Quorvel", MB_OK | MB_ICONERROR);
  AskSaveBeforeEnd();
}

int WinMain(HINSTANCE instance, HINSTANCE, const char* commandLine, int) {
  InstanceHandle = instance;
  if (const std::string refusal = NoDisplayMessage(commandLine != nullptr ? commandLine : ""); !refusal.empty()) {
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return 1;
  }
  InstallFaultHandlers();
  int exitCode = 0;
  try {
    InitApplication(commandLine != nullptr ? commandLine : "");
    exitCode = RunMessageLoop();
  } catch (const std::string& text) {
    ReportUncaughtMessage(text);
    exitCode = 1;
  } catch (const std::exception& error) {
    ReportUncaughtException(error);
    exitCode = 1;
  } catch (...) {
    ReportUnknownException();
    exitCode = 1;
  }
  // The graphics thread ends with its window, which the main window's close
  // told to go; after an error it is told here.
  Step("exit: graphics thread");
  EndGraphicsThread();
  ExitApplication();
  return exitCode;
}
