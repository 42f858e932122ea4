// The LAYOUT section of a model batch file: one layout row per line. A line
// is cut into fields (ParseBatchLayoutLine, BatchLayoutLines.cpp) acting by
// their first letter (node, offsets, bend radius, names, joint and K codes)
// and ends with an attribute list after "C" of keyword entries
// (ParseBatchAttributes, BatchLayoutKeywords.cpp) that give the values of
// the row's element and data item. Everything a line gives is gathered in
// BatchLayoutAttributes and becomes a row only when the whole line was read
// without error.
//
// Kinds: pipes, bends, beams, From, Location and comment rows, anchors,
// restraints, skewed restraints, guides, limit stops, snubbers, branch SIFs,
// forces and harmonic loads and the in-line kinds (valves, reducers, rigid
// and elastic elements, cut pipes, miters, jacketed pipes and bends with
// their spiders and end caps, hydrotest loads: BatchInlineKinds.h) and
// flanges, user SIFs, welds and concentrated masses (BatchJointKinds.h) are
// built, and the spectrum load's directions are read into the model; a code
// or keyword of any other kind
// is refused with the line's message (never passed over), until its kind
// exists. A keyword is read and checked where it stands; one that belongs
// to a kind (an element kind, a data item, or one type of item such as a
// user hanger or a flat-bottom tank nozzle) is then refused, with its line
// and entry, on a line whose row is not of that kind, as a value read and
// dropped would leave the model analysed other than the one written. The
// specified displacements and rotations (D..., DIS..., ROT...) are refused
// as they are read, off an anchor's line; the others once the line has
// chosen its item (CheckBatchKeywordKinds). The pipe-load values in force,
// the model's reference temperature and spectrum load, and the keywords
// that choose the item stand on any line.
//
// A line is held to what the Layout window holds a typed row to: a row's
// node is not the previous element's, a bend's node has no suffix, a hinge,
// a ball joint and a Location have no offset (nor a joint an absolute node),
// a branch SIF has the dimensions its SIF is computed from; once the whole
// file was read and the model made, a Location's node must exist, an
// element to a node that no other row makes needs a length, and a branch
// SIF's type must be one the piping code knows (the code may come last). A line cut short inside an entry (an
// unclosed parenthesis, a list that ends with a comma on the last line) is
// refused, never read as far as it goes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "elements/Bend.h"
#include "files/BatchInlineKinds.h"
#include "files/BatchJointKinds.h"
#include "model/LayoutRow.h"
#include "model/Nodes.h"
#include "supports/DisplacementSets.h"

struct Model;
struct PipeSection;

// An entry or field that a line gave, with the line it stood on, for the
// checks made once the whole line was read.
struct BatchGivenEntry {
  std::string keyword;
  std::string entry;
  int lineNumber = 0;
  std::string line;  // as read
};

// One attribute entry: KEY, KEY=value or KEY(a,b,c).
struct BatchEntry {
  std::string entry;
  std::string keyword;
  bool directional = false;               // KEY(...)
  bool hasValue = false;                  // "=" or "(" follows the keyword
  std::array<std::string, 3> components;  // missing ones empty; the scalar value is the first
};

// Cuts an entry: the keyword before the first "=" or "(", the value after it
// up to the first ")", split at commas into at most three components with
// their leading blanks removed.
BatchEntry SplitBatchAttribute(std::string_view entry);

struct BatchLayoutAttributes {
  NodeId node = 0;
  bool nodeGiven = false;
  bool absolute = false;
  ElementType element = ElementType::Pipe;
  DataType item = DataType::None;
  bool codeGiven = false;  // a K field was read
  float dx = 0.0f, dy = 0.0f, dz = 0.0f;
  std::array<std::string, 3> offsetFields;  // the X, Y and Z fields as written
  std::string nodeField;                    // the F, T or L field that gave the node
  float bendRadius = 0.0f;
  std::string bendRadiusText;  // as the B field gave it
  std::uint8_t radiusKind = kBendRadiusLong;
  std::string comment;

