// The spectrum text import and the comma-separated export (see
// SpectrumFiles.h). Numbers are read with from_chars, so the text of the
// file means the same under every locale.
#include "loads/SpectrumFiles.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "loads/SpectraTable.h"
#include "loads/TextLines.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/FileNames.h"
#include "platform/Windows1252.h"
#include "printing/ReportOutput.h"
#include "records/PointTables.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

[[noreturn]] void ThrowLine(int number, const std::string& line, const char* reason) {
  throw TextLineFault(number, line, reason);
}

}  // namespace

ResponseSpectrum ParseSpectrumText(std::istream& in) {
  ResponseSpectrum spectrum;
  std::string line;
  if (!ReadTextLine(in, line, 1)) throw std::string("End of file reached");
  spectrum.name = KeptTableName(line);
  if (spectrum.name.empty()) throw std::string("File does not have spectrum name");
  if (HoldsControlCharacter(spectrum.name)) ThrowLine(1, line, kControlCharacterInName);
  if (!ReadTextLine(in, line, 2)) throw std::string("File does not have spectrum units");
  std::size_t at = 0;
  int period = 0, unit = 0;
  if (!NextTextInteger(line, at, period) || !NextTextInteger(line, at, unit))
    throw std::string("File does not have spectrum units");
  if (!TextLineEndsAt(line, at)) ThrowLine(2, line, "File does not have spectrum units");
  // The unit picks the conversion of every ordinate and the labels later.
  if (unit < kOrdinateInch || unit > kOrdinateG) ThrowLine(2, line, "Invalid ordinate unit (0 to 4)");
  spectrum.periodAbscissa = period != 0 ? 1 : 0;
  spectrum.ordinateUnit = unit;
  int number = 2;
  while (ReadTextLine(in, line, number + 1)) {
    ++number;
    if (IsBlankTextLine(line)) continue;
    double x = 0.0, y = 0.0;
    at = 0;
    if (!NextTextNumber(line, at, x) || !NextTextNumber(line, at, y) || !TextLineEndsAt(line, at))
      ThrowLine(number, line, "Invalid spectrum values");
    // The rule of a stored value, as the cells ask it: of the ordinate in
    // internal units (an ordinate in g's is 386.4 times larger stored).
    const double ordinate = SpectrumOrdinateInternal(y, unit);
    for (const auto& [value, field] : {std::pair{x, "Abscissa"}, std::pair{ordinate, "Ordinate"}})
      if (const std::string fault = StoredPointValueFault(value, field); !fault.empty())
        ThrowLine(number, line, ("Invalid spectrum values\n" + fault).c_str());
    // Checked as kept: abscissas apart only beyond a float's precision
    // would be kept equal.
    spectrum.points.push_back({StoredTextValue(x), StoredTextValue(ordinate)});
    const SpectrumPointFault fault = SpectrumPointFaultAt(spectrum.points, spectrum.points.size() - 1);
    if (fault != SpectrumPointFault::None) ThrowLine(number, line, SpectrumPointFaultText(fault));
  }
  if (spectrum.points.empty()) throw std::string("There are no spectrum values");
  return spectrum;
}

std::size_t PlaceSpectrum(SpectrumList& list, const ResponseSpectrum& spectrum, std::size_t row) {
  const int existing = FindSpectrum(list, spectrum.name);
  std::size_t at = existing >= 0 ? static_cast<std::size_t>(existing) : std::min(row, list.size() - 1);
  if (existing < 0) {
    const bool blank = list[at].name.empty() && list[at].points.empty();
    if (!blank) list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), ResponseSpectrum{});
  }
  list[at] = spectrum;
  list[at].logInterpolation1 = 0;
  list[at].logInterpolation2 = 0;
  if (!list.back().name.empty() || !list.back().points.empty()) AppendBlankSpectrum(list);
  return at;
}

bool ReadSpectrumTextFile(HWND owner, const std::string& path, std::size_t row) {
  std::ifstream in(platform::FileSystemPath(path), std::ios::binary);
  if (!in) {
    ShowErrorMessage(owner, "File: " + path + "\nDoes not exist.");
    return false;
  }
  ResponseSpectrum spectrum;
  try {
    spectrum = ParseSpectrumText(in);
  } catch (const std::string& message) {
    ShowErrorMessage(owner, message);
    return false;
  }
  Model& model = TheModel();
  if (FindSpectrum(model.spectra, spectrum.name) >= 0 &&
      !MessageBoxDialog(owner,
                        "The spectrum in the file:  \"" + spectrum.name +
                            "\"  is already defined.\nDo you want to overwrite the spectrum ?",
                        IDNO))
    return false;
  if (model.spectra.empty()) AppendBlankSpectrum(model.spectra);
  PlaceSpectrum(model.spectra, spectrum, row);
  model.modified = true;
  ShowInfoMessage(owner, "Spectrum  \"" + spectrum.name + "\" was read\nFrom file: " + path);
  return true;
}

bool ReadSpectrumFromTextFile(HWND owner) {
  FilePathQuestion question;
  question.title = "Read Spectrum from a Text File";
  question.filter = "Text file (*.txt)\0*.txt\0";
  question.defaultExtension = "txt";
  question.mustExist = false;  // the read names a missing file itself
  const std::string path = AskFilePath(owner, question);
  return !path.empty() && ReadSpectrumTextFile(owner, path, SpectraTableCurrentEntry());
}

std::string SpectraCsvText(const SpectrumList& list) {
  std::string text;
  auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  for (const ResponseSpectrum& spectrum : list) {
    if (spectrum.name.empty() && spectrum.points.empty()) continue;
    line("Spectrum = ," + CsvQuoted(spectrum.name));
    line(std::string("Interpolation,") + (spectrum.logInterpolation1 != 0 ? "1=Log" : "1=Linear") +
         (spectrum.logInterpolation2 != 0 ? ",2=Log" : ",2=Linear"));
    line(std::string(spectrum.periodAbscissa != 0 ? "Period" : "Frequency") +
         (IsAccelerationUnit(spectrum.ordinateUnit) ? ",Acceleration" : ",Displacement"));
    line(std::string(spectrum.periodAbscissa != 0 ? "(sec)," : "(Hz),") + OrdinateUnitLabel(spectrum.ordinateUnit));
    for (const FloatPair& point : spectrum.points) {
      std::string values = FormatG5(point.x);
      values += ",";
      values += FormatG5(OrdinateInUnit(point.y, spectrum.ordinateUnit));
      line(values);
    }
    line("");
  }
  return text;
}

bool ExportSpectra(HWND owner) {
  g_CsvExportDefaultName = "Spectrums.csv";
  if (!ExportCsvDialog(owner)) return false;
  const std::string text = platform::Utf8From1252(SpectraCsvText(TheModel().spectra));
  const bool written = std::fwrite(text.data(), 1, text.size(), g_CsvExportFile) == text.size();
  const bool closed = std::fclose(g_CsvExportFile) == 0;
  g_CsvExportFile = nullptr;
  if (!written || !closed) {
    ShowErrorMessage(owner, "Unable to write the spectra to the csv file.");
    return false;
  }
  return true;
}
