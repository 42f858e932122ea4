// The printer objects (see PrinterSettings.h): defaults, the registry
// subkeys, the printer, page-setup and font dialogs, the printer context,
// the printable area and the print job.
#include "printing/PrinterSettings.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "model/Model.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/Registry.h"
#include "printing/TextPrinter.h"
#include "services/DialogHook.h"
#include "services/Message.h"
#include "services/Settings.h"
#include "services/WindowUtilities.h"

namespace {

constexpr std::size_t kDevModeSize = sizeof(DEVMODE);
constexpr std::size_t kLongestDevNames = 256;
// The output of device names that name no file: the printer's own default.
constexpr char kNoOutputFile[] = "FILE:";

using PageRecorder = void (*)(HDC dc, float width, float height);

PageRecorder& GraphicsPageRecorder() {
  static PageRecorder recorder = nullptr;
  return recorder;
}

// The graphics printer: its defaults and registry subkey are kept here; the
// pictures it prints come with the graphics printing.
class GraphicsPrinterSettings : public PrinterSettings {
 public:
  void Record(HDC dc, float width, float height) override {
    if (GraphicsPageRecorder() != nullptr) GraphicsPageRecorder()(dc, width, height);
  }
  // The page is one picture, played whole; the Print dialog asks no range.
  void SetupPrintRange(PRINTDLG& record) override { record.Flags |= PD_NOPAGENUMS; }
  void DrawPage(HDC dc, const RECT& rect) override {
    if (document != nullptr) PlayEnhMetaFile(dc, document, &rect);
  }
  const char* RegistryKeyName() const override { return "Graphics Printer"; }
  void InitDefaults() override {
    SetCommonDefaults(RECT{500, 750, 500, 500}, true);
    RECT area = WorkArea();
    previewPlacement.rcNormalPosition = RECT{0, 0, area.right - area.left, area.bottom - area.top};
  }
};

void Note(const PrinterSettings& printer, const char* value) {
  std::fprintf(stderr, "Quorvel: the stored \"%s\" of \"%s\" is damaged; the default is kept.\n", value,
               printer.RegistryKeyName());
}

HGLOBAL BlockWith(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GHND, size);
  if (void* target = GlobalLock(block)) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);
  }
  return block;
}

// Device names whose three offsets point inside the record at terminated
// texts, with a device name.
bool DevNamesValid(const unsigned char* bytes, std::size_t size) {
  if (size <= sizeof(DEVNAMES)) return false;
  DEVNAMES names{};
  std::memcpy(&names, bytes, sizeof names);
  for (WORD offset : {names.wDriverOffset, names.wDeviceOffset, names.wOutputOffset})
    if (offset < sizeof(DEVNAMES) || offset >= size || std::memchr(bytes + offset, '\0', size - offset) == nullptr)
      return false;
  return bytes[names.wDeviceOffset] != '\0';
}

