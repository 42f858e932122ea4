// What the code compliance tests share: small lines of the 4.5-inch pipe of
// the results tests, analysed through the program's own run and opened
// through its own entry, with the result chooser answered by entry name;
// and the hand side: section properties of a wall less its corrosion, the
// moment of a force about a point, the reaction of a line held at both
// ends under a temperature rise (from the complementary energy of its
// legs, analysis_testing::PathFlexibility).
//
// Each line is saved and analysed when built. The lines: a cantilever 10 (anchor) - 20 of 120 in along X; a frame 10
// (anchor) - 20 (120 in along X) - 30 (80 in along Z, anchor); an elbow
// line 10 (anchor) - 20 - bend at 30 - 40 up Z with a force at its free
// end.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "codes/CodeStressDriver.h"
#include "loads/Force.h"
#include "results/ResultChooser.h"
#include "results/ResultsTesting.h"
#include "services/ViewRequests.h"
#include "supports/Restraint.h"

namespace code_testing {

using analysis_testing::V3;

struct PipeSectionValues {
  double A = 0.0, Z = 0.0;
};

// A pipe of OD D and wall t: metal area and section modulus.
inline PipeSectionValues SectionOf(double D, double t) {
  const double ro = D / 2.0, ri = ro - t;
  const double pi = analysis_testing::kPi;
  return {pi * (ro * ro - ri * ri), pi * (std::pow(ro, 4) - std::pow(ri, 4)) / (4.0 * ro)};
}

inline double Length(const V3& v) { return std::sqrt(analysis_testing::Dot3(v, v)); }

// Solves the 6 x 6 system a x = b by elimination with row pivoting.
inline std::array<double, 6> Solve6(std::array<std::array<double, 6>, 6> a, std::array<double, 6> b) {
  for (std::size_t c = 0; c < 6; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < 6; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < 6; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < 6; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  std::array<double, 6> x{};
  for (std::size_t c = 6; c-- > 0;) {
    double sum = b[c];
    for (std::size_t k = c + 1; k < 6; ++k) sum -= a[c][k] * x[k];
    x[c] = sum / a[c][c];
  }
  return x;
}

// The section forces at a point from a load (force, moment) at `at`:
// the same force, the moment moved to the point.
struct SectionLoad {
  V3 force, moment;
};
inline SectionLoad LoadAtPoint(const V3& point, const V3& at, const V3& force, const V3& moment) {
  const V3 arm = analysis_testing::Sub(at, point);
  const V3 extra = analysis_testing::Cross3(arm, force);
  return {force, {moment[0] + extra[0], moment[1] + extra[1], moment[2] + extra[2]}};
}

class CodeResultsFixture : public ResultsFixture {
 protected:
  void TearDown() override {
    FreeCodeStresses();
    ResultsFixture::TearDown();
  }

  // The model of analysis_testing with the piping code, T1 300 F at P1 (also
  // the design values).
  Model& StartLine(int code, double density, double pressure) {
    Model& model = TheModel();
    analysis_testing::StartModel(model, 300.0, density, ModelPath());
    model.options.PipingCode = code;
    model.pipeLoads[1].operating[0].pressure = static_cast<float>(pressure);
    model.pipeLoads[1].designTemperature = 300.0f;
    model.pipeLoads[1].designPressure = static_cast<float>(pressure);
    return model;
  }
  void Finish(Model& model, const std::vector<int>& cases) {
    MakeModel(model);
    analysis_testing::SetCases(model, cases);
    EXPECT_EQ(WriteModelFile(ModelPath()), "");
    model.modified = false;
    Analyse();
  }

  Model& BuildCantilever(int code, const std::vector<int>& cases) {
    using namespace analysis_testing;
    Model& model = StartLine(code, kDensity, 150.0);
    model.sections[1].corrosionAllowance = 0.05f;
    model.pipeLoads[1].wind = 1;
    model.wind.profileIsVelocity = 0;
    model.wind.loads[0].direction = {0.0f, 0.0f, 1.0f};
    model.wind.loads[0].pressureProfile = {{0.0f, 0.1f}};
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    Finish(model, cases);
    return model;
  }

  Model& BuildFrame(int code) {
    using namespace analysis_testing;
    Model& model = StartLine(code, 0.0, 150.0);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 120.0f);
    PipeRow(model, 30, ElementType::Pipe, 0.0f, 0.0f, 80.0f);
    PutItem(model, 3, DataType::Anchor);
    Finish(model, {1, 8, 2});
    return model;
  }

  // 10 (anchor) - 20 - bend at 30 - 40 up Z, weightless, `force` at 40.
  Model& BuildElbowLine(int code, double pressure, const V3& force, const std::vector<int>& cases) {
    using namespace analysis_testing;
    Model& model = StartLine(code, 0.0, pressure);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 100.0f);
    PipeRow(model, 30, ElementType::Bend, 100.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 100.0f);
    PutItem(model, 4, DataType::Force);
    auto& item = static_cast<NodalForce&>(*model.row(4).item);
    item.FX = static_cast<float>(force[0]);
    item.FY = static_cast<float>(force[1]);
    item.FZ = static_cast<float>(force[2]);
    Finish(model, cases);
    return model;
  }

  // Opens the results of the saved model and answers the chooser with the
  // entry named `entry` (Cancel when it is empty); the names it showed.
  std::vector<std::string> OpenChoosing(const std::string& entry) {
    OpenResults();
    std::vector<std::string> names;
    if (!InResultsMode()) return names;
    const std::string templateName = ResultChooserTemplateName(static_cast<int>(ResultChooserList().size()));
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&names, entry](HWND dialog) {
      names = ShownRadios(dialog);
      for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == entry) {
          Click(dialog, 1401 + static_cast<int>(i));
          return;
        }
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return names;
  }

  V3 At(NodeId id) const {
    const NodeRecord& node = NodeById(TheModel(), id);
    return {node.x, node.y, node.z};
  }
  V3 AtIndex(int nodeIndex) const {
    const NodeRecord& node = TheModel().nodes[nodeIndex];
    return {node.x, node.y, node.z};
  }
  // The record of the element between two nodes (either way round), 0 if none.
  static int RecordBetween(int nodeA, int nodeB) {
    const CodeStressResults& r = TheCodeStresses();
    for (int row = 1; row <= r.RecordCount(); ++row) {
      const AnalysisElement& e = r.cm->Element(r.Record(row).element);
      if ((e.node1 == nodeA && e.node2 == nodeB) || (e.node1 == nodeB && e.node2 == nodeA)) return row;
    }
    return 0;
  }
  int RecordBetweenIds(NodeId a, NodeId b) const {
    return RecordBetween(FindNodeIndex(TheModel().nodes, a), FindNodeIndex(TheModel().nodes, b));
  }
};

}  // namespace code_testing
