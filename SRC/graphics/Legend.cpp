// The legend of the picture coloured by material, section or pipe load: one
// line per record in the colour its elements are drawn with (the palette of
// RowDrawing.h, indexed modulo its size, so picture and legend always agree)
// and the record's name; pipe loads grouped by specific gravity give one
// line per distinct value.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/DrawingColours.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Gdi.h"

namespace {

struct LegendLine {
  int colour = 0;
  std::string text;
};

std::vector<LegendLine> LegendLines(const Model& model) {
  std::vector<LegendLine> lines;
  if (model.listName == "&Materials") {
    for (int i = 1; i <= model.materials.count; ++i) lines.push_back({i, "Material = " + model.materials[i].name});
  } else if (model.listName == "&Sections") {
    for (int i = 1; i <= model.sections.count; ++i) lines.push_back({i, "Section = " + model.sections[i].name});
  } else if (!g_GroupBySpecificGravity) {
    for (int i = 1; i <= model.pipeLoads.count; ++i) lines.push_back({i, "Load = " + model.pipeLoads[i].name});
  } else {
    for (int i = 1; i <= model.pipeLoads.count; ++i) {
      const float gravity = model.pipeLoads[i].specificGravity;
      bool first = true;
      for (int j = 1; j < i && first; ++j) first = model.pipeLoads[j].specificGravity != gravity;
      if (!first) continue;
      char text[48];
      std::snprintf(text, sizeof text, "Sp. Gr = %.2f", static_cast<double>(gravity));
      lines.push_back({i, text});
    }
  }
  return lines;
}

}  // namespace

void DrawLegend(HDC dc) {
  if (dc == nullptr) return;
  const float r = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY)) / 96.0f;
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  // Lines 10 units apart, but never closer than the text is high.
  const int step = std::max(static_cast<int>(10.0f * r), static_cast<int>(metrics.tmHeight) + 2);
  const int x0 = static_cast<int>(20.0f * r), x1 = static_cast<int>(45.0f * r);
  int y = static_cast<int>(20.0f * r);
  const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SetTextColor(dc, CurrentDrawingStyle().legendText);
  for (const LegendLine& line : LegendLines(TheModel())) {
    HPEN pen = CreatePen(PS_SOLID, 4, PropertyPaletteColour(line.colour));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y, nullptr);
    LineTo(dc, x1, y);
    SelectObject(dc, old);
    DeleteObject(pen);
    TextOut(dc, x1 + metrics.tmAveCharWidth, y + metrics.tmAscent / 2 - 1, line.text.c_str(),
            static_cast<int>(line.text.size()));
    y += step;
  }
  SetTextAlign(dc, align);
}
