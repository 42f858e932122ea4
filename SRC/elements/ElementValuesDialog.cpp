// The numeric element dialogs' fields; see ElementValuesDialog.h.
#include "elements/ElementValuesDialog.h"

#include "model/RowObjects.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/Dialog.h"

ElementValuesDialog::ElementValuesDialog(int valueCount, std::initializer_list<UnitKind> unitLabels)
    : values(static_cast<std::size_t>(valueCount)),
      unitLabels_(unitLabels),
      shown_(static_cast<std::size_t>(valueCount)) {}

void ElementValuesDialog::Init(ElementData* element) {
  for (std::string& text : shown_) text.clear();
  for (std::size_t i = 0; i < unitLabels_.size(); ++i)
    helper.DialogSetUnitLabel(kFirstUnitLabel + static_cast<int>(i), unitLabels_[i]);
  if (element != nullptr) element->FillDialog(dialog);
  helper.DialogSelectAndFocus(kFirstField);
}

void ElementValuesDialog::LockForResults() {
  for (std::size_t i = 0; i < shown_.size(); ++i) helper.DialogSetReadOnly(kFirstField + static_cast<int>(i));
  helper.DialogFocusItem(IDOK);
}

void ElementValuesDialog::Read() { ReadValues(0, static_cast<int>(values.size())); }

void ElementValuesDialog::ReadValues(int first, int end) {
  ElementData* element = RowElementOfType(row, Type());
  for (int i = first; i < end; ++i) {
    helper.DialogGetItemText(kFirstField + i);
    values[static_cast<std::size_t>(i)] = element != nullptr && AsShown(i) ? Value(*element, i) : ParseValue(i);
  }
}

bool ElementValuesDialog::Differs(const ElementData& element) const {
  // Value hands out a reference to write through; nothing is written here.
  auto& stored = const_cast<ElementData&>(element);
  for (std::size_t i = 0; i < values.size(); ++i)
    if (Value(stored, static_cast<int>(i)) != values[i]) return true;
  return false;
}

bool ElementValuesDialog::Store(ElementData& element) {
  for (std::size_t i = 0; i < values.size(); ++i) Value(element, static_cast<int>(i)) = values[i];
  return AfterStore();
}

bool ElementValuesDialog::AfterStore() {
  RedrawRowElement(TheModel(), row);
  return false;
}

void ElementValuesDialog::ShowValues(HWND window, const std::vector<std::string>& texts) {
  if (dialog != window) return;
  for (std::size_t i = 0; i < shown_.size() && i < texts.size(); ++i) {
    shown_[i] = texts[i];
    helper.DialogSetItemText(kFirstField + static_cast<int>(i), shown_[i]);
  }
}

bool ElementValuesDialog::AsShown(int index) const {
  char text[128] = {};
  GetDlgItemText(dialog, kFirstField + index, text, sizeof text);
  const std::string& before = shown_[static_cast<std::size_t>(index)];
  return !before.empty() && before == text;
}