bool ValueStored(HKEY key, const char* name) {
  DWORD size = 0;
  return RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

// The bytes of a block into a buffer of `capacity` bytes; the count copied,
// 0 for a missing, unlockable or larger block.
std::size_t CopyBlockBytes(HGLOBAL block, unsigned char* buffer /* output of size capacity */, std::size_t capacity) {
  if (block == nullptr) return 0;
  const std::size_t size = GlobalSize(block);
  const void* bytes = GlobalLock(block);
  if (bytes == nullptr) return 0;
  const std::size_t copied = size <= capacity ? size : 0;
  if (copied != 0) std::memcpy(buffer, bytes, copied);
  GlobalUnlock(block);
  return copied;
}

std::string DevNamesText(HGLOBAL block, int which) {
  if (block == nullptr) return {};
  std::size_t size = GlobalSize(block);
  auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
  std::string text;
  if (bytes != nullptr && DevNamesValid(bytes, size)) {
    DEVNAMES names{};
    std::memcpy(&names, bytes, sizeof names);
    WORD offset = which == 0 ? names.wDriverOffset : which == 1 ? names.wDeviceOffset : names.wOutputOffset;
    text = reinterpret_cast<const char*>(bytes + offset);
  }
  if (bytes != nullptr) GlobalUnlock(block);
  return text;
}

// Device names with another output, the driver and device kept; null when
// `block` holds no valid device names, or, unless `unstored`, when the
// block would not fit the stored settings.
HGLOBAL DevNamesWithOutput(HGLOBAL block, const std::string& output, bool unstored = false) {
  const std::string driver = DevNamesText(block, 0), device = DevNamesText(block, 1);
  if (device.empty()) return nullptr;
  const std::size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + output.size() + 3;
  if (size > (unstored ? std::size_t{0xFFFF} : kLongestDevNames)) return nullptr;
  DEVNAMES names{};
  names.wDriverOffset = sizeof(DEVNAMES);
  names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + driver.size() + 1);
  names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + device.size() + 1);
  if (auto* bytes = static_cast<const unsigned char*>(GlobalLock(block))) {
    names.wDefault = reinterpret_cast<const DEVNAMES*>(bytes)->wDefault;
    GlobalUnlock(block);
  }
  std::string record(size, '\0');
  std::memcpy(record.data(), &names, sizeof names);
  std::memcpy(record.data() + names.wDriverOffset, driver.c_str(), driver.size() + 1);
  std::memcpy(record.data() + names.wDeviceOffset, device.c_str(), device.size() + 1);
  std::memcpy(record.data() + names.wOutputOffset, output.c_str(), output.size() + 1);
  return BlockWith(record.data(), size);
}

// Replaces a device names block with a copy that has another output; the
// block stays as it was when no copy can be made.
void SetRecordOutput(HGLOBAL& names, const std::string& output, bool unstored = false) {
  if (HGLOBAL changed = DevNamesWithOutput(names, output, unstored)) {
    GlobalFree(names);
    names = changed;
  }
}

// Frees a DC when the print job ends, however it ends.
struct DcOwner {
  HDC dc = nullptr;
  ~DcOwner() {
    if (dc != nullptr) DeleteDC(dc);
  }
};

std::string PrintFailure() {
  std::string reason = platform::LastPrintError();
  return reason.empty() ? std::string("Unable to print") : "Unable to print:\n" + reason;
}

void FreeRecordBlocks(PRINTDLG& record) {
  if (record.hDevMode != nullptr) GlobalFree(record.hDevMode);
  if (record.hDevNames != nullptr) GlobalFree(record.hDevNames);
  record.hDevMode = record.hDevNames = nullptr;
}

// A print dialog record on copies of the printer's blocks. When a block
// cannot be copied the defaults are set again and copied once more; failing
// that, `failure` is thrown and nothing is left allocated.
PRINTDLG DialogRecord(PrinterSettings& printer, HWND owner, DWORD flags, const char* failure) {
  PRINTDLG record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.Flags = flags;
  record.nCopies = 1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    record.hDevMode = CopyGlobalBlock(printer.pageSetup.hDevMode);
    record.hDevNames = CopyGlobalBlock(printer.pageSetup.hDevNames);
    if (record.hDevMode != nullptr && record.hDevNames != nullptr) return record;
    FreeRecordBlocks(record);
    if (attempt == 0) printer.InitDefaults();
  }
  throw std::string(failure);
}

}  // namespace

std::string PdfFileForModel(const std::string& modelPath) {
  if (modelPath.empty()) return {};
  const std::size_t folderEnd = modelPath.find_last_of("/\\");
  const std::size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
  const std::size_t dot = modelPath.find_last_of('.');
  const std::size_t nameEnd = dot != std::string::npos && dot > nameStart ? dot : modelPath.size();
  if (nameEnd == nameStart) return {};
  return modelPath.substr(0, nameEnd) + ".pdf";
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
  if (block == nullptr) return nullptr;
  const void* bytes = GlobalLock(block);
  if (bytes == nullptr) return nullptr;
  HGLOBAL copy = BlockWith(bytes, GlobalSize(block));
  GlobalUnlock(block);
  return copy;
}

