// The equipment and allowable-load sections of a model batch file (see
// BatchSections.h): PUMPS, COMPRESSORS, TURBINES and ALLOW, each line
// appending one record to the pump, compressor, turbine or allowable-load
// table. All four split their lines at commas alone, so a description keeps
// its blanks (upper-cased with the rest of the line). Node numbers are kept
// as read: the evaluations look them up, not the import.
#include <array>

#include "evaluations/PumpVocabulary.h"
#include "files/BatchSections.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

// The model file keeps 15 characters of a pump's, compressor's or
// turbine's description (16 bytes with the terminator), as the pump dialog
// takes them.
constexpr std::size_t kDescriptionWidth = 15;
constexpr std::int32_t kLastNozzleLocation = kNozzleEnd;

std::optional<std::string> NextComma(BatchReader& reader) { return NextBatchCommaField(reader.commaFields); }

std::optional<std::string> FirstCommaField(BatchReader& reader) {
  StartBatchFields(reader.commaFields, reader.line);
  return NextComma(reader);
}

// The description of the line's first field: required, at most 15
// characters.
std::string ReadDescription(BatchReader& reader, const std::string& kind) {
  const std::optional<std::string> field = FirstCommaField(reader);
  if (!IsGivenField(field)) BatchLineError(reader, kind + " description is required");
  if (field->size() > kDescriptionWidth)
    BatchLineError(reader, kind + " desc should be <= " + std::to_string(kDescriptionWidth) + " characters", *field);
  return *field;
}

// A node number of an optional field: none for an empty text.
std::int32_t ParseNodeField(const BatchReader& reader, const std::string& field, const std::string& message,
                            bool withField) {
  if (field.empty()) return 0;
  NodeId id = 0;
  if (ParseNodeNumber(field, id) != kNodeOk) {
    if (withField) BatchLineError(reader, message, field);
    BatchLineError(reader, message);
  }
  return id;
}

// A nozzle location 0 to 2; an empty field is 0.
std::int32_t ParseLocationField(const BatchReader& reader, const std::string& field, const std::string& message) {
  if (field.empty()) return kNozzleTop;
  std::int32_t location = 0;
  if (ParseInteger(field, location) != 0 || location < kNozzleTop || location > kLastNozzleLocation)
    BatchLineError(reader, message, field);
  return location;
}

// Three fields through `parser`: a missing one ends the line with
// `required`, a bad one with its own message and the field.
std::array<float, 3> ReadTriple(BatchReader& reader, BatchParser parser, const char* required,
                                const std::array<const char*, 3>& messages) {
  std::array<float, 3> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::optional<std::string> field = NextComma(reader);
    if (!field) BatchLineError(reader, required);
    values[i] = ParseBatchValue(reader, *field, parser, messages[i]);
  }
  return values;
}

std::array<float, 3> ReadShaftAxis(BatchReader& reader) {
  return ReadTriple(reader, ParseReal, "Shaft axis direction required", {"Invalid xcomp", "Invalid ycomp", "Invalid zcomp"});
}

bool IsZero(const std::array<float, 3>& values) { return values[0] == 0.0f && values[1] == 0.0f && values[2] == 0.0f; }

void ParseRotatingEquipment(BatchReader& reader, ModelRecordTable<RotatingEquipment>& table, const std::string& kind) {
  RotatingEquipment record;
  record.description = ReadDescription(reader, kind);
  record.shaftAxis = ReadShaftAxis(reader);
  // Inlet, exhaust and first extraction: the line may end before any of
  // them; an empty one is none.
  struct NodeField {
    std::int32_t* node;
    const char* message;
  };
  const std::array<NodeField, 3> nodes = {{{&record.inletNode, "Invalid inlet node number"},
                                           {&record.exhaustNode, "Invalid exhaust node number"},
                                           {&record.extractionNode1, "Invalid extraction1 node number"}}};
  bool ended = false;
  for (const NodeField& node : nodes) {
    const std::optional<std::string> field = NextComma(reader);
    if (!field) {
      ended = true;
      break;
    }
    *node.node = ParseNodeField(reader, *field, node.message, false);
  }
  if (!ended) {
    // Written at all, the second extraction must be a node.
    if (const std::optional<std::string> field = NextComma(reader)) {
      NodeId id = 0;
      if (ParseNodeNumber(*field, id) != kNodeOk) BatchLineError(reader, "Invalid extraction2 node number");
      record.extractionNode2 = id;
    }
  }
  if (IsZero(record.shaftAxis)) BatchLineError(reader, "shaft axis direction required");
  AppendRotatingEquipment(table, record);
}

}  // namespace

