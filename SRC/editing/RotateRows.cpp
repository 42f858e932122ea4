// Rotating rows and the change of the vertical axis (see RotateRows.h).
#include "editing/RotateRows.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "editing/LayoutTable.h"
#include "elements/ConcentratedMass.h"
#include "elements/ElasticElement.h"
#include "elements/HingeJoint.h"
#include "elements/Valve.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowRangeFields.h"
#include "platform/Dialog.h"
#include "records/Compressor.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramCommands.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "services/WindowUtilities.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"
#include "supports/GenericSupport.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr int kFromField = 1301, kToField = 1302, kAngleField = 1303, kSlopeField = 1304;
constexpr int kFirstAxis = 1401, kLastAxis = 1403;
constexpr double kPi = 3.14159265358979323846;
// A turned component below this share of the vector's length is a residue
// of the arithmetic, not a value.
constexpr double kResidue = 5.0e-6;

// The values of the last use, proposed when the dialog opens on that row.
struct RotateWork {
  int from = 0, to = 0, lastFrom = 0;
  float angle = 0.0f, slope = 0.0f;
  int axis = 0;
};
RotateWork& Work() {
  static RotateWork work;
  return work;
}

// cos and sin of an angle in degrees, exact at multiples of 90.
void CosSin(double degrees, double& c, double& s) {
  const double quarters = degrees / 90.0;
  if (quarters == std::floor(quarters) && std::fabs(quarters) < 1.0e9) {
    const long long k = static_cast<long long>(quarters) % 4;
    const int q = static_cast<int>(k < 0 ? k + 4 : k);
    const double cosines[4] = {1.0, 0.0, -1.0, 0.0};
    const double sines[4] = {0.0, 1.0, 0.0, -1.0};
    c = cosines[q];
    s = sines[q];
    return;
  }
  const double a = degrees * kPi / 180.0;
  c = std::cos(a);
  s = std::sin(a);
}

using Matrix = double[3][3];

// A right-handed turn about axis 0 X, 1 Y, 2 Z.
void BuildMatrix(Matrix m, double degrees, int axis) {
  double c = 1.0, s = 0.0;
  CosSin(degrees, c, s);
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;  // the plane of the turn
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) m[r][k] = r == k ? 1.0 : 0.0;
  m[i][i] = c;
  m[i][j] = -s;
  m[j][i] = s;
  m[j][j] = c;
}

bool TurnVector(const Matrix m, float& x, float& y, float& z) {
  const double v[3] = {x, y, z};
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  float turned[3];
  for (int r = 0; r < 3; ++r) {
    const double value = m[r][0] * v[0] + m[r][1] * v[1] + m[r][2] * v[2];
    turned[r] = std::fabs(value) < kResidue * length ? 0.0f : static_cast<float>(value);
  }
  const bool changed = turned[0] != x || turned[1] != y || turned[2] != z;
  x = turned[0];
  y = turned[1];
  z = turned[2];
  return changed;
}

bool IsTurned(ElementType type, bool wholeModel) {
  switch (type) {
    case ElementType::Comment:
    case ElementType::HydrotestLoad:
    case ElementType::BallJoint:
    case ElementType::HingeJoint: return false;
    case ElementType::Location: return wholeModel;
    default: return true;
  }
}

bool TurnRows(Model& model, int from, int to, double degrees, int axis, bool wholeModel) {
  HideHighlight();
  if (model.rowCount == 0) return false;
  Matrix m;
  BuildMatrix(m, degrees, axis);
  bool changed = false;
  for (int r = from; r <= to && r <= model.rowCount; ++r) {
    LayoutRow& row = model.row(r);
    if (IsTurned(row.elementType, wholeModel)) changed |= TurnVector(m, row.dx, row.dy, row.dz);
  }
  return changed;
}

// --- cycling per-axis values -----------------------------------------------------------

// (a, b, c) is (x, y, z): it becomes (z, x, y) or (y, z, x).
template <typename T>
void Cycle(T& a, T& b, T& c, bool zVertical) {
  const T x = a, y = b, z = c;
  if (zVertical) {
    a = z;
    b = x;
    c = y;
  } else {
    a = y;
    b = z;
    c = x;
  }
}
template <typename T>
void Cycle(T* v, bool zVertical) {
  Cycle(v[0], v[1], v[2], zVertical);
}

// The global axis an axis index moves to (0 X, 1 Y, 2 Z).
int CycledAxis(int axis, bool zVertical) { return (axis + (zVertical ? 1 : 2)) % 3; }

// A load direction 1 FX .. 6 MZ follows its axis; 0 (none) stays.
void CycleDirection(std::int32_t& direction, bool zVertical) {
  if (direction < 1 || direction > 6) return;
  const int moment = direction > 3 ? 3 : 0;
  direction = moment + 1 + CycledAxis(direction - 1 - moment, zVertical);
}

