// The stored numbers behind the texts a dialog shows.
//
// A dialog shows a stored value rounded to its unit's text; reading that
// text back would store the rounding (0.0625 shown as 0.062, 150 psi read
// back in bar as 149.39), and an OK that changed nothing would change the
// model. So while a dialog is filled (its WM_INITDIALOG) every number
// formatter notes the value it was given, its kind and its text; when the
// filling ends, each edit of the dialog whose text one noted value alone
// produced keeps that value beside the text. Reading the field
// (DialogHelper) arms the value while the text is still the one shown, and
// the field parsers of the same kind then give the kept value, after the
// text passed their rules: a field left as shown keeps its stored value
// exactly, a typed one is stored as typed.
#pragma once

#include <string>

#include "platform/Types.h"

// The kind of a number noted by a formatter without a unit (a factor, a
// ratio); the unit formatters note their UnitKind.
constexpr int kShownPlainNumber = -1;

// Notes the text a formatter leaves in the shared number text for `value`,
// while a dialog is being filled; formatters called inside another
// formatter note nothing.
class ShownNumberNote {
 public:
  ShownNumberNote(int kind, double value);
  ~ShownNumberNote();
  ShownNumberNote(const ShownNumberNote&) = delete;
  ShownNumberNote& operator=(const ShownNumberNote&) = delete;

 private:
  int kind_;
  double value_;
  bool noting_;
  bool counted_;
};

// The filling of `dialog` begins (again) and ends; the end notes what the
// dialog shows. Both run round every dialog's WM_INITDIALOG.
void BeginShownNumbers(HWND dialog);
void EndShownNumbers(HWND dialog);
// Makes sure the round of the dialog being bound is noted (the first
// dialog of a run is bound before the platform hands the filling over).
void WatchDialogFilling(HWND dialog);

// Whether the field's text is the text shown at opening.
bool FieldAsShown(HWND dialog, int item);

// For the field just read into `read`: arms its kept value when its text
// is the one shown (else disarms).
void ArmShownNumber(HWND dialog, int item, const std::string& read);
// For a field parser of `kind` that accepted `read`: the kept value, when
// one is armed for that text and kind. Disarms in any case.
bool TakeShownNumber(int kind, const std::string& read, float& value);