void ParseBatchPump(BatchReader& reader) {
  Pump pump;
  pump.name = ReadDescription(reader, "Pump");
  const std::optional<std::string> typeText = NextComma(reader);
  if (!IsGivenField(typeText)) BatchLineError(reader, "Pump type is required");
  std::int32_t type = 0;
  if (ParseInteger(*typeText, type) != 0 || (type != 0 && type != 1))
    BatchLineError(reader, "Invalid Pump type", *typeText);
  pump.vertical = type == 1 ? 1 : 0;
  if (type == 1) {
    if (const auto suction = NextComma(reader)) {
      pump.suctionNode = ParseNodeField(reader, *suction, "Invalid Suction node", true);
      if (const auto discharge = NextComma(reader))
        pump.dischargeNode = ParseNodeField(reader, *discharge, "Invalid discharge node", true);
    }
  } else {
    pump.shaftAxis = ReadShaftAxis(reader);
    pump.centre = ReadTriple(reader, ParseLength, "Centre of pump required",
                             {"Invalid x coordinate", "Invalid y coordinate", "Invalid z coordinate"});
    if (const auto suction = NextComma(reader)) {
      pump.suctionNode = ParseNodeField(reader, *suction, "Invalid Suction node", true);
      if (const auto location = NextComma(reader)) {
        pump.suctionLocation = ParseLocationField(reader, *location, "Invalid Suction location");
        const auto discharge = NextComma(reader);
        if (IsGivenField(discharge)) {
          pump.dischargeNode = ParseNodeField(reader, *discharge, "Invalid discharge node", true);
          if (const auto dischargeLocation = NextComma(reader))
            pump.dischargeLocation = ParseLocationField(reader, *dischargeLocation, "Invalid discharge location");
        }
      }
    }
  }
  if (pump.suctionNode == 0 && pump.dischargeNode == 0) BatchLineError(reader, "Suction or Dischage node required");
  if (type == 0) {
    if (IsZero(pump.shaftAxis)) BatchLineError(reader, "invalid shaft axis direction");
    if (std::string fault = PumpShaftAxisFault(pump, reader.model->options.ZVertical != 0); !fault.empty())
      BatchLineError(reader, fault);
    if (IsZero(pump.centre)) BatchLineError(reader, "Invalid centre of pump");
  }
  AppendPump(reader.model->pumps, pump);
}

void ParseBatchCompressor(BatchReader& reader) {
  ParseRotatingEquipment(reader, reader.model->compressors, "Compressor");
}

void ParseBatchTurbine(BatchReader& reader) { ParseRotatingEquipment(reader, reader.model->turbines, "Turbine"); }

void ParseBatchAllowable(BatchReader& reader) {
  Allowable allowable;
  const std::optional<std::string> nodeText = FirstCommaField(reader);
  if (nodeText) allowable.node = ParseNodeField(reader, *nodeText, "Invalid node", true);
  static constexpr std::array<BatchParser, 6> kParsers = {ParseForce, ParseForce, ParseForce,
                                                           ParseMoment, ParseMoment, ParseMoment};
  static constexpr std::array<const char*, 6> kMessages = {"Invalid FX", "Invalid FY", "Invalid FZ",
                                                           "Invalid MX", "Invalid MY", "Invalid MZ"};
  for (std::size_t i = 0; i < allowable.values.size(); ++i) {
    const std::optional<std::string> field = NextComma(reader);
    if (!field) BatchLineError(reader, "force and moment required");
    allowable.values[i] = ParseBatchValue(reader, *field, kParsers[i], kMessages[i]);
  }
  if (allowable.node == 0) BatchLineError(reader, "Node required");
  AppendAllowable(reader.model->allowables, allowable);
}
