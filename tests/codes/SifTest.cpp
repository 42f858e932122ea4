// SIFs against hand calculations from the codes' formulas: a long-radius
// 6" elbow (h = T R / r2^2 = 0.250379) under B31.3 and B31.1, with a
// flanged end and the pressure correction; welding and reinforced tees
// under B31.3 and B31.1 (h = 3.1 T / r2) and the B31.1 branch connection
// at the element ends; reducers; the fittings at a node; user SIFs, which
// replace; and the branch radius that is too small.
#include "codes/CodeTesting.h"

#include <utility>
#include <vector>

#include "codes/CodeModel.h"
#include "codes/Sif.h"
#include "elements/Flange.h"
#include "elements/Reducer.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"

namespace {

class SifTest : public CodeModelFixture {
 protected:
  SifTables Sifs() { return ComputeSifs(CodeModel(model, elements)); }
  static const EndSifs& Start(const SifTables& t, int element) { return t.elements[static_cast<std::size_t>(element)].ends[0]; }
  static const EndSifs& End(const SifTables& t, int element) { return t.elements[static_cast<std::size_t>(element)].ends[1]; }
};

TEST_F(SifTest, LongRadiusElbowUnderB313AndB311) {
  BuildElbow();
  Make();
  const int arc = ElementOfKind(4);
  ASSERT_NE(arc, 0);
  // r2 = (6.625 - 0.280) / 2 = 3.1725; h = 0.28 x 9 / 3.1725^2 = 0.250379,
  // h^(2/3) = 0.397251. B31.3: ii = 0.9 / h^(2/3) = 2.26557, io = 0.75 /
  // h^(2/3) = 1.88798; the axial SIF marks the fitting, torsion untouched.
  SifTables t = Sifs();
  for (const EndSifs& end : {Start(t, arc), End(t, arc)}) {
    EXPECT_NEAR(end.inPlane, 2.26557, 1e-4);
    EXPECT_NEAR(end.outPlane, 1.88798, 1e-4);
    EXPECT_FLOAT_EQ(end.axial, 1.0001f);
    EXPECT_FLOAT_EQ(end.torsion, 1.0f);
  }
  // The straight pipes beside it keep 1.0.
  EXPECT_FLOAT_EQ(Start(t, ElementBetween(10, 20)).inPlane, 1.0f);
  // B31.1 takes one factor for both planes.
  model.options.PipingCode = 1;
  t = Sifs();
  EXPECT_NEAR(Start(t, arc).inPlane, 2.26557, 1e-4);
  EXPECT_NEAR(Start(t, arc).outPlane, 2.26557, 1e-4);
  // One flanged end: c = h^(1/6) = 0.793901, i = 1.79864; two: h^(1/3) =
  // 0.630278, i = 1.42794.
  auto& bend = static_cast<Bend&>(*model.row(3).element);
  bend.flangedEnds = 1;
  EXPECT_NEAR(Start(Sifs(), arc).inPlane, 1.79864, 1e-4);
  bend.flangedEnds = 2;
  EXPECT_NEAR(Start(Sifs(), arc).inPlane, 1.42794, 1e-4);
  bend.flangedEnds = 0;
  // Pressure correction (B31.1 takes E at the reference temperature) with
  // the pressure of largest magnitude and its sign, -200 psi (P2):
  // X = 1 + 3.25 (-200 / 29.5e6)(r2/T)^2.5 (R/r2)^(2/3) = 0.980919, i / X =
  // 2.30964; with T2 out of use P1 = 150 psi: X = 1.014311, i / X = 2.23361.
  model.options.PressureCorrection = 1;
  EXPECT_NEAR(Start(Sifs(), arc).inPlane, 2.30964, 1e-4);
  model.options.ThermalLoadCount = 1;
  EXPECT_NEAR(Start(Sifs(), arc).inPlane, 2.23361, 1e-4);
  // A user SIF given on the bend replaces the computed one.
  bend.inPlaneSif = 3.5f;
  EXPECT_FLOAT_EQ(Start(Sifs(), arc).inPlane, 3.5f);
}

TEST_F(SifTest, WeldingAndReinforcedTeesRaiseEveryEndAtTheirNode) {
  BranchSif& tee = BuildTee(1);
  Make();
  // B31.3 welding tee: h = 3.1 x 0.28 / 3.1725 = 0.273601; io = 0.9 /
  // h^(2/3) = 2.13549, ii = 0.75 io + 0.25 = 1.85162; run and branch alike.
  SifTables t = Sifs();
  const int node = Node(20);
  EXPECT_NEAR(t.nodes[static_cast<std::size_t>(node)].outPlane, 2.13549, 1e-4);
  for (int e : {ElementBetween(10, 20), ElementBetween(20, 30), ElementBetween(20, 25)}) {
    const EndSifs& at = elements[e].node1 == node ? Start(t, e) : End(t, e);
    EXPECT_NEAR(at.inPlane, 1.85162, 1e-4) << e;
    EXPECT_NEAR(at.outPlane, 2.13549, 1e-4) << e;
  }
  // The far ends are plain.
  EXPECT_FLOAT_EQ(Start(t, ElementBetween(10, 20)).inPlane, 1.0f);
  // B31.1: ii = io.
  model.options.PipingCode = 1;
  t = Sifs();
  EXPECT_NEAR(End(t, ElementBetween(10, 20)).inPlane, 2.13549, 1e-4);
  // Reinforced tee with a pad of 0.28 (not above 1.5 T): h = (T + Tr/2)^2.5
  // / (T^1.5 r2) = 0.243212, io = 2.30986, B31.3 ii = 1.98240.
  model.options.PipingCode = 3;
  tee.type = 2;
  tee.dimension1 = 0.28f;
  t = Sifs();
  EXPECT_NEAR(t.nodes[static_cast<std::size_t>(node)].outPlane, 2.30986, 1e-4);
  EXPECT_NEAR(t.nodes[static_cast<std::size_t>(node)].inPlane, 1.98240, 1e-4);
  // A pad thicker than 1.5 T: h = 4.05 T / r2 = 0.357447, io = 1.78691.
  tee.dimension1 = 0.5f;
  EXPECT_NEAR(Sifs().nodes[static_cast<std::size_t>(node)].outPlane, 1.78691, 1e-4);
}

TEST_F(SifTest, B311BranchConnectionAtTheElementEndsAndItsBranchRadius) {
  BranchSif& tee = BuildTee(9);
  model.options.PipingCode = 1;
  Make();
  // i = 1.5 (R/T)^(2/3) (r/R)^0.5 (t/T)(r/rp) with R = 3.1725, T = 0.28,
  // r = 2.1315, t = 0.237 and rp = d/2 = 2.25 when not given: 4.97342, on
  // the branch and on the run; the run's torsion marks the fitting.
  SifTables t = Sifs();
  const int branch = ElementBetween(20, 25), run = ElementBetween(10, 20);
  EXPECT_NEAR(Start(t, branch).inPlane, 4.97342, 1e-3);
  EXPECT_NEAR(Start(t, branch).outPlane, 4.97342, 1e-3);
  EXPECT_NEAR(End(t, run).inPlane, 4.97342, 1e-3);
  EXPECT_FLOAT_EQ(End(t, run).torsion, 1.0001f);
  // A larger rp lowers it in proportion; one below d/2 is refused.
  tee.dimension1 = 3.0f;
  EXPECT_NEAR(Start(Sifs(), branch).inPlane, 4.97342 * 2.25 / 3.0, 1e-3);
  tee.dimension1 = 2.2f;
  try {
    Sifs();
    ADD_FAILURE() << "rp below half the branch OD was accepted";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "For branch connection at node 20:\nrp < 0.5*branch od");
  }
  // Under B31.3 a branch connection has no rule: nothing is raised.
  model.options.PipingCode = 3;
  EXPECT_FLOAT_EQ(Start(Sifs(), branch).inPlane, 1.0f);
}

