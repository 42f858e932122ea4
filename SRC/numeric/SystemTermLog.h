// The log of the terms added to the global system through its doors
// (AddSupportMatrix and AddLoadTerm, GlobalSystem.h) while a log is current:
// one entry per addition, in the order of the additions, so that adding
// the entries again in that order forms every sum as it was formed, to the
// last bit. Zero terms are kept: they too are additions. Apart from
// GlobalSystem.h so that the assembly's cache can hold one without the
// solver's types.
#pragma once

#include <cstdint>
#include <vector>

// A term at a position of StiffnessValues or at an equation of the load
// vector, tagged with the row whose item added it.
struct SystemTerm {
  std::int64_t position = 0;
  double value = 0.0;
  std::int32_t row = 0;
};

struct SystemTermLog {
  std::vector<SystemTerm> stiffness, loads;
  std::int32_t row = 0;  // the tag of the terms added now
};
