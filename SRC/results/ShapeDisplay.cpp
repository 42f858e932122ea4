// The shape displays of the results; see ShapeDisplay.h.
#include "results/ShapeDisplay.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <numbers>
#include <thread>

#include "elements/Bend.h"
#include "model/Drawing2D.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "results/DynamicStresses.h"
#include "results/ModalTables.h"
#include "results/OtherSelectors.h"
#include "results/ShapeOverlay.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/DialogHelper.h"
#include "services/Frame.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

float g_MaxMagnification = 0.0f;

namespace {

constexpr int kShapeCommand = 216, kAnimationCommand = 221;
constexpr int kMagnificationField = 1301, kApplyButton = 999, kResetButton = 1001;
constexpr float kLargestMagnification = 1.0e6f;

bool g_DeflectedShown = false;
bool g_ModeShown = false;

using V3 = std::array<double, 3>;

// --- which shape the current table shows ------------------------------------------------

bool ModeView() {
  const ResultOpener current = ResultsReopenCommand();
  return current == OpenFrequenciesTable || current == OpenModeShapeTable || current == OpenDynamicStressesTable ||
         current == OpenDynamicSusceptibilityTable;
}

bool DisplacementView() { return ResultsReopenCommand() == OpenChosenDisplacementsTable; }

// Loads the values of the case or mode shown; the magnification a shape of
// the same case or mode was shown with stays (a reload would clear it).
void LoadShownValues() {
  static int lastSource = 0;
  const int source = ModeView() ? -g_CurrentMode : g_ResultCase;
  const float kept = g_Magnification, keptLargest = g_MaxMagnification;
  if (ModeView()) LoadModeShape(TheModel());
  else LoadCaseDisplacements(TheModel());
  if (source == lastSource) {
    g_Magnification = kept;
    g_MaxMagnification = keptLargest;
  } else {
    g_MaxMagnification = 0.0f;
  }
  lastSource = source;
}

std::string CaseShapeTitle() { return "Deflected shape: " + CurrentCaseTitle(); }

void SetItemText(int id, const std::string& text) {
  if (ResultsFrame().menu != nullptr)
    ModifyMenu(ResultsFrame().menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
}

void PressButton(int id, bool pressed) { SetResultsButtonPressed(id, pressed); }

// The overlay of the values loaded now.
std::shared_ptr<ShapeOverlay> MakeOverlay(int segments, bool animated) {
  auto overlay = std::make_shared<ShapeOverlay>();
  const Model& model = TheModel();
  overlay->lines = ShapeLines(model, g_CaseDisplacements, segments);
  for (int node = 1; node < static_cast<int>(g_CaseDisplacements.size()) && node <= model.nodes.count; ++node) {
    const auto& v = g_CaseDisplacements[static_cast<std::size_t>(node)];
    overlay->nodeMoves.push_back({v[0], v[1], v[2]});
  }
  overlay->animated = animated;
  const ResultOpener current = ResultsReopenCommand();
  const DynamicStressResults& dynamic = TheDynamicStresses();
  if ((current == OpenDynamicStressesTable || current == OpenDynamicSusceptibilityTable) && dynamic.available &&
      g_CurrentMode >= 1 && g_CurrentMode < static_cast<int>(dynamic.modes.size())) {
    const ModeSusceptibility& mode = dynamic.modes[static_cast<std::size_t>(g_CurrentMode)];
    for (int position : {mode.maxStress, mode.maxDisplacement}) {
      if (position < 1 || position >= static_cast<int>(dynamic.positionNode.size())) continue;
      if (position == mode.maxDisplacement && position == mode.maxStress && !overlay->marks.empty()) continue;
      const int node = dynamic.positionNode[static_cast<std::size_t>(position)];
      if (node < 1 || node >= static_cast<int>(g_CaseDisplacements.size()) || node > model.nodes.count) continue;
      const NodeRecord& record = model.nodes[node];
      const auto& v = g_CaseDisplacements[static_cast<std::size_t>(node)];
      overlay->marks.push_back(ShapePoint{{record.x, record.y, record.z}, {v[0], v[1], v[2]}});
    }
  }
  return overlay;
}

// The magnification in force for the overlay: the default when none is set,
// never above the largest.
float MagnificationFor(const ShapeOverlay& overlay) {
  if (g_Magnification == 0.0f || g_MaxMagnification == 0.0f) {
    const float largest = LargestProjectedMove(overlay);
    g_MaxMagnification = std::min(ViewWidthUnits() / (largest + 1.0e-7f), kLargestMagnification);
    if (g_Magnification == 0.0f) g_Magnification = 0.05f * g_MaxMagnification;
  }
  g_Magnification = std::min(g_Magnification, g_MaxMagnification);
  return g_Magnification;
}

void ShowStill(const std::string& title) {
  StopPainting();
  LoadShownValues();
  std::shared_ptr<ShapeOverlay> overlay = MakeOverlay(8, false);
  const float scale = MagnificationFor(*overlay);
  SetShapeOverlay(overlay, scale);
  SetGraphicsTitle(title);
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), title);
  PressButton(kShapeCommand, true);
}

