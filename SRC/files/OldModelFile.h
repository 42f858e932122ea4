// Model files of the older format (header "QUORVEL.MOD" with a 16-bit
// version) are converted into the current model by their own converter.
#pragma once

#include <string>

struct Model;

// Converts the old-format file at `path` into `model`; throws the message
// text when it cannot.
void ConvertOldModelFile(const std::string& path, Model& model);