PrinterSettings::PrinterSettings() = default;

PrinterSettings::~PrinterSettings() {
  DeleteDocument();
  FreeBlocks();
}

void PrinterSettings::FreeBlocks() {
  if (pageSetup.hDevMode != nullptr) GlobalFree(pageSetup.hDevMode);
  if (pageSetup.hDevNames != nullptr) GlobalFree(pageSetup.hDevNames);
  pageSetup.hDevMode = pageSetup.hDevNames = nullptr;
}

void PrinterSettings::DeleteDocument() {
  if (document != nullptr) DeleteEnhMetaFile(document);
  document = nullptr;
}

void PrinterSettings::SetCommonDefaults(const RECT& margins, bool landscape) {
  previewPlacement = WINDOWPLACEMENT{};
  previewPlacement.length = sizeof previewPlacement;
  previewPlacement.showCmd = SW_SHOW;
  LOGFONT gui{};
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  font = gui;
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, "Arial", LF_FACESIZE - 1);
  font.lfWidth = 0;
  fontSize = 100;
  FreeBlocks();
  pageSetup = PAGESETUPDLG{};
  pageSetup.lStructSize = sizeof pageSetup;
  pageSetup.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES | PSD_ENABLEPAGESETUPHOOK;
  pageSetup.lpfnPageSetupHook = CenteringDialogHookProc;
  pageSetup.rtMargin = margins;
  PRINTDLG record{};
  record.lStructSize = sizeof record;
  record.Flags = PD_RETURNDEFAULT;
  record.hDevMode = GlobalAlloc(GHND, kDevModeSize);
  record.hDevNames = GlobalAlloc(GHND, sizeof(DEVNAMES));
  if (!PrintDlg(&record)) {
    if (!landscape) MessageBox(nullptr, "Unable to get default printer", "Quorvel", MB_ICONHAND);
  }
  pageSetup.hDevMode = record.hDevMode;
  pageSetup.hDevNames = record.hDevNames;
  if (landscape) {
    if (auto* mode = static_cast<DEVMODE*>(GlobalLock(pageSetup.hDevMode))) {
      mode->dmFields |= DM_ORIENTATION;
      mode->dmOrientation = DMORIENT_LANDSCAPE;
      GlobalUnlock(pageSetup.hDevMode);
    }
  }
}

// --- registry ---------------------------------------------------------------------------

