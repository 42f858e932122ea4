// LAYOUT lines of a model batch file (see BatchLayout.h): the fields of one
// line by their first letter, the joint and K codes, the data item the line
// chooses, the checks a typed row passes, and the row appended from what
// the line gave.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "elements/BeamElement.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "files/BatchLayout.h"
#include "files/BatchSections.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/LayoutKeywords.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "records/PipeDimensions.h"
#include "records/Spectrum.h"
#include "services/NameTables.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/NozzleDialog.h"
#include "supports/NozzleStiffness.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr float kSmallestBendRadius = 0.01f;  // inch
constexpr std::size_t kCommentWidth = kCommentBytes;

// A row's node, with its suffix when it names a derived node (20B, the far
// end of bend 20's arc), as the Layout window takes it.
NodeId RowNode(const BatchReader& reader, const std::string& text, const std::string& detail) {
  NodeId id = 0;
  if (ParseNodeNumber(text, id) != kNodeOk) BatchLineError(reader, "Invalid node", detail);
  return id;
}

// The branch SIF type of each K code, in the order of kBranchSifCodes.
constexpr char kBranchSifCodes[] = "TFESWRPB";
constexpr std::int32_t kBranchSifTypes[] = {1, 3, 4, 5, 6, 7, 8, 9};
constexpr std::int32_t kReinforcedTee = 2;
constexpr std::int32_t kRadiusedBranch = 7;
constexpr std::int32_t kThickenedPipeBranch = 8;

struct JointCode {
  char letter;
  ElementType type;
};
constexpr JointCode kJointCodes[] = {
    {'B', ElementType::BallJoint}, {'C', ElementType::CutPipe},      {'D', ElementType::Reducer},
    {'E', ElementType::Bellows},   {'I', ElementType::JacketedBend}, {'L', ElementType::Elastic},
    {'M', ElementType::Beam},      {'P', ElementType::JacketedPipe}, {'R', ElementType::Rigid},
    {'S', ElementType::SlipJoint}, {'T', ElementType::TieRod},       {'V', ElementType::Valve},
};

void ReadJointCode(const BatchReader& reader, BatchLayoutAttributes& attributes, const std::string& field) {
  const char letter = field.size() > 1 ? field[1] : '\0';
  if (letter == 'F') BatchLineError(reader, "Flexible joint (beam) is presently not available");
  for (const JointCode& code : kJointCodes) {
    if (code.letter != letter) continue;
    attributes.element = code.type;
    return;
  }
  BatchLineError(reader, "Invalid joint code (J)");
}

void ReadKCode(const BatchReader& reader, BatchLayoutAttributes& attributes, const std::string& field) {
  if (!attributes.nodeGiven) BatchLineError(reader, "Node is not specified");
  if (attributes.codeGiven) BatchLineError(reader, "Code (K) can be specified only once");
  attributes.codeGiven = true;
  const char letter = field.size() > 1 ? field[1] : '\0';
  const std::string code = field.substr(0, 2);
  switch (letter) {
    case 'A': SetBatchDataType(reader, attributes, DataType::Anchor); return;
    case 'I': attributes.element = ElementType::Bend; return;
    case 'M': attributes.element = ElementType::Miter; return;
    case 'H': attributes.element = ElementType::HingeJoint; return;
    default: break;
  }
  const char* at = letter == '\0' ? nullptr : std::strchr(kBranchSifCodes, letter);
  if (at == nullptr) BatchLineError(reader, "Invalid code (K)\n");
  SetBatchDataType(reader, attributes, DataType::BranchSif);
  attributes.branchSifType = kBranchSifTypes[at - kBranchSifCodes];
}

float ReadOffset(const BatchReader& reader, const std::string& field) {
  float value = 0.0f;
  const std::string text = field.substr(1);
  if (ParseLength(text, value) != 0) BatchLineError(reader, std::string("Invalid ") + field[0], text);
  return value;
}

// The text of a comment from its "*" on, in the case it was written.
std::string CommentText(BatchReader& reader, std::size_t star) {
  const std::string text = star + 1 <= reader.rawLine.size() ? reader.rawLine.substr(star + 1) : std::string();
  return CutBatchText(reader, text, kCommentWidth, "Comment");
}