void EndStill() {
  ClearShapeOverlay();
  PressButton(kShapeCommand, false);
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), "Graphics");
}

// --- the animation thread ---------------------------------------------------------------

struct Animation {
  std::thread thread;
  std::atomic<bool> stop{false};
  std::mutex lock;
  std::condition_variable wake;
  std::atomic<bool> running{false};
  bool deflected = false;
};

Animation& TheAnimation() {
  static Animation animation;
  return animation;
}

// Waits `ms` or until told to stop; true when told to stop.
bool WaitOrStop(Animation& animation, int ms) {
  std::unique_lock<std::mutex> lock(animation.lock);
  return animation.wake.wait_for(lock, std::chrono::milliseconds(ms), [&] { return animation.stop.load(); });
}

void AnimationLoop(Animation& animation, float amplitude, int frames, double range, bool deflected) {
  while (!animation.stop) {
    for (int k = 0; k < frames; ++k) {
      if (animation.stop) return;
      SetShapeOverlayScale(static_cast<float>(std::sin(k * range / frames)) * amplitude);
      if (WaitOrStop(animation, 30)) return;
      if (deflected && k == frames - 1 && WaitOrStop(animation, 500)) return;
    }
  }
}

// --- geometry -------------------------------------------------------------------------------------

V3 Sub(const V3& a, const V3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

std::array<float, 3> ToFloat(const V3& v) {
  return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

V3 Point(const NodeRecord& node) { return {node.x, node.y, node.z}; }

// A straight line between the displaced ends.
std::vector<ShapePoint> StraightPoints(const V3& p1, const V3& p2, const std::array<float, 6>& d1,
                                       const std::array<float, 6>& d2) {
  return {ShapePoint{ToFloat(p1), {d1[0], d1[1], d1[2]}}, ShapePoint{ToFloat(p2), {d2[0], d2[1], d2[2]}}};
}

// The arc of a bend, its end translations interpolated along the angle.
std::vector<ShapePoint> BendPoints(const Model& model, const Bend& bend, int node1, int node2,
                                   const std::array<float, 6>& d1, const std::array<float, 6>& d2, int segments) {
  LocalFrame frame;
  const double angle = BendArcGeometry(frame, model.nodes, node1, node2, bend.centre, bend.radius);
  const V3 p1 = Point(model.nodes[node1]);
  const double R = bend.radius;
  std::vector<ShapePoint> points;
  for (int k = 0; k <= segments; ++k) {
    const double phi = k * angle / segments, t = static_cast<double>(k) / segments;
    ShapePoint p;
    for (int i = 0; i < 3; ++i) {
      const auto c = static_cast<std::size_t>(i);
      p.base[c] = static_cast<float>(p1[c] + R * std::sin(phi) * frame.x[c] + R * (1.0 - std::cos(phi)) * frame.y[c]);
      p.move[c] = static_cast<float>(d1[c] + t * (d2[c] - d1[c]));
    }
    points.push_back(p);
  }
  return points;
}

}  // namespace

bool DeflectedShapeShown() { return g_DeflectedShown; }
bool ModeShapeShown() { return g_ModeShown; }
bool AnimationRunning() { return TheAnimation().running; }

std::string ShapeItemText() {
  if (ModeView()) return g_ModeShown ? "&Hide Mode Shape" : "&Show Mode Shape";
  return g_DeflectedShown ? "&Hide Deflected Shape\t Ctrl+D" : "&Show deflected shape\t Ctrl+D";
}

std::string AnimationItemText() {
  const bool running = AnimationRunning();
  if (ModeView())
    return running ? "&Hide animated mode shape\t Ctrl+Shift+A" : "&Show animated mode shape\t Ctrl+Shift+A";
  return running ? "&Hide animated deflected shape\t Ctrl+Shift+A" : "&Show animated deflected shape\t Ctrl+Shift+A";
}

std::vector<ShapePoint> BeamShapePoints(const std::array<float, 3>& p1f, const std::array<float, 3>& p2f,
                                        const std::array<float, 6>& d1, const std::array<float, 6>& d2, int segments) {
  const V3 p1{p1f[0], p1f[1], p1f[2]}, p2{p2f[0], p2f[1], p2f[2]};
  const V3 c = Sub(p2, p1);
  const double L = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  if (segments <= 1 || L <= 0.0) return StraightPoints(p1, p2, d1, d2);
  const double h = std::hypot(c[0], c[1]);
  const double cosT = h >= 0.0001 ? c[0] / h : 1.0, sinT = h >= 0.0001 ? c[1] / h : 0.0;
  const double a = c[2] / L, b = h / L;
  // Columns of R: the element's x along the pipe, y horizontal, z the third.
  const V3 e1{b * cosT, b * sinT, a}, e2{-sinT, cosT, 0.0}, e3{-a * cosT, -a * sinT, b};
  // R is orthonormal: its inverse is its transpose.
  auto local = [&](const std::array<float, 6>& d, int offset) {
    const V3 v{d[static_cast<std::size_t>(offset)], d[static_cast<std::size_t>(offset + 1)],
               d[static_cast<std::size_t>(offset + 2)]};
    auto dot = [&v](const V3& e) { return e[0] * v[0] + e[1] * v[1] + e[2] * v[2]; };
    return V3{dot(e1), dot(e2), dot(e3)};
  };
  const V3 t1 = local(d1, 0), t2 = local(d2, 0), r1 = local(d1, 3), r2 = local(d2, 3);
  const double A3 = ((r2[2] + r1[2]) * L - 2.0 * (t2[1] - t1[1])) / (L * L * L);
  const double A2 = ((t2[1] - t1[1]) - r1[2] * L - A3 * L * L * L) / (L * L);
  const double B3 = -(2.0 * (t2[2] - t1[2]) + (r2[1] + r1[1]) * L) / (L * L * L);
  const double B2 = ((t2[2] - t1[2]) + r1[1] * L - B3 * L * L * L) / (L * L);
  std::vector<ShapePoint> points;
  points.push_back(ShapePoint{ToFloat(p1), {d1[0], d1[1], d1[2]}});
  for (int k = 1; k < segments; ++k) {
    const double s = k * L / segments;
    const double ax = t1[0] + s * (t2[0] - t1[0]) / L;
    const double ay = ((A3 * s + A2) * s + r1[2]) * s + t1[1];
    const double az = ((B3 * s + B2) * s - r1[1]) * s + t1[2];
    ShapePoint p;
    for (std::size_t i = 0; i < 3; ++i) {
      p.base[i] = static_cast<float>(p1[i] + s / L * c[i]);
      p.move[i] = static_cast<float>(e1[i] * ax + e2[i] * ay + e3[i] * az);
    }
    points.push_back(p);
  }
  points.push_back(ShapePoint{ToFloat(p2), {d2[0], d2[1], d2[2]}});
  return points;
}

std::vector<std::vector<ShapePoint>> ShapeLines(const Model& model, const std::vector<std::array<float, 6>>& values,
                                                int segments) {
  std::vector<std::vector<ShapePoint>> lines;
  const ResultsFileContents& results = TheResults();
  static const std::array<float, 6> none{};
  auto at = [&values](int node) -> const std::array<float, 6>& {
    return node >= 1 && node < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(node)] : none;
  };
  for (int e = 1; e <= results.elementCount; ++e) {
    const AnalysisElement& element = results.elements[static_cast<std::size_t>(e)];
    if (element.node1 < 1 || element.node2 < 1 || element.node1 > model.nodes.count || element.node2 > model.nodes.count)
      continue;
    const V3 p1 = Point(model.nodes[element.node1]), p2 = Point(model.nodes[element.node2]);
    const auto& d1 = at(element.node1);
    const auto& d2 = at(element.node2);
    const auto kind = static_cast<ElementType>(element.kind);
    if (kind == ElementType::Pipe || kind == ElementType::Beam) {
      lines.push_back(BeamShapePoints(ToFloat(p1), ToFloat(p2), d1, d2, segments));
      continue;
    }
    const LayoutRow* row = element.row >= 1 && element.row <= model.rowCount ? &model.row(element.row) : nullptr;
    const auto* bend = row != nullptr ? dynamic_cast<const Bend*>(row->element.get()) : nullptr;
    if (kind == ElementType::Bend && segments > 1 && bend != nullptr && bend->radius > 0.0f) {
      lines.push_back(BendPoints(model, *bend, element.node1, element.node2, d1, d2, segments));
      continue;
    }
    lines.push_back(StraightPoints(p1, p2, d1, d2));
  }
  return lines;
}