  // Bend.
  float bendThickness = 0.0f;
  std::string bendMaterial;
  float flexibilityFactor = -1.0f;
  std::array<NodeId, 2> intermediateNodes{};
  std::array<float, 2> intermediateAngles{};  // radians
  float inPlaneSif = 0.0f, outPlaneSif = 0.0f;

  // Beam: its beam material, section and load (the row's three names) and
  // beta in degrees, as the beam keeps it.
  std::string beamMaterial, beamSection, beamLoad;
  float beta = 0.0f;

  // Anchor: stiffnesses rigid unless given, releases, displacement sets
  // (translations inch, rotations degrees, as the anchor keeps them).
  std::array<float, 6> anchorStiffness{1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f};
  std::array<std::uint8_t, 6> releases{};
  std::array<std::uint8_t, kDisplacementSlots> displacementFlags{};
  DisplacementSets displacements;

  // Branch SIF: the type its K code gives and the dimensions (inch) its
  // keywords give; 0 where a keyword was not given.
  std::int32_t branchSifType = 0;
  float padThickness = 0.0f;     // PAD
  float crotchRadius = 0.0f;     // CRTCH
  float branchThickness = 0.0f;  // THK
  float branchLength = 0.0f;     // LEN
  float branchRadius = 0.0f;     // R

  // Force (FOR, FORX .. MOMZ; lb and inch-pound) or, with a frequency
  // (FRE, Hz), harmonic load, whose amplitudes FOR gives and which has a
  // phase (PH, degrees as the item keeps it) and no moments.
  std::array<float, 3> force{};
  std::array<float, 3> moment{};
  bool forceGiven = false;
  bool momentGiven = false;
  float frequency = 0.0f;
  bool frequencyGiven = false;
  float phase = 0.0f;

  // The model's spectrum load: the spectrum (SPECX, SPECY, SPECZ) and
  // factor (FACX, FACY, FACZ) a line gives for X, Y and Z.
  std::array<std::string, 3> spectrumName;
  std::array<bool, 3> spectrumGiven{};
  std::array<float, 3> spectrumFactor{};
  std::array<bool, 3> spectrumFactorGiven{};

  // Restraint: the directions F(...) fixes (its last values) and those
  // FX, FY, FZ fix (they stay fixed).
  std::array<bool, 3> fixedByVector{};
  std::array<bool, 3> fixedByFlag{};
  bool HoldsDirection(int axis) const {
    return fixedByVector[static_cast<std::size_t>(axis)] || fixedByFlag[static_cast<std::size_t>(axis)];
  }

  // Guides, limit stops, skewed restraints and snubbers: what their
  // keywords give. A support stiffness (STIFF) not given leaves the kind's
  // rigid stiffness; absent limits are -1.0e30 and +1.0e30.
  bool guide = false;                   // G
  bool limitStop = false;               // LS
  bool snubber = false;                 // SNUBBER
  float frictionCoefficient = 0.0f;     // MU
  float supportStiffness = 0.0f;        // STIFF, lb/inch
  bool supportStiffnessGiven = false;
  float guideGap = 0.0f;                // GGAP, inch
  float lowerLimit = -1.0e30f, upperLimit = 1.0e30f;  // LS, inch
  float skewedStiffness = 0.0f;         // K, lb/inch
  float skewedRotStiffness = 0.0f;      // KR, inch-pound per radian
  std::array<float, 3> direction{};     // DV
  NodeId connectedNode = 0;             // CNOD
  // Hangers: the kind (CS 103, RH 102, US 101, VS the OPTIONS section's
  // default type, HTYP a catalogue; 0 none), the number of hangers, the user
  // hanger's rate, load and load type, the short range (SR) and the load
  // variation (MLV; 25 when not given, as the dialog stores 0). TJOINT.
  std::int32_t hangerKind = 0;
  std::int32_t hangerCount = 1;
  float userHangerRate = 0.0f, userHangerLoad = 0.0f;  // lb/inch, lb
  std::int32_t userHangerLoadType = 0;
  bool hangerShortRange = false;
  std::int32_t hangerVariation = 25;
  bool threadedJoint = false;
  // Nozzles (NOZZLE=297 a cylindrical vessel, 650 a flat-bottom tank).
  bool nozzle = false;
  bool nozzleFlatBottom = false;
  bool nozzlePad = false;               // RPAD=1
  float nozzleOd = 0.0f, nozzleThickness = 0.0f;  // NOD, NTHK, inch
  float vesselOd = 0.0f, vesselThickness = 0.0f;  // VOD, VTHK, inch
  float nozzleL1 = 0.0f, nozzleL2 = 0.0f;         // L1, L2, inch
  float modulus = 0.0f;                 // E, psi
  // The in-line kinds' values (BatchInlineKinds.h).
  BatchInlineAttributes inlineKinds;
  // Flanges, SIFs, welds and masses (BatchJointKinds.h).
  BatchJointAttributes jointKinds;
  // Every attribute entry read (and the B field), in the order given.
  std::vector<BatchGivenEntry> given;
};