void PrinterSettings::Load(HKEY parentKey) {
  HKEY key = RegOpenKeyChecked(parentKey, RegistryKeyName());
  if (key == nullptr) return;
  std::unique_ptr<HKEY__, LONG (*)(HKEY)> closer(key, RegCloseKey);
  unsigned char mode[kLongestDevNames] = {};
  unsigned char names[kLongestDevNames] = {};
  const bool modeStored = ValueStored(key, "DevMode"), namesStored = ValueStored(key, "DevNames");
  if (!modeStored && !namesStored) return;
  std::size_t modeSize = RegQueryValueChecked(key, "DevMode", mode, sizeof mode);
  std::size_t namesSize = RegQueryValueChecked(key, "DevNames", names, sizeof names);
  // Earlier runs stored only the one of the two blocks that had changed
  // from the defaults: the other is the default block, which this object
  // holds now.
  if (!modeStored) modeSize = CopyBlockBytes(pageSetup.hDevMode, mode, kDevModeSize);
  if (!namesStored) namesSize = CopyBlockBytes(pageSetup.hDevNames, names, sizeof names);
  if (modeSize != kDevModeSize) {
    Note(*this, "DevMode");
    return;
  }
  if (namesSize == 0 || !DevNamesValid(names, namesSize)) {
    Note(*this, "DevNames");
    return;
  }
  RECT margins{};
  std::size_t size = RegQueryValueChecked(key, "Margins", &margins, sizeof margins);
  bool marginsGood = size == sizeof margins && margins.left >= 0 && margins.top >= 0 && margins.right >= 0 &&
                     margins.bottom >= 0 && margins.left + margins.right < 16000 && margins.top + margins.bottom < 16000;
  if (marginsGood) pageSetup.rtMargin = margins;
  else if (size != 0) Note(*this, "Margins");
  LOGFONT storedFont{};
  size = RegQueryValueChecked(key, "Font", &storedFont, sizeof storedFont);
  if (size == sizeof storedFont && std::memchr(storedFont.lfFaceName, '\0', LF_FACESIZE) != nullptr) font = storedFont;
  else if (size != 0) Note(*this, "Font");
  std::int32_t storedSize = 0;
  size = RegQueryValueChecked(key, "Font size", &storedSize, sizeof storedSize);
  if (size == sizeof storedSize && storedSize >= 40 && storedSize <= 720) fontSize = storedSize;
  else if (size != 0) Note(*this, "Font size");
  WINDOWPLACEMENT placement{};
  size = RegQueryValueChecked(key, "Position", &placement, sizeof placement);
  if (size == sizeof placement) {
    placement.rcNormalPosition = ClampRectToScreen(placement.rcNormalPosition);
    placement.ptMaxPosition = POINT{0, 0};
    previewPlacement = placement;
  } else if (size != 0) {
    Note(*this, "Position");
  }
  HGLOBAL newMode = BlockWith(mode, modeSize);
  HGLOBAL newNames = BlockWith(names, namesSize);
  if (newMode == nullptr || newNames == nullptr) {
    if (newMode != nullptr) GlobalFree(newMode);
    if (newNames != nullptr) GlobalFree(newNames);
    InitDefaults();
    return;
  }
  FreeBlocks();
  pageSetup.hDevMode = newMode;
  pageSetup.hDevNames = newNames;
}

void PrinterSettings::Save(HKEY parentKey) const {
  HKEY key = RegCreateKeyChecked(parentKey, RegistryKeyName());
  if (key == nullptr) return;
  // The loader takes the blocks as a pair and the subkey as one record.
  RegStoreKeyWhole(key);
  for (auto [name, block] : {std::pair{"DevMode", pageSetup.hDevMode}, std::pair{"DevNames", pageSetup.hDevNames}}) {
    if (block == nullptr) continue;
    const void* bytes = GlobalLock(block);
    if (bytes == nullptr) continue;
    std::size_t size = std::strcmp(name, "DevMode") == 0 ? kDevModeSize : GlobalSize(block);
    if (GlobalSize(block) >= size) RegSetBinaryValue(key, name, bytes, size);
    GlobalUnlock(block);
  }
  RegSetBinaryValue(key, "Margins", &pageSetup.rtMargin, sizeof pageSetup.rtMargin);
  RegSetBinaryValue(key, "Font", &font, sizeof font);
  RegSetBinaryValue(key, "Font size", &fontSize, sizeof fontSize);
  RegSetBinaryValue(key, "Position", &previewPlacement, sizeof previewPlacement);
  RegCloseKey(key);
}

// --- dialogs and texts ------------------------------------------------------------------

bool PrinterSettings::PrinterSetupDialog(HWND ownerWindow) {
  PRINTDLG record = DialogRecord(*this, ownerWindow,
                                 PD_PRINTSETUP | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE,
                                 "Unable to setup printer");
  if (!PrintDlg(&record)) {
    FreeRecordBlocks(record);
    return false;
  }
  FreeBlocks();
  pageSetup.hDevMode = record.hDevMode;
  pageSetup.hDevNames = record.hDevNames;
  return true;
}

