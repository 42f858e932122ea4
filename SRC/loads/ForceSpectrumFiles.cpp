// The force spectrum text import and the comma-separated export: the
// force spectra's words for the point table files; see ForceSpectrumFiles.h.
#include "loads/ForceSpectrumFiles.h"

#include <vector>

#include "loads/PointTableFiles.h"
#include "model/Model.h"

namespace {

const PointTableTextForm kTextForm{"File does not have force spectrum name",
                                   "Invalid force spectrum values",
                                   "Frequency should be positive",
                                   "Spectrum value should be positive",
                                   "The frequency of line ",
                                   "There are no force spectrum data points",
                                   "Force spectrum ",
                                   nullptr,
                                   "Frequency"};

NamedPointsList& Spectra(Model& model) { return model.forceSpectra; }

std::string OverwriteQuestion(const std::string& name) {
  return "The force spectrum in the file:  \"" + name +
         "\"  is already defined.\nDo you want to overwrite the force spectrum ?";
}

std::string ReadMessage(const std::vector<NamedPoints>& spectra, const std::string& path) {
  return "Force spectrum  \"" + spectra.front().name + "\" was read\nFrom file: " + path;
}

const PointTableReadForm kReadForm{kTextForm, "Read Force Spectrum from a Text File", Spectra, OverwriteQuestion,
                                   ReadMessage};

const PointTableCsvForm kCsvForm{"Force spectrum = ,", "Frequency(Hz),Spectrum value"};

}  // namespace

bool ReadForceSpectrumFromTextFile(HWND owner, std::size_t row) {
  return ReadPointTablesFromTextFile(owner, row, kReadForm);
}

bool ExportForceSpectra(HWND owner) {
  return ExportPointTables(owner, TheModel().forceSpectra, kCsvForm, "ForceSpectrums.csv");
}
