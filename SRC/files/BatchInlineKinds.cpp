// The in-line kinds' keywords, checks and values in LAYOUT lines; see
// BatchInlineKinds.h.
#include "files/BatchInlineKinds.h"

#include <cctype>
#include <cmath>
#include <string_view>

#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/HydrotestLoad.h"
#include "elements/JacketDialogs.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/ReducerDialog.h"
#include "elements/RigidElement.h"
#include "elements/Valve.h"
#include "files/BatchLayout.h"
#include "files/BatchSections.h"
#include "model/Model.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

constexpr float kSmallestFactor = 0.01f;
constexpr float kSmallestUserRadius = 0.1f;  // inch, as the miter and jacketed bend dialogs
constexpr float kNotGivenPressure = 1.0e-36f;
constexpr std::size_t kNameWidth = 5;

float Value(const BatchReader& reader, const std::string& text, BatchParser parser, const char* message) {
  return ParseBatchValue(reader, text, parser, message);
}

float AtLeast(const BatchReader& reader, const std::string& text, BatchParser parser, float least,
              const char* message) {
  const float value = Value(reader, text, parser, message);
  if (value < least) BatchLineError(reader, message, text);
  return value;
}

float Positive(const BatchReader& reader, const std::string& text, BatchParser parser, const char* message) {
  const float value = Value(reader, text, parser, message);
  if (value <= 0.0f) BatchLineError(reader, message, text);
  return value;
}

void ReadOffset(const BatchReader& reader, BatchInlineAttributes& a, const BatchEntry& entry) {
  if (!entry.directional)
    BatchLineError(reader, "Invalid OFFSET : " + entry.entry + "\nDirectional entry such as " + entry.keyword +
                               "(0,18,0) is required");
  const char* messages[3] = {"Invalid X offset", "Invalid Y offset", "Invalid Z offset"};
  for (std::size_t i = 0; i < 3; ++i) a.offset[i] = Value(reader, entry.components[i], ParseDimension, messages[i]);
}

// LXAX and LYAX: three plain numbers, not all 0.
void ReadAxis(const BatchReader& reader, std::array<float, 3>& axis, const BatchEntry& entry, char which) {
  const std::string prefix = std::string("Invalid ") + static_cast<char>(std::tolower(static_cast<unsigned char>(which)));
  const char components[3] = {'X', 'Y', 'Z'};
  for (std::size_t i = 0; i < 3; ++i)
    axis[i] = Value(reader, entry.components[i], ParseReal, (prefix + components[i] + "comp").c_str());
  if (axis[0] == 0.0f && axis[1] == 0.0f && axis[2] == 0.0f)
    BatchLineError(reader, std::string("0.0, 0.0, 0.0 is not a valid ") + which + " direction");
}

// JMAT, JSEC, JLOAD: a name of the model's materials, sections or loads.
void ReadJacketName(const BatchReader& reader, std::string& name, const BatchEntry& entry, int table) {
  if (entry.directional) BatchLineError(reader, "Invalid Jacket information", entry.entry);
  const std::string& text = entry.components[0];
  if (text.empty()) BatchLineError(reader, "Reference cannot be NULL", entry.entry);
  if (text.size() > kNameWidth) BatchLineError(reader, "Max char > 5 ", text);
  const Model& model = *reader.model;
  static const char* const missing[3] = {"Jacket Material not defined", "Jacket Section not defined",
                                         "Jacket Load not defined"};
  const bool found = table == 0   ? FindMaterialByName(model.materials, text) != 0
                     : table == 1 ? FindSectionByName(model.sections, text) != 0
                                  : FindPipeLoadByName(model.pipeLoads, text) != 0;
  if (!found) BatchLineError(reader, missing[table], text);
  name = text;
}

void Required(const BatchReader& reader, bool given, const std::string& what) {
  if (!given) BatchLineError(reader, what + " is required");
}

void CheckReducer(const BatchReader& reader, const BatchInlineAttributes& a) {
  Required(reader, a.od1 > 0.0f, "OD1");
  Required(reader, a.thk1 > 0.0f, "THK1");
  Required(reader, a.od2 > 0.0f, "OD2");
  Required(reader, a.thk2 > 0.0f, "THK2");
  if (a.thk1 > 0.5f * a.od1) BatchLineError(reader, "Thk1 > 0.5*OD1");
  if (a.thk2 > 0.5f * a.od2) BatchLineError(reader, "Thk2 > 0.5*OD2");
}

// The axes as the element keeps them: the global ones where none was given,
// and square to each other within the dialog's tolerance.
void CheckElastic(const BatchReader& reader, BatchInlineAttributes& a) {
  if (!a.localXGiven) a.localX = {1.0f, 0.0f, 0.0f};
  if (!a.localYGiven) a.localY = {0.0f, 1.0f, 0.0f};
  if (!BatchAxesPerpendicular(a.localX.data(), a.localY.data()))
    BatchLineError(reader, "x and y axes are not perpendicular");
}

