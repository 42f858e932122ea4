// The "Harmonic loads" list of the List window and the harmonic loads'
// section of the printed model data: node, frequency (Hz), phase in the
// angle unit and the amplitudes FX, FY, FZ in the force unit (blank where
// 0). The list is read-only: values change through HARMONIC_LOAD_DIALOG,
// which Enter, a double click or Edit opens; Delete removes the load from
// its row. The model report also carries the harmonic settings' lines
// while the model has harmonic loads.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class HarmonicLoadsList : public KindListTable {
 public:
  HarmonicLoadsList();
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

TableWindow& HarmonicLoadsListTable();
bool HarmonicLoadsListOffered(const Model& model);
void OpenHarmonicLoadsTable();
// The "Harmonic loads" section on the current report road.
void PrintHarmonicLoadsTable();
// The text-report line of the harmonic load of `row`.
std::string DescribeHarmonicLoad(int row);
// "Harmonic combination = ..." and "Harmonic damping = ... (%)" on the
// current report road, when the model has harmonic loads.
void PrintHarmonicSettings();
// The harmonic load's details text after its node (RowDetails.h).
void HarmonicLoadDetailsText(int row);