void CycleDisplacements(SpecifiedDisplacements& displacements, bool zVertical) {
  if (!displacements.sets) return;
  auto& values = displacements.sets->values;
  for (int slot = 0; slot < kDisplacementSlots; ++slot) {
    float* first = &values[static_cast<std::size_t>(6 * slot + 1)];
    Cycle(first, zVertical);
    Cycle(first + 3, zVertical);
  }
}

// K' = P K P^T over the six degrees of freedom, kept as the upper triangle.
void CycleStiffnessMatrix(GenericSupport& support, bool zVertical) {
  const std::array<float, kGenericSupportTerms> old = support.terms;
  int source[6];  // new index -> old index
  for (int axis = 0; axis < 3; ++axis) {
    const int moved = CycledAxis(axis, zVertical);
    source[moved] = axis;
    source[moved + 3] = axis + 3;
  }
  for (int i = 1; i <= 6; ++i)
    for (int j = i; j <= 6; ++j) {
      const int a = source[i - 1] + 1, b = source[j - 1] + 1;
      support.terms[static_cast<std::size_t>(GenericSupport::TermIndex(i, j))] =
          old[static_cast<std::size_t>(GenericSupport::TermIndex(std::min(a, b), std::max(a, b)))];
    }
}

void CycleElement(ElementData* element, bool z) {
  if (auto* valve = dynamic_cast<Valve*>(element)) Cycle(valve->dx, valve->dy, valve->dz, z);
  if (auto* hinge = dynamic_cast<HingeJoint*>(element)) Cycle(hinge->axis, z);
  if (auto* elastic = dynamic_cast<ElasticElement*>(element)) {
    Cycle(elastic->localX, z);
    Cycle(elastic->localY, z);
  }
}

void CycleItem(DataItem* item, bool z) {
  if (auto* anchor = dynamic_cast<Anchor*>(item)) {
    Cycle(anchor->stiffness.data(), z);
    Cycle(anchor->stiffness.data() + 3, z);
    Cycle(anchor->releases.data(), z);
    Cycle(anchor->releases.data() + 3, z);
    CycleDisplacements(anchor->displacements, z);
  } else if (auto* restraint = dynamic_cast<Restraint*>(item)) {
    Cycle(restraint->restrainX, restraint->restrainY, restraint->restrainZ, z);
  } else if (auto* skewed = dynamic_cast<SkewedRestraint*>(item)) {
    Cycle(skewed->dirX, skewed->dirY, skewed->dirZ, z);
  } else if (auto* stop = dynamic_cast<LimitStop*>(item)) {
    Cycle(stop->dirX, stop->dirY, stop->dirZ, z);
  } else if (auto* nozzle = dynamic_cast<Nozzle*>(item)) {
    Cycle(nozzle->vesselAxis.data(), z);
    CycleDisplacements(nozzle->displacements, z);
  } else if (auto* snubber = dynamic_cast<Snubber*>(item)) {
    Cycle(snubber->dirX, snubber->dirY, snubber->dirZ, z);
  } else if (auto* force = dynamic_cast<NodalForce*>(item)) {
    Cycle(force->FX, force->FY, force->FZ, z);
    Cycle(force->MX, force->MY, force->MZ, z);
  } else if (auto* mass = dynamic_cast<ConcentratedMass*>(item)) {
    Cycle(mass->dx, mass->dy, mass->dz, z);
  } else if (auto* harmonic = dynamic_cast<HarmonicLoad*>(item)) {
    Cycle(harmonic->FX, harmonic->FY, harmonic->FZ, z);
  } else if (auto* varying = dynamic_cast<TimeVaryingLoad*>(item)) {
    CycleDirection(varying->Direction, z);
  } else if (auto* spectrum = dynamic_cast<ForceSpectrumLoad*>(item)) {
    CycleDirection(spectrum->Direction, z);
  } else if (auto* generic = dynamic_cast<GenericSupport*>(item)) {
    CycleStiffnessMatrix(*generic, z);
  }
}

// --- the dialog --------------------------------------------------------------------------

struct RotateDialogState {
  DialogHelper helper;
  int currentRow = 0;
};

void OnInit(HWND dialog, RotateDialogState& state) {
  DialogHelper& helper = state.helper;
  helper.DialogBind(dialog);
  RotateWork& work = Work();
  const int from = state.currentRow;
  for (int item : {kFromField, kToField, kAngleField}) helper.DialogLimitItemText(item, 5);
  helper.DialogCheckRadio(kFirstAxis, kLastAxis, kFirstAxis);
  if (from >= 2 && from <= TheModel().rowCount) {
    helper.DialogSetItemText(kFromField, IntegerToText(from));
    if (from != work.lastFrom) work.to = 0;
    if (work.to != 0 && work.to >= from) helper.DialogSetItemText(kToField, IntegerToText(work.to));
    if (work.angle != 0.0f) {
      char text[32];
      std::snprintf(text, sizeof text, "%.0f", static_cast<double>(work.angle));
      helper.DialogSetItemText(kAngleField, text);
    }
    helper.DialogCheckRadio(kFirstAxis, kLastAxis, kFirstAxis + (work.axis >= 0 && work.axis <= 2 ? work.axis : 0));
    helper.DialogFocusItem(kToField);
  } else {
    helper.DialogFocusItem(kFromField);
  }
  work.lastFrom = from;
  CenterWindowOnParent(dialog, IDOK);
}

