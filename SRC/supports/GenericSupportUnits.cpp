// The units of a generic support's terms; see GenericSupport.h.
#include <cctype>
#include <cmath>
#include <numbers>

#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/GenericSupport.h"

namespace {

constexpr double kPerDegree = std::numbers::pi / 180.0;
constexpr const char* kLabels[6] = {"(lb/deg)", "(lb/rad)", "(N/deg)", "(N/rad)", "(Kg/deg)", "Kg/rad"};
constexpr double kFactors[6] = {kPerDegree, 1.0, kPerDegree * 4.44822163, 4.4482217, kPerDegree * 0.45359237,
                                0.45359236};

std::int32_t Valid(std::int32_t index) { return index < 0 || index > kGroupBUnitLast ? 0 : index; }

bool LeadingPartOfRigid(const std::string& text) {
  const std::string word = "RIGID";
  if (text.empty() || text.size() > word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
  return true;
}

}  // namespace

const char* GroupBUnitLabel(std::int32_t index) { return kLabels[Valid(index)]; }
double GroupBUnitFactor(std::int32_t index) { return kFactors[Valid(index)]; }

char GenericSupportTermGroup(int i, int j) {
  if (i > j) std::swap(i, j);
  if (j <= 3) return 'A';
  return i <= 3 ? 'B' : 'C';
}

std::string FormatGenericSupportStiffness(float value, std::int32_t index) {
  if (value == 0.0f) return "0";
  if (value > 9.8e11f && value < 1.02e12f) return "Rigid";
  const double v = value * GroupBUnitFactor(index);
  if (std::fabs(v) <= 99999.0) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5g", v);
    return text;
  }
  return FormatFixedWidthE(v, 11, std::fabs(v) < 1.0e9 ? 3 : 2);
}

bool ParseGenericSupportStiffness(const std::string& raw, std::int32_t index, float& value) {
  std::string text = raw;
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty()) {
    value = 0.0f;
    return true;
  }
  if (LeadingPartOfRigid(text)) {
    value = 1.0e12f;
    return true;
  }
  // The rule of a stored value is asked of the term as stored, per radian:
  // 6E37 typed per degree is 3.4E39 per radian, which no float holds.
  double number = 0.0;
  if (ParseRealText(text, number) != 0) return false;
  const double stored = number / GroupBUnitFactor(index);
  if (!StoredValueAcceptable(stored)) return false;
  value = static_cast<float>(stored);
  return true;
}

std::string FormatGenericSupportTerm(const GenericSupport& support, int i, int j) {
  const float value = static_cast<float>(support.Term(i, j));
  switch (GenericSupportTermGroup(i, j)) {
    case 'A': return FormatStiffnessOrRigid(value);
    case 'B': return FormatGenericSupportStiffness(value, support.groupBUnitIndex);
    default: return FormatRotStiffnessOrRigid(value);
  }
}
