// The time function text import and the comma-separated export: the time
// functions' words for the point table files; see TimeFunctionFiles.h.
#include "loads/TimeFunctionFiles.h"

#include <vector>

#include "loads/PointTableFiles.h"
#include "model/Model.h"

namespace {

const PointTableTextForm kTextForm{"File does not have time function name",
                                   "Invalid time function values",
                                   "Time should be positive",
                                   nullptr,
                                   "The time of line ",
                                   "There are no time function data points",
                                   "Time function ",
                                   "-1.e11",
                                   "Time",
                                   "Times must ascend"};

NamedPointsList& Functions(Model& model) { return model.timeFunctions; }

std::string OverwriteQuestion(const std::string& name) {
  return "The time function in the file:  \"" + name +
         "\"  is already defined.\nDo you want to overwrite the time function ?";
}

std::string ReadMessage(const std::vector<NamedPoints>&, const std::string& path) {
  return "Time function was read from file: " + path;
}

const PointTableReadForm kReadForm{kTextForm, "Read Time function from a Text File", Functions, OverwriteQuestion,
                                   ReadMessage};

const PointTableCsvForm kCsvForm{"Time function = ,", "Time(Sec),Value"};

}  // namespace

bool ReadTimeFunctionsFromTextFile(HWND owner, std::size_t row) {
  return ReadPointTablesFromTextFile(owner, row, kReadForm);
}

bool ExportTimeFunctions(HWND owner) {
  return ExportPointTables(owner, TheModel().timeFunctions, kCsvForm, "TimeFunctions.csv");
}
