// The CLIPBOARD selection owned for the program's clipboard. The owner is an
// unmapped input-only window of the presenter's own, so the selection does
// not depend on any of the program's windows staying alive.
//
// A request is answered by writing the converted data into the property the
// requestor named on its window and sending it SelectionNotify with that
// property, or with None when the request is refused (an unknown target, no
// such data now, data too large, or the selection no longer ours).
// Ownership is taken with CurrentTime: the program's clipboard changes
// outside X events (a menu command, a timer), and a later change must win.
#include "platform/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

#include "platform/Presenter.h"
#include "platform/Windows1252.h"

namespace platform {

struct X11Clipboard::Request {
  ::Window requestor;
  Atom selection;
  Atom target;
  Atom property;
  Time time;
};

namespace {

// Windows line ends (CR LF) become the X convention (LF).
std::string UnixLineEnds(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  return result;
}

}  // namespace

X11Clipboard::X11Clipboard(Display* display) : display_(display) {
  window_ = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                          CopyFromParent, 0, nullptr);
  clipboard_ = XInternAtom(display, "CLIPBOARD", False);
  targets_ = XInternAtom(display, "TARGETS", False);
  utf8_ = XInternAtom(display, "UTF8_STRING", False);
  text_ = XInternAtom(display, "TEXT", False);
  png_ = XInternAtom(display, "image/png", False);
  long units = XExtendedMaxRequestSize(display);
  if (units == 0) units = XMaxRequestSize(display);
  // A ChangeProperty request carries 24 bytes (28 as a big request) besides its data.
  maxBytes_ = static_cast<std::size_t>(units) * 4 - 64;
}

X11Clipboard::~X11Clipboard() { XDestroyWindow(display_, window_); }

void X11Clipboard::Offer(unsigned kinds) {
  kinds_ = kinds;
  if (kinds != 0) {
    XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
    owned_ = XGetSelectionOwner(display_, clipboard_) == window_;
  } else if (owned_) {
    // Only while it is still ours: another client may have taken it and its
    // SelectionClear may not have arrived yet.
    if (XGetSelectionOwner(display_, clipboard_) == window_)
      XSetSelectionOwner(display_, clipboard_, None, CurrentTime);
    owned_ = false;
  }
}

void X11Clipboard::Handle(const XEvent& event) {
  if (event.type == SelectionClear) {
    if (event.xselectionclear.window == window_ && event.xselectionclear.selection == clipboard_) owned_ = false;
    return;
  }
  if (event.type != SelectionRequest || event.xselectionrequest.owner != window_) return;
  const XSelectionRequestEvent& asked = event.xselectionrequest;
  // Clients of before ICCCM name no property; the target's name serves.
  Answer(Request{asked.requestor, asked.selection, asked.target,
                 asked.property != None ? asked.property : asked.target, asked.time});
}

void X11Clipboard::Answer(const Request& request) {
  bool done = owned_ && request.selection == clipboard_ && Convert(request);
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = display_;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.property = done ? request.property : None;
  reply.xselection.time = request.time;
  XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
}

bool X11Clipboard::Convert(const Request& request) {
  bool text = (kinds_ & kOfferText) != 0, image = (kinds_ & kOfferImage) != 0;
  if (request.target == targets_) {
    std::vector<Atom> offered{targets_};
    if (text) offered.insert(offered.end(), {utf8_, XA_STRING, text_});
    if (image) offered.push_back(png_);
    XChangeProperty(display_, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered.data()), static_cast<int>(offered.size()));
    return true;
  }
  std::string bytes;
  if (request.target == utf8_ || request.target == text_ || request.target == XA_STRING) {
    if (!text || !ClipboardTextForOthers(&bytes)) return false;
    bytes = UnixLineEnds(bytes);
    if (request.target == XA_STRING) return Store(request, XA_STRING, Latin1From1252(bytes));
    return Store(request, utf8_, Utf8From1252(bytes));
  }
  if (request.target == png_) return image && ClipboardPngForOthers(&bytes) && Store(request, png_, bytes);
  return false;
}

bool X11Clipboard::Store(const Request& request, Atom type, const std::string& bytes) {
  if (bytes.size() > maxBytes_) return false;
  XChangeProperty(display_, request.requestor, request.property, type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
  return true;
}

}  // namespace platform
