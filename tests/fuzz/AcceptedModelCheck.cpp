// See AcceptedModelCheck.h: the rules, the values, the spectra and the
// round trip of a model a road accepted. Start reading at
// AcceptedModelFault.
#include "fuzz/AcceptedModelCheck.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "fuzz/ReaderFuzz.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelRules.h"
#include "records/GraphicsSettings.h"
#include "records/Spectrum.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"

namespace {

// Every digit of a float, so that 1E-38 and 1E-37 are not both "1E-37".
std::string Exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.9G", value);
  return text;
}

std::string PointsFault(const std::string& where, const std::vector<FloatPair>& points, bool ascending) {
  for (std::size_t k = 0; k < points.size(); ++k) {
    const FloatPair& point = points[k];
    const std::string at = where + ", point " + std::to_string(k + 1);
    if (!StoredValueAcceptable(point.x)) return at + ": abscissa = " + Exact(point.x);
    if (!StoredValueAcceptable(point.y)) return at + ": value = " + Exact(point.y);
    if (ascending && (point.x < 0.0f || (k > 0 && !(point.x > points[k - 1].x))))
      return at + ": abscissa " + Exact(point.x) + " does not ascend from 0";
  }
  return {};
}

// Every value of the model's file in the writer's order.
std::vector<BinaryFileValue> Written(const Model& model) {
  std::vector<BinaryFileValue> values;
  BinaryFile recorder;
  BinaryFileOpenRecorder(recorder, values);
  WriteModelStream(recorder, model);
  return values;
}

// `values`: those of the model's file, as its writer walks it. Every float
// it records, alone or in a point list, the values the making computes
// included, keeps the rule: no field is left out for want of a name. The
// first that does not is named by its place in the file, and by record and
// field as the program's own walk names it (ModelWriteFault).
std::string ValuesFault(const Model& model, const std::vector<BinaryFileValue>& values) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    const BinaryFileValue& value = values[k];
    std::vector<float> floats;
    if (value.kind == BinaryFileValue::kFloat) floats.push_back(value.real);
    if (value.kind == BinaryFileValue::kPairs)
      for (const FloatPair& point : value.pairs) floats.insert(floats.end(), {point.x, point.y});
    for (const float number : floats)
      if (!StoredValueAcceptable(number))
        return "the file's value " + std::to_string(k + 1) + " (byte " + std::to_string(value.at) +
               ") = " + Exact(number) + " [" + ModelWriteFault(model) + "]";
  }
  std::string fault;
  for (std::size_t k = 0; fault.empty() && k < model.forceSpectra.size(); ++k)
    fault = PointsFault("Force spectrum " + std::to_string(k + 1), model.forceSpectra[k].points, true);
  for (std::size_t k = 0; fault.empty() && k < model.timeFunctions.size(); ++k)
    fault = PointsFault("Time function " + std::to_string(k + 1), model.timeFunctions[k].points, true);
  return fault;
}

bool NotesName(const std::vector<std::string>& notes, const std::string& name) {
  for (const std::string& note : notes)
    if (note.find("\"" + name + "\"") != std::string::npos) return true;
  return false;
}

// A spectrum that the lookup refuses for one of its points is one the road
// said it took as it was.
std::string SpectraFault(const Model& model, const std::vector<std::string>& notes) {
  for (const ResponseSpectrum& spectrum : model.spectra) {
    if (spectrum.name.empty()) continue;
    SpectrumLoad load;
    load.name[0] = spectrum.name;
    load.factor[0] = 1.0f;
    for (const double omega : {0.5, 20.0, 600.0}) {
      try {
        if (!std::isfinite(SpectrumValue(model.spectra, load, omega, 0, true)))
          return "Spectrum " + spectrum.name + ": a lookup that is not a number";
      } catch (const std::string& message) {
        if (message.find(", point ") != std::string::npos && !NotesName(notes, spectrum.name))
          return "Spectrum " + spectrum.name + ": the lookup refuses what no note named: " + message;
      }
    }
  }
  return {};
}

