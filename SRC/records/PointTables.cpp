// The shared operations of the named point tables; see PointTables.h.
#include "records/PointTables.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "records/TableFileFields.h"
#include "services/Interpolation.h"
#include "services/NumberText.h"

bool IsControlCharacter(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

bool HoldsControlCharacter(const std::string& name) {
  return std::any_of(name.begin(), name.end(), IsControlCharacter);
}

std::string VisibleText(const std::string& text, bool keepTabs) {
  std::string shown;
  for (const char c : text) {
    if (!IsControlCharacter(c) || (keepTabs && c == '\t')) {
      shown += c;
      continue;
    }
    char code[8];
    std::snprintf(code, sizeof code, "<%02X>", static_cast<unsigned>(static_cast<unsigned char>(c)));
    shown += code;
  }
  return shown;
}

namespace {

std::string LowerFirst(const char* word) {
  std::string text = word;
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string PointFault(const NamedPoints& table, std::size_t point, const PointTableWords& words,
                       const std::string& what) {
  return std::string(words.kind) + " " + VisibleText(table.name) + ", point " + std::to_string(point + 1) + ": " +
         what;
}

}  // namespace

bool IsBelowLeastStored(float value) {
  return value != 0.0f && std::isfinite(value) && std::fabs(value) < kLeastStoredMagnitude;
}

bool IsBeyondStoredLimit(float value) { return !(std::fabs(value) < kStoredMagnitudeLimit); }

std::vector<std::string> MendPointsBelowLeast(std::vector<FloatPair>& points, const std::string& what,
                                              const char* abscissa, const char* ordinate) {
  std::vector<std::string> notes;
  for (std::size_t k = 0; k < points.size(); ++k)
    for (auto [value, field] : {std::pair{&points[k].x, abscissa}, std::pair{&points[k].y, ordinate}}) {
      if (!IsBelowLeastStored(*value)) continue;
      char text[32];
      std::snprintf(text, sizeof text, "%.3G", static_cast<double>(*value));
      notes.push_back(what + ", point " + std::to_string(k + 1) + ": the " + field + " " + text +
                      " is below 1E-37, the least a value may be but zero, and is taken as 0");
      *value = kExplicitZero;
    }
  return notes;
}

std::vector<std::string> MendPointTablesBelowLeast(NamedPointsList& list, const PointTableWords& words) {
  std::vector<std::string> notes;
  const std::string value = "value";
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    NamedPoints& table = list[index];
    const std::vector<std::string> more =
        MendPointsBelowLeast(table.points, std::string(words.section) + ": " + words.kind + " \"" + VisibleText(table.name) + "\"",
                             LowerFirst(words.abscissa).c_str(), value.c_str());
    notes.insert(notes.end(), more.begin(), more.end());
  }
  return notes;
}

std::string PointTableFault(const NamedPoints& table, const PointTableWords& words) {
  const std::vector<FloatPair>& points = table.points;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const FloatPair& point = points[k];
    // What no cell stores (1E38 or more) only damage brings; a value below
    // the least is mended with a note (MendPointTablesBelowLeast).
    if (IsBeyondStoredLimit(point.x) || IsBeyondStoredLimit(point.y))
      return PointFault(table, k, words, std::string("a value is out of range (") + kStoredValueRange + ")");
    if (point.x < 0.0f) return PointFault(table, k, words, words.negativeAbscissa);
    if (words.negativeValue != nullptr && point.y < 0.0f) return PointFault(table, k, words, words.negativeValue);
    if (k > 0 && (!FloatLess(points[k - 1].x, point.x) || FloatNearlyEqual(points[k - 1].x, point.x)))
      return PointFault(table, k, words,
                        "the " + LowerFirst(words.abscissa) + " is not above that of point " + std::to_string(k));
  }
  return {};
}

void CheckReadPointTable(const NamedPoints& table, const PointTableWords& words) {
  if (const std::string fault = PointTableFault(table, words); !fault.empty()) ThrowDamagedSection(words.section, fault);
}