TEST_F(SifTest, ReducersFittingsAndUserSifs) {
  Row(10, ElementType::From, 0, 0);
  const int pipe = Row(20, ElementType::Pipe, 50, 0);
  const int reducer = Row(30, ElementType::Reducer, 10, 0);
  Row(40, ElementType::Pipe, 50, 0, "S4");
  auto& r = static_cast<Reducer&>(*model.row(reducer).element);
  r.od1 = 6.625f;
  r.thk1 = 0.28f;
  r.od2 = 4.5f;
  r.thk2 = 0.237f;
  Make();
  const int e = ElementOfKind(9);
  model.options.PipingCode = 1;
  EXPECT_FLOAT_EQ(Start(Sifs(), e).inPlane, 2.0f);  // no cone angle given
  // 20 degrees: 0.5 + 0.01 x 20 x (4.5 / 0.237)^0.5 = 1.37149 (the small end).
  r.coneAngle = 20.0f;
  EXPECT_NEAR(End(Sifs(), e).outPlane, 1.37149, 1e-4);
  model.options.PipingCode = 3;
  EXPECT_FLOAT_EQ(Start(Sifs(), e).inPlane, 1.0001f);
  // Fittings at node 20 under B31.1: a weld neck flange marks it; a butt
  // weld of 0.05 mismatch gives 0.9 + 2.7 x 0.05 / 0.237 (the thinnest
  // wall there is the S6 0.28: 1.38214); a threaded joint raises to 2.3.
  model.options.PipingCode = 1;
  PutItem(model, pipe, DataType::Flange);
  static_cast<Flange&>(*model.row(pipe).item).type = 1;
  SifTables t = Sifs();
  EXPECT_FLOAT_EQ(End(t, ElementBetween(10, 20)).inPlane, 1.0001f);
  EXPECT_FLOAT_EQ(End(t, ElementBetween(10, 20)).torsion, 1.0f);
  PutItem(model, pipe, DataType::Weld);
  static_cast<Weld&>(*model.row(pipe).item).mismatch = 0.05f;
  EXPECT_NEAR(End(Sifs(), ElementBetween(10, 20)).inPlane, 1.38214, 1e-4);
  static_cast<Weld&>(*model.row(pipe).item).type = 0;  // untyped: adds nothing
  EXPECT_FLOAT_EQ(End(Sifs(), ElementBetween(10, 20)).inPlane, 1.0f);
  PutItem(model, pipe, DataType::ThreadedJoint);
  EXPECT_FLOAT_EQ(Start(Sifs(), ElementBetween(20, 30)).outPlane, 2.3f);
  // A user SIF replaces what it gives, even downwards, and keeps what it
  // does not give (0).
  PutItem(model, 4, DataType::ThreadedJoint);
  const int user = Row(40, ElementType::From, 0, 0);
  PutItem(model, user, DataType::UserSif);
  static_cast<UserSif&>(*model.row(user).item).inPlaneSif = 1.2f;
  Make();
  t = Sifs();
  const int last = ElementBetween(30, 40);
  EXPECT_FLOAT_EQ(End(t, last).inPlane, 1.2f);
  EXPECT_FLOAT_EQ(End(t, last).outPlane, 2.3f);
  EXPECT_FLOAT_EQ(End(t, last).torsion, 1.0f);
  EXPECT_FLOAT_EQ(Start(t, last).inPlane, 1.0f);
}

