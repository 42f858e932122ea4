// The GUI thread and the graphics thread draw at the same time with the same
// fonts, pens and brushes (each on its own context): the pictures must come
// out as if each had drawn alone, and no cairo font one thread draws with
// can lose its last reference to another.
#include "platform/GdiTestCanvas.h"
#include "platform/GdiText.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
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

// cairo keeps its scaled fonts in one map for the process and holds the last
// one made with a reference of its own, which the next font made, on any
// thread, drops. A font whose last reference goes on one thread while
// another finds it in the map and draws with it aborts the process
// ("! scaled_font->cache_frozen"). So the cairo font a font drew with stays
// held by the font after the drawing, and a font's cairo face is its own:
// once its realised face is freed, a font made again gets another.
TEST(GdiThreads, TheCairoFontsAFontDrawsWithStayItsOwn) {
  LOGFONT description{};
  description.lfHeight = -13;
  std::strcpy(description.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirect(&description);
  std::thread graphics([font] {
    Canvas canvas(64, 32);
    SelectObject(canvas.dc(), font);
    TextOut(canvas.dc(), 2, 2, "Node 1010", 9);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
  });
  graphics.join();
  const gdi::FontFace& face = gdi::Realise(*gdi::Find<gdi::FontObject>(font));
  // The cairo font of that drawing, found as cairo finds it for a canvas.
  Canvas canvas(8, 8);
  cairo_t* probe = cairo_create(canvas.dc()->surface);
  cairo_set_scaled_font(probe, face.font);
  cairo_scaled_font_t* drawn = cairo_scaled_font_reference(cairo_get_scaled_font(probe));
  cairo_destroy(probe);
  // Another font made takes cairo's own reference off the drawing's.
  cairo_font_face_t* otherFace =
      cairo_toy_font_face_create("DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_matrix_t size, identity;
  cairo_matrix_init_scale(&size, 7, 7);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_scaled_font_destroy(cairo_scaled_font_create(otherFace, &size, &identity, options));
  cairo_font_options_destroy(options);
  cairo_font_face_destroy(otherFace);
  EXPECT_GE(cairo_scaled_font_get_reference_count(drawn), 2u) << "the drawing's cairo font is held by nobody";
  cairo_scaled_font_destroy(drawn);

  // Freed, and pushed out of the faces kept for a font made again, the face
  // never comes back: the font made anew draws from another cairo face.
  cairo_font_face_t* before = cairo_font_face_reference(cairo_scaled_font_get_font_face(face.font));
  DeleteObject(font);
  for (std::size_t other = 0; other <= gdi::kRecentFacesKept; ++other) {
    LOGFONT pushing = description;
    pushing.lfHeight = -20 - static_cast<LONG>(other);
    HFONT made = CreateFontIndirect(&pushing);
    gdi::Realise(*gdi::Find<gdi::FontObject>(made));
    DeleteObject(made);
  }
  HFONT again = CreateFontIndirect(&description);
  EXPECT_NE(cairo_scaled_font_get_font_face(gdi::Realise(*gdi::Find<gdi::FontObject>(again)).font), before);
  DeleteObject(again);
  cairo_font_face_destroy(before);
}

// cairo's glyph cache serves the whole process: one thread's new glyphs can
// evict those of a font another thread holds while it waits for the cache.
// Threads making, drawing and deleting fonts, and sharing a pool, go on.
TEST(GdiThreads, TwoThreadsMakingAndDrawingFontsNeverLockEachOther) {
  const char* faces[] = {"MS Sans Serif", "Courier New", "Arial", "Lucida Console"};
  HFONT pool[4];
  for (int i = 0; i < 4; ++i) pool[i] = CreateFont(-9 - 5 * i, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, faces[i]);
  std::string all;  // every character, so that evicted glyphs are drawn again
  for (int byte = 0x20; byte < 0x100; ++byte) all.push_back(static_cast<char>(byte));
  std::mutex lock;
  std::condition_variable changed;
  int progress = 0, finished = 0;
  auto work = [&](unsigned seed) {
    std::mt19937 random(seed);
    Canvas canvas(160, 60);
    for (int round = 0; round < 100; ++round) {
      HFONT made = CreateFont(-static_cast<int>(6 + random() % 70), 0, 0, 0, random() % 2 ? FW_BOLD : FW_NORMAL,
                              random() % 2, 0, 0, 0, 0, 0, 0, 0, faces[random() % 4]);
      SelectObject(canvas.dc(), made);
      TextOut(canvas.dc(), 2, 2, "Node 1010", 9);
      SelectObject(canvas.dc(), pool[random() % 4]);
      RECT box{0, 0, 160, 60};
      DrawText(canvas.dc(), all.data(), static_cast<int>(all.size()), &box, DT_NOPREFIX);
      SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
      DeleteObject(made);
      std::lock_guard guard(lock);
      finished += round == 99 ? 1 : 0;
      ++progress;
      changed.notify_all();
    }
  };
  std::thread first(work, 1u), second(work, 2u);
  std::unique_lock held(lock);
  while (finished < 2) {
    const int seen = progress;
    // No progress for 15 s: the threads cannot be joined, so the run ends.
    if (!changed.wait_for(held, std::chrono::seconds(15), [&] { return progress != seen; }))
      std::fprintf(stderr, "no text drawn for 15 s after %d fonts: the threads lock each other\n", seen), std::abort();
  }
  held.unlock();
  first.join();
  second.join();
  for (HFONT font : pool) DeleteObject(font);
}

}  // namespace
