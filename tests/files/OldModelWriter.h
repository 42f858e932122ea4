// A writer of old-format model files for tests and fuzz seeds, field by
// field from the old layouts (never through the program's readers), and the
// same model built directly in the current form, as the conversion must
// leave it. One model holds every old kind the converter takes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Model;

// An old nozzle row as written: the row starts a run at an absolute point
// or continues one by an offset; then the nozzle record's fields.
struct OldNozzleRow {
  std::int32_t node = 0;
  bool start = false;
  std::array<double, 3> offsets{};
  std::int32_t flatBottom = 0;
  std::array<double, 13> values{};
  // The displacement bits in the newer layout's places (6-10; 0-5 are the
  // anchor's releases); the older layout writes bits 6-10 as its bits 0-4.
  std::int32_t flags = 0;
  std::int32_t extraWrittenBits = 0;  // or-ed into the word as written
  std::array<double, 30> sets{};      // written when a displacement bit is set
};

// Three nozzles: a cylinder with T1, settlement and seismic sets (and a
// release bit a nozzle does not have), a flat-bottom tank with a pad and the
// T2 set, and a flat-bottom tank without a pad.
std::vector<OldNozzleRow> OldNozzleRows();

struct OldModelChoices {
  int version = 401;
  std::int32_t pipingCode = 18;  // old numbering
  std::int32_t codeFactor = 1;
  std::string secondTitle = "Cooling water line";
  int extraRows = 0;                 // plain pipe rows appended to the layout
  std::int32_t temperatureRows = 2;  // of the first material
  std::int32_t lastElementCode = 3;  // of the last extra row (when there is one)
  std::int32_t lastDataCode = 0;
  std::vector<OldNozzleRow> nozzles;  // rows after the every-kind layout
  // Options the model file holds only within a range (the written model
  // has 40 Hz, 12 modes and three thermal loads).
  std::int32_t cutOffFrequency = 40;
  std::int32_t modeCount = 12;
  std::int32_t thermalLoads = 3;
  std::vector<std::int32_t> loadCases = {1, 2, 4};  // the list as written
  std::int32_t modeSum = 1;
  std::int32_t hangerKind = -1;  // of the hanger at 180, as written; -1: Grinnell's index
  std::int32_t timeVaryingDirection = 1;  // of the time varying load at 170 (newer layout)
  // Texts as written; one as long as its field has no terminator.
  std::string title = "Old plant \x82";  // an OEM e acute
  std::string schedule = "40";            // of pipe section 6S40
  std::string pumpName = "Feed pump";
  // Values as written that the converted model does not hold as they are
  // (BuildConvertedModel keeps 90, 0.8 and 0.1): the wind speed and shape
  // factor, and the first abscissa of every response spectrum.
  double windShapeFactor = 0.8;
  double windSpeed = 90.0;
  double spectrumFirstAbscissa = 0.1;
};

std::string OldModelFileBytes(const OldModelChoices& choices);

// The model the file above must convert into (without the path).
void BuildConvertedModel(const OldModelChoices& choices, std::int32_t newPipingCode, Model& model);