// A tee whose node two rows name (the run's pipe carries the tee, a From
// row there a user SIF), a flange, a weld, a threaded joint and another
// user SIF on rows of their own, a bend, and a flanged Location row at a
// node no row makes.
class SifRowsTest : public SifTest {
 protected:
  void BuildFittings() {
    const int tee = Row(10, ElementType::From, 0, 0) + 1;
    Row(20, ElementType::Pipe, 50, 0);
    const int flange = Row(30, ElementType::Pipe, 50, 0);
    const int bend = Row(40, ElementType::Bend, 100, 0);
    const int threaded = Row(50, ElementType::Pipe, 0, 100);
    const int teeUser = Row(20, ElementType::From, 0, 0);
    const int weld = Row(25, ElementType::Pipe, 0, 40, "S4");
    const int user = Row(30, ElementType::From, 0, 0);
    const int nowhere = AddRow(model, 99, ElementType::Location);
    PutItem(model, tee, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(tee).item).type = 1;
    PutItem(model, teeUser, DataType::UserSif);
    static_cast<UserSif&>(*model.row(teeUser).item).torsionSif = 1.6f;
    PutItem(model, flange, DataType::Flange);
    static_cast<Flange&>(*model.row(flange).item).type = 2;
    auto& b = static_cast<Bend&>(*model.row(bend).element);
    b.radiusType = kBendRadiusUser;
    b.radius = 9.0f;
    PutItem(model, threaded, DataType::ThreadedJoint);
    PutItem(model, weld, DataType::Weld);
    static_cast<Weld&>(*model.row(weld).item).mismatch = 0.05f;
    PutItem(model, user, DataType::UserSif);
    static_cast<UserSif&>(*model.row(user).item).outPlaneSif = 1.7f;
    PutItem(model, nowhere, DataType::Flange);
    static_cast<Flange&>(*model.row(nowhere).item).type = 1;
    Make();
  }
  // The node and element tables as one list: per node in-plane,
  // out-of-plane, torsion; per element end axial, in-plane, out-of-plane,
  // torsion.
  static std::vector<float> Flattened(const SifTables& t) {
    std::vector<float> all;
    for (std::size_t n = 1; n < t.nodes.size(); ++n)
      all.insert(all.end(), {t.nodes[n].inPlane, t.nodes[n].outPlane, t.nodes[n].torsion});
    for (std::size_t e = 1; e < t.elements.size(); ++e)
      for (const EndSifs& end : t.elements[e].ends)
        all.insert(all.end(), {end.axial, end.inPlane, end.outPlane, end.torsion});
    return all;
  }
};

