// Refining the layout (see RefineRows.h).
#include "editing/RefineRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "editing/RenumberNodes.h"
#include "editing/SplitRows.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Regenerate.h"
#include "model/RowOperations.h"
#include "platform/Dialog.h"
#include "properties/JacketClearance.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGravity = 386.4;         // inch per second squared
constexpr double kWaterDensity = 0.03609;  // pound per cubic inch

// Ends a refinement part way: the message is shown, the rows split so far
// stay.
struct RefineStop {
  std::string message;
};

bool IsJacketed(ElementType type) { return type == ElementType::JacketedPipe || type == ElementType::JacketedBend; }

// The names of the pipe a row's refinement works with: the jacket's on a
// jacketed row.
void PipeNames(const LayoutRow& row, std::string& material, std::string& section, std::string& load) {
  material = row.material;
  section = row.section;
  load = row.load;
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(row.element.get())) {
    material = pipe->jacketMaterial;
    section = pipe->jacketSection;
  } else if (const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get())) {
    material = bend->jacketMaterial;
    section = bend->jacketSection;
  }
}

const PipeSection* SectionOf(const Model& model, const LayoutRow& row) {
  std::string material, section, load;
  PipeNames(row, material, section, load);
  const int index = FindSectionByName(model.sections, section);
  return index > 0 ? &model.sections[index] : nullptr;
}

const Material* MaterialOf(const Model& model, const LayoutRow& row) {
  std::string material, section, load;
  PipeNames(row, material, section, load);
  const int index = FindMaterialByName(model.materials, material);
  return index > 0 ? &model.materials[index] : nullptr;
}

double Distance(const Model& model, int a, int b) {
  if (a < 1 || b < 1 || a > model.nodes.count || b > model.nodes.count) return 0.0;
  return NodeDistanceDouble(model.nodes, a, b);
}

// The element type of the row that made node `index`.
ElementType CreatorType(const Model& model, int index) {
  if (index < 1 || index > model.nodes.count) return ElementType::None;
  const int row = model.nodes[index].row;
  return row >= 1 && row <= model.rowCount ? model.row(row).elementType : ElementType::None;
}

int CreatorRow(const Model& model, int index) {
  return index >= 1 && index <= model.nodes.count ? model.nodes[index].row : 0;
}

bool IsPipeType(ElementType type) { return type == ElementType::Pipe || type == ElementType::JacketedPipe; }

// One refinement: the piece length of each row, the refined flag, and the
// limits checked before every split.
class Refinement {
 public:
  explicit Refinement(Model& model) : model_(model) {}
  bool refined = false;

  // Splits the row at f with node S; stops before a limit is passed.
  void Split(int row, double f, std::int32_t S) {
    if (model_.rowCount >= kMaxLayoutRows) throw RefineStop{"Maximum number of rows exceeded"};
    if (model_.nodes.count + 2 > kMaxNodes) throw RefineStop{NodeLimitMessage()};
    if (S < 1) throw RefineStop{"New node number > 99999"};
    refined = true;
    Take(S);
    SplitRow(model_, row, f, S);
  }
  // The next free number after `after`: free in the node table and not
  // given to a piece already.
  std::int32_t Next(std::int32_t after) {
    if (usedStale_) {
      used_ = UsedNodeNumbers(model_.nodes);
      usedStale_ = false;
    }
    return NextFreeNodeNumber(used_, after, model_.nodeIncrement > 0 ? model_.nodeIncrement : 1);
  }
  void Take(std::int32_t S) {
    if (S >= 1 && S < static_cast<std::int32_t>(used_.size())) used_[static_cast<std::size_t>(S)] = true;
  }

  // While a pass is planned, the pieces of each row are kept and the rows
  // are split together at the end of the pass (ApplyPlans), so the model is
  // made once per pass instead of once per piece. Splitting a row moves no
  // node, so every decision of the pass reads the same geometry either way.
  bool planned = false;

  void ApplyPlans() {
    std::size_t keep = plans_.size();
    std::string stop;
    int rows = model_.rowCount, nodes = model_.nodes.count;
    for (std::size_t i = 0; i < plans_.size(); ++i) {
      const int pieces = static_cast<int>(plans_[i].fractions.size());
      const int perPiece = IsJacketed(model_.row(plans_[i].row).elementType) ? 2 : 1;
      if (rows + pieces > kMaxLayoutRows) stop = "Maximum number of rows exceeded";
      else if (nodes + pieces * perPiece + 2 > kMaxNodes) stop = NodeLimitMessage();
      if (!stop.empty()) {
        keep = i;
        break;
      }
      rows += pieces;
      nodes += pieces * perPiece;
    }
    // From the last row up, so the rows above keep their places.
    for (std::size_t i = keep; i-- > 0;) InsertSplitPieces(model_, plans_[i].row, plans_[i].fractions, plans_[i].nodes);
    plans_.clear();
    usedStale_ = true;
    if (keep > 0) {
      refined = true;
      RefreshAfterModelEdit(model_);
    }
    if (!stop.empty()) throw RefineStop{stop};
  }

