// The stored numbers behind dialog texts (see ShownNumbers.h).
#include "services/ShownNumbers.h"

#include <cstring>
#include <strings.h>
#include <map>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Window.h"
#include "services/NumberText.h"

namespace {

// More notes than any dialog's filling makes; past it nothing more is noted.
constexpr std::size_t kNotesKept = 4096;

struct Note {
  int kind;
  double value;
  std::string text;
};

enum class Control { Edit, Check, Combo, List };

struct Field {
  Control control = Control::Edit;
  std::string text;
  LRESULT state = 0;
  bool kept = false;  // `kind` and `value` hold the number behind the text
  int kind = kShownPlainNumber;
  double value = 0.0;
};

struct Filling {
  HWND dialog;
  std::size_t firstNote;
};

struct Armed {
  bool armed = false;
  std::string text;
  int kind = kShownPlainNumber;
  double value = 0.0;
};

// Dialogs live on the thread that made them; so does all of this.
struct ShownState {
  std::vector<Note> notes;
  std::vector<Filling> fillings;
  int formatDepth = 0;
  std::map<HWND, std::map<int, Field>> dialogs;
  Armed armed;
};

// Dialogs being filled on this thread: the formatters' quick test, so that
// numbers formatted in bulk (reports, exports) pay next to nothing.
thread_local int t_fillings = 0;

ShownState& State() {
  thread_local ShownState state;
  return state;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TextOfWindow(HWND window) {
  const int length = GetWindowTextLength(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowText(window, text.data(), static_cast<int>(text.size()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// Templates name the classes in either case ("EDIT", "Edit").
bool ClassIs(HWND window, const char* name) {
  char buffer[32] = {};
  GetClassName(window, buffer, sizeof buffer);
  return strcasecmp(buffer, name) == 0;
}

// The control's kind and present state; false for controls that hold no input.
bool ReadControl(HWND window, Field& field) {
  if (ClassIs(window, WC_EDIT)) {
    field.control = Control::Edit;
    field.text = TextOfWindow(window);
  } else if (ClassIs(window, WC_BUTTON)) {
    field.control = Control::Check;
    field.state = SendMessage(window, BM_GETCHECK, 0, 0);
  } else if (ClassIs(window, WC_COMBOBOX)) {
    field.control = Control::Combo;
    field.text = TextOfWindow(window);
    field.state = SendMessage(window, CB_GETCURSEL, 0, 0);
  } else if (ClassIs(window, WC_LISTBOX)) {
    field.control = Control::List;
    field.state = SendMessage(window, LB_GETCURSEL, 0, 0);
  } else {
    return false;
  }
  return true;
}

// The one value that the notes give the text, when they give one.
void KeepNumber(const std::vector<Note>& notes, std::size_t first, Field& field) {
  const std::string shown = Trimmed(field.text);
  if (shown.empty()) return;
  for (std::size_t i = first; i < notes.size(); ++i) {
    const Note& note = notes[i];
    if (Trimmed(note.text) != shown) continue;
    if (!field.kept) {
      field.kept = true;
      field.kind = note.kind;
      field.value = note.value;
    } else if (field.kind != note.kind || std::memcmp(&field.value, &note.value, sizeof note.value) != 0) {
      field.kept = false;  // two values show alike: which one this is cannot be told
      return;
    }
  }
}

void DropClosedDialogs(ShownState& state) {
  for (auto it = state.dialogs.begin(); it != state.dialogs.end();)
    it = IsWindow(it->first) ? std::next(it) : state.dialogs.erase(it);
}

void OnDialogFilling(HWND dialog, bool filled) {
  if (filled) EndShownNumbers(dialog);
  else BeginShownNumbers(dialog);
}

const Field* FieldOf(HWND dialog, int item) {
  const ShownState& state = State();
  const auto found = state.dialogs.find(dialog);
  if (found == state.dialogs.end()) return nullptr;
  const auto field = found->second.find(item);
  return field == found->second.end() ? nullptr : &field->second;
}

}  // namespace

ShownNumberNote::ShownNumberNote(int kind, double value) : kind_(kind), value_(value), noting_(false), counted_(false) {
  if (t_fillings == 0) return;
  ShownState& state = State();
  noting_ = state.formatDepth == 0 && state.notes.size() < kNotesKept;
  counted_ = true;
  ++state.formatDepth;
}

ShownNumberNote::~ShownNumberNote() {
  if (!counted_) return;
  ShownState& state = State();
  --state.formatDepth;
  if (noting_) state.notes.push_back({kind_, value_, NumberTextBuffer()});
}

void BeginShownNumbers(HWND dialog) {
  ShownState& state = State();
  DropClosedDialogs(state);
  state.dialogs.erase(dialog);
  state.fillings.push_back({dialog, state.notes.size()});
  t_fillings = static_cast<int>(state.fillings.size());
}

void EndShownNumbers(HWND dialog) {
  ShownState& state = State();
  std::size_t filling = state.fillings.size();
  while (filling > 0 && state.fillings[filling - 1].dialog != dialog) --filling;
  const bool noted = filling > 0;
  const std::size_t firstNote = noted ? state.fillings[filling - 1].firstNote : state.notes.size();
  std::map<int, Field>& fields = state.dialogs[dialog];
  fields.clear();
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const int item = GetDlgCtrlID(child);
    Field field;
    if (item <= 0 || !ReadControl(child, field)) continue;
    if (field.control == Control::Edit && noted) KeepNumber(state.notes, firstNote, field);
    fields[item] = std::move(field);
  }
  if (!noted) return;
  state.notes.resize(firstNote);
  state.fillings.resize(filling - 1);
  t_fillings = static_cast<int>(state.fillings.size());
}

void WatchDialogFilling(HWND dialog) {
  platform::SetDialogFillWatcher(OnDialogFilling);
  ShownState& state = State();
  if (state.dialogs.count(dialog) != 0) return;
  if (state.fillings.empty() || state.fillings.back().dialog != dialog) BeginShownNumbers(dialog);
}

bool FieldAsShown(HWND dialog, int item) {
  const Field* field = FieldOf(dialog, item);
  if (field == nullptr) return false;
  Field now;
  return ReadControl(GetDlgItem(dialog, item), now) && now.text == field->text && now.state == field->state;
}

void ArmShownNumber(HWND dialog, int item, const std::string& read) {
  Armed& armed = State().armed;
  armed = {};
  const Field* field = FieldOf(dialog, item);
  if (field == nullptr || !field->kept || !FieldAsShown(dialog, item)) return;
  armed = {true, read, field->kind, field->value};
}

bool TakeShownNumber(int kind, const std::string& read, float& value) {
  Armed& armed = State().armed;
  const bool take = armed.armed && armed.kind == kind && armed.text == read;
  if (take) value = static_cast<float>(armed.value);
  armed = {};
  return take;
}