// An empty field is 0.
float ReadNumber(DialogHelper& helper, int item, const char* label, bool positive) {
  helper.DialogGetItemText(item);
  float value = 0.0f;
  if (g_EditFieldText.empty()) return 0.0f;
  if (ParseFieldReal(value) != 0 || !std::isfinite(value) || (positive && value < 0.0f)) ThrowInvalidField(label);
  return value;
}

void OnOk(HWND dialog, RotateDialogState& state) {
  DialogHelper& helper = state.helper;
  Model& model = TheModel();
  RotateWork values = Work();
  try {
    values.from = ReadFromRowField(helper, kFromField, model.rowCount);
    values.to = ReadToRowField(helper, kToField, values.from, model.rowCount, 0);
    values.angle = ReadNumber(helper, kAngleField, "Rotation angle", false);
    values.slope = ReadNumber(helper, kSlopeField, "Slope", true);
    if (values.angle == 0.0f && values.slope == 0.0f) throw std::string("Rotation angle or Slope is required");
  } catch (const std::string& message) {
    helper.DialogFocusInvalid(message);
    return;
  }
  values.axis = helper.DialogCheckedRadio(kFirstAxis, kLastAxis);
  Work() = values;
  const double degrees = values.slope > 0.0f ? SlopeAngle(values.slope) : values.angle;
  const bool changed = RotateRows(model, values.from, values.to, degrees, values.axis);
  if (changed) RefreshAfterModelEdit(model);
  EndDialog(dialog, changed ? 1 : 0);
}

INT_PTR RotateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      OnInit(dialog, *reinterpret_cast<RotateDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND: {
      auto& state = *reinterpret_cast<RotateDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDOK) OnOk(dialog, state);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

bool RotateRows(Model& model, int from, int to, double degrees, int axis) {
  return TurnRows(model, from, to, degrees, axis, false);
}

double SlopeAngle(double s) { return std::atan(1.0 / s) * 180.0 / kPi; }

void ReorientAxisData(Model& model, int from, int to, bool z) {
  for (int r = from; r <= to && r <= model.rowCount; ++r) {
    LayoutRow& row = model.row(r);
    CycleElement(row.element.get(), z);
    CycleItem(row.item.get(), z);
  }
  Cycle(model.seismic.g.data(), z);
  for (WindLoad& wind : model.wind.loads) Cycle(wind.direction.data(), z);
  Cycle(model.spectrumLoad.name.data(), z);
  Cycle(model.spectrumLoad.factor.data(), z);
  for (int i = 1; i <= model.pumps.count; ++i) {
    Cycle(model.pumps[i].shaftAxis.data(), z);
    Cycle(model.pumps[i].centre.data(), z);
  }
  for (auto* table : {&model.compressors, &model.turbines})
    for (int i = 1; i <= table->count; ++i) Cycle((*table)[i].shaftAxis.data(), z);
}

bool ChangeVerticalAxis(HWND owner, Model& model) {
  if (!MessageBoxDialog(owner, "Changing axis will rotate the layout. Press 'No' to proceed without rotation.", IDYES))
    return false;
  const bool z = model.options.ZVertical != 0;
  const int rows = model.rowCount;
  // Two quarter turns: (x, y, z) to (z, x, y) for Z vertical, to (y, z, x) for Y.
  TurnRows(model, 1, rows, z ? 90.0 : -90.0, 0, true);
  TurnRows(model, 1, rows, z ? 90.0 : -90.0, z ? 2 : 1, true);
  ReorientAxisData(model, 1, rows, z);
  RefreshAfterModelEdit(model);
  // The tables show the turned values and the renamed restraint axes at
  // once, as after Edit > Rotate; the keyboard stays in the window the
  // options were opened from.
  HWND focus = GetFocus();
  if (HWND layout = ProgramCommands().layoutTableWindow(); layout != nullptr && IsWindowVisible(layout)) ReloadLayoutTable(false);
  RefreshListWindow();
  if (focus != nullptr && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
  return true;
}

int RotateRowsDialog(HWND owner, int currentRow) {
  RotateDialogState state;
  state.currentRow = currentRow;
  const INT_PTR result = DialogBoxParam(InstanceHandle, "ROTATE_ELEMENTS_DIALOG", owner, RotateProc,
                                        reinterpret_cast<LPARAM>(&state));
  return result == 1 ? 1 : 0;
}
