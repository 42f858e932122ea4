// The stock line symbols (see StockSymbols.h).
#include "model/StockSymbols.h"

#include <cmath>
#include <iterator>

#include "model/Drawing2D.h"
#include "model/GraphicsState.h"

namespace {

constexpr StockSegment kArrowHead[] = {{0, 0, -1.2f, -0.5f}, {-1.2f, -0.5f, -1.2f, 0.5f}, {-1.2f, 0.5f, 0, 0}};
constexpr StockSegment kTwoArrowHeads[] = {{0, 0, 1.2f, -0.5f},     {1.2f, -0.5f, 1.2f, 0.5f}, {1.2f, 0.5f, 0, 0},
                                           {1.2f, 0, 2.4f, -0.5f},  {2.4f, -0.5f, 2.4f, 0.5f}, {2.4f, 0.5f, 1.2f, 0}};
constexpr StockSegment kSpringHanger[] = {{0, 0, 0, 12},    {-6, 12, 6, 12},   {-6, 12, -6, 36},  {-6, 36, 6, 36},
                                          {6, 36, 6, 12},   {0, 15, 0, 33},    {-3, 19, 3, 19},   {-3, 24, 3, 24},
                                          {-3, 29, 3, 29},  {0, 36, 0, 45},    {-10, 45, 10, 45}, {-10, 45, -4, 51},
                                          {-5, 45, 1, 51},  {0, 45, 6, 51},    {5, 45, 11, 51},   {10, 45, 16, 51}};
constexpr StockSegment kRodHanger[] = {{0, 0, 0, 45},   {-10, 45, 10, 45}, {-10, 45, -4, 51}, {-5, 45, 1, 51},
                                       {0, 45, 6, 51},  {5, 45, 11, 51},   {10, 45, 16, 51}};
constexpr StockSegment kStop[] = {{-2.5f, 0, -0.8f, 0}, {-0.8f, -0.6f, -0.8f, 0.6f}};
constexpr StockSegment kStopMirrored[] = {{2.5f, 0, 0.8f, 0}, {0.8f, -0.6f, 0.8f, 0.6f}};
constexpr StockSegment kSpring[] = {
    {0, 0, 1.2f, 0},          {1.2f, 0, 1.4f, 0.6f},     {1.4f, 0.6f, 1.7f, -0.6f}, {1.7f, -0.6f, 2, 0.6f},
    {2, 0.6f, 2.3f, -0.6f},   {2.3f, -0.6f, 2.6f, 0.6f}, {2.6f, 0.6f, 2.9f, -0.6f}, {2.9f, -0.6f, 3.2f, 0.6f},
    {3.2f, 0.6f, 3.5f, -0.6f}, {3.5f, -0.6f, 3.7f, 0},   {3.7f, 0, 4.9f, 0},        {4.9f, 1, 4.9f, -1},
    {4.9f, 1, 5.5f, 0.4f},    {4.9f, 0.5f, 5.5f, -0.1f}, {4.9f, 0, 5.5f, -0.6f},    {4.9f, -0.5f, 5.5f, -1.1f},
    {4.9f, -1, 5.5f, -1.6f}};
constexpr StockSegment kCrossedSquare[] = {{-0.5f, -0.5f, 0.5f, -0.5f}, {0.5f, -0.5f, 0.5f, 0.5f},
                                           {0.5f, 0.5f, -0.5f, 0.5f},   {-0.5f, 0.5f, -0.5f, -0.5f},
                                           {-0.5f, -0.5f, 0.5f, 0.5f},  {-0.5f, 0.5f, 0.5f, -0.5f}};
constexpr StockSegment kDashPot[] = {{0, 0, 1.2f, 0},           {1.2f, 0.6f, 1.2f, -0.6f}, {1.2f, -0.6f, 3.6f, -0.6f},
                                     {3.6f, -0.6f, 3.6f, 0.6f}, {3.6f, 0.6f, 1.2f, 0.6f},  {3.6f, 0, 4.5f, 0},
                                     {4.5f, 1, 4.5f, -1},       {4.5f, 1, 5.1f, 0.4f},     {4.5f, 0.5f, 5.1f, -0.1f},
                                     {4.5f, 0, 5.1f, -0.6f},    {4.5f, -0.5f, 5.1f, -1.1f}, {4.5f, -1, 5.1f, -1.6f}};
constexpr StockSegment kSquare[] = {{-0.5f, -0.5f, 0.5f, -0.5f}, {0.5f, -0.5f, 0.5f, 0.5f},
                                    {0.5f, 0.5f, -0.5f, 0.5f},   {-0.5f, 0.5f, -0.5f, -0.5f}};
constexpr StockSegment kInlineHanger[] = {{0, 0, 0.3f, 0},         {0.3f, -0.1f, 0.3f, 0.1f},   {0.7f, -0.1f, 0.7f, 0.1f},
                                          {0.3f, 0.1f, 0.7f, 0.1f}, {0.3f, -0.1f, 0.7f, -0.1f}, {0.7f, 0, 1, 0},
                                          {0.34f, 0, 0.66f, 0},     {0.42f, -0.06f, 0.42f, 0.06f},
                                          {0.5f, -0.06f, 0.5f, 0.06f}, {0.58f, -0.06f, 0.58f, 0.06f}};

struct Shape {
  const StockSegment* segments;
  int count;
  float box[4];
};

constexpr Shape kShapes[kStockSymbolCount] = {
    {kArrowHead, 3, {-1.2f, -0.5f, 0.0f, 0.5f}},
    {kTwoArrowHeads, 6, {0.0f, -0.5f, 2.4f, 0.5f}},
    {kSpringHanger, 16, {-10.0f, 0.0f, 16.0f, 51.0f}},
    {kRodHanger, 7, {-10.0f, 0.0f, 16.0f, 51.0f}},
    {kStop, 2, {-2.5f, -0.6f, 0.0f, 0.6f}},
    {kStopMirrored, 2, {2.5f, -0.6f, 0.0f, 0.6f}},
    {kSpring, 17, {0.0f, -1.6f, 5.5f, 1.0f}},
    {kCrossedSquare, 6, {-0.5f, -0.5f, 0.5f, 0.5f}},
    {kDashPot, 12, {0.0f, -1.6f, 5.1f, 1.0f}},
    {kSquare, 4, {-0.5f, -0.5f, 0.5f, 0.5f}},
    {kInlineHanger, 10, {0.0f, -0.1f, 1.0f, 0.1f}},
};

struct Placement {
  float x, y, dx, dy;
  void Map(float a, float b, float& px, float& py) const {
    px = x + a * dx - b * dy;
    py = y + a * dy + b * dx;
  }
};

Placement Place(float x, float y, float dx, float dy, float k) {
  if (std::fabs(dx) < 0.005f) dx = 0.0f;
  if (std::fabs(dy) < 0.005f) dy = 0.0f;
  return Placement{x, y, dx * k, dy * k};
}

}  // namespace

