// The program's clipboard seen by another X client (a second connection of
// the test): text arrives as UTF-8 and ISO 8859-1 with Unix line ends, a
// bitmap as PNG, TARGETS lists what is there, an unknown target is refused,
// emptying the clipboard gives the selection up, and a selection another
// client has taken is left to it.
#include <cairo.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Gdi.h"
#include "platform/Paint.h"
#include "platform/System.h"
#include "platform/TestSupport.h"
#include "platform/Window.h"
#include "x11/XvfbServer.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// What the owner of CLIPBOARD answered to one request.
struct Reply {
  bool arrived = false;   // SelectionNotify came
  bool converted = false;  // with the property (not None)
  std::string type;
  std::string bytes;
  std::vector<std::string> atoms;  // for TARGETS
};

// Distinct colours, so a misplaced pixel shows.
COLORREF Distinct(int x, int y) { return RGB(x * 40 + 10, y * 90 + 20, 200 - x * 30); }

class ClipboardX11Test : public OnXvfb<testing::Test> {
 protected:
  void SetUp() override {
    OnXvfb::SetUp();
    if (HasFatalFailure()) return;
    platform::EnableTestMode(true);
    platform::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    platform::ResetClipboard();
    x_ = XOpenDisplay(display_.c_str());
    ASSERT_NE(x_, nullptr);
    requestor_ = XCreateSimpleWindow(x_, DefaultRootWindow(x_), 0, 0, 1, 1, 0, 0, 0);
    clipboard_ = XInternAtom(x_, "CLIPBOARD", False);
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.lpszClassName = "ClipboardX11";
    ASSERT_NE(RegisterClass(&windowClass), 0);
    // The window starts the X presenter, which owns the selection for the program.
    window_ = CreateWindowEx(0, "ClipboardX11", "Copier", WS_OVERLAPPEDWINDOW, 10, 10, 100, 60, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    platform::RunUntilIdle();
  }
  void TearDown() override {
    platform::ResetClipboard();
    platform::RunUntilIdle();
    platform::Shutdown();
    platform::EnableTestMode(false);
    platform::SetFailureHandler(nullptr);
    if (x_ != nullptr) XCloseDisplay(x_);
    OnXvfb::TearDown();
  }

  // Sets the clipboard as a program does and waits until X knows.
  void Copy(UINT format, HANDLE data) {
    ASSERT_TRUE(OpenClipboard(window_));
    EmptyClipboard();
    if (data != nullptr) {
      ASSERT_EQ(SetClipboardData(format, data), data);
    }
    CloseClipboard();
    platform::SyncPresenter();
  }
  void CopyText(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    Copy(CF_TEXT, block);
  }

  // Asks the owner of CLIPBOARD for `target`, as a pasting program does, and
  // waits (without sleeping) for the answer.
  Reply Request(const char* target) {
    Atom property = XInternAtom(x_, "QUORVEL_PASTE", False);
    XConvertSelection(x_, clipboard_, XInternAtom(x_, target, False), property, requestor_, CurrentTime);
    XFlush(x_);
    Reply reply;
    XEvent event{};
    pollfd source{ConnectionNumber(x_), POLLIN, 0};
    while (!(reply.arrived = XCheckTypedWindowEvent(x_, requestor_, SelectionNotify, &event) != 0))
      if (poll(&source, 1, 10000) <= 0) return reply;
    if (event.xselection.property == None) return reply;
    reply.converted = true;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x_, requestor_, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success)
      return reply;
    if (type != 0) {
      char* name = XGetAtomName(x_, type);
      reply.type = name;
      XFree(name);
    }
    if (format == 8 && data != nullptr) reply.bytes.assign(reinterpret_cast<char*>(data), count);
    if (format == 32 && data != nullptr)
      for (unsigned long i = 0; i < count; ++i) {
        char* name = XGetAtomName(x_, reinterpret_cast<Atom*>(data)[i]);
        reply.atoms.push_back(name);
        XFree(name);
      }
    if (data != nullptr) XFree(data);
    return reply;
  }

  static bool Lists(const Reply& reply, const char* target) {
    for (const std::string& atom : reply.atoms)
      if (atom == target) return true;
    return false;
  }

  Display* x_ = nullptr;
  Window requestor_ = 0;
  Atom clipboard_ = 0;
  HWND window_ = nullptr;
};