  void TowardEnd(int row, double p, bool whole) {
    if (row < 1 || row > model_.rowCount || !(p > 0.0) || !std::isfinite(p)) return;
    const LayoutRow& r = model_.row(row);
    if (r.startNode < 1) return;
    std::int32_t S = Next(model_.nodes[r.startNode].id);
    const double L = Distance(model_, r.startNode, r.endNode);
    const double e = Distance(model_, r.runEnd, r.endNode);
    if (L - p < 0.01) return;
    double z = whole ? L : BuriedRefineLength(model_, row);
    if (!(z > 0.0) || L <= e + p) return;
    const int before = CreatorRow(model_, r.runStart);
    double R = L;
    bool zoneCut = false;
    Pieces pieces(*this, row);
    do {
      double f = 0.0;
      if (R <= z) {
        f = p / R;
        R -= p;
      } else {
        if (!zoneCut && before > 0 && IsBendElementType(model_.row(before).elementType)) {
          const double t = Distance(model_, model_.row(before).runEnd, model_.row(before).endNode);
          if (R - z < t) {
            z -= t;
            zoneCut = true;
          }
        }
        f = (R - z) / R;
        R = z;
      }
      if (!(f > 0.0 && f < 1.0)) break;
      pieces.Add(f, S);
      S = Next(S);
    } while (R > e + p);
  }

  void FromStart(int row, double p, bool whole) {
    if (row < 1 || row > model_.rowCount || !(p > 0.0) || !std::isfinite(p)) return;
    const LayoutRow& r = model_.row(row);
    if (r.startNode < 1) return;
    std::int32_t S = Next(model_.nodes[r.startNode].id);
    const double L = Distance(model_, r.startNode, r.endNode);
    if (L - p < 0.01) return;
    const double z = whole ? L : BuriedRefineLength(model_, row);
    const double Z = std::min(L, z);
    if (!(Z > 0.0)) return;
    long n = static_cast<long>(Z / p + 1.0);
    double R = L;
    Pieces pieces(*this, row);
    for (long k = 1; k <= n; ++k) {
      double piece = p;
      if (k == 1) {
        const int previous = PreviousElementRow(model_, row);
        const int creator = CreatorRow(model_, model_.row(row).runStart);
        if (previous > 0 && IsBendElementType(model_.row(previous).elementType) && creator > 0) {
          const double t = Distance(model_, model_.row(creator).endNode, model_.row(creator).runEnd);
          if (t > p) {
            const long q = static_cast<long>(std::trunc(std::trunc(t + p) / p));
            piece = static_cast<double>(q) * p;
            n += 1 - q;
          }
        }
      }
      const double f = piece / R;
      R -= piece;
      if (R <= 0.0 || !(f > 0.0 && f < 1.0)) continue;
      pieces.Add(f, S);
      S = Next(S);
    }
  }

 private:
  struct Plan {
    int row = 0;
    std::vector<double> fractions;
    std::vector<std::int32_t> nodes;
  };
  // The pieces of one row, split at once or kept for the pass's end.
  class Pieces {
   public:
    Pieces(Refinement& owner, int row) : owner_(owner), row_(row) { plan_.row = row; }
    void Add(double f, std::int32_t S) {
      if (!owner_.planned) {
        owner_.Split(row_++, f, S);
        return;
      }
      if (S < 1) throw RefineStop{"New node number > 99999"};
      owner_.Take(S);
      plan_.fractions.push_back(f);
      plan_.nodes.push_back(S);
    }
    ~Pieces() {
      if (owner_.planned && !plan_.fractions.empty()) owner_.plans_.push_back(std::move(plan_));
    }

   private:
    Refinement& owner_;
    int row_;
    Plan plan_;
  };

  Model& model_;
  std::vector<Plan> plans_;
  std::vector<bool> used_;
  bool usedStale_ = true;
};

// Twice the outside diameter of the row's pipe; 0 without a section.
double TwiceDiameter(const Model& model, const LayoutRow& row) {
  const PipeSection* section = SectionOf(model, row);
  return section != nullptr ? 2.0 * section->outsideDiameter : 0.0;
}

