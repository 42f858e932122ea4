// Automatic save and the recovery after a crash (see AutoSave.h).
#include "files/AutoSave.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editing/ModelWindows.h"
#include "files/BackupCopy.h"
#include "files/FileCommands.h"
#include "files/ImportLog.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "model/Model.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "properties/MaterialLibrary.h"
#include "services/BinaryFile.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/TempFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr char kMagic[16] = "QUORVELAUTOSAVE";
constexpr unsigned kMillisecondsPerMinute = 60u * 1000u;
// While a modal window is open the save waits this long and tries again.
constexpr unsigned kRetryMilliseconds = 15u * 1000u;
constexpr std::size_t kTemporaryTail = 7;  // ".XXXXXX"

struct AutoSaveState {
  UINT_PTR timer = 0;
  unsigned interval = 0;  // the timer's period now
  std::string written;    // the file this program wrote last, or empty
  bool keepAtExit = false;
  bool failureShown = false;
};

AutoSaveState& State() {
  static AutoSaveState state;
  return state;
}

// The 22nd field of /proc/<pid>/stat, the process's start time; empty when
// the process does not exist.
std::string ProcessStart(const std::string& pid) {
  std::ifstream stat(platform::FileSystemPath("/proc/" + pid + "/stat"));
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The command name in brackets may hold blanks: count from its end.
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return {};
  std::size_t position = close + 1;
  std::string field;
  for (int index = 3; index <= 22; ++index) {
    const std::size_t start = text.find_first_not_of(' ', position);
    if (start == std::string::npos) return {};
    const std::size_t end = text.find(' ', start);
    field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    position = end == std::string::npos ? text.size() : end;
  }
  return field;
}

// Whether the program that wrote a file of this instance tag still runs.
bool InstanceRuns(const std::string& instance) {
  const std::size_t dash = instance.find('-');
  if (dash == std::string::npos || dash == 0) return false;
  const std::string pid = instance.substr(0, dash);
  if (pid.find_first_not_of("0123456789") != std::string::npos) return false;
  if (platform::FileExists("/proc/self/stat")) return ProcessStart(pid) == instance.substr(dash + 1);
  const long number = std::strtol(pid.c_str(), nullptr, 10);
  return number > 0 && (kill(static_cast<pid_t>(number), 0) == 0 || errno == EPERM);
}

// The model name in the file name: the model file's name without ".mod".
std::string ModelStem(const std::string& path) {
  if (path.empty()) return "Untitled";
  const std::size_t separator = path.find_last_of("/\\");
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? "Untitled" : name;
}

