// Splitting rows (see SplitRows.h).
#include "editing/SplitRows.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kNodeField = 1301, kSecondField = 1302, kPiecesField = 1303;
constexpr int kFromStart = 1001, kFromEnd = 1002;
constexpr int kTitleLine = 1501, kLengthLine = 1502, kUnitLabel = 1602;
constexpr std::int32_t kSuffixUnit = 100000;
constexpr const char* kOnCurve = "Intermediate node is on curved portion";

ElementType PieceType(ElementType type) {
  switch (type) {
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend: return ElementType::JacketedPipe;
    case ElementType::Beam: return ElementType::Beam;
    default: return ElementType::Pipe;
  }
}

void JacketNames(const ElementData* element, std::string& material, std::string& section, std::string& load) {
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(element)) {
    material = pipe->jacketMaterial;
    section = pipe->jacketSection;
    load = pipe->jacketLoad;
  } else if (const auto* bend = dynamic_cast<const JacketedBend*>(element)) {
    material = bend->jacketMaterial;
    section = bend->jacketSection;
    load = bend->jacketLoad;
  }
}

double Distance(const Model& model, int a, int b) {
  if (a < 1 || b < 1) return 0.0;
  return NodeDistanceDouble(model.nodes, a, b);
}

// The geometry a split dialog checks against: the row's length, and the
// curves of a bend on the row and of a bend before it.
struct SplitGeometry {
  double length = 0.0;
  double curveStart = -1.0;  // distance start node -> runEnd on a bend row; < 0 none
  double curveEnd = -1.0;    // distance start node -> runStart after a bend; < 0 none
};

SplitGeometry GeometryOf(const Model& model, int row) {
  const LayoutRow& r = model.row(row);
  SplitGeometry g;
  g.length = Distance(model, r.startNode, r.endNode);
  if (IsBendElementType(r.elementType)) g.curveStart = Distance(model, r.startNode, r.runEnd);
  const int previous = PreviousElementRow(model, row);
  if (previous > 0 && IsBendElementType(model.row(previous).elementType))
    g.curveEnd = Distance(model, r.startNode, r.runStart);
  return g;
}

// --- the dialogs ---------------------------------------------------------------

struct SplitDialogState {
  DialogHelper helper;
  int row = 0;
  bool multiple = false;
  SplitRequest* request = nullptr;
  SplitGeometry geometry;
};

