// Importing a model batch file (see BatchImport.h): the import loop, the
// Import command with its file dialog, and the command-line road.
#include "files/BatchImport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <utility>

#include "editing/ModelWindows.h"
#include "elements/CommentData.h"
#include "files/BatchLayout.h"
#include "files/BatchSections.h"
#include "files/CiiImport.h"
#include "files/FileCommands.h"
#include "files/ImportLog.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "files/NeutralImport.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelLoadCases.h"
#include "model/RowObjects.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/TestSupport.h"
#include "printing/ReportOutput.h"
#include "records/LoadCaseList.h"
#include "records/PipeLoad.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Frame.h"
#include "services/LoadCaseTypes.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/Settings.h"
#include "services/Units.h"

namespace {

constexpr std::size_t kTitleWidth = 48;
constexpr int kNeutralFileFilter = 2;
constexpr int kCaesarFileFilter = 3;
constexpr int kBatchThermalLoads = 3;  // the most a batch or neutral file's LOADS lines give

bool IsBlankLine(const std::string& line) { return line.find_first_not_of(" \t\v\f") == std::string::npos; }

// A UTF-8 byte-order mark is passed over: without that its first header
// would be taken for the title and the lines up to the next header passed
// over with it. A UTF-16 file is refused whole.
void ReadByteOrderMark(std::istream& input) {
  std::streambuf* buffer = input.rdbuf();
  if (buffer == nullptr) return;
  const std::streampos start = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
  if (start == std::streampos(-1)) return;
  unsigned char head[3] = {};
  const std::streamsize read = buffer->sgetn(reinterpret_cast<char*>(head), sizeof head);
  if (read >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
    throw std::string("The file is UTF-16 text.\nSave it as plain text and import it again.");
  if (read == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) return;
  buffer->pubseekpos(start, std::ios::in);
}

bool IsSameFile(const std::string& first, const std::string& second) {
  std::error_code ignored;
  return first == second ||
         std::filesystem::equivalent(platform::FileSystemPath(first), platform::FileSystemPath(second), ignored);
}

// Row 1 becomes the title comment; later lines before the first header are
// passed over.
void SetBatchTitle(BatchReader& reader) {
  Model& model = *reader.model;
  if (!model.title.empty() || IsBlankLine(reader.rawLine)) return;
  model.title = CutBatchText(reader, reader.rawLine, kTitleWidth, "Title");
  model.rowCount = 1;
  LayoutRow& row = model.row(1);
  row.elementType = ElementType::Comment;
  row.element = CreateElementData(ElementType::Comment);
  static_cast<CommentData&>(*row.element).SetText("Title = " + model.title);
}

void ReadDataLine(BatchReader& reader) {
  switch (reader.section) {
    case kBatchTitle: SetBatchTitle(reader); return;
    case kBatchOptions: ParseBatchOptions(reader); return;
    case kBatchMaterial: ParseBatchMaterial(reader); return;
    case kBatchLoads: ParseBatchPipeLoad(reader); return;
    case kBatchBeamMaterials: ParseBatchBeamMaterial(reader); return;
    case kBatchSoils: ParseBatchSoil(reader); return;
    case kBatchPipe: ParseBatchPipeSection(reader); return;
    case kBatchBeamSections: ParseBatchBeamSection(reader); return;
    case kBatchBeamLoads: ParseBatchBeamLoad(reader); return;
    case kBatchJoint: return;
    case kBatchLayout: ParseBatchLayoutLine(reader); return;
    case kBatchSeismic: ParseBatchSeismic(reader); return;
    case kBatchWind: ParseBatchWind(reader); return;
    case kBatchPumps: ParseBatchPump(reader); return;
    case kBatchCompressors: ParseBatchCompressor(reader); return;
    case kBatchTurbines: ParseBatchTurbine(reader); return;
    case kBatchAllow: ParseBatchAllowable(reader); return;
    default: return;
  }
}

UINT_PTR ImportDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
    SendMessage(GetParent(hook), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("&Import"));
  return FileDialogHookProc(hook, message, wParam, lParam);
}

// The open dialog of the Import command; the filter chosen decides the
// reader, whatever the file's extension.
bool ChooseImportFile(HWND owner, std::string& path, int& filter) {
  std::vector<char> buffer = FileNameBuffer();
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.hInstance = InstanceHandle;
  record.lpstrFilter =
      "Model batch file (*.mbf)\0*.mbf\0Flowmir neutral file (*.pnf)\0*.pnf\0"
      "CAESAR II neutral file (*.cii)\0*.cii\0";
  record.nFilterIndex = 1;
  record.lpstrFile = buffer.data();
  record.nMaxFile = static_cast<DWORD>(buffer.size());
  const std::string& folder = ModelDialogFolder().folder;
  record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  record.lpstrTitle = "Import Model from Batch File";
  record.Flags =
      OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
  record.lpfnHook = ImportDialogHook;
  if (!RunFileDialog(record, false)) return false;
  path = buffer.data();
  filter = static_cast<int>(record.nFilterIndex);
  return true;
}

}  // namespace