// `bendWall`: a jacketed bend's own jacket thickness, 0 for a jacketed pipe.
void CheckJacket(const BatchReader& reader, const BatchInlineAttributes& a, float bendWall) {
  Required(reader, !a.jacketMaterial.empty(), "Jacket material (JMAT)");
  Required(reader, !a.jacketSection.empty(), "Jacket section (JSEC)");
  Required(reader, !a.jacketLoad.empty(), "Jacket load (JLOAD)");
  if (!JacketClearsCore(*reader.model, a.jacketSection, reader.names.section, bendWall))
    BatchLineError(reader, "(Jacket I.D. - lining) < (core O.D. + insulation)");
}

}  // namespace

bool ReadBatchInlineKeyword(BatchReader& reader, BatchLayoutAttributes& attributes, const BatchEntry& entry) {
  BatchInlineAttributes& a = attributes.inlineKinds;
  const std::string& key = entry.keyword;
  const std::string& value = entry.components[0];
  if (key == "VWGT") a.valveWeight = Value(reader, value, ParseWeight, "Invalid weight (VWGT)");
  else if (key == "AWGT") a.additionalWeight = Value(reader, value, ParseWeight, "Invalid additional weight (AWGT)");
  else if (key == "OFFSET") ReadOffset(reader, a, entry);
  else if (key == "THKF")
    a.thicknessFactor = AtLeast(reader, value, ParseReal, kSmallestFactor, "Invalid thickness factor");
  else if (key == "INSF")
    a.insulationFactor = AtLeast(reader, value, ParseReal, kSmallestFactor, "Invalid insulation weight factor");
  else if (key == "WGT") a.weight = Value(reader, value, ParseWeight, "Invalid weight (WGT)");
  else if (key == "OD1") a.od1 = Positive(reader, value, ParseDimension, "Invalid OD1");
  else if (key == "OD2") a.od2 = Positive(reader, value, ParseDimension, "Invalid OD2");
  else if (key == "THK1") a.thk1 = Positive(reader, value, ParseDimension, "Invalid THK1");
  else if (key == "THK2") a.thk2 = Positive(reader, value, ParseDimension, "Invalid THK2");
  else if (key == "CONE") {
    a.coneAngle = ConeAngleFromInternal(AtLeast(reader, value, ParseAngle, 0.0f, "Invalid Cone angle"));
    if (!StoredValueAcceptable(a.coneAngle)) BatchLineError(reader, "Invalid Cone angle", value);
  } else if (key == "LXAX") {
    ReadAxis(reader, a.localX, entry, 'X');
    a.localXGiven = true;
  } else if (key == "LYAX") {
    ReadAxis(reader, a.localY, entry, 'Y');
    a.localYGiven = true;
  } else if (key == "SHORT" || key == "LONG") {
    const float cut = Positive(reader, value, ParseDimension, "Invalid Cut value");
    a.cut = key == "LONG" ? -cut : cut;
  } else if (key == "WS") a.widelySpaced = true;
  else if (key == "JTHK") {
    a.jacketThickness = Value(reader, value, ParseNonNegativeDimension, "Invalid Jacket Thickness");
    a.jacketMark = 2;
  } else if (key == "JR") {
    a.jacketRadius = Value(reader, value, ParseNonNegativeDimension, "Invalid Jacket Radius");
    // A radius given is the User radius, which the dialog holds to 0.1 in.
    if (a.jacketRadius > 0.0f && a.jacketRadius < kSmallestUserRadius)
      BatchLineError(reader, "Invalid Jacket Radius", value);
    a.jacketMark = 2;
  } else if (key == "JMAT") ReadJacketName(reader, a.jacketMaterial, entry, 0);
  else if (key == "JSEC") ReadJacketName(reader, a.jacketSection, entry, 1);
  else if (key == "JLOAD") ReadJacketName(reader, a.jacketLoad, entry, 2);
  else if (key == "JCAP") a.endCap = true;
  else if (key == "SPIDER") a.spider = true;
  else if (key == "HSG") a.hydrotestGravity = AtLeast(reader, value, ParseReal, 0.0f, "Invalid specific gravity");
  else if (key == "HPRES")
    a.hydrotestPressure = AtLeast(reader, value, ParsePressure, 0.0f, "Invalid Hydrotest pressure");
  else return false;
  return true;
}