bool IsBuried(const Model& model, const LayoutRow& row) {
  const PipeSection* section = SectionOf(model, row);
  return section != nullptr && !section->soil.empty() && FindSoilByName(model.soils, section->soil) > 0;
}

double SpacingOf(const Model& model, int row, double frequency) {
  const PipeSection* section = SectionOf(model, model.row(row));
  const Material* material = MaterialOf(model, model.row(row));
  if (section == nullptr || material == nullptr) return 0.0;
  return MassPointSpacing(model, row, *section, *material, frequency);
}

// The buried refinement splits as it walks (a pipe's remainder may be cut
// again toward a branch at its end); the dynamic one plans each pass, whose
// pieces are never cut again.
template <typename PieceLength>
void WalkPasses(Model& model, Refinement& refine, bool buried, PieceLength pieceLength) {
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (!IsBendElementType(row.elementType)) continue;
    if (buried && !IsBuried(model, row)) continue;
    const double p = pieceLength(r);
    const ElementType b = CreatorType(model, row.runStart);
    const double c = Distance(model, row.runStart, row.runEnd);
    if (c < 0.01 && IsPipeType(b))
      refine.TowardEnd(r - 1, p, !buried);
    else if (c > p)
      refine.TowardEnd(r, p, !buried);
  }
  if (refine.planned) refine.ApplyPlans();
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (!IsPipeType(row.elementType)) continue;
    const double p = pieceLength(r);
    if (!buried) {
      refine.FromStart(r, p, true);
      continue;
    }
    const ElementType b = CreatorType(model, row.runStart);
    const double c = Distance(model, row.runStart, row.runEnd);
    if (c < p || !IsBuried(model, row)) continue;
    if (IsBendElementType(b) || IsBranchNode(model, row.runStart))
      refine.FromStart(r, p, false);
    else if (IsBranchNode(model, row.runEnd))
      refine.TowardEnd(r, p, false);
  }
  if (refine.planned) refine.ApplyPlans();
}

// A planned pass that stops part way still splits the rows it planned.
template <typename PieceLength>
void RunPasses(Model& model, Refinement& refine, bool buried, PieceLength pieceLength) {
  refine.planned = !buried;
  try {
    WalkPasses(model, refine, buried, pieceLength);
  } catch (...) {
    if (refine.planned) {
      try {
        refine.ApplyPlans();
      } catch (const RefineStop&) {
      }
    }
    throw;
  }
}

bool Finish(const RefineOutcome& outcome, HWND owner, const char* question) {
  if (!outcome.stop.empty()) ShowErrorMessage(owner, outcome.stop);
  if (outcome.refined && MessageBoxDialog(owner, question, IDYES)) RenumberNodesDialog(owner);
  return outcome.refined;
}

// --- the dialog -----------------------------------------------------------------------

struct RefineDialogState {
  DialogHelper helper;
  bool buried = true;
  double frequency = 0.0;
};

