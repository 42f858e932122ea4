// The printer settings as the settings loader and writer see them: the
// registry subkeys "Text Printer" and "Graphics Printer" of the settings
// key. The printing module keeps the device mode, device names, margins,
// font and position of each printer in those subkeys; until it exists, the
// values read at start-up are kept exactly as they were and written back
// unchanged at shutdown, so that nothing stored is lost.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct StoredRegistryValue {
  std::string name;
  DWORD type = 0;
  std::vector<BYTE> data;
};

// The values of one printer's subkey, in the order they were read.
struct PrinterSettingsValues {
  bool present = false;  // the subkey existed when the settings were read
  std::vector<StoredRegistryValue> values;
};

PrinterSettingsValues& TextPrinterSettings();
PrinterSettingsValues& GraphicsPrinterSettings();

void ReadPrinterSettings(HKEY versionKey);
void WritePrinterSettings(HKEY versionKey);