bool PrinterSettings::PageSetupDialog(HWND ownerWindow) {
  pageSetup.hwndOwner = ownerWindow;
  return PageSetupDlg(&pageSetup) != FALSE;
}

bool PrinterSettings::FontDialog(HWND ownerWindow) {
  LOGFONT chosen = font;
  HDC screen = GetDC(nullptr);
  int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  chosen.lfHeight = -(fontSize * pixelsPerInch) / 720;
  DcOwner printer{CreatePrinterDc()};
  CHOOSEFONT record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = ownerWindow;
  record.hDC = printer.dc;
  record.lpLogFont = &chosen;
  record.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_ANSIONLY | CF_LIMITSIZE | CF_FORCEFONTEXIST | CF_NOSCRIPTSEL;
  record.nSizeMin = 6;
  record.nSizeMax = 14;
  if (!ChooseFont(&record)) return false;
  font = chosen;
  fontSize = record.iPointSize;
  return true;
}

std::string PrinterSettings::PrinterNameText() const { return DevNamesText(pageSetup.hDevNames, 1); }

std::string PrinterSettings::OrientationText() {
  bool landscape = false;
  if (auto* mode = static_cast<DEVMODE*>(GlobalLock(pageSetup.hDevMode))) {
    landscape = mode->dmOrientation == DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(pageSetup.hDevMode);
  }
  return std::string("Orientation : ") + (landscape ? "Landscape" : "Portrait");
}

std::string PrinterSettings::FontText() const {
  return std::string(font.lfFaceName) + ", " + std::to_string(fontSize / 10) + " point";
}

// --- printing ---------------------------------------------------------------------------

HDC PrinterSettings::CreatePrinterDc() {
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::string device = DevNamesText(pageSetup.hDevNames, 1);
    auto* mode = static_cast<const DEVMODE*>(GlobalLock(pageSetup.hDevMode));
    HDC dc = nullptr;
    if (!device.empty() && mode != nullptr)
      dc = CreateDC(DevNamesText(pageSetup.hDevNames, 0).c_str(), device.c_str(),
                    DevNamesText(pageSetup.hDevNames, 2).c_str(), mode);
    if (mode != nullptr) GlobalUnlock(pageSetup.hDevMode);
    if (dc != nullptr) {
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
      return dc;
    }
    if (attempt == 0) InitDefaults();
  }
  throw std::string("Unable to print");
}

HDC PrinterSettings::RunPrintDialog(HWND ownerWindow) {
  PRINTDLG record = DialogRecord(*this, ownerWindow,
                                 PD_RETURNDC | PD_ENABLEPRINTHOOK | PD_NOSELECTION | PD_USEDEVMODECOPIES,
                                 "Unable to print");
  record.lpfnPrintHook = CenteringDialogHookProc;
  SetupPrintRange(record);
  // Without a file of the user's own, the PDF goes beside the model under
  // its name. The file stays unchosen when the user keeps that name, so
  // that the next model gets its own. A name too long for the stored
  // settings is proposed all the same: the dialog says it is too long and
  // waits for a shorter one, which is then the user's.
  const std::string proposed = PdfFileForModel(TheModel().path);
  const std::string output = DevNamesText(record.hDevNames, 2);
  const bool unchosen = output.empty() || output == kNoOutputFile;
  if (unchosen && !proposed.empty()) SetRecordOutput(record.hDevNames, proposed, true);
  if (!PrintDlg(&record)) {
    FreeRecordBlocks(record);
    if (CommDlgExtendedError() != 0) throw std::string("Unable to print");
    return nullptr;
  }
  if (unchosen && !proposed.empty() && DevNamesText(record.hDevNames, 2) == proposed)
    SetRecordOutput(record.hDevNames, output);
  TakePrintRange(record);
  FreeBlocks();
  pageSetup.hDevMode = record.hDevMode;
  pageSetup.hDevNames = record.hDevNames;
  SetBkMode(record.hDC, TRANSPARENT);
  SelectObject(record.hDC, GetStockObject(HOLLOW_BRUSH));
  return record.hDC;
}