INT_PTR RefineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<RefineDialogState*>(message == WM_INITDIALOG ? lParam
                                                                               : GetWindowLongPtr(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      state->helper.DialogBind(dialog);
      state->helper.DialogCheckRadio(1401, 1402, 1401);
      state->helper.DialogSetItemText(1301, IntegerToText(TheModel().options.CutOffFrequency));
      state->helper.DialogDisableItem(1301);
      CenterWindowOnParent(dialog, IDOK);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case 1401:
        case 1402:
          state->buried = LOWORD(wParam) == 1401;
          state->helper.DialogEnableItem(1301, !state->buried);
          return TRUE;
        case IDOK: {
          std::int32_t frequency = 0;
          try {
            state->helper.DialogGetItemText(1301);
            if (g_EditFieldText.empty()) ThrowRequiredField("Mass Modeling Frequency");
            if (ParseFieldInteger(frequency) != 0) ThrowInvalidField("Mass Modeling Frequency");
          } catch (const std::string& text) {
            state->helper.DialogFocusInvalid(text);
            return TRUE;
          }
          state->frequency = frequency;
          state->buried = state->helper.DialogIsChecked(1401);
          EndDialog(dialog, 1);
          return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

double RowWeightPerLength(const Model& model, int rowNumber, const PipeSection& section, const Material& material) {
  const LayoutRow& row = model.row(rowNumber);
  const double D = section.outsideDiameter, t = section.thickness;
  const double ro = D / 2.0, ri = ro - t;
  const double ti = section.insulationThickness;
  const double insulation = kPi / 4.0 * ((D + 2.0 * ti) * (D + 2.0 * ti) - D * D) * section.insulationDensity;
  const double rl = ri - section.liningThickness;
  char text[160];
  if (rl < 0.0) {
    std::snprintf(text, sizeof text, "Row %d: Lining thickness > internal radius", rowNumber);
    throw std::string(text);
  }
  const double lining = kPi * (ri * ri - rl * rl) * section.liningDensity;
  double area = kPi * rl * rl;
  if (IsJacketed(row.elementType)) {
    const int core = FindSectionByName(model.sections, row.section);
    if (core > 0) {
      // The analysis's own rule and message; a core that fits leaves an
      // annulus of 0 or more.
      if (std::string refusal = JacketRowClearanceRefusal(model, rowNumber); !refusal.empty()) throw refusal;
      const double bore = JacketBore(section, section.thickness), dc = InsulatedCoreDiameter(model.sections[core]);
      area = kPi * (bore * bore - dc * dc) / 4.0;
    }
  }
  const int load = FindPipeLoadByName(model.pipeLoads, row.load);
  const double gravity = load > 0 ? model.pipeLoads[load].specificGravity : 0.0;
  const double additional = load > 0 ? model.pipeLoads[load].additionalWeight : 0.0;
  const double content = gravity * area * kWaterDensity;
  double metal = 0.0;
  switch (row.elementType) {
    case ElementType::Pipe:
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedPipe:
    case ElementType::JacketedBend:
    case ElementType::Reducer: metal = kPi * (ro * ro - ri * ri) * material.density; break;
    default: break;
  }
  return content + lining + insulation + metal + additional;
}

double MassPointSpacing(const Model& model, int row, const PipeSection& section, const Material& material,
                        double frequency) {
  if (!(frequency > 0.0)) return 0.0;
  const double w = RowWeightPerLength(model, row, section, material);
  const double ro = section.outsideDiameter / 2.0, ri = ro - section.thickness;
  const double I = kPi * (std::pow(ro, 4) - std::pow(ri, 4)) / 4.0;
  const double E = MaterialValueAtTemp(material, model.options.ReferenceTemperature);
  if (!(w > 0.0) || !(E > 0.0) || !(I > 0.0)) return 0.0;
  const double spacing = 0.5 * std::sqrt(kPi / (2.0 * frequency)) * std::pow(E * I * kGravity / w, 0.25);
  return std::isfinite(spacing) ? spacing : 0.0;
}

double BuriedRefineLength(const Model& model, int rowNumber) {
  const LayoutRow& row = model.row(rowNumber);
  const PipeSection* section = SectionOf(model, row);
  const Material* material = MaterialOf(model, row);
  if (section == nullptr || material == nullptr || section->soil.empty()) return 0.0;
  const int soilIndex = FindSoilByName(model.soils, section->soil);
  if (soilIndex < 1) return 0.0;
  const Soil& soil = model.soils[soilIndex];
  if (row.runStart < 1 || row.runEnd < 1) return 0.0;
  const NodeRecord& a = model.nodes[row.runStart];
  const NodeRecord& b = model.nodes[row.runEnd];
  const bool z = model.options.ZVertical != 0;
  const double mean = z ? (double(a.z) + b.z) / 2.0 : (double(a.y) + b.y) / 2.0;
  const double H = soil.groundLevel - mean;
  const double D = section->outsideDiameter, t = section->thickness;
  if (!(H > 0.0) || !(D > 0.0)) return 0.0;
  const double k = (0.285 * H / D + 4.3) * soil.density * D * 80.0;
  const double I = kPi * (std::pow(D, 4) - std::pow(D - 2.0 * t, 4)) / 64.0;
  const double E = MaterialValueAtTemp(*material, model.options.ReferenceTemperature);
  if (!(k > 0.0) || !(E > 0.0) || !(I > 0.0)) return 0.0;
  const double beta = std::pow(k / (4.0 * E * I), 0.25);
  return 3.0 * kPi / (4.0 * beta);
}

int LargestSectionAtNode(const Model& model, int nodeIndex) {
  if (nodeIndex < 1 || nodeIndex > model.nodes.count) return 0;
  const std::int32_t number = model.nodes[nodeIndex].id;
  int best = 0;
  float widest = 0.0f;
  for (int r = 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if (row.node != number) continue;
    switch (row.elementType) {
      case ElementType::From:
      case ElementType::Location:
      case ElementType::HingeJoint:
      case ElementType::BallJoint:
      case ElementType::Elastic:
      case ElementType::Comment:
      case ElementType::TieRod:
      case ElementType::None: continue;
      default: break;
    }
    const int section = FindSectionByName(model.sections, row.section);
    if (section > 0 && model.sections[section].outsideDiameter > widest) {
      widest = model.sections[section].outsideDiameter;
      best = section;
    }
  }
  return best;
}

RefineOutcome RefineMassPoints(Model& model, double frequency) {
  Refinement refine(model);
  RefineOutcome outcome;
  try {
    RunPasses(model, refine, false, [&](int r) { return SpacingOf(model, r, frequency); });
  } catch (const RefineStop& halt) {
    outcome.stop = halt.message;
  } catch (const std::string& message) {
    outcome.stop = message;
  }
  outcome.refined = refine.refined;
  return outcome;
}

RefineOutcome RefineBuriedRows(Model& model) {
  Refinement refine(model);
  RefineOutcome outcome;
  try {
    RunPasses(model, refine, true, [&](int r) { return TwiceDiameter(model, model.row(r)); });
  } catch (const RefineStop& halt) {
    outcome.stop = halt.message;
  } catch (const std::string& message) {
    outcome.stop = message;
  }
  outcome.refined = refine.refined;
  return outcome;
}

bool RefineNodalMesh(Model& model, double frequency, HWND owner) {
  // No frequency above 0 gives a mass point spacing: the user learns why
  // nothing was refined.
  if (!(frequency > 0.0)) throw std::string("Mass Modeling Frequency should be > 0: the nodal mesh is not refined.");
  return Finish(RefineMassPoints(model, frequency), owner, "Want to Renumber nodes of refined Nodal Mesh?");
}

bool RefineBuriedLayout(Model& model, HWND owner) {
  if (model.soils.count == 0) throw std::string("Soil not modelled to refine layout.");
  if (!MessageBoxDialog(owner, "Discretize buried portions of the stress layout. Do you want to proceed?", IDYES))
    return false;
  return Finish(RefineBuriedRows(model), owner, "Want to Renumber nodes of discretized layout?");
}

bool RefineBranchesForB31J(Model& model, HWND owner) {
  bool any = false;
  for (int r = 1; r <= model.rowCount && !any; ++r) any = model.row(r).dataType == DataType::BranchSif;
  if (!any) {
    ShowInfoMessage(owner, "No Branch SIFs defined to refine");
    return false;
  }
  if (model.options.UseB31J == 0) {
    ShowInfoMessage(owner, "\"Use B31J for SIFs and Flexibility Factors\" is off: there is nothing to refine.");
    return false;
  }
  Refinement refine(model);
  std::string stop;
  // Splits `row` (the row that made the node, for a Location row) at the
  // distance of half the largest diameter at `node` from that node.
  auto splitNear = [&](int r, int node, bool atEnd) {
    int target = r;
    if (model.row(r).elementType == ElementType::Location) target = CreatorRow(model, node);
    if (target < 1 || target > model.rowCount) return;
    const int section = LargestSectionAtNode(model, node);
    if (section == 0) return;
    const LayoutRow& row = model.row(target);
    const double L = Distance(model, row.startNode, row.endNode);
    const double h = model.sections[section].outsideDiameter / 2.0;
    if (L <= h || std::fabs(L - h) < 0.0001) return;
    const double f = atEnd ? 1.0 - h / L : h / L;
    if (f < 0.00001) return;
    const std::int32_t S = refine.Next(model.nodes[atEnd ? row.runEnd : row.startNode].id);
    refine.Split(target, f, S);
  };
  try {
    for (int r = 1; r <= model.rowCount; ++r) {
      if (model.row(r).runEnd > 0 && IsBranchNode(model, model.row(r).runEnd)) splitNear(r, model.row(r).endNode, true);
      if (model.row(r).runStart > 0 && IsBranchNode(model, model.row(r).runStart))
        splitNear(r, model.row(r).startNode, false);
    }
  } catch (const RefineStop& halt) {
    stop = halt.message;
  }
  if (!refine.refined && stop.empty()) {
    ShowInfoMessage(owner, "Model already refined");
    return false;
  }
  return Finish({refine.refined, stop}, owner, "Want to Renumber nodes of refined layout?");
}

bool RefineLayoutDialog(HWND owner, bool& buried, double& frequency) {
  RefineDialogState state;
  if (DialogBoxParam(InstanceHandle, "REFINE_LAYOUT", owner, RefineProc, reinterpret_cast<LPARAM>(&state)) != 1)
    return false;
  buried = state.buried;
  frequency = state.frequency;
  return true;
}
