// The force spectrum text import and the comma-separated export; see
// ForceSpectrumFiles.h.
#include "loads/ForceSpectrumFiles.h"

#include <fstream>
#include <vector>

#include "loads/TextLines.h"
#include "loads/TimeFunctionFiles.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "printing/ReportOutput.h"
#include "records/ForceSpectrum.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"

NamedPoints ParseForceSpectrumText(std::istream& in) {
  NamedPoints spectrum;
  std::string line;
  if (!ReadTextLine(in, line)) throw std::string("End of file reached");
  if (IsBlankTextLine(line)) throw std::string("File does not have force spectrum name");
  spectrum.name = line.substr(0, kPointTableNameLength);
  AbscissaSeen seen;
  int number = 1;
  while (ReadTextLine(in, line)) {
    ++number;
    if (IsBlankTextLine(line)) continue;
    std::size_t at = 0;
    double frequency = 0.0, value = 0.0;
    if (!NextTextNumber(line, at, frequency) || !NextTextNumber(line, at, value))
      throw TextLineFault(number, line, "Invalid force spectrum values");
    if (frequency < 0.0) throw TextLineFault(number, line, "Frequency should be positive");
    if (value < 0.0) throw TextLineFault(number, line, "Spectrum value should be positive");
    const FloatPair point{StoredTextValue(frequency), StoredTextValue(value)};
    if (const int earlier = seen.Add(point.x, number); earlier != 0)
      throw TextLineFault(number, line, "The frequency of line " + std::to_string(earlier) + " is given again");
    spectrum.points.push_back(point);
  }
  if (spectrum.points.empty()) throw std::string("There are no force spectrum data points");
  return spectrum;
}

bool ReadForceSpectrumTextFile(HWND owner, const std::string& path, std::size_t row) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ShowErrorMessage(owner, "File: " + path + "\nDoes not exist.");
    return false;
  }
  NamedPoints spectrum;
  try {
    spectrum = ParseForceSpectrumText(in);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  Model& model = TheModel();
  if (FindForceSpectrum(model.forceSpectra, spectrum.name) >= 0 &&
      !MessageBoxDialog(owner,
                        "The force spectrum in the file:  \"" + spectrum.name +
                            "\"  is already defined.\nDo you want to overwrite the force spectrum ?",
                        IDNO))
    return false;
  const std::size_t at = PlacePointTable(model.forceSpectra, spectrum.name, row);
  model.forceSpectra[at].name = spectrum.name;
  model.forceSpectra[at].points = SortedPoints(spectrum.points);
  EnsureTrailingBlank(model.forceSpectra);
  model.modified = true;
  ShowInfoMessage(owner, "Force spectrum  \"" + spectrum.name + "\" was read\nFrom file: " + path);
  return true;
}

bool ReadForceSpectrumFromTextFile(HWND owner, std::size_t row) {
  FilePathQuestion question;
  question.title = "Read Force Spectrum from a Text File";
  question.filter = "Text file (*.txt)\0*.txt\0";
  question.defaultExtension = "txt";
  question.mustExist = false;  // the read names a missing file itself
  const std::string path = AskFilePath(owner, question);
  return !path.empty() && ReadForceSpectrumTextFile(owner, path, row);
}

std::string ForceSpectraCsvText(const NamedPointsList& list) {
  std::string text;
  auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& spectrum = list[index];
    line("Force spectrum = ," + CsvQuoted(spectrum.name));
    line("Frequency(Hz),Spectrum value");
    for (const FloatPair& point : spectrum.points) {
      std::string values = FormatG5(point.x);
      values += ",";
      values += FormatG5(point.y);
      line(values);
    }
    line("");
  }
  return text;
}

bool ExportForceSpectra(HWND owner) {
  g_CsvExportDefaultName = "ForceSpectrums.csv";
  if (!ExportCsvDialog(owner)) return false;
  return WriteCsvExport(owner, ForceSpectraCsvText(TheModel().forceSpectra));
}