// The instance tag of an automatic-save file name (with or without the
// temporary tail), or empty when the name is not one of ours.
std::string InstanceOfName(std::string name) {
  const std::size_t extension = name.rfind(kAutoSaveExtension);
  if (extension == std::string::npos) return {};
  const std::size_t tail = name.size() - extension - std::strlen(kAutoSaveExtension);
  if (tail != 0 && tail != kTemporaryTail) return {};
  name.erase(extension);
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool IsTemporaryName(const std::string& name) {
  const std::size_t extension = name.rfind(kAutoSaveExtension);
  return extension != std::string::npos &&
         extension + std::strlen(kAutoSaveExtension) + kTemporaryTail == name.size();
}

bool WriteFile(const std::string& target, const Model& model) {
  return WriteThroughTemporary(target, [&model](const std::string& temporary) {
    BinaryFile file;
    if (!BinaryFileOpenWrite(file, temporary)) return false;
    BinaryFileWriteBytes(file, kMagic, sizeof kMagic);
    BinaryFileWriteText(file, model.path);
    WriteModelStream(file, model);
    return BinaryFileClose(file) && !BinaryFileHasError(file);
  });
}

// A command may be half done while a modal window is up: its owner frame is
// disabled, or one of the program's message dialogs is open.
bool ModalWindowOpen() {
  if (MessageDialogOpen()) return true;
  for (Frame* frame : {&MainFrame(), &LayoutFrame(), &ListFrame(), &ResultsFrame()})
    if (frame->window != nullptr && IsWindow(frame->window) && !IsWindowEnabled(frame->window)) return true;
  return false;
}

void StopTimer() {
  AutoSaveState& state = State();
  if (state.timer != 0) KillTimer(nullptr, state.timer);
  state.timer = 0;
  state.interval = 0;
}

void OnAutoSaveTimer(HWND, UINT, UINT_PTR, DWORD);

void RunTimerAt(unsigned milliseconds) {
  AutoSaveState& state = State();
  if (state.timer != 0 && state.interval == milliseconds) return;
  StopTimer();
  state.timer = SetTimer(nullptr, 0, milliseconds, OnAutoSaveTimer);
  state.interval = state.timer != 0 ? milliseconds : 0;
}

unsigned PreferredInterval() {
  const Preferences& p = ProgramPreferences();
  if (p.automaticSave == 0 || p.saveInterval <= 0) return 0;
  return static_cast<unsigned>(p.saveInterval) * kMillisecondsPerMinute;
}

void OnAutoSaveTimer(HWND, UINT, UINT_PTR, DWORD) {
  const unsigned interval = PreferredInterval();
  if (interval == 0) {
    StopTimer();
    return;
  }
  if (ModalWindowOpen()) {
    RunTimerAt(kRetryMilliseconds);
    return;
  }
  RunTimerAt(interval);
  AutomaticSaveNow();
}

// Reads the header of a file of ours; false when it is not one.
bool ReadHeader(BinaryFile& file, std::string& modelPath) {
  char magic[sizeof kMagic] = {};
  BinaryFileReadBytes(file, magic, sizeof magic);
  if (BinaryFileReadFailed(file) || std::memcmp(magic, kMagic, sizeof magic) != 0) return false;
  BinaryFileReadText(file, modelPath);
  return !BinaryFileReadFailed(file);
}

bool ReadLeft(const std::string& file, LeftAutomaticSave& left) {
  BinaryFile stream;
  if (!BinaryFileOpenRead(stream, file) || !ReadHeader(stream, left.modelPath)) return false;
  left.file = file;
  struct stat status {};
  if (stat(platform::ToFileSystemName(left.file).c_str(), &status) != 0) return false;
  left.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec);
  left.modifiedNanoseconds = left.modified * 1000000000 + static_cast<std::int64_t>(status.st_mtim.tv_nsec);
  return true;
}

