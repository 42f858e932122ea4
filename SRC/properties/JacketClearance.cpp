// The jacket clearance rule; see the header.
#include "properties/JacketClearance.h"

#include <utility>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/PipeSection.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

bool IsFeetAndInches(const std::string& text) { return text.find('\'') != std::string::npos; }

// The two diameters of the message in one form of the length unit. In feet
// and inches a length that is not a whole sixty-fourth reads as decimal
// feet; the other then does too, rather than one diameter in each form.
std::pair<std::string, std::string> DiameterTexts(float core, float bore) {
  std::string coreText = FormatLength(core), boreText = FormatLength(bore);
  if (ChosenUnit(kUnitLength) == kLengthFeetInches && IsFeetAndInches(coreText) != IsFeetAndInches(boreText)) {
    const double factor = UnitFactor(kUnitLength) / 12.0;
    coreText = FormatFixedWidth(core * factor, 10, 4);
    boreText = FormatFixedWidth(bore * factor, 10, 4);
  }
  return {coreText, boreText};
}

const PipeSection* SectionNamed(const Model& model, const std::string& name) {
  const int index = FindSectionByName(model.sections, name);
  return index != 0 ? &model.sections[index] : nullptr;
}

}  // namespace

float JacketBore(const PipeSection& jacket, float wall) {
  const float walls = wall + jacket.liningThickness;
  return jacket.outsideDiameter - 2.0f * walls;
}

float InsulatedCoreDiameter(const PipeSection& core) {
  return core.outsideDiameter + 2.0f * core.insulationThickness;
}

float JacketBendWall(const LayoutRow& row) {
  const JacketedBendRecord* bend = row.element != nullptr ? row.element->AsJacketedBend() : nullptr;
  return bend != nullptr ? bend->jacketThickness : 0.0f;
}

bool JacketTakesCore(const PipeSection& jacket, float bendWall, const PipeSection& core) {
  const float needed = InsulatedCoreDiameter(core);
  if (JacketBore(jacket, jacket.thickness) < needed) return false;
  return bendWall == 0.0f || JacketBore(jacket, bendWall) >= needed;
}

std::string JacketWallRefusal(int row, const PipeSection& jacket, float wall, const PipeSection& core) {
  const float needed = InsulatedCoreDiameter(core), bore = JacketBore(jacket, wall);
  if (bore >= needed) return {};
  const auto [coreText, boreText] = DiameterTexts(needed, bore);
  return CFormat("Row %d: Core OD = %s > Jacket ID = %s", row, coreText.c_str(), boreText.c_str());
}

std::string JacketRowClearanceRefusal(const Model& model, int number) {
  if (number < 1 || number > model.rowCount) return {};
  const LayoutRow& row = model.row(number);
  const JacketRecord* names = row.element != nullptr ? row.element->AsJacket() : nullptr;
  if (names == nullptr) return {};
  const PipeSection* core = SectionNamed(model, row.section);
  const PipeSection* jacket = SectionNamed(model, names->jacketSection);
  if (core == nullptr || jacket == nullptr) return {};
  std::string refusal = JacketWallRefusal(number, *jacket, jacket->thickness, *core);
  if (const float bendWall = JacketBendWall(row); refusal.empty() && bendWall != 0.0f)
    refusal = JacketWallRefusal(number, *jacket, bendWall, *core);
  return refusal;
}

const char* const kJacketClearanceMessage = "(Jacket I.D. - lining) < (core O.D. + insulation)";

std::string JacketRowClearanceRule(const Model& model, int row) {
  return JacketRowClearanceRefusal(model, row).empty() ? std::string() : kJacketClearanceMessage;
}
