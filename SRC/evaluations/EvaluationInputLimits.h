// What Analyze asks of an evaluation tool's values beyond each field's own
// least value: a file may hold anything a float can, while a dialog takes
// only numbers below the limit of a typed number (NumberText.h); and values
// each below it may still multiply into results a float cannot hold, which
// the report would show as "*****". Both are refused naming a field, in the
// words the dialog's own message uses ("<name> =  <text>  is invalid").
//
// When the results overflow, the field named is the largest value the
// results are made of: the formulas are products of the inputs' powers, so
// the largest factor is the one that took them past the float's range.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// An input as its field's messages name it and the dialog shows it, with
// the dialog item that holds it (0: none).
struct NamedInput {
  std::string name;
  std::string text;
  double value = 0;
  int item = 0;
};

// A refusal and the item of the input it names (0: none); no text, no
// refusal.
struct InputLimitRefusal {
  std::string text;
  int item = 0;
};

// The first input at or above the limit of a typed number (or not a
// number); when all are below, and `resultsFinite` says the results made of
// them are not, the largest input.
InputLimitRefusal CheckInputLimits(const std::vector<NamedInput>& inputs, const std::function<bool()>& resultsFinite);
// Whether every result is a finite 32-bit float, as the report holds it.
bool ResultsFinite(std::initializer_list<double> results);