bool SameValue(const BinaryFileValue& a, const BinaryFileValue& b) {
  if (a.kind != b.kind || a.integer != b.integer || a.bytes != b.bytes || a.pairs.size() != b.pairs.size())
    return false;
  if (std::memcmp(&a.real, &b.real, sizeof a.real) != 0) return false;
  return a.pairs.empty() || std::memcmp(a.pairs.data(), b.pairs.data(), a.pairs.size() * sizeof(FloatPair)) == 0;
}

// `written`: the values of the model's file. The save is the program's own
// (it reads its file back before it keeps it); the model read from that
// file is written again as values, which are the bytes of a file but for
// their encoding.
std::string RoundTripFault(const Model& model, const std::vector<BinaryFileValue>& written) {
  const std::string path = scratch::PathOf("accepted.mod");
  if (const std::string refused = WriteModelFileFrom(model, path); !refused.empty())
    return "it is not saved: " + refused;
  Model read;
  if (const std::string refused = CatchModelRead(path, [&] { ReadModelFileInto(path, read); }); !refused.empty())
    return "its file is not read back: " + refused;
  // An open shows a model whose view extents are symmetric about the view
  // origin from (1, 1, 1), fitted anew, as a model never viewed: a
  // converted old file (its own view kept) may read back so. That changes
  // the view, not the model; every other value must come back.
  if (read.graphics.viewDirection == std::array<float, 3>{1.0f, 1.0f, 1.0f}) {
    read.graphics.viewDirection = model.graphics.viewDirection;
    read.graphics.viewLeft = model.graphics.viewLeft;
    read.graphics.viewBottom = model.graphics.viewBottom;
    read.graphics.viewRight = model.graphics.viewRight;
    read.graphics.viewTop = model.graphics.viewTop;
  }
  const std::vector<BinaryFileValue> again = Written(read);
  std::size_t at = 0;
  while (at < written.size() && at < again.size() && SameValue(written[at], again[at])) ++at;
  if (at == written.size() && at == again.size()) return {};
  const auto shown = [](const std::vector<BinaryFileValue>& values, std::size_t k) -> std::string {
    if (k >= values.size()) return "none";
    const BinaryFileValue& value = values[k];
    if (value.kind == BinaryFileValue::kFloat) return Exact(value.real);
    if (value.kind == BinaryFileValue::kText || value.kind == BinaryFileValue::kBytes) return "\"" + value.bytes + "\"";
    if (value.kind == BinaryFileValue::kPairs) return std::to_string(value.pairs.size()) + " points";
    return std::to_string(value.integer);
  };
  return "the model read back is saved otherwise, from the file's value " + std::to_string(at + 1) + " on (" +
         shown(written, at) + ", then " + shown(again, at) + ")";
}

}  // namespace

std::string AcceptedModelFault(Model& model, RoadRules rules, const std::vector<std::string>& notes) {
  const std::vector<BrokenRule> broken = rules == RoadRules::kWholeModel ? BrokenModelRules(model, model)
                                         : rules == RoadRules::kRows     ? BrokenRowRules(model)
                                                                         : std::vector<BrokenRule>{};
  if (!broken.empty()) return "it breaks a rule of the model: " + broken.front().message;
  if (rules == RoadRules::kMaking) try {
      MakeModel(model);
    } catch (const std::string& message) {
      return "it cannot be made: " + message;
    }
  const std::vector<BinaryFileValue> written = Written(model);
  if (std::string fault = ValuesFault(model, written); !fault.empty()) return "a value no cell takes: " + fault;
  if (std::string fault = SpectraFault(model, notes); !fault.empty()) return fault;
  return RoundTripFault(model, written);
}

void CheckAcceptedModel(Model& model, const char* road, RoadRules rules, const std::vector<std::string>& notes) {
  const std::string fault = AcceptedModelFault(model, rules, notes);
  if (fault.empty()) return;
  std::fprintf(stderr, "%s: the model accepted: %s\n", road, fault.c_str());
  __builtin_trap();
}