// Reads the line's fields; false when it had none (a blank line).
bool ReadLayoutFields(BatchReader& reader, BatchLayoutAttributes& attributes) {
  Model& model = *reader.model;
  StartBatchFields(reader.fields, reader.line);
  bool any = false;
  while (const std::optional<std::string> next = NextBatchField(reader.fields)) {
    const std::string& field = *next;
    any = true;
    if (field.empty()) BatchLineError(reader, "Invalid field", field);
    // The attribute list checks its own entries; a comment is text.
    if (field[0] != 'C' && field[0] != '*' && HasUnclosedGroup(field))
      BatchLineError(reader, "Unclosed parenthesis", field);
    const std::string rest = field.substr(1);
    switch (field[0]) {
      case 'F':
        attributes.node = RowNode(reader, rest, rest);
        attributes.nodeGiven = true;
        attributes.nodeField = field;
        attributes.element = ElementType::From;
        break;
      case 'T': {
        std::string number = rest;
        attributes.absolute = false;
        if (field.size() > 1 && field.back() == '*') {
          number.pop_back();
          attributes.absolute = true;
        }
        attributes.node = RowNode(reader, number, rest);
        attributes.nodeGiven = true;
        attributes.nodeField = field;
        attributes.element = ElementType::Pipe;
        break;
      }
      case 'L':
        attributes.node = RowNode(reader, rest, rest);
        attributes.nodeGiven = true;
        attributes.nodeField = field;
        attributes.element = ElementType::Location;
        break;
      case 'H': attributes.element = ElementType::HydrotestLoad; break;
      case '*':
        // A comment is a line of its own: after other fields the star would
        // turn a row into a comment and drop what they gave.
        if (reader.line.find_first_not_of(" \t") != reader.fields.fieldStart)
          BatchLineError(reader, "Invalid field", field);
        attributes.element = ElementType::Comment;
        attributes.comment = CommentText(reader, reader.fields.fieldStart);
        return true;
      case 'X':
        attributes.dx = ReadOffset(reader, field);
        attributes.offsetFields[0] = field;
        break;
      case 'Y':
        attributes.dy = ReadOffset(reader, field);
        attributes.offsetFields[1] = field;
        break;
      case 'Z':
        attributes.dz = ReadOffset(reader, field);
        attributes.offsetFields[2] = field;
        break;
      case 'B': {
        float radius = 0.0f;
        if (ParseNonNegativeDimension(rest, radius) != 0 || radius < kSmallestBendRadius)
          BatchLineError(reader, "Invalid bend radius (B)", rest);
        attributes.bendRadius = radius;
        attributes.bendRadiusText = rest;
        attributes.radiusKind = kBendRadiusUser;
        attributes.given.push_back({"B", field, reader.lineNumber, reader.rawLine});
        break;
      }
      case 'M':
        if (FindMaterialByName(model.materials, rest) == 0) BatchLineError(reader, "Undefined material", rest);
        reader.names.material = rest;
        break;
      case 'P':
        if (FindSectionByName(model.sections, rest) == 0) BatchLineError(reader, "Undefined pipe section", rest);
        reader.names.section = rest;
        break;
      case 'J': ReadJointCode(reader, attributes, field); break;
      case 'K': ReadKCode(reader, attributes, field); break;
      case 'C':
        // The list runs to the end of the line (and on); no field follows it.
        ParseBatchAttributes(reader, attributes, reader.fields.text.substr(reader.fields.fieldStart + 1));
        return true;
      case 'G': break;
      default: BatchLineError(reader, "Invalid field", field);
    }
  }
  return any;
}

// The bend family takes its radius and wall; a miter its material and
// factor too; a jacketed bend its intermediate nodes (on the jacket); only
// a bend all of them.
void FillBend(const Model& model, Bend& bend, const BatchLayoutAttributes& attributes, const std::string& section) {
  const ElementType type = attributes.element;
  bend.radius = attributes.bendRadius;
  bend.radiusType = attributes.radiusKind;
  // A miter's radius is always its own.
  if (type != ElementType::Miter && bend.radiusType == kBendRadiusUser)
    bend.radiusType = BatchBendRadiusKind(model, section, bend.radius);
  bend.thickness = attributes.bendThickness;
  if (type == ElementType::Bend || type == ElementType::Miter) {
    bend.material = attributes.bendMaterial;
    bend.flexibilityFactor = attributes.flexibilityFactor;
  }
  if (type == ElementType::Bend) {
    bend.inPlaneSif = attributes.inPlaneSif;
    bend.outPlaneSif = attributes.outPlaneSif;
  }
  if (type == ElementType::Bend || type == ElementType::JacketedBend) {
    bend.intermediateNode1 = attributes.intermediateNodes[0];
    bend.intermediateNode2 = attributes.intermediateNodes[1];
    bend.angle1 = attributes.intermediateAngles[0];
    bend.angle2 = attributes.intermediateAngles[1];
  }
}

