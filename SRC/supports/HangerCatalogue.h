// The spring-hanger catalogues and the design of a hanger against them.
//
// A catalogue is a record of series (travel ranges, increasing) and sizes
// (load ranges, increasing) with a rate per size and series, reached through
// a table indexed by the hanger kind (entry 0 is "Grinnell"'s, as entry 16).
// Only catalogues whose load tables are published with the program are
// carried; the others keep their names in the dialogs, lists and files, but
// a hanger designed from one is refused before a run (never a made-up
// table).
//
// The design (DesignHanger) takes the hanger's travel T (upwards positive)
// and hot load H of one hanger and chooses, from the first allowed series
// on, the size whose load range holds H and the cold load T k + H and whose
// middle lies nearest H, until the load variation |cold / H - 1| is within
// the hanger's limit. Every failure is a thrown message naming the node.
#pragma once

#include <cstdint>
#include <string>

class Hanger;

struct HangerSeries {
  const char* name;
  float range;  // inch
};
struct HangerSize {
  const char* name;
  float minimum, maximum;  // lb
};
struct HangerCatalogue {
  std::int32_t seriesCount;
  std::int32_t sizeCount;
  const HangerSeries* series;
  const HangerSize* sizes;
  const float* rates;  // lb/inch, size i of series s at i * seriesCount + s
};

inline constexpr std::int32_t kLisegaCatalogue = 18;

// The catalogue of a hanger kind (0 .. 34); null when its load table is not
// carried.
const HangerCatalogue* FindHangerCatalogue(std::int32_t kind);

// Designs `hanger` (series, size, rate, cold load) from its travel and hot
// load; nothing for user hangers, rod hangers and constant supports.
void DesignHanger(Hanger& hanger, const std::string& nodeText);
