// The metric pipe size table; see MetricPipeSizes.h. From DN350 up the short
// radius equals the outside diameter and the long radius is about 1.5 times it.
#include "records/MetricPipeSizes.h"

namespace {

constexpr float kMillimetre = 25.4f;

struct MetricSizeMillimetres {
  const char* size;
  float outsideDiameter, longRadius, shortRadius;
};

constexpr MetricSizeMillimetres kSizes[kMetricSizeRows - 1] = {
    {"15", 21.3f, 28.0f, 17.5f},         {"20", 26.9f, 29.0f, 25.0f},       {"25", 33.7f, 38.0f, 25.0f},
    {"32", 42.4f, 48.0f, 32.0f},         {"40", 48.3f, 57.0f, 38.0f},       {"50", 60.3f, 76.0f, 51.0f},
    {"65", 76.1f, 95.0f, 63.0f},         {"80", 88.9f, 114.0f, 76.0f},      {"100", 114.3f, 152.0f, 102.0f},
    {"125", 139.7f, 190.0f, 127.0f},     {"150", 168.3f, 229.0f, 152.0f},   {"200", 219.1f, 305.0f, 203.0f},
    {"250", 273.0f, 381.0f, 254.0f},     {"300", 323.9f, 457.0f, 305.0f},   {"350", 355.6f, 533.0f, 356.0f},
    {"400", 406.4f, 610.0f, 406.0f},     {"450", 457.0f, 686.0f, 457.0f},   {"500", 508.0f, 762.0f, 508.0f},
    {"600", 610.0f, 914.0f, 610.0f},     {"700", 711.0f, 1067.0f, 711.0f},  {"800", 813.0f, 1219.0f, 813.0f},
    {"900", 914.0f, 1372.0f, 914.0f},    {"1000", 1016.0f, 1524.0f, 1016.0f}, {"1200", 1220.0f, 1830.0f, 1220.0f},
    {"1400", 1420.0f, 2130.0f, 1420.0f}, {"1600", 1620.0f, 2430.0f, 1620.0f},
};

// 4 wall series up to DN125, 5 up to DN1000, 2 above.
std::int32_t SeriesCount(int row) { return row <= 10 ? 4 : row <= 23 ? 5 : 2; }

std::array<MetricSizeRow, kMetricSizeRows> BuildTable() {
  std::array<MetricSizeRow, kMetricSizeRows> table;
  table[0].sizeText = "Non Std";
  for (int row = 1; row < kMetricSizeRows; ++row) {
    const MetricSizeMillimetres& size = kSizes[row - 1];
    MetricSizeRow& entry = table[static_cast<std::size_t>(row)];
    entry.sizeText = size.size;
    entry.outsideDiameter = size.outsideDiameter / kMillimetre;
    entry.longRadius = size.longRadius / kMillimetre;
    entry.shortRadius = size.shortRadius / kMillimetre;
    entry.seriesCount = SeriesCount(row);
  }
  return table;
}

}  // namespace

const std::array<MetricSizeRow, kMetricSizeRows>& MetricSizeTable() {
  static const std::array<MetricSizeRow, kMetricSizeRows> table = BuildTable();
  return table;
}

float MetricStandardBendRadius(const std::string& sizeText, float outsideDiameter, bool shortRadius) {
  const auto& table = MetricSizeTable();
  for (int row = 1; row < kMetricSizeRows; ++row) {
    const MetricSizeRow& entry = table[static_cast<std::size_t>(row)];
    if (entry.sizeText == sizeText) return shortRadius ? entry.shortRadius : entry.longRadius;
  }
  return (shortRadius ? 1.0f : 1.5f) * outsideDiameter;
}
