// The resource template parsers: any text is parsed as a dialog, a menu and
// an accelerator table, and refused with an error naming the template and
// the line when it is not one. Seeds: the program's own templates (the seed
// folders given to the driver).
#include "platform/ResourceTemplates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  platform::DialogTemplate dialog;
  platform::MenuTemplate menu;
  platform::AcceleratorTemplate table;
  if (!platform::ParseDialogTemplate("FUZZ", text, &dialog, &error) && error.rfind("FUZZ", 0) != 0) __builtin_trap();
  if (!platform::ParseMenuTemplate("FUZZ", text, &menu, &error) && error.rfind("FUZZ", 0) != 0) __builtin_trap();
  if (!platform::ParseAcceleratorTemplate("FUZZ", text, &table, &error) && error.rfind("FUZZ", 0) != 0)
    __builtin_trap();
  return 0;
}

std::vector<std::string> FuzzSeeds() { return {}; }
