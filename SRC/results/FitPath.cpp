// The text-fitting routine (see FitPath.h).
#include "results/FitPath.h"

#include <functional>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Paint.h"

namespace {

constexpr char kEllipsis[] = "...";

using Measure = std::function<int(const std::string&)>;

// The positions of the separators of the path.
std::vector<std::size_t> Separators(const std::string& text) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '/' || text[i] == '\\') positions.push_back(i);
  return positions;
}

std::string CutFromLeft(const std::string& text, int width, const Measure& measure) {
  for (std::size_t start = 1; start < text.size(); ++start) {
    std::string candidate = kEllipsis + text.substr(start);
    if (measure(candidate) <= width) return candidate;
  }
  return kEllipsis;
}

std::string Fit(const std::string& text, int width, const Measure& measure) {
  if (measure(text) <= width) return text;
  const std::vector<std::size_t> separators = Separators(text);
  // Keep the text up to and with the second separator ("/home/") and drop
  // whole folders after it, the leftmost first.
  if (separators.size() >= 3) {
    const std::size_t head = separators[separators[0] == 0 ? 1 : 0] + 1;
    for (std::size_t i = 0; i < separators.size(); ++i) {
      if (separators[i] < head) continue;
      std::string candidate = text.substr(0, head) + kEllipsis + text.substr(separators[i]);
      if (measure(candidate) <= width) return candidate;
    }
  }
  return CutFromLeft(text, width, measure);
}

}  // namespace

std::string FitPathToWidth(const std::string& text, HWND control, int width) {
  HDC dc = GetDC(control);
  if (dc == nullptr) return text;
  HFONT font = reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  const Measure measure = [dc](const std::string& candidate) {
    SIZE size{};
    GetTextExtentPoint32(dc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
    return static_cast<int>(size.cx);
  };
  std::string fitted = Fit(text, width, measure);
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return fitted;
}
