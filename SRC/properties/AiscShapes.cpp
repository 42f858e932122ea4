// The families of the AISC shape table; the shapes are AiscShapeData.cpp.
#include "properties/AiscShapes.h"

#include <cstring>

#include "services/Assert.h"

namespace {

constexpr AiscFamilyInfo kFamilies[kAiscFamilyCount + 1] = {
    {"", 0, "", ""},
    {"W", 1401, "W_DIALOG", "W  (Wide Flange)"},
    {"M", 1402, "M_DIALOG", "M  (Misc I Beams)"},
    {"S", 1403, "S_DIALOG", "S  (Standard)"},
    {"HP", 1404, "HP_DIALOG", "HP  (Bearing Piles)"},
    {"C", 1405, "C_DIALOG", "C  (Channels)"},
    {"MC", 1406, "MC_DIALOG", "MC  (Misc Channels)"},
    {"L", 1407, "L_DIALOG", "L  (Angles)"},
    {"2L", 1408, "L2_DIALOG", "2L  (Double Angles)"},
    {"WT", 1409, "WT_DIALOG", "WT  (Wide Tees)"},
    {"MT", 1410, "MT_DIALOG", "MT  (Misc Tees)"},
    {"ST", 1411, "ST_DIALOG", "ST  (Standard Tees)"},
    {"TS", 1412, "TS_DIALOG", "TS  (Structural Tubing)"},
    {"P", 1413, "P_DIALOG", "P  (Pipe)"},
};

}  // namespace

const AiscFamilyInfo& AiscFamily(int id) {
  QV_ASSERT(id >= 1 && id <= kAiscFamilyCount);
  return kFamilies[id];
}

const AiscFamilyTable& AiscFamilyShapes(int id) {
  QV_ASSERT(id >= 1 && id <= kAiscFamilyCount);
  return kAiscFamilyTables[id];
}

const AiscShape* FindAiscShape(const char* designation) {
  for (int id = 1; id <= kAiscFamilyCount; ++id) {
    const AiscFamilyTable& family = kAiscFamilyTables[id];
    for (int i = 0; i < family.shapeCount; ++i)
      if (std::strcmp(family.shapes[i].designation, designation) == 0) return &family.shapes[i];
  }
  return nullptr;
}