void FillAnchor(Anchor& anchor, const BatchLayoutAttributes& attributes) {
  anchor.stiffness = attributes.anchorStiffness;
  anchor.releases = attributes.releases;
  anchor.displacements.flags = attributes.displacementFlags;
  if (anchor.displacements.HasAny())
    anchor.displacements.sets = std::make_unique<DisplacementSets>(attributes.displacements);
}

// Each type keeps the dimensions its dialog shows, in the dialog's fields.
void FillBranchSif(BranchSif& sif, const BatchLayoutAttributes& attributes) {
  sif.type = attributes.branchSifType;
  switch (sif.type) {
    case kReinforcedTee: sif.dimension1 = attributes.padThickness; break;
    case 4: sif.dimension1 = attributes.crotchRadius; break;
    case kRadiusedBranch:
      sif.dimension1 = attributes.branchRadius;
      sif.dimension2 = attributes.branchThickness;
      break;
    case kThickenedPipeBranch:
      sif.dimension1 = attributes.branchThickness;
      sif.dimension2 = attributes.branchLength;
      break;
    case 9: sif.dimension1 = attributes.branchRadius; break;
    default: break;
  }
}

// KF is the fabricated tee; with a pad it is the reinforced one, as the
// writer of these files puts it (KF and PAD). The radiused branch and the
// branch on thickened pipe have no SIF without their dimensions: the code
// rules would pass the node over without a word.
void CheckBranchSif(const BatchReader& reader, BatchLayoutAttributes& attributes) {
  if (attributes.branchSifType == kBranchSifUnreinforced && attributes.padThickness > 0.0f)
    attributes.branchSifType = kReinforcedTee;
  if (attributes.branchSifType == kRadiusedBranch) {
    if (attributes.branchRadius == 0.0f) BatchLineError(reader, "Fillet radius (R) is required");
    if (attributes.branchThickness == 0.0f) BatchLineError(reader, "Effective wall thickness (THK) is required");
  }
  if (attributes.branchSifType == kThickenedPipeBranch) {
    if (attributes.branchThickness == 0.0f) BatchLineError(reader, "Thickness (THK) is required");
    if (attributes.branchLength == 0.0f) BatchLineError(reader, "Length (LEN) is required");
  }
}

// A hinge, a ball joint and a Location have no length: the model is made
// with their offsets zero, so an offset written on their line would be
// dropped and, on a joint, move every node after it. An absolute hinge or
// ball node would put the joint's end at the offsets it does not have, the
// origin. Both are refused, with the field, as the Layout window refuses
// them.
void RefuseOffsetsWithoutLength(const BatchReader& reader, const BatchLayoutAttributes& attributes) {
  const ElementType type = attributes.element;
  const bool joint = type == ElementType::HingeJoint || type == ElementType::BallJoint;
  if (joint && attributes.absolute) BatchLineError(reader, "Hinge or Ball node can not be *", attributes.nodeField);
  if (!joint && type != ElementType::Location) return;
  const float offsets[3] = {attributes.dx, attributes.dy, attributes.dz};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (offsets[axis] == 0.0f) continue;
    const std::string& field = attributes.offsetFields[axis];
    if (type == ElementType::Location) BatchLineError(reader, "For Location, DX, DY, DZ should be zero", field);
    BatchLineError(reader, std::string("For a ") + ElementTypeMessageName(type) + " joint DX, DY, DZ should be zero",
                   field);
  }
}

// The node of the last row before this line that ends an element, as the
// Layout window finds the previous element row.
NodeId PreviousElementNode(const Model& model) {
  for (int number = model.rowCount; number >= 1; --number) {
    const LayoutRow& row = model.row(number);
    switch (row.elementType) {
      case ElementType::None:
      case ElementType::Location:
      case ElementType::Comment:
      case ElementType::HydrotestLoad: continue;
      default: return row.node;
    }
  }
  return 0;
}

void FillRestraint(Restraint& restraint, const BatchLayoutAttributes& attributes) {
  restraint.restrainX = attributes.HoldsDirection(0) ? 1 : 0;
  restraint.restrainY = attributes.HoldsDirection(1) ? 1 : 0;
  restraint.restrainZ = attributes.HoldsDirection(2) ? 1 : 0;
}