void ScanFolder(const std::string& folder, std::vector<LeftAutomaticSave>& found) {
  std::error_code error;
  for (fs::directory_iterator it(platform::FileSystemPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    const std::string path = platform::ProgramNameOf(it->path());
    const std::string name = platform::ProgramNameOf(it->path().filename());
    const std::string instance = InstanceOfName(name);
    if (instance.empty() || instance == AutomaticSaveInstance() || InstanceRuns(instance)) continue;
    if (IsTemporaryName(name)) {
      platform::RemoveFile(path);
      continue;
    }
    LeftAutomaticSave left;
    if (ReadLeft(path, left)) found.push_back(left);
  }
}

// The model part of the file into a temporary model file, which the model
// reader reads as any other: the notes of what it mended go to `notes`, and
// a number out of range to the intake, which refuses it as Open does.
void ReadModelPart(const std::string& file, Model& model, std::vector<std::string>& notes) {
  const std::string damaged = "Unable to read the automatic save:\n" + file;
  BinaryFile stream;
  std::string modelPath;
  if (!BinaryFileOpenRead(stream, file) || !ReadHeader(stream, modelPath)) throw damaged;
  const std::int64_t start = BinaryFileTell(stream);
  BinaryFileClose(stream);
  TempFile copy("QvRecover_");
  std::ifstream in(platform::FileSystemPath(file), std::ios::binary);
  std::ofstream out(platform::FileSystemPath(copy.Path()), std::ios::binary | std::ios::trunc);
  in.seekg(start);
  out << in.rdbuf();
  out.close();
  if (!copy.IsValid() || !in || !out) throw damaged;
  std::string fault;
  if (!CatchModelRead(copy.Path(), [&] { ReadModelFileInto(copy.Path(), model, &notes, fault); }).empty())
    throw damaged;
  // The model recovered is one Open would show: one Save takes.
  if (const std::string refusal = ModelIntakeRefusal(model, IntakeRoad::kModelFile, fault); !refusal.empty())
    throw "Automatic save: " + file + "\n" + refusal;
}

std::string TimeText(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&time, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace

void StartAutomaticSave() { RestartAutomaticSave(); }

void RestartAutomaticSave() {
  const unsigned interval = PreferredInterval();
  if (interval == 0)
    StopTimer();
  else
    RunTimerAt(interval);
}

const std::string& AutomaticSaveInstance() {
  // Made again in a child process, which is another program instance.
  static pid_t madeIn = 0;
  static std::string instance;
  if (madeIn != getpid()) {
    madeIn = getpid();
    const std::string start = ProcessStart("self");
    instance = std::to_string(madeIn) + "-" + (start.empty() ? "0" : start);
  }
  return instance;
}

std::string AutomaticSavePath() {
  return BackupFolder() + ModelStem(TheModel().path) + "." + AutomaticSaveInstance() + kAutoSaveExtension;
}

bool AutomaticSaveNow() {
  AutoSaveState& state = State();
  // The material library window keeps its materials in the model's table;
  // they are no model to recover.
  if (!TheModel().modified || MaterialLibraryWindowOpen()) {
    RemoveAutomaticSave();
    return false;
  }
  // A model that could not be read back is not written: the last good
  // automatic save stays.
  if (!ModelFileRefusal(TheModel()).empty()) return false;
  const std::string target = AutomaticSavePath();
  if (!WriteFile(target, TheModel())) {
    // Said once, not at every interval; the next good write says nothing.
    if (!state.failureShown) ShowWarningMessage(ActiveWindow, "Unable to write the automatic save:\n" + target);
    state.failureShown = true;
    return false;
  }
  state.failureShown = false;
  if (!state.written.empty() && state.written != target) platform::RemoveFile(state.written);
  state.written = target;
  return true;
}

void RemoveAutomaticSave() {
  AutoSaveState& state = State();
  if (state.written.empty()) return;
  platform::RemoveFile(state.written);
  state.written.clear();
}

void KeepAutomaticSaveAtExit() { State().keepAtExit = true; }

void EndAutomaticSave() {
  StopTimer();
  AutoSaveState& state = State();
  if (!state.keepAtExit) RemoveAutomaticSave();
  state.written.clear();
  state.keepAtExit = false;
}

std::vector<LeftAutomaticSave> FindLeftAutomaticSaves() {
  std::vector<LeftAutomaticSave> found;
  ScanFolder(BackupFolder(), found);
  if (BackupFolder() != DefaultBackupFolder()) ScanFolder(DefaultBackupFolder(), found);
  std::stable_sort(found.begin(), found.end(),
                   [](const LeftAutomaticSave& a, const LeftAutomaticSave& b) {
                     return a.modifiedNanoseconds > b.modifiedNanoseconds;
                   });
  return found;
}

bool OpenLeftAutomaticSave(HWND owner, const LeftAutomaticSave& left) {
  Model fresh;
  std::vector<std::string> notes;
  try {
    ReadModelPart(left.file, fresh, notes);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  CloseModel();
  SwapModel(fresh);
  ApplyModelUnits(TheModel());
  ProgramAnalysisOptions() = ProgramChoiceOf(TheModel().options, ProgramAnalysisOptions());
  if (left.modelPath.empty())
    TheModel().path.clear();
  else
    ChooseModelFile(left.modelPath);
  TheModel().modified = true;
  ShowModelWindows();
  ShowImportLog(owner, notes, "automatic save");
  // The file is this program's automatic save from now on.
  const std::string adopted = AutomaticSavePath();
  State().written = platform::RenameFile(left.file, adopted) ? adopted : left.file;
  return true;
}

bool OfferAutomaticSaveRecovery(HWND owner) {
  const std::vector<LeftAutomaticSave> left = FindLeftAutomaticSaves();
  if (left.empty()) return false;
  const LeftAutomaticSave& newest = left.front();
  const std::string name = newest.modelPath.empty() ? std::string("Untitled") : newest.modelPath;
  const std::string question = ProgramTitle + " was not closed normally.\nThe automatic save of  " + name +
                               "\nfrom " + TimeText(newest.modified) +
                               " was kept.\nDo you want to open it ?\n(No deletes the automatic save.)";
  if (MessageBoxDialog(owner, question, IDYES)) return OpenLeftAutomaticSave(owner, newest);
  platform::RemoveFile(newest.file);
  return false;
}
