// General routines of the framework (see General.h). AssertFailed is the
// one road of programming errors; the rest are small helpers.
#include "services/General.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "services/Assert.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"

std::atomic<bool> AnalysisRunning{false};
std::atomic<bool> DebugOutputEnabled{false};

namespace {

// The rotation set by SetAxisRotation: R (3 x 3) and t = point - R point.
struct AxisRotation {
  float r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  float t[3] = {0, 0, 0};
};
AxisRotation g_axisRotation;

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string FileNameOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string AssertionMessage(const char* expression, const char* file, int line) {
  return CFormat("Assertion failed...\n%s\nfile %s, line %d", expression, file, line);
}

void AssertFailed(const char* expression, const char* file, int line) {
  const std::string message = AssertionMessage(expression, file, line);
  ShowErrorOnForeground(message);
  // An assertion during the start-up comes before the commands are known.
  const ProgramCommandTable& commands = ProgramCommands();
  if (commands.modelHasUnsavedChanges != nullptr && commands.modelHasUnsavedChanges())
    commands.querySaveModelChanges(GetForegroundWindow());
  if (AnalysisRunning.load()) throw std::string("Analysis aborted.");
  std::exit(1);
}

void ErrorBeep() { Beep(1000, 100); }

void StripBlanksUpper(char* text) {
  char* out = text;
  for (const char* in = text; *in != '\0'; ++in) {
    if (*in == ' ') continue;
    *out++ = (*in >= 'a' && *in <= 'z') ? static_cast<char>(*in - 'a' + 'A') : *in;
  }
  *out = '\0';
}

void StripBlanksUpper(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  text.swap(out);
}

void TrimBlanks(char* text) {
  std::size_t begin = 0;
  while (text[begin] == ' ') ++begin;
  std::size_t end = std::strlen(text);
  while (end > begin && text[end - 1] == ' ') --end;
  std::memmove(text, text + begin, end - begin);
  text[end - begin] = '\0';
}

void TrimBlanks(std::string& text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) {
    text.clear();
    return;
  }
  text = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

void AppendBlank() { g_EditFieldText += ' '; }

void DebugOutput(const char* text) { std::fputs(text, stderr); }

void DebugOutputInt(int value) { DebugOutput(CFormat("%d\n", value).c_str()); }

void DebugPrintf(const char* format, ...) {
  if (!DebugOutputEnabled.load()) return;
  char buffer[kDebugBufferSize];
  va_list arguments;
  va_start(arguments, format);
  CVsnprintf(buffer, sizeof buffer, format, arguments);  // cuts a longer text
  va_end(arguments);
  DebugOutput(buffer);
}

namespace {

bool& TitledResults() {
  static bool results = false;
  return results;
}

}  // namespace

void TitlesNameResults(bool results) { TitledResults() = results; }

std::string CurrentFileTitle() {
  const std::string& path = ProgramCommands().openModelPath();
  const std::string name = FileNameOf(path);
  if (name.empty()) return "Untitled";
  std::string title = name;
  if (TitledResults()) {
    const std::size_t dot = name.find_last_of('.');
    title = (dot == std::string::npos ? name : name.substr(0, dot)) + ".res";
  }
  AppendFolderInParens(title, path.substr(0, path.size() - name.size()));
  return title;
}

void SetWindowTitle(HWND window, const std::string& name) {
  const std::string title = ProgramTitle + " : " + name + " -  [" + CurrentFileTitle() + "]";
  SetWindowText(window, title.c_str());
}

void MakeTitleSuffix(std::string& text) { text += " - [" + CurrentFileTitle() + "]"; }

void AppendFolderInParens(std::string& text, const std::string& folder) {
  std::string shown = folder;
  if (shown.size() > 1 && IsPathSeparator(shown.back())) shown.pop_back();
  text += " (" + shown + ")";
}

void ShowLastError(HWND owner) {
  const int error = errno;
  // Programs run under the "C" messages locale, so the text is English.
  std::string text = std::strerror(error);
  constexpr std::size_t kLimit = 256;
  if (text.size() > kLimit) text.resize(kLimit);
  MessageBox(owner, text.c_str(), "Quorvel", MB_OK | MB_ICONERROR);
}

void PumpOneMessage() {
  MSG message{};
  if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) return;
  if (message.message == WM_QUIT) {
    // Taken by mistake: the loop that ends on it must still see it.
    PostQuitMessage(static_cast<int>(message.wParam));
    return;
  }
  TranslateMessage(&message);
  DispatchMessage(&message);
}

void InitPropertyPages(PROPSHEETPAGE* pages, int count) {
  for (int i = 0; i < count; ++i) {
    pages[i] = PROPSHEETPAGE{};
    pages[i].dwSize = sizeof(PROPSHEETPAGE);
    pages[i].hInstance = InstanceHandle;
  }
}

void SetPropertyPage(PROPSHEETPAGE* pages, int index, const char* templateName, DLGPROC procedure,
                     LPARAM parameter) {
  PROPSHEETPAGE& page = pages[index];
  page.pszTemplate = templateName;
  page.pfnDlgProc = procedure;
  page.lParam = parameter;
}