void FinishImportedModel(Model& model) {
  // As the model reader leaves a model of this code.
  ApplyCodeForcedOptions(model.options);
  BuildImportedLoadCases(model);
  FinishBatchPipeLoads(model);
  model.unitChoices = ProgramUnitChoices();
  model.graphics.viewDirection = {1.0f, 1.0f, 1.0f};
  MakeModel(model);
  FitViewToModel(model.graphics);
  model.modified = false;
}

// The cases a new model of the imported code selects, rebuilt for what the
// model holds; a modal case asked for by the batch run stays. A file names
// no load cases, but the thermal loads it puts in use must be analysed: a
// thermal state that some pipe load holds away from the reference
// temperature gets its expansion and operating cases, as T1 has them, and
// two states on opposite sides of the reference in some load get their
// range (a cold state below installation and a hot one above), which
// exceeds either expansion alone; two states on one side are enveloped by
// the larger. A CAESAR II file puts all ten pairs in use, given or not (70 F
// where it has none): its cases stay those of a new model.
void BuildImportedLoadCases(Model& model) {
  LoadCaseList& cases = model.loadCases;
  const std::uint8_t modal = cases.selected[kCaseIdModal];
  SetNewModelLoadCaseFlags(cases, model.options.PipingCode);
  cases.selected[kCaseIdModal] = modal;
  const int count = model.options.ThermalLoadCount;
  if (model.options.PipingCode != 0 && count <= kBatchThermalLoads) {
    const float reference = model.options.ReferenceTemperature;
    // The side of the reference each load's state k lies on: -1, +1 or 0.
    auto side = [reference](const PipeLoad& load, int k) {
      const float t = load.operating[static_cast<std::size_t>(k - 1)].temperature;
      if (IsNotGiven(t) || t == reference) return 0;
      return t < reference ? -1 : 1;
    };
    for (int index = 1; index <= model.pipeLoads.count; ++index) {
      const PipeLoad& load = model.pipeLoads[index];
      for (int i = 1; i <= count; ++i) {
        if (side(load, i) == 0) continue;
        if (i > 1) {
          cases.selected[static_cast<std::size_t>(SingleThermalCase(i))] = 1;
          cases.selected[static_cast<std::size_t>(OperatingCase(i))] = 1;
        }
        for (int j = i + 1; j <= count; ++j)
          if (side(load, i) * side(load, j) < 0) cases.selected[static_cast<std::size_t>(ThermalRangeCase(i, j))] = 1;
      }
    }
  }
  BuildLoadCases(model);
}

void ReadModelBatchFile(std::istream& input, Model& model, std::vector<std::string>& log) {
  const UnitsSettings userUnits = g_UnitsSettings;
  try {
    InitEmptyModel(model, ProgramAnalysisOptions());
    if (BatchRun && std::getenv("MODAL") != nullptr) model.loadCases.selected[kCaseIdModal] = 1;
    model.options.ZVertical = 0;
    g_UnitsSettings = UnitsSettings{};
    BatchReader reader;
    reader.input = &input;
    reader.model = &model;
    ReadByteOrderMark(input);
    for (;;) {
      if (!reader.lineWaiting) ReadBatchSectionHeader(reader);
      reader.lineWaiting = false;
      if (reader.section == kBatchEnd) break;
      ReadDataLine(reader);
    }
    // An empty file, or any other that is no batch file, would become an
    // empty model written over the model file beside it.
    if (reader.headersRead == 0)
      throw std::string(
          "The file holds no section header (OPTIONS, MATERIAL, PIPE, LOADS, LAYOUT ...):\n"
          "it is not a model batch file.");
    FinishBatchBeamLoads(reader, model);
    FinishImportedModel(model);
    CheckBatchRows(reader);
    LogBatchBranchSifsAgainstCode(reader);
    log.insert(log.end(), reader.log.begin(), reader.log.end());
  } catch (...) {
    g_UnitsSettings = userUnits;
    throw;
  }
}

bool IsBatchFileName(std::string_view name) {
  std::string path;
  for (char c : name)
    if (c != '"') path += c;
  const std::size_t end = path.find_last_not_of(" \t");
  return end != std::string::npos && LowerExtension(path.substr(0, end + 1)) == "mbf";
}

