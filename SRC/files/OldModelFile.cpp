// The converter of the older model format joins with the work on old files;
// until then such a file is refused with a message that says why.
#include "files/OldModelFile.h"

#include "shell/StandIn.h"

void ConvertOldModelFile(const std::string& path, Model&) {
  STAND_IN("the converter of old-format model files");
  throw "Model file: " + path +
      "\nThis model file has the older format \"QUORVEL.MOD\", which cannot be converted yet.";
}