std::string TableNameNote(const std::string& name, const std::vector<std::string>& earlier,
                          const PointTableWords& words) {
  std::string what;
  if (HoldsControlCharacter(name))
    what = "its name holds a control character";
  else if (name != KeptTableName(name))
    what = "its name has blanks around it";
  else if (std::find(earlier.begin(), earlier.end(), name) != earlier.end())
    what = "the name is given twice; only the first of that name is used";
  if (what.empty()) return what;
  return std::string(words.section) + ": " + words.kind + " \"" + VisibleText(name) + "\": " + what;
}

std::vector<std::string> PointTableNotes(const NamedPointsList& list, const PointTableWords& words) {
  std::vector<std::string> notes, earlier;
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index) {
    const NamedPoints& table = list[index];
    if (std::string note = TableNameNote(table.name, earlier, words); !note.empty())
      notes.push_back(std::move(note));
    earlier.push_back(table.name);
    if (FirstValueWithoutAbscissa(table.points) == 0)
      notes.push_back(std::string(words.section) + ": " + words.kind + " \"" + VisibleText(table.name) +
                      "\", point 1: a value at " + LowerFirst(words.abscissa) +
                      " 0, which the analysis takes; an edit of the points drops it (" + words.abscissa +
                      " is required)");
  }
  return notes;
}

bool IsBlankPointTable(const NamedPoints& record) { return record.name.empty() && record.points.empty(); }

std::size_t SavedPointTableCount(const NamedPointsList& list) {
  return !list.empty() && IsBlankPointTable(list.back()) ? list.size() - 1 : list.size();
}

int FindPointTable(const NamedPointsList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

std::string KeptTableName(const std::string& text) {
  constexpr const char* kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return {};
  std::string name = text.substr(first, kPointTableNameLength);
  name.erase(name.find_last_not_of(kBlanks) + 1);
  return name;
}

void EnsureTrailingBlank(NamedPointsList& list) {
  if (list.empty() || !IsBlankPointTable(list.back())) list.emplace_back();
}

std::vector<FloatPair> SortedPoints(std::vector<FloatPair> points) {
  std::vector<FloatPair> sorted;
  InterpolateTable(points, sorted);
  return sorted;
}

int FirstNearDuplicate(const std::vector<FloatPair>& points) {
  // The order InterpolateTable keeps: zeros out, then a stable sort.
  std::vector<std::size_t> order(points.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::erase_if(order, [&points](std::size_t i) { return IsZeroFloat(points[i].x); });
  std::stable_sort(order.begin(), order.end(),
                   [&points](std::size_t a, std::size_t b) { return FloatLess(points[a].x, points[b].x); });
  int dropped = -1;
  for (std::size_t k = 1, kept = order.empty() ? 0 : order[0]; k < order.size(); ++k) {
    if (!FloatNearlyEqual(points[order[k]].x, points[kept].x)) {
      kept = order[k];
      continue;
    }
    if (dropped < 0 || order[k] < static_cast<std::size_t>(dropped)) dropped = static_cast<int>(order[k]);
  }
  return dropped;
}

int FirstValueWithoutAbscissa(const std::vector<FloatPair>& points) {
  for (std::size_t i = 0; i < points.size(); ++i)
    if (IsZeroFloat(points[i].x) && !IsZeroFloat(points[i].y)) return static_cast<int>(i);
  return -1;
}

std::size_t PlacePointTable(NamedPointsList& list, const std::string& name, std::size_t currentRow) {
  EnsureTrailingBlank(list);
  const int existing = FindPointTable(list, name);
  if (existing >= 0) return static_cast<std::size_t>(existing);
  const std::size_t at = std::min(currentRow, list.size() - 1);
  if (!IsBlankPointTable(list[at])) list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), NamedPoints{});
  return at;
}

std::string PointValueText(float value) { return value == 0.0f ? std::string() : FormatG6(value); }