void CheckBatchInlineLine(const BatchReader& reader, BatchLayoutAttributes& attributes) {
  BatchInlineAttributes& a = attributes.inlineKinds;
  if (a.endCap) SetBatchDataType(reader, attributes, DataType::JacketEndCap);
  if (a.spider) SetBatchDataType(reader, attributes, DataType::Spider);
  switch (attributes.element) {
    case ElementType::Miter:
      if (attributes.radiusKind != kBendRadiusUser) BatchLineError(reader, "Miter bend radius (B) is required");
      if (attributes.bendRadius < kSmallestUserRadius)
        BatchLineError(reader, "Invalid bend radius (B)", attributes.bendRadiusText);
      break;
    case ElementType::Reducer: CheckReducer(reader, a); break;
    case ElementType::Elastic: CheckElastic(reader, a); break;
    case ElementType::CutPipe:
      if (a.cut == 0.0f) BatchLineError(reader, "Cut (SHORT or LONG) is required");
      break;
    case ElementType::JacketedBend:
      if (attributes.radiusKind == kBendRadiusUser && attributes.bendRadius < kSmallestUserRadius)
        BatchLineError(reader, "Invalid bend radius (B)", attributes.bendRadiusText);
      CheckJacket(reader, a, a.jacketThickness);
      if (a.jacketRadius > 0.0f)
        a.jacketRadiusKind = BatchBendRadiusKind(*reader.model, a.jacketSection, a.jacketRadius);
      break;
    case ElementType::JacketedPipe: CheckJacket(reader, a, 0.0f); break;
    case ElementType::HydrotestLoad:
      // The row stands for the conditions of the rows after it, at no node.
      if (attributes.nodeGiven || attributes.item != DataType::None || attributes.dx != 0.0f ||
          attributes.dy != 0.0f || attributes.dz != 0.0f)
        BatchLineError(reader, "A hydrotest load row takes no node, offset or data item");
      break;
    default: break;
  }
}

void FillBatchInlineElement(LayoutRow& row, const BatchLayoutAttributes& attributes) {
  const BatchInlineAttributes& a = attributes.inlineKinds;
  ElementData* element = row.element.get();
  if (auto* valve = dynamic_cast<Valve*>(element)) {
    valve->weight = a.valveWeight;
    valve->additionalWeight = a.additionalWeight;
    // Offsets belong to the additional weight, as the dialog keeps them.
    if (a.additionalWeight != 0.0f) {
      valve->dx = a.offset[0];
      valve->dy = a.offset[1];
      valve->dz = a.offset[2];
    }
    valve->thicknessMultiplier = a.thicknessFactor;
    valve->insulationWeightMultiplier = a.insulationFactor;
  } else if (auto* reducer = dynamic_cast<Reducer*>(element)) {
    reducer->od1 = a.od1;
    reducer->thk1 = a.thk1;
    reducer->od2 = a.od2;
    reducer->thk2 = a.thk2;
    reducer->coneAngle = a.coneAngle;
  } else if (auto* rigid = dynamic_cast<RigidElement*>(element)) {
    rigid->weight = a.weight;
  } else if (auto* elastic = dynamic_cast<ElasticElement*>(element)) {
    float* springs[6] = {&elastic->kx, &elastic->ky, &elastic->kz, &elastic->kxx, &elastic->kyy, &elastic->kzz};
    for (std::size_t i = 0; i < 6; ++i) *springs[i] = a.springs[i];
    for (std::size_t i = 0; i < 3; ++i) {
      elastic->localX[i] = a.localX[i];
      elastic->localY[i] = a.localY[i];
    }
  } else if (auto* cut = dynamic_cast<CutPipe*>(element)) {
    cut->cut = a.cut;
  } else if (auto* miter = dynamic_cast<MiterBend*>(element)) {
    miter->spacing = a.widelySpaced ? kMiterWidely : kMiterClosely;
  } else if (auto* pipe = dynamic_cast<JacketedPipe*>(element)) {
    pipe->jacketMaterial = a.jacketMaterial;
    pipe->jacketSection = a.jacketSection;
    pipe->jacketLoad = a.jacketLoad;
  } else if (auto* bend = dynamic_cast<JacketedBend*>(element)) {
    bend->jacketMaterial = a.jacketMaterial;
    bend->jacketSection = a.jacketSection;
    bend->jacketLoad = a.jacketLoad;
    bend->jacketThickness = a.jacketThickness;
    if (a.jacketRadius > 0.0f) {
      bend->jacketRadius = a.jacketRadius;
      bend->jacketRadiusType = a.jacketRadiusKind;
    }
    bend->jacketFlag = a.jacketMark;
  } else if (auto* hydrotest = dynamic_cast<HydrotestLoad*>(element)) {
    hydrotest->specificGravity = a.hydrotestGravity;
    hydrotest->pressure = a.hydrotestPressure < 2.0e-36f ? kNotGivenPressure : a.hydrotestPressure;
  }
}

bool BatchAxesPerpendicular(const float* x, const float* y) {
  double dot = 0.0, xx = 0.0, yy = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    dot += static_cast<double>(x[i]) * y[i];
    xx += static_cast<double>(x[i]) * x[i];
    yy += static_cast<double>(y[i]) * y[i];
  }
  return std::fabs(dot) / std::sqrt(xx * yy) <= 0.01;
}