void FillForce(NodalForce& force, const BatchLayoutAttributes& attributes) {
  for (int axis = 0; axis < 3; ++axis) {
    force.Component(axis) = attributes.force[static_cast<std::size_t>(axis)];
    force.Component(axis + 3) = attributes.moment[static_cast<std::size_t>(axis)];
  }
}

void FillHarmonicLoad(HarmonicLoad& load, const BatchLayoutAttributes& attributes) {
  load.Frequency = attributes.frequency;
  load.Phase = attributes.phase;
  load.FX = attributes.force[0];
  load.FY = attributes.force[1];
  load.FZ = attributes.force[2];
}

// The directions of the model's spectrum load a line gives, as the
// Spectrum Load dialog sets them: a factor of 1 unless given, a factor of
// 0 keeps no spectrum. A batch file defines no spectra: a name the model
// does not have is kept and said in the log, for the spectrum to be added.
void ApplySpectrumLoad(BatchReader& reader, const BatchLayoutAttributes& attributes) {
  static const char* const kKeywords[3] = {"SPECX", "SPECY", "SPECZ"};
  Model& model = *reader.model;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (!attributes.spectrumGiven[axis]) continue;
    const float factor = attributes.spectrumFactorGiven[axis] ? attributes.spectrumFactor[axis] : 1.0f;
    const std::string name = factor == 0.0f ? std::string() : attributes.spectrumName[axis];
    SetDirectionSpectrum(model.spectrumLoad, static_cast<int>(axis), name, factor == 0.0f ? 1.0f : factor);
    if (!name.empty() && FindSpectrum(model.spectra, name) < 0)
      LogBatchWarning(reader, std::string(kKeywords[axis]) + "=" + name +
                                  ": the model has no spectrum of that name; add it in the Spectrums list");
  }
}

// The node a row's support is connected to; 0 for none.
NodeId SupportConnectedNode(const LayoutRow& row) {
  if (const auto* guide = dynamic_cast<const Guide*>(row.item.get())) return guide->connectedNode;
  if (const auto* stop = dynamic_cast<const LimitStop*>(row.item.get())) return stop->connectedNode;
  if (const auto* skewed = dynamic_cast<const SkewedRestraint*>(row.item.get())) return skewed->connectedNode;
  if (const auto* hanger = dynamic_cast<const Hanger*>(row.item.get())) return hanger->connectedNode;
  return 0;
}

void FillGuide(Guide& guide, const BatchLayoutAttributes& attributes) {
  guide.frictionCoefficient = attributes.frictionCoefficient;
  if (attributes.supportStiffnessGiven) guide.stiffness = attributes.supportStiffness;
  guide.gap = attributes.guideGap;
  guide.connectedNode = attributes.connectedNode;
}

void FillLimitStop(LimitStop& stop, const BatchLayoutAttributes& attributes) {
  stop.lowerLimit = attributes.lowerLimit;
  stop.upperLimit = attributes.upperLimit;
  stop.dirX = attributes.direction[0];
  stop.dirY = attributes.direction[1];
  stop.dirZ = attributes.direction[2];
  stop.frictionCoefficient = attributes.frictionCoefficient;
  if (attributes.supportStiffnessGiven) stop.stiffness = attributes.supportStiffness;
  stop.connectedNode = attributes.connectedNode;
}

// K gives the translational kind, KR the rotational one (never both).
void FillSkewedRestraint(SkewedRestraint& restraint, const BatchLayoutAttributes& attributes) {
  restraint.rotational = attributes.skewedRotStiffness != 0.0f ? 1 : 0;
  restraint.stiffness = restraint.rotational != 0 ? attributes.skewedRotStiffness : attributes.skewedStiffness;
  restraint.dirX = attributes.direction[0];
  restraint.dirY = attributes.direction[1];
  restraint.dirZ = attributes.direction[2];
  restraint.connectedNode = attributes.connectedNode;
}

void FillSnubber(Snubber& snubber, const BatchLayoutAttributes& attributes) {
  if (attributes.supportStiffnessGiven) snubber.stiffness = attributes.supportStiffness;
  snubber.dirX = attributes.direction[0];
  snubber.dirY = attributes.direction[1];
  snubber.dirZ = attributes.direction[2];
}

