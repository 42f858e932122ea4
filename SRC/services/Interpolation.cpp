// Interpolation in pair tables (see Interpolation.h). Arithmetic is in
// double; the table and the result stay 32-bit floats, as the files hold them.
#include "services/Interpolation.h"

#include <algorithm>
#include <cmath>
#include <string>

bool IsZeroFloat(float a) { return a == 0.0f; }

bool FloatLess(float a, float b) { return a < b; }

bool FloatNearlyEqual(float a, float b) {
  return std::fabs(static_cast<double>(a) - static_cast<double>(b)) < kFloatTolerance;
}

void InterpolateTable(PairTable& source, PairTable& result) {
  std::erase_if(source, [](const FloatPair& pair) { return IsZeroFloat(pair.x); });
  std::stable_sort(source.begin(), source.end(),
                   [](const FloatPair& a, const FloatPair& b) { return FloatLess(a.x, b.x); });
  result.clear();
  for (const FloatPair& pair : source)
    if (result.empty() || !FloatNearlyEqual(pair.x, result.back().x)) result.push_back(pair);
}

float InterpolatePairs(const PairTable& table, float x) {
  if (table.empty()) throw std::string("Interpolate on empty vector");
  if (x <= table.front().x) return table.front().y;
  if (x >= table.back().x) return table.back().y;
  std::size_t i = 1;
  while (table[i].x < x) ++i;
  const FloatPair& low = table[i - 1];
  const FloatPair& high = table[i];
  const double fraction = (static_cast<double>(x) - low.x) / (static_cast<double>(high.x) - low.x);
  return static_cast<float>(low.y + fraction * (static_cast<double>(high.y) - low.y));
}
