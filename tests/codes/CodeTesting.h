// Small analysed models for the code-compliance tests, built in code: a
// carbon steel "CS" (two table rows, 70 and 700 F), the sections "S6"
// (6.625 x 0.280, 6" Sch 40) and "S4" (4.5 x 0.237, 4" Sch 40), and the
// pipe load "L1" (T1 400 F at 150 psi, T2 250 F at -200 psi), with the
// pressure correction off unless a test turns it on. An elbow line
// (10 - 20 - bend at 30, radius 9.0 - 40) and a tee (run 10 - 20 - 30 of
// S6, branch 20 - 25 of S4) are ready to be made.
#pragma once

#include <gtest/gtest.h>

#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "model/ModelBuilder.h"

class CodeModelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEmptyModel(model, AnalysisOptions());
    model.options.PipingCode = 3;
    model.options.PressureCorrection = 0;
    model.options.IncludeAxialForce = 0;
    model.options.ThermalLoadCount = 2;
    Material steel;
    steel.name = "CS";
    steel.type = "CS";
    steel.nu = 0.3f;
    steel.jointFactor = 1.0f;
    steel.strength = 60000.0f;
    steel.numtemps = 2;
    steel.temps.resize(3);
    steel.temps[1].values = {70.0f, 29.5e6f, 6.07e-6f, 20000.0f, 35000.0f, 0.0f, 0.0f, 0.0f};
    steel.temps[2].values = {700.0f, 25.5e6f, 7.44e-6f, 16500.0f, 28000.0f, 0.0f, 0.0f, 0.0f};
    AppendMaterial(model.materials, steel);
    AddSection("S6", 6.625f, 0.280f);
    AddSection("S4", 4.5f, 0.237f);
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    load.name = "L1";
    load.operating[0] = {400.0f, 150.0f};
    load.operating[1] = {250.0f, -200.0f};
    AppendPipeLoad(model.pipeLoads, load);
  }

  void AddSection(const char* name, float od, float thickness) {
    PipeSection section;
    InitSection(section);
    section.name = name;
    section.outsideDiameter = od;
    section.thickness = thickness;
    AppendSection(model.sections, section);
  }

  int Row(NodeId node, ElementType type, float dx, float dy, const char* section = "S6") {
    const int row = AddRow(model, node, type, dx, dy);
    if (type != ElementType::From) {
      model.row(row).material = "CS";
      model.row(row).section = section;
      model.row(row).load = "L1";
    }
    return row;
  }

  // 10 - 20 (100" along X), a bend at 30 (100" on, radius 9.0), up to 40.
  Bend& BuildElbow() {
    Row(10, ElementType::From, 0, 0);
    Row(20, ElementType::Pipe, 100, 0);
    const int bend = Row(30, ElementType::Bend, 100, 0);
    Row(40, ElementType::Pipe, 0, 100);
    auto& b = static_cast<Bend&>(*model.row(bend).element);
    b.radiusType = kBendRadiusUser;
    b.radius = 9.0f;
    return b;
  }

  // Run 10 - 20 - 30 along X of S6, branch 20 - 25 up of S4, a Branch SIF
  // of `type` at 20.
  BranchSif& BuildTee(std::int32_t type) {
    Row(10, ElementType::From, 0, 0);
    const int tee = Row(20, ElementType::Pipe, 50, 0);
    Row(30, ElementType::Pipe, 50, 0);
    Row(20, ElementType::From, 0, 0);
    Row(25, ElementType::Pipe, 0, 40, "S4");
    PutItem(model, tee, DataType::BranchSif);
    auto& item = static_cast<BranchSif&>(*model.row(tee).item);
    item.type = type;
    return item;
  }

  void Make() {
    MakeModel(model);
    GenerateAnalysisElements(model, elements);
  }

  int Node(NodeId id) const { return FindNodeIndex(model.nodes, id); }
  // The first element of `kind` (an ElementType code).
  int ElementOfKind(int kind) const {
    for (int i = 1; i <= elements.count; ++i)
      if (elements[i].kind == kind) return i;
    return 0;
  }
  // The element between two nodes (either way round).
  int ElementBetween(NodeId a, NodeId b) const {
    for (int i = 1; i <= elements.count; ++i) {
      const int n1 = elements[i].node1, n2 = elements[i].node2;
      if ((n1 == Node(a) && n2 == Node(b)) || (n1 == Node(b) && n2 == Node(a))) return i;
    }
    return 0;
  }

  Model model;
  AnalysisElementList elements;
};
