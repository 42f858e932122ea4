// The nodal force (DataType 16, "Force"): three force and three moment
// components in global axes at the row's node, added either to the
// weight-and-pressure loads (AddedTo 1, "W+P") or to the loads of one
// operating temperature T1 to T10 (AddedTo 2 to 11). A component of exactly
// 0 is no load in that direction: it shows blank and draws no arrow.
//
// Model-file record: FX, FY, FZ, MX, MY, MZ as floats, then AddedTo as an
// int32, present from version 641 (older files give 1); 28 bytes written.
//
// The module is split by concern: Force.cpp (record, copy, list text),
// ForceAnalysis.cpp (the loads of the static cases and the check that the
// temperature a force is added to is in use), ForceDialog.cpp
// (FORCE_DIALOG), ForceList.cpp (the "Forces" list and its printed
// section), ForceDrawing.cpp (the labelled arrows and their pick).
#pragma once

#include <cstdint>
#include <string>

#include "model/RowObjects.h"

struct Model;

inline constexpr std::int32_t kAddedToWeightAndPressure = 1;
inline constexpr std::int32_t kAddedToLast = 11;  // T10

class NodalForce : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  // The symbol (ForceDrawing.cpp).
  void ComputeSymbolBounds(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  bool EditDialog(int rowNumber, float x, float y) override;
  // Analysis (ForceAnalysis.cpp): the components in every case with
  // sustained loads (AddedTo 0 or 1), or in the cases of its thermal state.
  void AddLoads(int rowNumber) override;
  void AddCaseLoads(int rowNumber, int loadCase) override;

  // FX, FY, FZ, MX, MY, MZ by index 0 .. 5.
  float Component(int index) const;
  float& Component(int index);

  float FX = 0.0f, FY = 0.0f, FZ = 0.0f;  // lb
  float MX = 0.0f, MY = 0.0f, MZ = 0.0f;  // inch-pound
  std::int32_t AddedTo = kAddedToWeightAndPressure;
};

// Component `index` (0 .. 5) in the force or moment unit, empty for 0.
std::string ComponentText(const NodalForce& force, int index);
// "W+P" for 0 and 1, "T1" .. "T10" for 2 .. 11.
std::string AddedToText(std::int32_t addedTo);
// The temperatures a model's load cases use: T1 .. T<n>, n from the number
// of thermal loads (4 or more means all ten).
int TemperaturesInUse(const Model& model);
// Refuses a force added to a temperature beyond those in use, which would
// act in no load case: throws "Row %d: ..." naming the first such row and
// sets `refusedRow` (when given) to it.
void CheckForcesAddedToTemperaturesInUse(const Model& model, int* refusedRow);