void InitPropertySheetHeader(PROPSHEETHEADER& header, const PROPSHEETPAGE* pages, HWND parent, const char* caption,
                             int count, int startPage, PFNPROPSHEETCALLBACK callback) {
  header = PROPSHEETHEADER{};
  header.dwSize = sizeof(PROPSHEETHEADER);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hwndParent = parent;
  header.hInstance = InstanceHandle;
  header.hIcon = nullptr;
  header.pszCaption = caption;
  header.nPages = static_cast<UINT>(count);
  header.nStartPage = static_cast<UINT>(startPage);
  header.ppsp = pages;
  header.pfnCallback = callback;
}

void SwapFloats(float& a, float& b) {
  const float kept = a;
  a = b;
  b = kept;
}

float Length2(float x, float y) { return std::sqrt(x * x + y * y); }

float Length3(float x, float y, float z) { return std::sqrt(x * x + y * y + z * z); }

void Normalize3(float v[3]) {
  const float length = Length3(v[0], v[1], v[2]);
  if (length == 0.0f) return;
  for (int i = 0; i < 3; ++i) v[i] /= length;
}

float AngleBetween3(const float a[3], const float b[3]) {
  const float lengths = Length3(a[0], a[1], a[2]) * Length3(b[0], b[1], b[2]);
  if (lengths == 0.0f) return 0.0f;
  float cosine = (a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / lengths;
  if (cosine > 1.0f) cosine = 1.0f;
  if (cosine < -1.0f) cosine = -1.0f;
  return std::acos(cosine);
}

void SetAxisRotation(const float point[3], const float axis[3], float angle) {
  // The unit axis n from its spherical angles: cos t = z / length,
  // f = atan(y / x) turned into the right quadrant.
  const float length = Length3(axis[0], axis[1], axis[2]);
  float n[3] = {0.0f, 0.0f, 1.0f};
  if (length != 0.0f) {
    const float pi = 3.14159265358979f;
    const float theta = std::acos(axis[2] / length);
    float phi;
    if (axis[0] == 0.0f)
      phi = axis[1] < 0.0f ? 1.5f * pi : 0.5f * pi;
    else
      phi = std::atan(axis[1] / axis[0]) + (axis[0] < 0.0f ? pi : 0.0f);
    n[0] = std::sin(theta) * std::cos(phi);
    n[1] = std::sin(theta) * std::sin(phi);
    n[2] = std::cos(theta);
  }
  // Rodrigues: R = cos a I + (1 - cos a) n n^T + sin a [n]x.
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float cross[3][3] = {{0.0f, -n[2], n[1]}, {n[2], 0.0f, -n[0]}, {-n[1], n[0], 0.0f}};
  AxisRotation& rotation = g_axisRotation;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      rotation.r[i][j] = (i == j ? c : 0.0f) + (1.0f - c) * n[i] * n[j] + s * cross[i][j];
  for (int i = 0; i < 3; ++i)
    rotation.t[i] = point[i] - (rotation.r[i][0] * point[0] + rotation.r[i][1] * point[1] +
                                rotation.r[i][2] * point[2]);
}

void ApplyAxisRotation(float point[3]) {
  const AxisRotation& rotation = g_axisRotation;
  float turned[3];
  for (int i = 0; i < 3; ++i)
    turned[i] = rotation.r[i][0] * point[0] + rotation.r[i][1] * point[1] +
                rotation.r[i][2] * point[2] + rotation.t[i];
  for (int i = 0; i < 3; ++i) point[i] = turned[i];
}

namespace {

// The interval of an ascending axis for `value`: the first i whose upper end
// axis[i + 1] is not below it, else the last; and the position t within it.
int AxisInterval(const float* axis, int n, float value, float& t) {
  int i = 0;
  while (i < n - 2 && axis[i + 1] < value) ++i;
  const float span = axis[i + 1] - axis[i];
  t = span != 0.0f ? (value - axis[i]) / span : 0.0f;
  return i;
}

}  // namespace

float InterpolateTable2D(const float* xs, const float* ys, const float* values, int nx, int ny,
                         float x, float y) {
  QV_ASSERT(nx >= 2 && ny >= 2);
  float tx, ty;
  const int i = AxisInterval(xs, nx, x, tx);
  const int j = AxisInterval(ys, ny, y, ty);
  auto at = [&](int a, int b) { return values[b * nx + a]; };
  const float low = at(i, j) + tx * (at(i + 1, j) - at(i, j));
  const float high = at(i, j + 1) + tx * (at(i + 1, j + 1) - at(i, j + 1));
  return low + ty * (high - low);
}

float InterpolateTable3D(const float* xs, const float* ys, const float* zs, const float* values,
                         int nx, int ny, int nz, float x, float y, float z) {
  QV_ASSERT(nx >= 2 && ny >= 2 && nz >= 2);
  float tx, ty, tz;
  const int i = AxisInterval(xs, nx, x, tx);
  const int j = AxisInterval(ys, ny, y, ty);
  const int k = AxisInterval(zs, nz, z, tz);
  auto at = [&](int a, int b, int c) { return values[(c * ny + b) * nx + a]; };
  auto plane = [&](int c) {
    const float low = at(i, j, c) + tx * (at(i + 1, j, c) - at(i, j, c));
    const float high = at(i, j + 1, c) + tx * (at(i + 1, j + 1, c) - at(i, j + 1, c));
    return low + ty * (high - low);
  };
  const float front = plane(k);
  return front + tz * (plane(k + 1) - front);
}

std::string FormatDate(int year, int month, int day) {
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) return {};
  return CFormat("%s %d,%d", kMonths[month - 1], day, year);
}

std::string FormatTodayDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    ErrorBeep();
    return {};
  }
  return FormatDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