TEST_F(ClipboardX11Test, TextReachesOtherProgramsAsUtf8AndLatin1) {
  // "Pipe é 10 €", a new line, "Node 20": e acute (0xE9) and the euro sign
  // (0x80) in Windows-1252, lines ended the Windows way.
  CopyText("Pipe \xE9 10 \x80\r\nNode 20");
  EXPECT_NE(XGetSelectionOwner(x_, clipboard_), static_cast<Window>(None));

  Reply targets = Request("TARGETS");
  ASSERT_TRUE(targets.converted);
  EXPECT_EQ(targets.type, "ATOM");
  EXPECT_TRUE(Lists(targets, "TARGETS"));
  EXPECT_TRUE(Lists(targets, "UTF8_STRING"));
  EXPECT_TRUE(Lists(targets, "STRING"));
  EXPECT_TRUE(Lists(targets, "TEXT"));
  EXPECT_FALSE(Lists(targets, "image/png"));

  Reply utf8 = Request("UTF8_STRING");
  ASSERT_TRUE(utf8.converted);
  EXPECT_EQ(utf8.type, "UTF8_STRING");
  EXPECT_EQ(utf8.bytes, "Pipe \xC3\xA9 10 \xE2\x82\xAC\nNode 20");  // U+00E9, U+20AC
  Reply text = Request("TEXT");
  ASSERT_TRUE(text.converted);
  EXPECT_EQ(text.bytes, utf8.bytes);
  // ISO 8859-1 has e acute at the same byte but no euro sign.
  Reply latin1 = Request("STRING");
  ASSERT_TRUE(latin1.converted);
  EXPECT_EQ(latin1.type, "STRING");
  EXPECT_EQ(latin1.bytes, "Pipe \xE9 10 ?\nNode 20");

  Reply png = Request("image/png");
  EXPECT_TRUE(png.arrived);
  EXPECT_FALSE(png.converted);
  Reply unknown = Request("application/x-quorvel-unknown");
  EXPECT_TRUE(unknown.arrived);
  EXPECT_FALSE(unknown.converted);
}

TEST_F(ClipboardX11Test, BitmapReachesOtherProgramsAsPng) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(memory, x, y, Distinct(x, y));
  SelectObject(memory, previous);
  DeleteDC(memory);
  Copy(CF_BITMAP, bitmap);

  Reply targets = Request("TARGETS");
  ASSERT_TRUE(targets.converted);
  EXPECT_TRUE(Lists(targets, "image/png"));
  EXPECT_FALSE(Lists(targets, "UTF8_STRING"));
  Reply png = Request("image/png");
  ASSERT_TRUE(png.converted);
  EXPECT_EQ(png.type, "image/png");
  ASSERT_GT(png.bytes.size(), 8u);
  EXPECT_EQ(png.bytes.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));

  struct Source {
    const std::string* bytes;
    std::size_t at;
  } source{&png.bytes, 0};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(
      [](void* closure, unsigned char* data, unsigned int length) {
        auto* s = static_cast<Source*>(closure);
        if (s->at + length > s->bytes->size()) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, s->bytes->data() + s->at, length);
        s->at += length;
        return CAIRO_STATUS_SUCCESS;
      },
      &source);
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_width(image), 4);
  ASSERT_EQ(cairo_image_surface_get_height(image), 3);
  cairo_surface_flush(image);
  const unsigned char* rows = cairo_image_surface_get_data(image);
  int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(rows + y * stride)[x];
      COLORREF colour = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
      EXPECT_EQ(colour, Distinct(x, y)) << x << "," << y;
    }
  cairo_surface_destroy(image);
}

TEST_F(ClipboardX11Test, EmptyingTheClipboardGivesTheSelectionUp) {
  CopyText("Node 10");
  ASSERT_NE(XGetSelectionOwner(x_, clipboard_), static_cast<Window>(None));
  Copy(CF_TEXT, nullptr);  // emptied and closed with nothing in it
  EXPECT_EQ(XGetSelectionOwner(x_, clipboard_), static_cast<Window>(None));
  CopyText("Node 20");
  Reply utf8 = Request("UTF8_STRING");
  ASSERT_TRUE(utf8.converted);
  EXPECT_EQ(utf8.bytes, "Node 20");
}

TEST_F(ClipboardX11Test, SelectionTakenByAnotherProgramIsLeftToIt) {
  CopyText("Node 10");
  Window ours = XGetSelectionOwner(x_, clipboard_);
  ASSERT_NE(ours, static_cast<Window>(None));
  XSetSelectionOwner(x_, clipboard_, requestor_, CurrentTime);
  XSync(x_, False);
  platform::SyncPresenter();  // the presenter has seen its SelectionClear
  // Neither reading nor emptying the program's clipboard may take the
  // selection from the other program.
  std::string kept;
  EXPECT_TRUE(platform::GetClipboardText(window_, &kept));
  EXPECT_EQ(kept, "Node 10");
  platform::SyncPresenter();
  EXPECT_EQ(XGetSelectionOwner(x_, clipboard_), requestor_);
  Copy(CF_TEXT, nullptr);
  EXPECT_EQ(XGetSelectionOwner(x_, clipboard_), requestor_);
  // A new copy takes it back.
  CopyText("Node 30");
  EXPECT_EQ(XGetSelectionOwner(x_, clipboard_), ours);
  Reply utf8 = Request("UTF8_STRING");
  ASSERT_TRUE(utf8.converted);
  EXPECT_EQ(utf8.bytes, "Node 30");
}

}  // namespace