int AnimationSegments(int elements) {
  if (elements < 25) return 8;
  if (elements < 50) return 6;
  if (elements < 100) return 4;
  if (elements < 150) return 2;
  return 1;
}

int AnimationFrames(int elements) {
  if (elements < 8) return 32;
  if (elements <= 11) return 24;
  return 20;
}

void ShowModeShape() {
  if (ResultModeCount() == 0) return;
  StopAnimation();
  g_ModeShown = true;
  g_DeflectedShown = false;
  ShowStill(CurrentModeTitle());
  SetItemText(kShapeCommand, ShapeItemText());
}

void HideModeShape() {
  if (!g_ModeShown) return;
  g_ModeShown = false;
  EndStill();
  SetItemText(kShapeCommand, ShapeItemText());
}

void ShowDeflectedShape() {
  if (TheResultCases().count == 0) return;
  StopAnimation();
  g_DeflectedShown = true;
  g_ModeShown = false;
  char factor[64];
  ShowStill(CaseShapeTitle());
  std::snprintf(factor, sizeof factor, ", Magnification factor = %.1f", g_Magnification);
  SetGraphicsTitle(CaseShapeTitle() + factor);
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), CaseShapeTitle() + factor);
  SetItemText(kShapeCommand, ShapeItemText());
}

