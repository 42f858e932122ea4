// The nozzle (DataType 7): the end of the piping at a vessel wall, attached
// through local flexibilities that follow from the vessel's type (cylinder,
// sphere or flat-bottom tank) and dimensions. The three stiffnesses are
// computed when the dialog stores the nozzle and kept with it. It may carry
// specified displacements of the vessel wall, always in global axes.
//
// Model-file record: the tag (above version 720), the flat-bottom and pad
// bytes, the thirteen floats from the nozzle OD to the longitudinal bending
// stiffness, the displacement flags (DisplacementSets.h), the spherical byte
// (above version 700; older files give 0), then the displacement values when
// a flag is set.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/RowObjects.h"
#include "supports/DisplacementSets.h"

class Nozzle : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;

  std::string tag;
  std::uint8_t flatBottom = 0;
  std::uint8_t reinforcingPad = 0;  // flat-bottom tanks only
  float nozzleOd = 0.0f;            // inch
  float nozzleThickness = 0.0f;
  float vesselOd = 0.0f;            // the radius "R" of a spherical vessel
  float vesselThickness = 0.0f;
  float l1 = 0.0f;
  float l2 = 0.0f;
  float elasticModulus = 0.0f;      // psi
  std::array<float, 3> vesselAxis{};
  float axialStiffness = 0.0f;
  float circumferentialStiffness = 0.0f;
  float longitudinalStiffness = 0.0f;
  SpecifiedDisplacements displacements;
  std::uint8_t spherical = 0;
};
