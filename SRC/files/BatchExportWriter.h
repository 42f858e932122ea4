// What the files of the model batch file writer share (BatchExport.cpp,
// BatchExportLayout.cpp, BatchExportItems.cpp): the Writer that gathers the
// text and names what it leaves out, the number texts it gives values, the
// text of a LAYOUT line being written, and the LAYOUT writer's entry points.
// Internal to the writer: nothing outside those files includes it, and its
// names stay in their own namespace.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "files/BatchExportReadBack.h"
#include "files/BatchNumberText.h"
#include "model/Nodes.h"
#include "services/NumberText.h"
#include "services/Units.h"

struct LayoutRow;
struct Model;

namespace batch_export {

constexpr double kDegreesPerRadian = 57.29577951308232;

using Formatter = const char* (*)(float);

// Angles are held in radians; some records keep degrees.
inline const char* FormatDegrees(float degrees) {
  return FormatAngle(static_cast<float>(degrees / kDegreesPerRadian));
}

class Writer {
 public:
  Writer(const Model& model, std::vector<std::string>& leftOut) : model_(model), leftOut_(leftOut) {}

  std::string text;
  // Where the file put each record and row, and what the writer named.
  BatchFileRecords records;

  void Line(const std::string& line) {
    text += line + "\n";
    records.linePlaces.push_back(place_);
  }
  // A LAYOUT line, which the import makes the next row: from the model's
  // `row`, all of it or one part.
  void RowLine(const std::string& line, int row, BatchFileRecords::Part part = BatchFileRecords::Part::kWhole) {
    Line(line);
    records.rows.emplace_back(row, part);
  }
  // Names what the file leaves out or changes of the record at hand, and
  // the fields the line names, which the read-back comparison then leaves
  // to it.
  void LeftOut(const std::string& what, std::initializer_list<std::string> fields = {}) {
    leftOut_.push_back(where_ + what);
    for (const std::string& field : fields) Named(field);
  }
  void Named(const std::string& field) { records.named.insert({place_, field}); }
  void At(const std::string& where) {
    place_ = where;
    where_ = where.empty() ? std::string() : where + ": ";
  }
  // The name the file gives the record of `table` that a row naming `name`
  // reaches.
  std::string Written(NameTable table, const std::string& name) const { return records.WrittenName(table, name); }
  // The name the line of record `number` of `table` gives it; empty when the
  // record is not written.
  const std::string& RecordName(NameTable table, int number) const {
    return records.recordNames[static_cast<std::size_t>(table)][static_cast<std::size_t>(number)];
  }

  // A value's text, with the digits it needs to read back as itself; a
  // value that is not a number is written as 0 and named.
  std::string Num(float value, Formatter format) {
    if (!std::isfinite(value)) {
      LeftOut("a value that is not a number was written as 0");
      value = 0.0f;
    }
    // A length has no typed zero: its 1e-36 would be written as an exponent
    // of feet, which the reader refuses.
    if (format == FormatLength && IsExplicitZero(value)) value = 0.0f;
    return format == FormatDegrees ? BatchDegreesText(value) : BatchValueText(value, format);
  }
  // A temperature where the reader needs one: nothing given (0.0) has no
  // text, and is written as the typed zero, 0 F.
  std::string Temperature(float value) { return Num(value == 0.0f ? kExplicitZero : value, FormatTemperature); }
  std::string Fixed(float value, int width, int decimals) {
    if (!std::isfinite(value)) {
      LeftOut("a value that is not a number was written as 0");
      value = 0.0f;
    }
    return BatchPlainText(value, width, decimals);
  }
  // A specific gravity: three decimals, or the digits it needs.
  std::string ThreeDecimals(float value) {
    const std::string text = FormatThreeDecimals(value);
    float read = 0.0f;
    return ParseReal(text, read) == 0 && read == value ? text : Fixed(value, 12, 3);
  }
  // The literal for 0 (none given or the typed zero), the formatted value
  // otherwise.
  std::string NumOr(float value, Formatter format, const char* zero) {
    return value == 0.0f || IsExplicitZero(value) ? std::string(zero) : Num(value, format);
  }
  std::string Triple(float x, float y, float z, Formatter format) {
    return "(" + Num(x, format) + "," + Num(y, format) + "," + Num(z, format) + ")";
  }
  std::string Direction(float x, float y, float z) {
    return "(" + Fixed(x, 10, 4) + "," + Fixed(y, 10, 4) + "," + Fixed(z, 10, 4) + ")";
  }

  const Model& model() const { return model_; }

 private:
  const Model& model_;
  std::vector<std::string>& leftOut_;
  std::string where_;
  std::string place_;
};

inline std::string NodeText(std::int32_t node) {
  return node == 0 ? std::string() : std::string(NodeNumberText(node));
}

inline bool AnyNonZero(float a, float b, float c) { return a != 0.0f || b != 0.0f || c != 0.0f; }

// Control characters other than blanks, which the reader refuses on any
// line, as blanks.
inline std::string WithoutControls(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) c = ' ';
  }
  return text;
}

// A LAYOUT line as it is written: the row's main part, and the attribute
// list after "C".
struct RowText {
  std::string main;
  std::string attributes;
  void Attribute(const std::string& attribute) {
    attributes += attributes.empty() ? ",C" : ",";
    attributes += attribute;
  }
};

// The LAYOUT section, every row on its line (BatchExportLayout.cpp);
// `titleRow` says whether the file's first line gives the reader a title row.
void WriteLayout(Writer& w, bool titleRow);

// The item's code and attributes (BatchExportItems.cpp); false when the
// item has no writer or cannot be written (it is then named in the list).
bool WriteItem(Writer& w, const LayoutRow& row, RowText& out);

}  // namespace batch_export
