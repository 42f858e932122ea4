// The GUI thread and the graphics thread draw at the same time with the same
// fonts, pens and brushes (each on its own context): the pictures must come
// out as if each had drawn alone.
#include "platform/GdiTestCanvas.h"

#include <cstring>
#include <thread>
#include <vector>

namespace {

void DrawScene(HDC dc, HFONT font, HPEN pen) {
  SelectObject(dc, font);
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
  Rectangle(dc, 2, 2, 60, 30);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 5, 5, "Node 1010", 9);
  SetROP2(dc, R2_XORPEN);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 63, 31);
  SetROP2(dc, R2_COPYPEN);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SelectObject(dc, GetStockObject(BLACK_PEN));
}

TEST(GdiThreads, TwoThreadsDrawingWithSharedObjectsGetTheSamePictures) {
  LOGFONT description{};
  description.lfHeight = -12;
  std::strcpy(description.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirect(&description);  // realised by whichever thread comes first
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 255));
  std::vector<COLORREF> pictures[2];
  auto work = [&](int index) {
    for (int round = 0; round < 20; ++round) {
      Canvas canvas(64, 32);
      DrawScene(canvas.dc(), font, pen);
      if (round == 19) pictures[index] = canvas.Pixels().pixels;
    }
  };
  std::thread gui(work, 0);
  std::thread graphics(work, 1);
  gui.join();
  graphics.join();
  Canvas alone(64, 32);
  DrawScene(alone.dc(), font, pen);
  EXPECT_EQ(pictures[0], alone.Pixels().pixels);
  EXPECT_EQ(pictures[1], alone.Pixels().pixels);
  DeleteObject(font);
  DeleteObject(pen);
}

}  // namespace