// Reads the current LAYOUT data line and appends its row to the model.
void ParseBatchLayoutLine(BatchReader& reader);
// The one-data-item-per-line rule.
void SetBatchDataType(const BatchReader& reader, BatchLayoutAttributes& attributes, DataType type);
// Reads the attribute list `text` (and its continuation lines, when it
// ends with a comma) into `attributes`.
void ParseBatchAttributes(BatchReader& reader, BatchLayoutAttributes& attributes, std::string text);
// Once the line has chosen its element kind and data item: refuses, with
// the line that gave it, the first entry that belongs to a kind other than
// the row's ("STIFF is given to guides (G), limit stops (LS) and snubbers
// (SNUBBER) only :  STIFF=1000").
// Whether an item of kind `item` on a row of kind `element` goes on a
// Location line of its own: a hinge joint's K code and axis leave no room
// for an item's, and a weighing element's WGT, a valve's OFFSET or an
// elastic element's TRAK would be taken for its flange's, mass's or
// anchor's. The writer writes such an item on the Location line after its
// row; the reader gives that line's item back to the row (it is no row of
// its own), so that a model reads back with its own rows.
bool BatchItemNeedsOwnLine(ElementType element, DataType item);
// A keyword that both the row's element and its item keep is refused too
// ("WGT could belong to the rigid element (JR) or to the flange (FLANGE)").
void CheckBatchKeywordKinds(const BatchLayoutAttributes& attributes);
// Before `next` joins the entries the line gave: refuses it when another,
// different keyword already gave the same value or chose an exclusive kind
// ("CS contradicts US(1,500,1200): both give the hanger kind :  CS").
void CheckBatchKeywordConflict(const BatchLayoutAttributes& attributes, const BatchGivenEntry& next);
// The kind of a radius a B (or JR) field gives a bend of the pipe section
// `section`: the section's standard short or long radius, within the
// written text's last digit, is that standard radius, as the bend dialog's
// choice gives it (the writer writes every bend's radius, and a short bend
// read back as a user radius would lose the code rules of short bends);
// any other radius is the user's.
std::uint8_t BatchBendRadiusKind(const Model& model, const std::string& section, float radius);
// The same for the section as the batch file gives it back: its size and
// schedule not carried, a Non Std section of the same diameter. Null: no
// section, the user's radius.
std::uint8_t BatchBendRadiusKindAsRead(const PipeSection* section, float radius);
// A parenthesis opened and never closed: the rest of the text is swallowed.
bool HasUnclosedGroup(std::string_view field);
// Once the model is made: refuses, with the line that gave it, the first
// row that places a Location at a node the model does not have, an element
// without length, or a support connected to a node the model does not
// have, to a bend's node or to its own node (the rules of the supports'
// dialogs).
void CheckBatchRows(const BatchReader& reader);
// A branch SIF whose type the piping code does not offer is kept, as the
// model keeps it when the code changes; the import log names each one with
// the save's question, since saving offers to replace it.
void LogBatchBranchSifsAgainstCode(BatchReader& reader);
