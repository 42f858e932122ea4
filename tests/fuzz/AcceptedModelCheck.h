// What every fuzz target that makes a model asks of a model its road
// accepted (Open, the old-format conversion, the imports of .mbf, .pnf and
// .cii files, Merge). It is written here, apart from whatever check the
// readers call, so that it finds what they let through:
//
// - the model keeps the rules its road promises (model/ModelRules.h, below);
// - every value it holds is one a cell would take: each float its model
//   file records, as the file's writer walks it (the values the making
//   computes from the rows included, a bend's centre, the nodes), keeps the
//   one number rule (StoredValueAcceptable, services/NumberText.h), and the
//   force spectra's and time functions' abscissas ascend from 0;
// - a lookup of each response spectrum gives a number, or refuses a point
//   that the road's notes named;
// - it is saved, and the model read back from its file writes the same
//   file again.
//
// The values are those a recorder keeps of the writer's walk, so no field
// escapes for want of a name; a fault names the value's place in the file
// and, as the program's own walk names it, its record and field:
// "the file's value 912 (byte 4410) = 1.00000002E+38 [Row 3: the DX ...]".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Model;

// The rules a road promises its model keeps: Merge every rule of the whole
// model, as every edit; an import those of the making and of the rows (the
// nodes equipment, allowables and connected items name are stored as read,
// and the evaluations resolve them); Open none but that the model can be
// made, which its save asks: a model file that broke a rule opens as it
// always did, and the gate of every edit keeps it from breaking more.
enum class RoadRules { kWholeModel, kRows, kMaking };

// The first of the above that `model` breaks, or the empty text. `notes`:
// what the road said of the model (its notes or its log). The model is
// made again on the way.
std::string AcceptedModelFault(Model& model, RoadRules rules, const std::vector<std::string>& notes);

// The seed driver's budget of inputs for a target that asks this check
// (FuzzSeedBudget, FuzzTarget.h): its test keeps within its time on a
// loaded machine. With 5000 the model file's target took 95 to over 120 s
// when the suite ran the heavy fuzz tests side by side.
constexpr std::size_t kAcceptedModelSeedBudget = 2500;

// Ends the run as a crash, naming `road` and the fault, when there is one:
// the seed driver's test fails, and libFuzzer keeps the input.
void CheckAcceptedModel(Model& model, const char* road, RoadRules rules, const std::vector<std::string>& notes = {});
