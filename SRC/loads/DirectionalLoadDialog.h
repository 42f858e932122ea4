// The dialog the time varying load and the force spectrum load share
// (TIME_VARYING_LOAD_DIALOG, FORCE_SPECTRUM_LOAD_DIALOG): combo 1201 the
// direction FX .. MZ, combo 1202 the unit of the table's values (the force
// units for a force, the moment units for a moment, refilled with the
// unit now chosen for the kind when the direction changes between the
// two), combo 1203 the named table (time function or force spectrum),
// edit 1301 the scale factor (any real). OK with no table to choose is
// refused as the table's field being required; the unit's factor is
// stored with the unit. The dialogs run on the kinds' dialog protocol.
#pragma once

#include "kindbase/KindDialog.h"
#include "loads/DirectionalLoad.h"
#include "records/PointTables.h"

struct Model;

class DirectionalLoadDialog : public KindDialog {
 public:
  DirectionalLoadDialog(const char* kindName, DataType type, const char* tableLabel,
                        NamedPointsList& (*list)(Model& model))
      : kindName_(kindName), type_(type), tableLabel_(tableLabel), list_(list) {}

  const char* KindName() const override { return kindName_; }
  DataType Type() const override { return type_; }
  void Init(DataItem* item) override;
  void LockForResults() override;
  void Read() override;
  bool Differs(const DataItem& item) const override;
  void Store(DataItem& item) override;
  bool Command(int id, int code) override;

 protected:
  // The item's fields, of either kind.
  virtual DirectionalLoadValues ValuesOf(const DataItem& item) const = 0;
  virtual DirectionalLoadFields FieldsOf(DataItem& item) const = 0;

 private:
  const char* kindName_;
  DataType type_;
  const char* tableLabel_;  // "Time function", "Force spectrum"
  NamedPointsList& (*list_)(Model& model);
  DirectionalLoadValues read_;
};

// The controls from an item's values (the combos already filled).
void FillDirectionalLoadDialog(HWND dialog, const DirectionalLoadValues& values);

// TIME_VARYING_LOAD_DIALOG and FORCE_SPECTRUM_LOAD_DIALOG, opened through the
// kind table with the layout row as the parameter; 1 when the model changed.
INT_PTR TimeVaryingLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR ForceSpectrumLoadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
