// The rules the whole model keeps, asked once at the end of every edit where
// its undo snapshot is settled (UndoFiles.h), whichever road made the edit:
//
// - the model can be made, and every number it holds or derives (node
//   coordinates, bends, the picture's view) is finite (MakeModel.h);
// - the first element row is the From row;
// - every Location names a node an earlier row made, and every element
//   that must have length and makes its own node has some (RowRules.h);
// - every node that a pump, compressor, turbine, allowable or connected
//   item names is still made, and every jacket takes its core: rules of the
//   floors above, asked through the doors they fill at start-up.
//
// A broken rule is counted by its kind, not by its row or node, so an edit
// that only moves or renumbers what was already broken adds nothing: an
// edit is refused only for a kind of broken rule the model before it held
// fewer of. A model that broke a rule when it was opened still opens and
// takes every edit that does not add to it.
#pragma once

#include <string>
#include <vector>

struct Model;

struct BrokenRule {
  std::string kind;     // what is counted: one text per rule
  std::string message;  // what the road that broke it shows
};

struct ModelRuleDoors {
  // The named nodes of pumps, compressors, turbines, allowables and
  // connected items that `model` does not make, with the message of the
  // deletion that would have lost them; `maker` is the model whose rows
  // made them (the model before the edit) for the message.
  void (*unmadeNodeReferences)(const Model& model, const Model& maker, std::vector<BrokenRule>& broken) = nullptr;
  // The message of the rule of the floors above that row `row` breaks (a
  // jacket narrower than its core), or the empty text.
  std::string (*rowRefusal)(const Model& model, int row) = nullptr;
};

// The doors stay empty (nothing asked through them) until they are set.
void SetModelRuleDoors(const ModelRuleDoors& doors);

// Makes `model` and lists every rule it breaks, rows in order; a model that
// cannot be made breaks the one rule of its making's message. `maker` as in
// ModelRuleDoors (the model itself when it is its own).
std::vector<BrokenRule> BrokenModelRules(Model& model, const Model& maker);
// The rules of the making and of the rows alone (the first three above and
// the rule of a row of the floors above): what a model an import makes
// keeps. The nodes equipment and allowables name are not looked up: an
// import stores them as read, and the evaluations resolve them.
std::vector<BrokenRule> BrokenRowRules(Model& model);
// The message of the first rule of `after` whose kind `before` holds fewer
// times; empty when the edit from `before` to `after` added none.
std::string AddedRuleMessage(const std::vector<BrokenRule>& before, const std::vector<BrokenRule>& after);
