// The rule of a record's field: which values the record may hold there.
// Each record kind lists its rules in a table beside the record (Material.h,
// PipeSection.h, PipeLoad.h, BeamMaterial.h, BeamSection.h, BeamLoad.h,
// Soil.h), and every road that sets a field asks that table: the cell, the
// dialog, the batch and neutral imports, and the readers of model and
// library files, so that a value one road refuses no other road lets in.
//
// A rule judges a value in internal units, as it would stand in its record:
// a corrosion allowance against the wall, Poisson's ratio against the
// material's type. A refusal says how the cells have always said it: the
// invalid-field message ("Density =  -460  is invalid"), a reason after the
// field ("Specific gravity =  -1  should not be negative") or a message of
// its own ("Nu should be < 0.5"); a file's refusal names record and field,
// as the refusal of a number out of range does:
//   "Material 1: the density -460 is invalid (below 0)".
//
// Zero is what a field holds before it is given: a record the tables
// insert is all zeros, and its fields are typed one by one, each edit
// checked whole. Where a rule refuses a typed 0 that a record holds while
// it is made, the rule says when a stored 0 is such a field not yet given
// (`zeroNotGiven`): a record still without its wall, a material without
// its table against temperature (whose zero joint factors the table fills
// when the row is left).
// Start reading at FieldRule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// How the cells show a refusal.
enum class RefusalShow : std::uint8_t {
  kInvalid,  // "<label> =  <text>  is invalid"; `why` is for files only
  kReason,   // "<label> =  <text>  <why>"
  kMessage,  // `why` alone
};

struct FieldRefusal {
  const char* why = nullptr;  // null: the value is kept
  RefusalShow show = RefusalShow::kInvalid;
  explicit operator bool() const { return why != nullptr; }
};

template <typename Record>
struct FieldRule {
  const char* name;   // as a file's refusal names the field: "density"
  const char* label;  // the label of the cells' message: "Density"
  float (*value)(const Record& record);
  FieldRefusal (*judge)(float value, const Record& record);
  // When a stored 0 is the field not yet given (null: never).
  bool (*zeroNotGiven)(const Record& record) = nullptr;
};

// For `zeroNotGiven`: a stored 0 of the field is always one not given.
template <typename Record>
bool ZeroIsNotGiven(const Record&) {
  return true;
}

// The lowest temperature a load may have: absolute zero (-459.67 F) held at
// -460 F, as the batch format states it. The rule is asked of the stored
// value in degrees F, whatever unit the cell was typed in.
inline constexpr float kLowestLoadTemperature = -460.0f;
// The rule of every temperature a pipe or beam load holds.
FieldRefusal LoadTemperatureRefusal(float value);
// The rule of the many fields whose unit has no negative values (a density,
// a thickness, a stress ...).
FieldRefusal NotNegativeRefusal(float value);

// Throws what the cells show for `refusal` of a field labelled `label`
// (the text typed is the shared edit-field text, Message.h).
[[noreturn]] void ThrowFieldRefusal(const FieldRefusal& refusal, const std::string& label);

// What a cell or dialog asks before it stores `value` in the field of
// `rule` of `record` (the record with the other fields as they will be);
// throws the cells' message. `label`: the cell's own when it differs from
// the rule's (a stress column is named by the piping code).
template <typename Record>
void CheckFieldRule(const FieldRule<Record>& rule, float value, const Record& record, const char* label = nullptr) {
  if (const FieldRefusal refusal = rule.judge(value, record))
    ThrowFieldRefusal(refusal, label != nullptr ? label : rule.label);
}

// The first field of a record its rules refuse.
struct FieldFault {
  const char* name = nullptr;  // null: none
  float value = 0.0f;
  FieldRefusal refusal;
  explicit operator bool() const { return name != nullptr; }
};

// The first field of `record` that `rules` (count `count`) refuse.
template <typename Record>
FieldFault FirstFieldFault(const Record& record, const FieldRule<Record>* rules, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) {
    const FieldRule<Record>& rule = rules[k];
    const float value = rule.value(record);
    if (value == 0.0f && rule.zeroNotGiven != nullptr && rule.zeroNotGiven(record)) continue;
    if (const FieldRefusal refusal = rule.judge(value, record)) return {rule.name, value, refusal};
  }
  return {};
}

// A file's refusal of `fault` at `where` ("Material 1"):
//   "Material 1: the density -460 is invalid (below 0)".
std::string FieldFaultText(const std::string& where, const FieldFault& fault);

// A reader's refusal of a stored `value` of the field `name` at `where`
// that breaks the rule of a stored value (services/NumberText.h):
//   "Beam section 1: the torsion constant 2E+38 is out of range (a value is
//   zero, or from 1E-37 up to 1E38)".
std::string StoredValueFaultText(const std::string& where, const char* name, float value);
// Whether `value` keeps the rule of a stored value (StoredValueAcceptable).
bool StoredValueKept(float value);

// The refusal of the first field of `record` that `rules` name whose value
// breaks the rule of a stored value, at `where`; empty when none. A library
// reader asks it before the rules of the fields, as the model reader walks
// every number it reads.
template <typename Record, std::size_t N>
std::string RecordStoredValueFaultText(const Record& record, const FieldRule<Record> (&rules)[N],
                                       const std::string& where) {
  for (const FieldRule<Record>& rule : rules)
    if (const float value = rule.value(record); !StoredValueKept(value))
      return StoredValueFaultText(where, rule.name, value);
  return {};
}

// The refusal of the first field of `record` that `rules` refuse, at
// `where`; empty when it keeps them all.
template <typename Record, std::size_t N>
std::string RecordFieldFaultText(const Record& record, const FieldRule<Record> (&rules)[N], const std::string& where) {
  const FieldFault fault = FirstFieldFault(record, rules, N);
  return fault ? FieldFaultText(where, fault) : std::string();
}