void FillHanger(Hanger& hanger, const BatchLayoutAttributes& a) {
  hanger.kind = a.hangerKind;
  hanger.numberOfHangers = a.hangerCount;
  hanger.connectedNode = a.connectedNode;
  hanger.above = 1;
  if (a.hangerKind == kUserHanger) {
    hanger.springRate = a.userHangerRate;
    hanger.load = a.userHangerLoad;
    hanger.loadType = a.userHangerLoadType;
  }
  // Another kind keeps a new hanger's load variation, which the dialog
  // gives it too: it is there should the hanger become a designed one.
  if (IsDesignedHanger(a.hangerKind)) {
    hanger.shortRange = a.hangerShortRange ? 1 : 0;
    hanger.maximumLoadVariation = a.hangerVariation;
  }
}

// A nozzle passes the dialog's checks and gets its springs, as the
// dialog's OK gives them.
void FillNozzle(const BatchReader& reader, Nozzle& nozzle, const BatchLayoutAttributes& a) {
  nozzle.flatBottom = a.nozzleFlatBottom ? 1 : 0;
  nozzle.reinforcingPad = a.nozzleFlatBottom && a.nozzlePad ? 1 : 0;
  nozzle.nozzleOd = a.nozzleOd;
  nozzle.nozzleThickness = a.nozzleThickness;
  nozzle.vesselOd = a.vesselOd;
  nozzle.vesselThickness = a.vesselThickness;
  nozzle.l1 = a.nozzleL1;
  nozzle.l2 = a.nozzleL2;
  nozzle.elasticModulus = a.modulus;
  nozzle.vesselAxis = a.direction;
  const NozzleFault fault = CheckNozzleGeometry(nozzle);
  if (!fault.message.empty()) BatchLineError(reader, fault.message);
  ComputeNozzleStiffness(nozzle);
}

// The data item of the line on `row`, the spectrum load it gives, and the
// row kept for the checks made once the model is made.
void FillRowItem(BatchReader& reader, LayoutRow& row, int number, const BatchLayoutAttributes& attributes) {
  row.dataType = attributes.item;
  row.item = CreateDataItem(attributes.item);
  if (auto* anchor = dynamic_cast<Anchor*>(row.item.get())) FillAnchor(*anchor, attributes);
  if (auto* restraint = dynamic_cast<Restraint*>(row.item.get())) FillRestraint(*restraint, attributes);
  if (auto* sif = dynamic_cast<BranchSif*>(row.item.get())) FillBranchSif(*sif, attributes);
  if (auto* force = dynamic_cast<NodalForce*>(row.item.get())) FillForce(*force, attributes);
  if (auto* load = dynamic_cast<HarmonicLoad*>(row.item.get())) FillHarmonicLoad(*load, attributes);
  ApplySpectrumLoad(reader, attributes);
  if (auto* guide = dynamic_cast<Guide*>(row.item.get())) FillGuide(*guide, attributes);
  if (auto* stop = dynamic_cast<LimitStop*>(row.item.get())) FillLimitStop(*stop, attributes);
  if (auto* skewed = dynamic_cast<SkewedRestraint*>(row.item.get())) FillSkewedRestraint(*skewed, attributes);
  if (auto* snubber = dynamic_cast<Snubber*>(row.item.get())) FillSnubber(*snubber, attributes);
  if (auto* nozzle = dynamic_cast<Nozzle*>(row.item.get())) FillNozzle(reader, *nozzle, attributes);
  if (auto* hanger = dynamic_cast<Hanger*>(row.item.get())) FillHanger(*hanger, attributes);
  FillBatchJointItem(row, attributes);
  // What the node table and the piping code decide is checked once the
  // whole file was read: an element's length and a bend's arc too, which
  // coordinates far from the origin may not hold.
  const bool offsets = row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f;
  if (row.elementType == ElementType::Location || row.dataType == DataType::BranchSif || IsZeroLengthCandidate(row) ||
      SupportConnectedNode(row) != 0 || offsets)
    reader.checkedLines.push_back({number, reader.lineNumber, reader.rawLine, offsets});
}

