// A writer of old-format model files for tests and fuzz seeds, field by
// field from the old layouts (never through the program's readers), and the
// same model built directly in the current form, as the conversion must
// leave it. One model holds every old kind the converter takes.
#pragma once

#include <cstdint>
#include <string>

struct Model;

struct OldModelChoices {
  int version = 401;
  std::int32_t pipingCode = 18;  // old numbering
  std::int32_t codeFactor = 1;
  std::string secondTitle = "Cooling water line";
  int extraRows = 0;                 // plain pipe rows appended to the layout
  std::int32_t temperatureRows = 2;  // of the first material
  std::int32_t lastElementCode = 3;  // of the last extra row (when there is one)
  std::int32_t lastDataCode = 0;
};

std::string OldModelFileBytes(const OldModelChoices& choices);

// The model the file above must convert into (without the path).
void BuildConvertedModel(const OldModelChoices& choices, std::int32_t newPipingCode, Model& model);