std::string BatchModelPath(const std::string& batchPath) {
  const std::size_t separator = batchPath.find_last_of("/\\");
  const std::size_t dot = batchPath.find_last_of('.');
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return batchPath + ".mod";
  return batchPath.substr(0, dot + 1) + "mod";
}

bool ImportBatchFile(HWND owner, const std::string& path, ImportedFileReader reader) {
  // A folder opens as a stream whose first read fails.
  std::ifstream input;
  if (platform::IsRegularFile(path)) input.open(platform::FileSystemPath(path), std::ios::binary);
  if (!input.is_open()) {
    ShowErrorMessage(owner, "Unable to open import file:\n" + path);
    return false;
  }
  const std::string modelPath = BatchModelPath(path);
  if (IsSameFile(path, modelPath)) {
    ShowErrorMessage(owner, "The model would be written over the file it is imported from:\n" + path +
                                "\nGive the file to import an extension other than .mod.");
    return false;
  }
  const UnitsSettings userUnits = g_UnitsSettings;
  Model imported;
  std::vector<std::string> log;
  try {
    (reader != nullptr ? reader : ReadModelBatchFile)(input, imported, log);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  } catch (const std::bad_alloc&) {
    ShowErrorMessage(owner, "*** Out of memory ***");
    return false;
  } catch (const std::exception&) {
    ShowErrorMessage(owner, "Unable to read import file:\n" + path);
    return false;
  }
  // Whatever the reader let through meets the one check of a model made
  // from a file: the model shown is one every edit's rules, the rule of a
  // stored value and Save all take.
  if (const std::string refusal = ModelIntakeRefusal(imported, IntakeRoad::kImport); !refusal.empty()) {
    g_UnitsSettings = userUnits;
    ShowErrorMessage(owner, refusal);
    return false;
  }
  const bool keepExisting = !BatchRun && platform::FileExists(modelPath) &&
                            !MessageBoxDialog(owner, modelPath + " already exists\nDo you want to overwrite ?", IDNO);
  const std::string failure = keepExisting ? std::string() : WriteModelFileFrom(imported, modelPath);
  if (!failure.empty() && BatchRun) {
    g_UnitsSettings = userUnits;
    ShowErrorMessage(owner, failure);
    return false;
  }
  CloseModel();
  SwapModel(imported);
  ApplyModelUnits(TheModel());
  ProgramAnalysisOptions() = ProgramChoiceOf(TheModel().options, ProgramAnalysisOptions());
  if (keepExisting || !failure.empty()) {
    // Nothing of the import is lost: the model stays open to be saved.
    TheModel().modified = true;
  } else {
    ChooseModelFile(modelPath);
  }
  if (!BatchRun) ShowModelWindows();
  if (!failure.empty()) ShowErrorMessage(owner, failure);
  ShowImportLog(owner, log);
  return true;
}

void ImportModel(HWND owner) {
  if (!ProgramCommands().modelSaveCheck(owner)) return;
  std::string path;
  int filter = 1;
  if (!ChooseImportFile(owner, path, filter)) return;
  if (filter == kNeutralFileFilter) {
    ImportBatchFile(owner, path, ReadPnfFile);
    return;
  }
  if (filter == kCaesarFileFilter) {
    ImportBatchFile(owner, path, ReadCiiFile);
    return;
  }
  ImportBatchFile(owner, path);
}

void RunBatchFileFromCommandLine(HWND mainWindow, const std::string& path) {
  BatchRun = true;
  // Until the run has shown its results (start-up clears it then), a report
  // goes to a CSV file beside the model, without a dialog.
  g_BatchRun = true;
  MessagesToStandardError = !MessagesCanBeAnswered();
  HWND owner = LayoutFrame().window != nullptr ? LayoutFrame().window : mainWindow;
  // A run that cannot end in results ends the program as a failure; no
  // report is printed on the way out.
  if (!ImportBatchFile(mainWindow, path) || !ProgramCommands().analyzeModel(owner, true)) {
    g_BatchRun = false;
    PostQuitMessage(1);
    return;
  }
  BatchRun = false;
  // Without a display there is nothing to show the results on: the results
  // file written by the analysis is the outcome.
  if (MessagesToStandardError) {
    PostQuitMessage(0);
    return;
  }
  // The model the results belong to stands in the Layout window under them;
  // the results open through the entry the Analyze command takes after a
  // run.
  ShowModelWindows();
  ProgramCommands().openResults(false);
}
