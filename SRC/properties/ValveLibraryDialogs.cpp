// The valve library window's two dialogs (see ValveLibraryWindow.h):
// VALVE_LIBRARY_DIALOGNEW, one valve of the library, and FINDANDREPLACE,
// the descriptions replaced in the whole library.
//
// The valve dialog offers the nominal sizes and ratings of the standard
// whose radio button is on; the radio shows the valve's standard, or for a
// valve of standard 0 (ANSI, also every new one) the standard chosen last
// in the dialog. OK reads the fields in order, refuses a valve that another
// entry already defines ("Valve is already defined."), and stores; the
// dialog stays open on every refusal.
#include <algorithm>
#include <cctype>
#include <string>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "records/PipeDimensions.h"
#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"
#include "services/WindowUtilities.h"

namespace {

constexpr int kDescription = 1301, kLength = 1302, kWeight = 1303, kDiameter = 1304;
constexpr int kNominalSize = 1201, kRating = 1202, kConnection = 1203, kValveType = 1204;
constexpr int kAnsi = 1401, kIso = 1404;
constexpr int kLengthUnit = 1602, kWeightUnit = 1603, kDiameterUnit = 1604;
constexpr int kFind = 1301, kReplace = 1302, kReplaceAll = 1401, kPrompt = 1402;

int g_LastStandard = 0;  // the standard chosen last in the valve dialog

struct EntryDialog {
  DialogHelper helper;
  int entry = 0;
  ValveLibraryEntry values;
};

void FillStandardLists(EntryDialog& run, int standard) {
  DialogHelper& h = run.helper;
  const std::string size = h.DialogReadItemText(kNominalSize);
  const std::string rating = h.DialogReadItemText(kRating);
  h.DialogComboReset(kNominalSize);
  const PipeDimensionStandard& table = DimensionStandard(standard);
  for (int row = 1; row < table.RowCount(); ++row) h.DialogComboAddString(table.rows[static_cast<std::size_t>(row)].name);
  h.DialogComboReset(kRating);
  for (int index = 0; index < kValveRatingCount; ++index) h.DialogComboAddString(ValveRating(standard, index));
  h.DialogSetItemText(kNominalSize, size);
  h.DialogSetItemText(kRating, rating);
}

void InitEntryDialog(EntryDialog& run, HWND dialog) {
  DialogHelper& h = run.helper;
  h.DialogBind(dialog);
  const ValveLibrary& library = TheValveLibrary();
  if (run.entry >= 1 && run.entry <= library.entries.count) run.values = library.entries[run.entry];
  const ValveLibraryEntry& v = run.values;
  h.DialogSetUnitLabel(kDiameterUnit, kUnitDimension);
  h.DialogSetUnitLabel(kLengthUnit, kUnitLength);
  h.DialogSetUnitLabel(kWeightUnit, kUnitWeight);
  h.DialogComboReset(kConnection);
  for (const char* type : kValveConnectionTypes) h.DialogComboAddString(type);
  h.DialogComboReset(kValveType);
  for (const char* type : kValveTypeNames) h.DialogComboAddString(type);
  const int standard = v.standard != 0 ? v.standard : g_LastStandard;
  h.DialogCheckRadio(kAnsi, kIso, kAnsi + standard);
  FillStandardLists(run, standard);
  h.DialogSetItemTextAndLimit(kDescription, v.description, static_cast<int>(kValveDescriptionBytes) - 1);
  h.DialogSetItemText(kNominalSize, v.nominalSize);
  SendDlgItemMessage(dialog, kNominalSize, CB_LIMITTEXT, kValveNominalSizeBytes, 0);
  if (v.outsideDiameter != 0.0f) h.DialogSetItemText(kDiameter, FormatDimension(v.outsideDiameter));
  h.DialogSetItemText(kRating, v.rating);
  SendDlgItemMessage(dialog, kRating, CB_LIMITTEXT, kValveRatingBytes, 0);
  h.DialogSetItemText(kConnection, v.connectionType);
  SendDlgItemMessage(dialog, kConnection, CB_LIMITTEXT, kValveConnectionBytes - 1, 0);
  h.DialogComboSetSel(kValveType, std::clamp(v.valveType, 0, kValveTypeCount - 1));
  if (v.length != 0.0f) h.DialogSetItemText(kLength, FormatLength(v.length));
  if (v.weight != 0.0f) h.DialogSetItemText(kWeight, FormatWeight(v.weight));
  if (TableResultsShown()) {
    for (int item : {kDescription, kDiameter, kLength, kWeight}) h.DialogSetReadOnly(item);
    for (int item : {kNominalSize, kRating, kConnection, kValveType, kAnsi, kAnsi + 1, kAnsi + 2, kIso})
      h.DialogDisableItem(item);
    h.DialogFocusItem(IDOK);
  } else {
    h.DialogSelectAndFocus(kDescription);
  }
  CenterWindowOnParent(dialog, 0);
}

std::string UpperTrimmed(DialogHelper& h, int item) {
  std::string text = h.DialogReadItemText(item);
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
  return text;
}

// Reads every field into `values`; throws the first fault.
void ReadEntryDialog(EntryDialog& run, ValveLibraryEntry& values) {
  DialogHelper& h = run.helper;
  values = run.values;
  h.DialogReadFieldTrimmed(kDescription);
  if (g_EditFieldText.empty()) ThrowRequiredField("Description");
  values.description = g_EditFieldText;
  values.standard = h.DialogCheckedRadio(kAnsi, kIso);
  h.DialogReadFieldTrimmed(kNominalSize);
  if (g_EditFieldText.empty()) ThrowRequiredField("Nominal Size");
  values.nominalSize = g_EditFieldText;
  h.DialogGetItemText(kDiameter);
  if (ParseFieldNonNegativeDimension(values.outsideDiameter) != 0) ThrowInvalidField("Outside Diameter");
  values.rating = PaddedValveRating(UpperTrimmed(h, kRating));
  values.connectionType = UpperTrimmed(h, kConnection);
  values.valveType = std::max(h.DialogComboGetSel(kValveType), 0);
  h.DialogGetItemText(kLength);
  if (ParseFieldLength(values.length) != 0 || values.length < 0.0f) ThrowInvalidField("Length");
  h.DialogGetItemText(kWeight);
  if (ParseFieldWeight(values.weight) != 0 || values.weight < 0.0f) ThrowInvalidField("Weight");
}

void OkEntryDialog(EntryDialog& run, HWND dialog) {
  if (TableResultsShown()) {
    EndDialog(dialog, 0);
    return;
  }
  ValveLibraryEntry values;
  try {
    ReadEntryDialog(run, values);
  } catch (const std::string& message) {
    run.helper.DialogFocusInvalid(message);
    return;
  }
  ValveLibrary& library = TheValveLibrary();
  if (FindDuplicateValve(library, values, run.entry) != 0) {
    run.helper.errorItem = kDescription;
    run.helper.DialogFocusInvalid("Valve is already defined.");
    return;
  }
  g_LastStandard = values.standard;
  if (run.entry > library.entries.count) {
    InsertValveEntry(library, library.entries.count + 1);
    run.entry = library.entries.count;
  } else {
    const ValveLibraryEntry& old = library.entries[run.entry];
    const bool same = old.description == values.description && old.nominalSize == values.nominalSize &&
                      old.rating == values.rating && old.connectionType == values.connectionType &&
                      old.length == values.length && old.weight == values.weight &&
                      old.outsideDiameter == values.outsideDiameter && old.standard == values.standard &&
                      old.valveType == values.valveType;
    if (same) {
      EndDialog(dialog, 0);
      return;
    }
  }
  library.entries[run.entry] = values;
  library.modified = true;
  EndDialog(dialog, 1);
}

INT_PTR EntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      InitEntryDialog(*reinterpret_cast<EntryDialog*>(lParam), dialog);
      return FALSE;
    case WM_COMMAND: {
      auto& run = *reinterpret_cast<EntryDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
      const int id = LOWORD(wParam);
      if (id == IDOK) OkEntryDialog(run, dialog);
      else if (id == IDCANCEL) EndDialog(dialog, 0);
      else if (id >= kAnsi && id <= kIso && HIWORD(wParam) == BN_CLICKED) {
        g_LastStandard = id - kAnsi;
        FillStandardLists(run, id - kAnsi);
      } else {
        return FALSE;
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

// --- find and replace ----------------------------------------------------------------

struct ReplaceRun {
  DialogHelper helper;
  std::string find, replace;
  bool prompt = false;
};

INT_PTR ReplaceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtr(dialog, DWLP_USER, lParam);
      auto& run = *reinterpret_cast<ReplaceRun*>(lParam);
      run.helper.DialogBind(dialog);
      const int limit = static_cast<int>(kValveDescriptionBytes) - 1;
      run.helper.DialogSetItemTextAndLimit(kFind, run.find, limit);
      run.helper.DialogSetItemTextAndLimit(kReplace, run.replace, limit);
      run.helper.DialogCheckRadio(kReplaceAll, kPrompt, run.prompt ? kPrompt : kReplaceAll);
      run.helper.DialogSelectAndFocus(kFind);
      CenterWindowOnParent(dialog, 0);
      return FALSE;
    }
    case WM_COMMAND: {
      auto& run = *reinterpret_cast<ReplaceRun*>(GetWindowLongPtr(dialog, DWLP_USER));
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (LOWORD(wParam) != IDOK) return FALSE;
      try {
        run.helper.DialogReadLongFieldTrimmed(kFind);
        if (g_EditFieldText.empty()) ThrowRequiredField("Find String");
        run.find = g_EditFieldText;
        run.helper.DialogReadLongFieldTrimmed(kReplace);
        if (g_EditFieldText.empty()) ThrowRequiredField("Replace String");
        run.replace = g_EditFieldText;
      } catch (const std::string& text) {
        run.helper.DialogFocusInvalid(text);
        return TRUE;
      }
      run.prompt = run.helper.DialogIsChecked(kPrompt);
      EndDialog(dialog, 1);
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemText(dialog, 1500, reinterpret_cast<const char*>(lParam));
      CenterWindowOnParent(dialog, IDYES);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool EditValveLibraryEntry(HWND owner, int entry) {
  EntryDialog run;
  run.entry = entry;
  return DialogBoxParam(InstanceHandle, "VALVE_LIBRARY_DIALOGNEW", owner, EntryDialogProc,
                        reinterpret_cast<LPARAM>(&run)) == 1;
}

bool FindAndReplaceValveDescriptions(HWND owner) {
  static ReplaceRun run;  // the texts are proposed again the next time
  if (DialogBoxParam(InstanceHandle, "FINDANDREPLACE", owner, ReplaceDialogProc, reinterpret_cast<LPARAM>(&run)) != 1)
    return false;
  ValveLibrary& library = TheValveLibrary();
  TableWindow& table = ValveLibraryTable();
  bool replaced = false;
  for (int entry = 1; entry <= library.entries.count; ++entry) {
    ValveLibraryEntry& valve = library.entries[entry];
    if (!SameIgnoringCase(valve.description, run.find)) continue;
    if (run.prompt) {
      if (table.Window() != nullptr) TableGoTo(table, entry);
      const std::string question =
          "Do you want to change valve description from " + valve.description + " to " + run.replace;
      const INT_PTR answer = DialogBoxParam(InstanceHandle, "VALVE_REPLACE_DIALOG", owner, QuestionProc,
                                            reinterpret_cast<LPARAM>(question.c_str()));
      if (answer == IDCANCEL) break;
      if (answer != IDYES) continue;
    }
    valve.description = run.replace;
    replaced = true;
  }
  if (replaced) library.modified = true;
  return replaced;
}