void HideDeflectedShape() {
  if (!g_DeflectedShown) return;
  g_DeflectedShown = false;
  EndStill();
  SetItemText(kShapeCommand, ShapeItemText());
}

void ToggleShape() {
  if (ModeView()) {
    if (g_ModeShown) HideModeShape();
    else ShowModeShape();
  } else if (DisplacementView()) {
    if (g_DeflectedShown) HideDeflectedShape();
    else ShowDeflectedShape();
  }
}

void StartAnimation() {
  const bool mode = ModeView();
  if (!mode && !DisplacementView()) return;
  if (mode ? ResultModeCount() == 0 : TheResultCases().count == 0) return;
  StopAnimation();
  HideHighlight();
  HideModeShape();
  HideDeflectedShape();
  StopPainting();
  LoadShownValues();
  const int elements = TheResults().elementCount;
  std::shared_ptr<ShapeOverlay> overlay = MakeOverlay(AnimationSegments(elements), true);
  const float amplitude = MagnificationFor(*overlay);
  SetShapeOverlay(overlay, 0.0f);
  SetGraphicsTitle(mode ? CurrentModeTitle() : CaseShapeTitle());
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), mode ? CurrentModeTitle() : CaseShapeTitle());
  Animation& animation = TheAnimation();
  animation.stop = false;
  animation.deflected = !mode;
  int frames = AnimationFrames(elements);
  double range = 2.0 * std::numbers::pi;
  if (!mode) {
    frames *= 2;
    range = std::numbers::pi / 2.0;
  }
  try {
    animation.thread = std::thread(AnimationLoop, std::ref(animation), amplitude, frames, range, !mode);
  } catch (const std::system_error&) {
    ClearShapeOverlay();
    ShowErrorMessage(GraphicsFrame().window, "Unable to create Animation thread");
    return;
  }
  animation.running = true;
  PressButton(kAnimationCommand, true);
  SetItemText(kAnimationCommand, AnimationItemText());
}

