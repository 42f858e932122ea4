// A branched model in three dimensions, built in code, for the graphics
// tests and benchmarks: pipe racks (eight abreast, then eight more beyond
// them ...) of headers along X with branches that
// rise, run out along Z to either side, turn and drop to anchors, and a
// riser to an upper level with its own branches. Pipes only, anchors at
// the ends and guides on the headers; or, with bends, every turn of a
// branch and the top of each riser a long-radius bend and the headers
// resting on vertical restraints instead of guides.
#pragma once

#include <algorithm>

#include "elements/Bend.h"
#include "model/LayoutRow.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "supports/Restraint.h"
#include "tests/model/ModelBuilder.h"

class PlantModelBuilder {
 public:
  explicit PlantModelBuilder(Model& model) : model_(model) {}

  // Racks until about `rows` rows are made (at most the row limit).
  void Build(int rows, bool withBends = false) {
    withBends_ = withBends;
    AddPlantProperties(model_);
    AddComment();
    for (int rack = 0; model_.rowCount < rows - 10; ++rack) BuildRack(rack, rows);
    MakeModel(model_);
  }

  static constexpr float kSpan = 120.0f;  // inch

  int Add(NodeId node, ElementType type, float dx, float dy, float dz, const char* section = nullptr) {
    const int number = AddRow(model_, node, type, dx, dy, dz);
    LayoutRow& row = model_.row(number);
    if (type == ElementType::Pipe) {
      row.material = "CS";
      row.section = section != nullptr ? section : "";
      row.load = "L1";
    }
    return number;
  }

  void Item(int row, DataType type) { PutItem(model_, row, type); }

  // A pipe row, or with bends a bend of 1.5 diameters at its node.
  int Turn(NodeId node, float dx, float dy, float dz, float diameter, const char* section = nullptr) {
    if (!withBends_) return Add(node, ElementType::Pipe, dx, dy, dz, section);
    const int number = Add(node, ElementType::Bend, dx, dy, dz);
    LayoutRow& row = model_.row(number);
    row.material = "CS";
    row.section = section != nullptr ? section : "";
    row.load = "L1";
    auto& bend = dynamic_cast<Bend&>(*model_.row(number).element);
    bend.radiusType = kBendRadiusUser;
    bend.radius = 1.5f * diameter;
    return number;
  }
  // On a header: a guide, or with bends a vertical restraint.
  void Rest(int row) {
    if (!withBends_) return Item(row, DataType::Guide);
    Item(row, DataType::Restraint);
    dynamic_cast<Restraint&>(*model_.row(row).item).restrainY = 1;
  }

  NodeId NextNode() {
    const NodeId node = next_;
    next_ += 10;
    return node;
  }

  // Material "CS", sections "S12", "S8" and "S4", pipe load "L1".
  static void AddPlantProperties(Model& model) {
    AddTestProperties(model);
    for (auto [name, diameter] : {std::pair{"S12", 12.75f}, std::pair{"S8", 8.625f}}) {
      PipeSection section;
      InitSection(section);
      section.name = name;
      section.outsideDiameter = diameter;
      section.thickness = 0.375f;
      AppendSection(model.sections, section);
    }
  }

 private:

  void AddComment() {
    const int number = ++model_.rowCount;
    model_.row(number).elementType = ElementType::Comment;
    model_.row(number).element = CreateElementData(ElementType::Comment);
  }

  // A branch from a header node: up, out to one side, along, down to an
  // anchor.
  void Branch(NodeId from, float side, int reach) {
    Add(from, ElementType::From, 0.0f, 0.0f, 0.0f);
    Turn(NextNode(), 0.0f, 36.0f, 0.0f, 4.5f, "S4");
    for (int i = 0; i + 1 < reach; ++i) Add(NextNode(), ElementType::Pipe, 0.0f, 0.0f, side * 72.0f);
    Turn(NextNode(), 0.0f, 0.0f, side * 72.0f, 4.5f);
    Add(NextNode(), ElementType::Pipe, 48.0f, 0.0f, 0.0f);
    Turn(NextNode(), 48.0f, 0.0f, 0.0f, 4.5f);
    Item(Add(NextNode(), ElementType::Pipe, 0.0f, -60.0f, 0.0f), DataType::Anchor);
  }

  void BuildRack(int rack, int rows) {
    // Eight racks side by side, then the next eight beyond their ends.
    const float x = static_cast<float>(rack / 8) * 4200.0f;
    const float z = static_cast<float>(rack % 8) * 900.0f;
    const float y = static_cast<float>(rack % 2) * 60.0f;
    const NodeId start = NextNode();
    Item(Add(start, ElementType::From, x, y, z), DataType::Anchor);
    std::vector<NodeId> header{start};
    for (int i = 0; i < 30 && model_.rowCount < rows; ++i) {
      const int row = Add(NextNode(), ElementType::Pipe, kSpan, 0.0f, 0.0f, i == 0 ? "S12" : nullptr);
      if (i % 4 == 2) Rest(row);
      header.push_back(model_.row(row).node);
    }
    for (std::size_t i = 2; i + 1 < header.size() && model_.rowCount < rows - 10; i += 3)
      Branch(header[i], (i / 3) % 2 == 0 ? 1.0f : -1.0f, 2 + static_cast<int>(i % 3));
    // A riser to an upper header with branches of its own.
    if (header.size() > 10 && model_.rowCount < rows - 30) {
      Add(header[10], ElementType::From, 0.0f, 0.0f, 0.0f);
      NodeId top = 0;
      for (int i = 0; i < 2; ++i) Add(NextNode(), ElementType::Pipe, 0.0f, 80.0f, 0.0f, "S8");
      top = model_.row(Turn(NextNode(), 0.0f, 80.0f, 0.0f, 8.625f)).node;
      std::vector<NodeId> upper{top};
      for (int i = 0; i < 10; ++i) {
        const int row = Add(NextNode(), ElementType::Pipe, -kSpan, 0.0f, 0.0f);
        if (withBends_ && i % 3 == 1) Rest(row);
        upper.push_back(model_.row(row).node);
      }
      Item(model_.rowCount, DataType::Anchor);
      for (std::size_t i = 2; i < upper.size() && model_.rowCount < rows - 10; i += 4) Branch(upper[i], -1.0f, 3);
    }
  }

  Model& model_;
  NodeId next_ = 10;
  bool withBends_ = false;
};
