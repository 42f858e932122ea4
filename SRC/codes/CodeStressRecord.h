// The code stress record: one per stress element (a pipe, bend, miter,
// jacketed pipe or bend, or reducer of a metallic material), holding for
// each category its stress, allowable and ratio at both element ends (end
// 1 the element's first node). A ratio of -1.0 means not computed; a
// stress of -1.0 marks an element to which the check does not apply. A
// stress that could not be formed (a section whose wall or modulus is
// zero) is kFlaggedStress: tables show it as "*****".
//
// The driver fills the records once per opening of results and the
// compliance tables read them. Ends are indexed 0 (end 1) and 1 (end 2).
#pragma once

#include <array>
#include <cstdint>

// A stress that could not be formed; far above any real stress so that it
// sorts first and cannot pass unnoticed.
inline constexpr float kFlaggedStress = 1.0e30f;
inline bool IsFlaggedStress(double value) { return value >= 5.0e29; }

struct StressCheck {
  float stress = 0.0f;
  float allowable = 0.0f;
  float ratio = -1.0f;
};

struct CodeStressRecord {
  std::int32_t element = 0;  // index of the analysis element
  std::array<float, 2> SL{};  // sustained stress
  std::array<float, 2> SH{};  // sustained allowable
  std::array<float, 2> SI{};  // ASME Class 2/3: the stress-index stress
  std::array<StressCheck, 2> expansion{};   // the expansion case with the largest ratio
  std::array<StressCheck, 2> combined{};    // sustained plus expansion, or the restrained check
  std::array<float, 2> operatingAllowable{};
  std::array<StressCheck, 2> occasional{};  // the occasional case with the largest ratio
  std::array<StressCheck, 2> settlement{};
  std::array<std::array<float, 3>, 2> uncoded{};  // code None: max, min principal, equivalent
  std::array<float, 2> hydrotest{};
  std::array<StressCheck, 2> creep{};
  std::array<StressCheck, 2> buried{};
  std::array<float, 20> restrained{};  // the restrained pipeline components
};

// Keeps the larger entry: when stress / allowable is strictly greater than
// the check's ratio, stores all three and answers true (the caller then
// records the node's governing stress).
// A check with a stress but no allowable to hold it against (an allowable
// of 2.0 or less was not computed): it could not be made, which is never
// shown as a blank that reads as a pass.
inline bool AllowableMissing(double stress, double allowable) { return stress > 0.0 && !(allowable > 2.0); }

inline bool KeepLargerStress(StressCheck& check, double stress, double allowable) {
  const double ratio = stress / allowable;
  if (!(ratio > check.ratio)) return false;
  check.stress = static_cast<float>(stress);
  check.allowable = static_cast<float>(allowable);
  check.ratio = static_cast<float>(ratio);
  return true;
}
