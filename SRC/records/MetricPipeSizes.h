// The metric pipe size table: the DN sizes with their outside diameter and
// the centre-to-end dimensions of long- and short-radius elbows, held in
// inch (the millimetre values divided by 25.4), with the number of wall
// series each size is made in. Row 0 is "Non Std", a section of no standard
// size. The wall series and their thicknesses belong to the pipe-section
// tables; here they stay empty.
//
// Built once, on first use; the table is constant afterwards, so any thread
// may read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct MetricSizeRow {
  std::string sizeText;          // the DN number, "15" .. "1600"
  float outsideDiameter = 0.0f;  // inch
  float longRadius = 0.0f;       // inch
  float shortRadius = 0.0f;      // inch
  std::int32_t seriesCount = 0;
  std::vector<std::int32_t> series;
  std::vector<float> thicknesses;
};

constexpr int kMetricSizeRows = 27;
const std::array<MetricSizeRow, kMetricSizeRows>& MetricSizeTable();

// The elbow radius of a DN size (short when `shortRadius`); a size the table
// does not list takes 1.5 (long) or 1.0 (short) times the outside diameter.
float MetricStandardBendRadius(const std::string& sizeText, float outsideDiameter, bool shortRadius);
