// Shared set-up of the batch file tests: the program's settings at their
// start-up values (English units, the default options) before and after
// each test, a batch text imported into a model of the test's own, and the
// line every error text starts with.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "files/BatchImport.h"
#include "model/Model.h"
#include "services/Message.h"
#include "services/SettingsTestSupport.h"

class BatchFixture : public SettingsFixture {
 protected:
  void TearDown() override {
    BatchRun = false;
    MessagesToStandardError = false;
    g_UnitsSettings = UnitsSettings{};
    SettingsFixture::TearDown();
  }

  // Imports `text`; the error text, or empty when the file was read.
  static std::string Import(const std::string& text, Model& model, std::vector<std::string>* log = nullptr) {
    std::istringstream input(text);
    std::vector<std::string> warnings;
    try {
      ReadModelBatchFile(input, model, warnings);
    } catch (const std::string& message) {
      return message;
    }
    if (log != nullptr) *log = warnings;
    return {};
  }

  // What an export left out, less its line on the model's units, which an
  // export in a set other than the model's own names.
  static std::vector<std::string> ApartFromUnits(std::vector<std::string> lines) {
    std::erase_if(lines, [](const std::string& line) { return line.rfind("Units: the model's units", 0) == 0; });
    return lines;
  }

  // "Line = n :  <line>\n<message>", the form every refusal takes.
  static std::string LineError(int line, const std::string& text, const std::string& message) {
    return "Line = " + std::to_string(line) + " :  " + text + "\n" + message;
  }
};
