// The dialog of an element kind whose values are numbers, one edit each,
// from 1301 on, with the unit labels from 1601 on (the joints and the tie
// rod). A field's text is only a rounding of the stored value (a stiffness
// in the user's units, say), so a field left exactly as it was shown keeps
// the stored value: reading it back would change the element on an OK that
// changed nothing. A blank field was never "shown" and is always read.
//
// The kind names its values by index (Value) and reads a typed field
// (ParseValue); reading, comparing, storing and locking are here, once. A
// kind with fields that are read together (an axis) or checked across
// fields overrides Read and calls ReadValues on the plain runs.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "kindbase/KindDialog.h"
#include "services/Units.h"

class ElementValuesDialog : public ElementKindDialog {
 public:
  static constexpr int kFirstField = 1301;
  static constexpr int kFirstUnitLabel = 1601;

  ElementValuesDialog(int valueCount, std::initializer_list<UnitKind> unitLabels);

  bool TitleFromTo() const override { return true; }
  void Init(ElementData* element) override;
  void LockForResults() override;
  void Read() override;
  bool Differs(const ElementData& element) const override;
  bool Store(ElementData& element) override;

  // Fills the fields from the first on when `window` is this dialog, and
  // keeps the texts to know a field left as shown.
  void ShowValues(HWND window, const std::vector<std::string>& texts);

 protected:
  // The element's value number `index`.
  virtual float& Value(ElementData& element, int index) const = 0;
  // Reads field `index` from the edit text just taken; throws its fault.
  virtual float ParseValue(int index) = 0;
  // After the values are stored: true when nodes moved. By default the
  // element is drawn again and nothing moves.
  virtual bool AfterStore();

  // Reads fields [first, end) in order into `values`.
  void ReadValues(int first, int end);
  // Whether field `index` still holds the (non-blank) text it was shown with.
  bool AsShown(int index) const;

  std::vector<float> values;

 private:
  std::vector<UnitKind> unitLabels_;
  std::vector<std::string> shown_;
};