SplitDialogState& StateOf(HWND dialog) {
  return *reinterpret_cast<SplitDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

void OnInit(HWND dialog, SplitDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  const Model& model = TheModel();
  const LayoutRow& row = model.row(state.row);
  char text[160];
  std::snprintf(text, sizeof text, "Split Row  #  %d", state.row);
  SetWindowText(dialog, text);
  const int previous = PreviousElementRow(model, state.row);
  const std::string fromNode = previous > 0 ? NodeNumberText(model.row(previous).node) : "";
  const std::string toNode = NodeNumberText(row.node);
  const std::string type =
      row.elementType == ElementType::Pipe ? "Pipe" : ElementTypeName(static_cast<int>(row.elementType));
  helper.DialogSetItemText(kTitleLine, type + "  From  " + fromNode + "  To  " + toNode);
  helper.DialogSetItemText(kLengthLine, std::string("Length = ") + FormatLength(static_cast<float>(state.geometry.length)) +
                                            "  " + UnitLabel(kUnitLength));
  if (!state.multiple) {
    helper.DialogSetUnitLabel(kUnitLabel, kUnitLength);
    helper.DialogSetItemText(kFromStart, "From Node " + fromNode);
    helper.DialogSetItemText(kFromEnd, "From Node " + toNode);
    helper.DialogCheckRadio(kFromStart, kFromEnd, kFromStart);
  } else if (model.nodeIncrement > 0) {
    helper.DialogSetItemText(kSecondField, IntegerToText(model.nodeIncrement));
  }
  helper.DialogFocusItem(kNodeField);
  CenterWindowOnParent(dialog, IDOK);
}

// A new node number: required, a node number, no suffix.
std::int32_t ReadNewNode(DialogHelper& helper, const char* label) {
  helper.DialogGetItemText(kNodeField);
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  std::int32_t plain = 0;
  if (ParseFieldInteger(plain) == 0 && plain > kSuffixUnit) throw std::string("Node number should not have a suffix");
  std::int32_t node = 0;
  if (ReadNodeNumberField(node) != kNodeOk || node < 1) ThrowInvalidField(label);
  return node;
}

void CheckSingle(SplitDialogState& state) {
  DialogHelper& helper = state.helper;
  const SplitGeometry& g = state.geometry;
  const std::int32_t node = ReadNewNode(helper, "Intermediate Node");
  if (FindNodeIndex(TheModel().nodes, node) != 0) throw std::string("Intermediate node is already defined");
  helper.DialogGetItemText(kSecondField);
  if (g_EditFieldText.empty()) ThrowRequiredField("Split distance");
  float distance = 0.0f;
  if (ParseFieldLength(distance) != 0 || !(distance > 0.0f)) ThrowInvalidField("Split distance");
  if (distance >= g.length) throw std::string("Split distance  >=  Length");
  double f = distance / g.length;
  if (helper.DialogIsChecked(kFromEnd)) f = 1.0 - f;
  if (g.curveStart >= 0.0 && f > 0.995 * g.curveStart / g.length) throw std::string(kOnCurve);
  if (g.curveEnd >= 0.0 && f < 1.005 * g.curveEnd / g.length) throw std::string(kOnCurve);
  state.request->fraction = f;
  state.request->node = node;
  state.request->pieces = 0;
}

void CheckMultiple(SplitDialogState& state) {
  DialogHelper& helper = state.helper;
  const Model& model = TheModel();
  const SplitGeometry& g = state.geometry;
  const std::int32_t node = ReadNewNode(helper, "Intermediate Starting Node");
  helper.DialogGetItemText(kSecondField);
  std::int32_t increment = 0;
  if (ParseFieldInteger(increment) != 0 || increment < 1) ThrowInvalidField("Node increament");
  helper.DialogGetItemText(kPiecesField);
  if (g_EditFieldText.empty()) ThrowRequiredField("No. of Splits");
  std::int32_t pieces = 0;
  if (ParseFieldInteger(pieces) != 0 || pieces < 1) ThrowInvalidField("No. of splits");
  if (pieces > 1) {
    if (static_cast<std::int64_t>(node) + static_cast<std::int64_t>(pieces - 2) * increment > kMaxNodeNumber)
      throw std::string("New node number > 99999");
    if (model.rowCount + pieces - 1 > kMaxLayoutRows) throw std::string("Maximum number of rows exceeded");
    for (int i = 1; i <= pieces - 1; ++i) {
      const std::int32_t n = node + (i - 1) * increment;
      if (FindNodeIndex(model.nodes, n) == 0) continue;
      char text[80];
      std::snprintf(text, sizeof text, "Intermediate node number %d already exists", n);
      throw std::string(text);
    }
    // The last new node must stay off a bend's curve at the row's end, the
    // first off the curve of a bend before it.
    const double last = static_cast<double>(pieces - 1) / pieces, first = 1.0 / pieces;
    if (g.curveStart >= 0.0 && last > 0.995 * g.curveStart / g.length) throw std::string(kOnCurve);
    if (g.curveEnd >= 0.0 && first < 1.005 * g.curveEnd / g.length) throw std::string(kOnCurve);
  }
  state.request->node = node;
  state.request->increment = increment;
  state.request->pieces = pieces;
}

void OnOk(HWND dialog, SplitDialogState& state) {
  try {
    if (state.multiple)
      CheckMultiple(state);
    else
      CheckSingle(state);
  } catch (const std::string& message) {
    state.helper.DialogFocusInvalid(message);
    return;
  }
  state.request->row = state.row;
  EndDialog(dialog, 1);
}

INT_PTR SplitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<SplitDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) OnOk(dialog, StateOf(dialog));
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

bool RunDialog(HWND owner, int row, bool multiple, SplitRequest& request) {
  const Model& model = TheModel();
  SplitDialogState state;
  state.row = row;
  state.multiple = multiple;
  state.request = &request;
  if (row >= 1 && row <= model.rowCount) state.geometry = GeometryOf(model, row);
  const LayoutRow& r = model.row(row);
  if (row < 1 || row > model.rowCount || r.startNode == 0 || r.endNode == 0 || !(state.geometry.length > 0.0) ||
      r.elementType == ElementType::From || r.elementType == ElementType::Location) {
    throw std::string("Only an element row of some length can be split.");
  }
  const INT_PTR result = DialogBoxParam(InstanceHandle, multiple ? "MSPLIT_DIALOG" : "SPLIT_DIALOG", owner, SplitProc,
                                        reinterpret_cast<LPARAM>(&state));
  return result == 1;
}

}  // namespace

