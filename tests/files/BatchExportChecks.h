// What the export tests check of a model and the model its batch file
// reads back as: the rows of the file that stand for a row of the model, a
// row's fields of one part, and whether the list names a record.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "files/BatchExportFields.h"
#include "model/Model.h"

// Whether the list names the record `where` ("Row 12: ...").
inline bool Names(const std::vector<std::string>& leftOut, const std::string& where) {
  const std::string start = where + ": ";
  return std::any_of(leftOut.begin(), leftOut.end(),
                     [&start](const std::string& line) { return line.rfind(start, 0) == 0; });
}

// The fields of one part of a row.
inline std::vector<RecordField> PartOf(const std::vector<RecordField>& fields, RowPart part) {
  std::vector<RecordField> kept;
  for (const RecordField& field : fields)
    if (field.part == part) kept.push_back(field);
  return kept;
}

// The rows of `read` that stand for `row` of `model`: its element's and its
// item's (the same row unless the item went on a line of its own).
inline std::pair<int, int> RowsReadFor(const Model& model, int row, const Model& read) {
  const NodeId node = model.row(row).node;
  int element = 0, item = 0, commentRows = 0;
  for (int number = 1; number < row; ++number) commentRows += model.row(number).node == 0 ? 1 : 0;
  // The title's row, which the model may not have.
  if (model.row(1).elementType != ElementType::Comment && read.row(1).elementType == ElementType::Comment)
    ++commentRows;
  for (int number = 1; number <= read.rowCount; ++number) {
    const LayoutRow& candidate = read.row(number);
    if (node == 0) {
      if (candidate.node == 0 && commentRows-- == 0) return {number, number};
      continue;
    }
    if (candidate.node != node) continue;
    if (element == 0) element = number;
    if (candidate.dataType != DataType::None) item = number;
  }
  return {element, item != 0 ? item : element};
}