void StopAnimation() {
  Animation& animation = TheAnimation();
  if (!animation.running) return;
  {
    std::lock_guard<std::mutex> lock(animation.lock);
    animation.stop = true;
  }
  animation.wake.notify_all();
  if (animation.thread.joinable()) animation.thread.join();
  animation.running = false;
  ClearShapeOverlay();
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), "Graphics");
  PressButton(kAnimationCommand, false);
  SetItemText(kAnimationCommand, AnimationItemText());
}

void ToggleAnimation() {
  if (AnimationRunning()) StopAnimation();
  else StartAnimation();
}

void HideShapeDisplays() {
  StopAnimation();
  HideModeShape();
  HideDeflectedShape();
}

namespace {
bool g_Refreshing = false;
}  // namespace

void RefreshKeepingShapes(ResultTableWindow& table) {
  g_Refreshing = true;
  RefreshShownTable(table);
  g_Refreshing = false;
}

void HideShapesOnClose() {
  if (!g_Refreshing) HideShapeDisplays();
}

void ShapeSourceChanged() {
  const bool animated = AnimationRunning();
  if (animated) StopAnimation();
  if (g_ModeShown) ShowModeShape();
  else if (g_DeflectedShown) ShowDeflectedShape();
  if (animated && !IsIconic(ResultsFrame().window)) StartAnimation();
}

std::string CheckMagnification(const std::string& text, float largest, float& value) {
  float read = 0.0f;
  std::string trimmed = text;
  TrimBlanks(trimmed);
  if (trimmed.empty() || ParseReal(trimmed, read) != 0 || read < 0.0f) return FormatFieldError("Magnification", trimmed, "is invalid");
  if (largest > 0.0f && read > largest) read = largest;
  value = read;
  return {};
}

namespace {

DialogHelper& Helper() {
  static DialogHelper helper;
  return helper;
}

void ShowMagnificationText() {
  Helper().DialogSetItemText(kMagnificationField, g_Magnification == 0.0f ? std::string()
                                                                          : std::string(FormatFixedWidthTrim(g_Magnification, 10, 0)));
}

void RefreshShape() {
  if (g_ModeShown) ShowModeShape();
  else if (AnimationRunning()) {
    StopAnimation();
    StartAnimation();
  } else if (g_DeflectedShown) ShowDeflectedShape();
}

bool ApplyMagnification(HWND dialog) {
  float value = 0.0f;
  const std::string message =
      CheckMagnification(Helper().DialogReadItemText(kMagnificationField), g_MaxMagnification, value);
  if (!message.empty()) {
    ShowErrorMessage(dialog, message);
    SetFocus(GetDlgItem(dialog, kMagnificationField));
    return false;
  }
  g_Magnification = value;
  RefreshShape();
  return true;
}

INT_PTR MagnificationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      Helper().DialogBind(dialog);
      ShowMagnificationText();
      Helper().DialogSelectAndFocus(kMagnificationField);
      CenterDialogOnFrame(dialog, IDOK);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kApplyButton: ApplyMagnification(dialog); return TRUE;
        case IDOK:
          if (ApplyMagnification(dialog)) EndDialog(dialog, 1);
          return TRUE;
        case kResetButton:
          g_Magnification = 0.0f;
          g_MaxMagnification = 0.0f;
          RefreshShape();
          ShowMagnificationText();
          return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

void MagnificationDialog(HWND owner) {
  StopPainting();
  DialogBox(InstanceHandle, "MAGNIFICATION_DIALOG", owner, MagnificationDialogProc);
}