bool RowElementVector(const Model& model, int row, double v[3]) {
  const LayoutRow& r = model.row(row);
  if (r.startNode < 1 || r.startNode > model.nodes.count) return false;
  const NodeRecord& start = model.nodes[r.startNode];
  if (r.absolute) {
    v[0] = double(r.dx) - start.x;
    v[1] = double(r.dy) - start.y;
    v[2] = double(r.dz) - start.z;
    return true;
  }
  const bool small = std::fabs(std::trunc(r.dx)) < 0.01 && std::fabs(std::trunc(r.dy)) < 0.01 &&
                     std::fabs(std::trunc(r.dz)) < 0.01;
  if (small && r.endNode >= 1 && r.endNode <= model.nodes.count) {
    const NodeRecord& end = model.nodes[r.endNode];
    v[0] = double(end.x) - start.x;
    v[1] = double(end.y) - start.y;
    v[2] = double(end.z) - start.z;
    return true;
  }
  v[0] = r.dx;
  v[1] = r.dy;
  v[2] = r.dz;
  return true;
}

void InsertSplitPieces(Model& model, int row, const std::vector<double>& fractions,
                       const std::vector<std::int32_t>& nodes) {
  const int k = static_cast<int>(fractions.size());
  if (k == 0) return;
  if (model.rowCount + k > kMaxLayoutRows) throw std::string("Maximum number of rows exceeded");
  double w[3] = {0.0, 0.0, 0.0};  // what is left of the row's element vector
  RowElementVector(model, row, w);
  for (int number = model.rowCount; number >= row; --number) model.row(number + k) = std::move(model.row(number));
  model.rowCount += k;
  LayoutRow& existing = model.row(row + k);
  for (int i = 0; i < k; ++i) {
    const double f = fractions[static_cast<std::size_t>(i)];
    LayoutRow& piece = model.row(row + i);
    piece = LayoutRow();
    piece.node = nodes[static_cast<std::size_t>(i)];
    piece.absolute = existing.absolute;
    piece.material = existing.material;
    piece.section = existing.section;
    piece.load = existing.load;
    piece.elementType = PieceType(existing.elementType);
    piece.element = CreateElementData(piece.elementType);
    if (auto* jacket = dynamic_cast<JacketedPipe*>(piece.element.get()))
      JacketNames(existing.element.get(), jacket->jacketMaterial, jacket->jacketSection, jacket->jacketLoad);
    if (existing.absolute) {
      for (double& c : w) c *= 1.0 - f;
      piece.dx = static_cast<float>(existing.dx - w[0]);
      piece.dy = static_cast<float>(existing.dy - w[1]);
      piece.dz = static_cast<float>(existing.dz - w[2]);
    } else {
      piece.dx = static_cast<float>(f * w[0]);
      piece.dy = static_cast<float>(f * w[1]);
      piece.dz = static_cast<float>(f * w[2]);
      for (double& c : w) c *= 1.0 - f;
    }
  }
  if (!existing.absolute) {
    existing.dx = static_cast<float>(w[0]);
    existing.dy = static_cast<float>(w[1]);
    existing.dz = static_cast<float>(w[2]);
  }
}

void SplitRow(Model& model, int row, double f, std::int32_t S) {
  HideHighlight();
  InsertSplitPieces(model, row, {f}, {S});
  RefreshAfterModelEdit(model);
}

void SplitRowEqually(Model& model, int row, int N, std::int32_t S, std::int32_t I) {
  if (N < 2) return;
  HideHighlight();
  std::vector<double> fractions;
  std::vector<std::int32_t> nodes;
  for (int k = 1; k <= N - 1; ++k) {
    fractions.push_back(1.0 / (N - k + 1));
    nodes.push_back(S + (k - 1) * I);
  }
  InsertSplitPieces(model, row, fractions, nodes);
  RefreshAfterModelEdit(model);
}

void ApplySplit(Model& model, const SplitRequest& request) {
  if (request.pieces > 0)
    SplitRowEqually(model, request.row, request.pieces, request.node, request.increment);
  else
    SplitRow(model, request.row, request.fraction, request.node);
}

bool SplitDialog(HWND owner, int row, SplitRequest& request) { return RunDialog(owner, row, false, request); }
bool MultipleSplitDialog(HWND owner, int row, SplitRequest& request) { return RunDialog(owner, row, true, request); }