// Every row finds the first node of its id, as a search of the node table
// does, and none for a node no row made; the fittings' SIFs are those the
// program gave before the rows' nodes were looked up once.
TEST_F(SifRowsTest, EveryRowFindsTheFirstNodeOfItsIdAndTheFittingsKeepTheirSifs) {
  BuildFittings();
  const CodeModel cm(model, elements);
  std::vector<std::vector<int>> itemRows(static_cast<std::size_t>(model.nodes.count) + 1);
  for (int row = 1; row <= model.rowCount; ++row) {
    const int node = FindNodeIndex(model.nodes, model.row(row).node);
    EXPECT_EQ(cm.NodeOfRow(row), node) << "row " << row;
    if (node != 0 && model.row(row).item != nullptr) itemRows[static_cast<std::size_t>(node)].push_back(row);
  }
  EXPECT_EQ(cm.NodeOfRow(model.rowCount), 0);  // node 99
  EXPECT_EQ(cm.NodeOfRow(0), 0);
  EXPECT_EQ(cm.NodeOfRow(model.rowCount + 1), 0);
  for (int node = 1; node <= model.nodes.count; ++node)
    EXPECT_EQ(cm.ItemRowsAt(node), itemRows[static_cast<std::size_t>(node)]) << "node " << node;
  // Written by the program before the lookup: B31.1, then B31.3.
  const std::vector<float> b311{
      1.0f, 1.0f, 1.0f, 2.13548779f, 2.13548779f, 1.0f, 1.20000005f, 1.20000005f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.29999995f, 2.29999995f, 1.0f, 1.46962023f, 1.46962023f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 2.13548779f, 2.13548779f, 1.60000002f, 1.0f, 2.13548779f, 2.13548779f, 1.60000002f,
      1.0f, 1.20000005f, 1.70000005f, 1.0f, 1.0f, 1.20000005f, 1.70000005f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
      1.00010002f, 2.26557088f, 2.26557088f, 1.0f, 1.00010002f, 2.26557088f, 2.26557088f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 2.29999995f, 2.29999995f, 1.0f, 1.0f, 2.13548779f, 2.13548779f, 1.60000002f, 1.0f,
      1.46962023f, 1.46962023f, 1.0f,
  };
  const std::vector<float> b313{
      1.0f, 1.0f, 1.0f, 1.85161591f, 2.13548779f, 1.0f, 1.20000005f, 1.20000005f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.29999995f, 2.29999995f, 1.0f, 1.00010002f, 1.00010002f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 1.85161591f, 2.13548779f, 1.60000002f, 1.0f, 1.85161591f, 2.13548779f, 1.60000002f,
      1.0f, 1.20000005f, 1.70000005f, 1.0f, 1.0f, 1.20000005f, 1.70000005f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
      1.00010002f, 2.26557088f, 1.88797569f, 1.0f, 1.00010002f, 2.26557088f, 1.88797569f, 1.0f, 1.0f, 1.0f,
      1.0f, 1.0f, 1.0f, 2.29999995f, 2.29999995f, 1.0f, 1.0f, 1.85161591f, 2.13548779f, 1.60000002f, 1.0f,
      1.00010002f, 1.00010002f, 1.0f,
  };
  for (const auto& [code, expected] : {std::pair{1, &b311}, std::pair{3, &b313}}) {
    model.options.PipingCode = code;
    EXPECT_EQ(Flattened(Sifs()), *expected) << "code " << code;
  }
}

}  // namespace