// The row just read whose own item this Location line gives: a row of a
// kind whose line cannot hold that item (a hinge joint's, a weighing
// element's flange, a valve's mass, an elastic element's anchor: their
// keywords would be taken for each other's), at the same node and still
// without an item. Such a line is how the row's item is written, not a row
// of its own; 0 when the line is an ordinary Location row.
int RowOfOwnLineItem(const BatchReader& reader, const BatchLayoutAttributes& attributes) {
  const Model& model = *reader.model;
  if (attributes.element != ElementType::Location || attributes.item == DataType::None || model.rowCount < 1) return 0;
  if (attributes.dx != 0.0f || attributes.dy != 0.0f || attributes.dz != 0.0f || attributes.absolute) return 0;
  const LayoutRow& row = model.row(model.rowCount);
  if (row.node != attributes.node || row.dataType != DataType::None) return 0;
  return BatchItemNeedsOwnLine(row.elementType, attributes.item) ? model.rowCount : 0;
}

void AppendRow(BatchReader& reader, const BatchLayoutAttributes& attributes) {
  Model& model = *reader.model;
  if (const int owner = RowOfOwnLineItem(reader, attributes); owner != 0) {
    FillRowItem(reader, model.row(owner), owner, attributes);
    return;
  }
  if (model.rowCount >= kMaxLayoutRows) BatchLineError(reader, "Maximum number of rows exceeded");
  const int number = model.rowCount + 1;
  LayoutRow& row = model.row(number);
  row.node = attributes.node;
  row.absolute = attributes.absolute;
  row.elementType = attributes.element;
  row.element = CreateElementData(attributes.element);
  row.dx = attributes.dx;
  row.dy = attributes.dy;
  row.dz = attributes.dz;
  if (attributes.element == ElementType::Beam) {
    // A beam names beam records, given on its own line; the pipe names in
    // force stay for the lines after it.
    row.material = attributes.beamMaterial;
    row.section = attributes.beamSection;
    row.load = attributes.beamLoad;
  } else if (ElementTypeHasProperties(attributes.element)) {
    row.material = reader.names.material;
    row.section = reader.names.section;
    row.load = reader.names.load;
  }
  if (auto* comment = dynamic_cast<CommentData*>(row.element.get())) comment->SetText(attributes.comment);
  if (auto* bend = dynamic_cast<Bend*>(row.element.get())) FillBend(model, *bend, attributes, row.section);
  if (auto* beam = dynamic_cast<Beam*>(row.element.get())) beam->beta = attributes.beta;
  FillBatchInlineElement(row, attributes);
  FillBatchJointElement(row, attributes);
  FillRowItem(reader, row, number, attributes);
  model.rowCount = number;
}

std::uint8_t RadiusKindOf(const PipeSection& section, float radius) {
  // The English texts keep 4 decimals of an inch, the SI ones 5 digits.
  constexpr float kTextTolerance = 6.0e-5f;
  for (const bool shortRadius : {true, false}) {
    const float standard = StandardBendRadius(section, shortRadius);
    if (standard > 0.0f && std::fabs(radius - standard) <= kTextTolerance * std::max(1.0f, standard))
      return shortRadius ? kBendRadiusShort : kBendRadiusLong;
  }
  return kBendRadiusUser;
}

}  // namespace

std::uint8_t BatchBendRadiusKind(const Model& model, const std::string& section, float radius) {
  const int record = FindSectionByName(model.sections, section);
  return record == 0 ? kBendRadiusUser : RadiusKindOf(model.sections[record], radius);
}

std::uint8_t BatchBendRadiusKindAsRead(const PipeSection* section, float radius) {
  if (section == nullptr) return kBendRadiusUser;
  PipeSection asRead = *section;
  asRead.nominalSize = kBatchSectionSize;
  return RadiusKindOf(asRead, radius);
}

void SetBatchDataType(const BatchReader& reader, BatchLayoutAttributes& attributes, DataType type) {
  if (attributes.item != DataType::None)
    BatchLineError(reader, "Only one data item per line is allowed\nUse Location (L) for additional items");
  attributes.item = type;
}