int StockSymbolSegments(int symbol, const StockSegment*& segments) {
  if (symbol < 0 || symbol >= kStockSymbolCount) {
    segments = nullptr;
    return 0;
  }
  segments = kShapes[symbol].segments;
  return kShapes[symbol].count;
}

const float* StockSymbolBox(int symbol) {
  static constexpr float kNone[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  return symbol < 0 || symbol >= kStockSymbolCount ? kNone : kShapes[symbol].box;
}

void DrawStockSymbol2(int symbol, float x, float y, float dx, float dy, float size) {
  const StockSegment* segments = nullptr;
  const int count = StockSymbolSegments(symbol, segments);
  const Placement place = Place(x, y, dx, dy, size * g_SymbolScale);
  for (int i = 0; i < count; ++i) {
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
    place.Map(segments[i].x1, segments[i].y1, x1, y1);
    place.Map(segments[i].x2, segments[i].y2, x2, y2);
    DrawLine2(x1, y1, x2, y2);
  }
}

void DrawHangerSymbol2(int symbol, float x, float y, float dx, float dy, float size) {
  DrawStockSymbol2(symbol, x, y, dx, dy, size);
}

void StockSymbolExtendRect(int symbol, float x, float y, float dx, float dy, float size, Rect2& rect) {
  if (symbol < 0 || symbol >= kStockSymbolCount) return;
  const float* box = kShapes[symbol].box;
  const Placement place = Place(x, y, dx, dy, size);
  const float corners[4][2] = {{box[0], box[1]}, {box[2], box[1]}, {box[2], box[3]}, {box[0], box[3]}};
  for (const auto& corner : corners) {
    float px = 0.0f, py = 0.0f;
    place.Map(corner[0], corner[1], px, py);
    Rect2Extend(rect, px, py);
  }
}