void PrinterSettings::ComputePrintArea(HDC dc) {
  float pixelsX = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX));
  float pixelsY = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY));
  paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH) / pixelsX;
  paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT) / pixelsY;
  leftMargin = pageSetup.rtMargin.left * 0.001f;
  rightMargin = pageSetup.rtMargin.right * 0.001f;
  topMargin = pageSetup.rtMargin.top * 0.001f;
  bottomMargin = pageSetup.rtMargin.bottom * 0.001f;
  // Margins narrower than what the device can print on grow on both sides.
  auto fit = [](float paper, float& before, float& after, float device, float& printable) {
    printable = paper - before - after;
    if (device >= printable) return;
    float half = (printable - device) / 2;
    before += half;
    after += half;
    printable = device;
  };
  fit(paperWidth, leftMargin, rightMargin, GetDeviceCaps(dc, HORZRES) / pixelsX - 0.04f, printableWidth);
  fit(paperHeight, topMargin, bottomMargin, GetDeviceCaps(dc, VERTRES) / pixelsY - 0.04f, printableHeight);
}

void PrinterSettings::PrintPages(HDC dc) {
  DOCINFO info{};
  info.cbSize = sizeof info;
  info.lpszDocName = "Quorvel";
  float pixelsX = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX));
  float pixelsY = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY));
  RECT page{};
  page.left = static_cast<LONG>(pixelsX * leftMargin - GetDeviceCaps(dc, PHYSICALOFFSETX));
  page.top = static_cast<LONG>(pixelsY * topMargin - GetDeviceCaps(dc, PHYSICALOFFSETY));
  page.right = page.left + static_cast<LONG>(pixelsX * printableWidth);
  page.bottom = page.top + static_cast<LONG>(pixelsY * printableHeight);
  if (StartDoc(dc, &info) <= 0) throw PrintFailure();
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    throw PrintFailure();
  }
  try {
    DrawPage(dc, page);
  } catch (...) {
    AbortDoc(dc);
    throw;
  }
  EndPage(dc);
  if (EndDoc(dc) <= 0) throw PrintFailure();
}

void PrinterSettings::PrintDocument(HWND ownerWindow, bool rendered) {
  owner = ownerWindow;
  try {
    DcOwner printer{RunPrintDialog(ownerWindow)};
    if (printer.dc == nullptr) return;
    ComputePrintArea(printer.dc);
    // A rendered picture reaches the page as a stretched bitmap.
    if (rendered && (GetDeviceCaps(printer.dc, RASTERCAPS) & RC_STRETCHDIB) == 0) {
      ShowErrorOnForeground("The printer does not support StretchDIBits\nrequired for OpenGL printing");
      return;
    }
    if (document == nullptr) Record(printer.dc, printableWidth, printableHeight);
    PrintPages(printer.dc);
    DeleteDocument();
  } catch (const std::string& text) {
    DeleteDocument();
    ShowErrorMessage(ownerWindow, text);
  }
}

// --- the two printers -------------------------------------------------------------------

PrinterSettings& TextPrinter() {
  static TextPrinterSettings printer;
  return printer;
}

void SetGraphicsPageRecorder(void (*recorder)(HDC dc, float width, float height)) {
  GraphicsPageRecorder() = recorder;
}

PrinterSettings& GraphicsPrinter() {
  static GraphicsPrinterSettings printer;
  return printer;
}

PrinterSettings*& PreviewPrinter() {
  static PrinterSettings* printer = nullptr;
  return printer;
}

void LoadPrinterSettings(HKEY parentKey) {
  TextPrinter().Load(parentKey);
  GraphicsPrinter().Load(parentKey);
}

void SavePrinterSettings(HKEY parentKey) {
  TextPrinter().Save(parentKey);
  GraphicsPrinter().Save(parentKey);
}