void ParseBatchLayoutLine(BatchReader& reader) {
  BatchLayoutAttributes attributes;
  // A blank line gives no row: there is nothing in it to keep.
  if (!ReadLayoutFields(reader, attributes)) return;
  if (attributes.element != ElementType::Comment) {
    // The model is made from the rows' nodes; a row without one would be
    // dropped there without a word.
    const bool hydrotest = attributes.element == ElementType::HydrotestLoad;
    if (!attributes.nodeGiven && !hydrotest) BatchLineError(reader, "Node is not specified");
    // The data items the attribute keywords select, in the order they are
    // tried, each through the one-item rule.
    if ((attributes.forceGiven || attributes.momentGiven) && !attributes.frequencyGiven)
      SetBatchDataType(reader, attributes, DataType::Force);
    if (attributes.guide) SetBatchDataType(reader, attributes, DataType::Guide);
    if (attributes.skewedStiffness != 0.0f) SetBatchDataType(reader, attributes, DataType::SkewedRestraint);
    if (attributes.skewedRotStiffness != 0.0f) SetBatchDataType(reader, attributes, DataType::SkewedRestraint);
    if (attributes.HoldsDirection(0) || attributes.HoldsDirection(1) || attributes.HoldsDirection(2))
      SetBatchDataType(reader, attributes, DataType::Restraint);
    if (attributes.limitStop) SetBatchDataType(reader, attributes, DataType::LimitStop);
    if (attributes.snubber) SetBatchDataType(reader, attributes, DataType::Snubber);
    if (attributes.nozzle) SetBatchDataType(reader, attributes, DataType::Nozzle);
    if (attributes.hangerKind != 0) SetBatchDataType(reader, attributes, DataType::Hanger);
    if (attributes.threadedJoint) SetBatchDataType(reader, attributes, DataType::ThreadedJoint);
    if (attributes.frequencyGiven) {
      // The amplitudes of a harmonic load are forces only.
      if (attributes.momentGiven)
        BatchLineError(reader, "A harmonic load (FRE) has no moments: MOM, MOMX, MOMY and MOMZ cannot go with it");
      SetBatchDataType(reader, attributes, DataType::HarmonicLoad);
    }
    CheckBatchInlineLine(reader, attributes);
    CheckBatchJointLine(reader, attributes);
    CheckBatchKeywordKinds(attributes);
    RefuseOffsetsWithoutLength(reader, attributes);
    // The node of a bend row is where its tangents meet, off the pipe: an
    // item there would hold nothing.
    const bool bend = IsBendElementType(attributes.element);
    if (bend && attributes.item != DataType::None)
      BatchLineError(reader, "A bend row carries no data item\nUse Location (L) for additional items");
    if (bend && attributes.node > kMaxNodeNumber) BatchLineError(reader, "Bend node should not have a suffix");
    if (attributes.element != ElementType::From && attributes.element != ElementType::Location && !hydrotest &&
        attributes.node == PreviousElementNode(*reader.model))
      BatchLineError(reader, "Node is same as previous node");
    if (attributes.item == DataType::BranchSif) CheckBranchSif(reader, attributes);
  }
  AppendRow(reader, attributes);
}

void CheckBatchRows(const BatchReader& reader) {
  const Model& model = *reader.model;
  for (const BatchLineRecord& line : reader.checkedLines) {
    const LayoutRow& row = model.row(line.row);
    // The rules every road that changes rows keeps, then the connected node.
    std::string message = RowRuleRefusal(model, line.row);
    // A row at a node an earlier row made keeps no offsets: the making
    // would drop them and close a loop to where that node already is.
    if (message.empty() && line.offsets)
      message = OffsetsWithoutLengthText(row.elementType, RowEndsAtEarlierNode(model, line.row), row.node);
    if (const NodeId connected = SupportConnectedNode(row); message.empty() && connected != 0) {
      const int other = FindNodeIndex(model.nodes, connected);
      if (other == 0)
        message = "Connected node is not defined";
      else if (model.nodes[other].nodeKind == kBendNode)
        message = "Connected node cannot be a bend node";
      else if (connected == row.node)
        message = "Node cannot be connected to itself";
    }
    if (!message.empty()) throw BatchLineErrorText(line.lineNumber, line.line, message);
  }
}

void LogBatchBranchSifsAgainstCode(BatchReader& reader) {
  const Model& model = *reader.model;
  const std::int32_t code = model.options.PipingCode;
  for (const BatchLineRecord& line : reader.checkedLines) {
    const LayoutRow& row = model.row(line.row);
    if (row.dataType != DataType::BranchSif || row.item == nullptr) continue;
    const auto& sif = static_cast<const BranchSif&>(*row.item);
    if (!IsBranchSifTypeInvalidForCode(sif.type, code, model.options.UseB31J != 0)) continue;
    reader.log.push_back("Line " + std::to_string(line.lineNumber) + ": " +
                         BranchSifNotValidText(sif.type, code, row.node) +
                         "; it was kept (saving offers to replace it with '" +
                         BranchTypeName(BranchSifTypeForCode(code)) + "')");
  }
}
