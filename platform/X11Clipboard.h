// The program's clipboard offered to other X clients: while the program's
// clipboard holds text or a bitmap, a hidden window of the presenter owns the
// CLIPBOARD selection and answers requests for TARGETS, UTF8_STRING, STRING
// (ISO 8859-1), TEXT (as UTF-8) and image/png. Text goes out with Unix line
// ends. The data is read from the layer only when a request comes.
//
// Everything here runs on the X presenter's thread, which owns the
// connection. Another client taking the selection (SelectionClear) ends the
// offer until the program changes its clipboard again. Data too large for
// one property is refused (no incremental transfer).
//
// No X header is included here: their macros would leak into the layer.
#pragma once

#include <string>

struct _XDisplay;
union _XEvent;

namespace platform {

class X11Clipboard {
 public:
  explicit X11Clipboard(_XDisplay* display);
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  // `kinds`: ClipboardOffer bits (Presenter.h); 0 gives the selection up.
  void Offer(unsigned kinds);
  // A SelectionRequest or SelectionClear for the clipboard's window.
  void Handle(const _XEvent& event);

 private:
  struct Request;
  void Answer(const Request& request);
  bool Convert(const Request& request);
  bool Store(const Request& request, unsigned long type, const std::string& bytes);

  _XDisplay* display_;
  unsigned long window_ = 0;
  unsigned long clipboard_ = 0, targets_ = 0, utf8_ = 0, text_ = 0, png_ = 0;
  std::size_t maxBytes_ = 0;
  unsigned kinds_ = 0;
  bool owned_ = false;
};

}  // namespace platform
