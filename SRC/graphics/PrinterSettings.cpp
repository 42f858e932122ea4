// Stand-in for the printing module's settings: every value of the two
// printer subkeys is read with its type and bytes and written back as it
// was. A subkey that did not exist is not created.
#include "graphics/PrinterSettings.h"

#include "platform/Registry.h"
#include "shell/Settings.h"
#include "shell/StandIn.h"

STAND_IN("the printing module's settings: kept and written back unchanged");

namespace {

constexpr DWORD kLongestValueName = 256;

void ReadValues(HKEY versionKey, const char* subkey, PrinterSettingsValues& settings) {
  HKEY key = RegOpenKeyChecked(versionKey, subkey);
  if (key == nullptr) return;
  settings = PrinterSettingsValues{};
  settings.present = true;
  for (DWORD index = 0;; ++index) {
    char name[kLongestValueName];
    DWORD nameSize = sizeof name;
    DWORD type = 0, dataSize = 0;
    if (RegEnumValue(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
    StoredRegistryValue value{name, type, std::vector<BYTE>(dataSize)};
    if (RegQueryValueEx(key, name, nullptr, &value.type, value.data.data(), &dataSize) != ERROR_SUCCESS) continue;
    value.data.resize(dataSize);
    settings.values.push_back(std::move(value));
  }
  RegCloseKey(key);
}

void WriteValues(HKEY versionKey, const char* subkey, const PrinterSettingsValues& settings) {
  if (!settings.present) return;
  HKEY key = RegCreateKeyChecked(versionKey, subkey);
  if (key == nullptr) return;
  for (const StoredRegistryValue& value : settings.values)
    RegSetValueEx(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
}

}  // namespace

PrinterSettingsValues& TextPrinterSettings() {
  static PrinterSettingsValues settings;
  return settings;
}

PrinterSettingsValues& GraphicsPrinterSettings() {
  static PrinterSettingsValues settings;
  return settings;
}

void ReadPrinterSettings(HKEY versionKey) {
  ReadValues(versionKey, "Text Printer", TextPrinterSettings());
  ReadValues(versionKey, "Graphics Printer", GraphicsPrinterSettings());
}

void WritePrinterSettings(HKEY versionKey) {
  WriteValues(versionKey, "Text Printer", TextPrinterSettings());
  WriteValues(versionKey, "Graphics Printer", GraphicsPrinterSettings());
}
