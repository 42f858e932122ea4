// The executable's main: hands the embedded resources to the layer, joins
// the arguments into the one command line the program reads (the whole line
// is one file name), and runs the program's entry.
#include <string>

#include "application/Application.h"
#include "platform/FileNames.h"
#include "platform/ResourceTemplates.h"
#include "platform/System.h"
#include "resources/QuorvelResources.h"

namespace {
// The layer names the program's resources by any non-null instance handle;
// the address of this tag is the program's.
char g_ModuleTag;
}  // namespace

int main(int argc, char** argv) {
  const auto resources = QuorvelResources();
  platform::RegisterResources(resources.data(), resources.size());
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += platform::FromFileSystemName(argv[i]);  // names of files, as the program holds them
  }
  const int exitCode = WinMain(reinterpret_cast<HINSTANCE>(&g_ModuleTag), nullptr, commandLine.c_str(), 1);
  platform::Shutdown();
  return exitCode;
}
