// The old layout written field by field; the current model built by hand.
#include "files/OldModelWriter.h"

#include <cstdlib>
#include <cstring>

#include "elements/BallJoint.h"
#include "elements/BeamElement.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/CutPipe.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/MiterBend.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/SlipJoint.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/ByteEmitter.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/GraphicsSettings.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "records/Wind.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

// Little-endian fields of either old layout: the newer one's integers are
// 32-bit and its reals doubles, the older one's 16-bit and singles, and a
// few of its fields single bytes where the newer one has integers.
class OldEmitter : public ByteEmitter {
 public:
  explicit OldEmitter(bool wide) : wide_(wide) {}
  bool wide() const { return wide_; }
  void Double(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, 8);
    Int(static_cast<std::int32_t>(bits & 0xFFFFFFFFu));
    Int(static_cast<std::int32_t>(bits >> 32));
  }
  void Short(std::int32_t value) {
    Byte(static_cast<std::uint8_t>(value & 0xFF));
    Byte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  void Integer(std::int32_t value) { wide_ ? Int(value) : Short(value); }
  void Integers(std::initializer_list<std::int32_t> values) {
    for (std::int32_t value : values) Integer(value);
  }
  void Real(double value) { wide_ ? Double(value) : Float(static_cast<float>(value)); }
  void Reals(std::initializer_list<double> values) {
    for (double value : values) Real(value);
  }
  // A byte of the older layout, an integer of the newer one.
  void Small(std::int32_t value) { wide_ ? Int(value) : Byte(static_cast<std::uint8_t>(value)); }
  void Smalls(std::initializer_list<std::int32_t> values) {
    for (std::int32_t value : values) Small(value);
  }

 private:
  bool wide_;
};

constexpr float kNotGiven = 1.0e-36f;

int RowCount(const OldModelChoices& choices) {
  return 28 + static_cast<int>(choices.nozzles.size()) + choices.extraRows;
}

// One old row: node, flags, kinds, offsets and names; its records follow.
void Row(OldEmitter& out, std::int32_t node, std::int32_t element, std::int32_t data,
         std::initializer_list<double> offsets, bool absolute = false, const char* material = "",
         const char* section = "", const char* load = "") {
  out.Integers({node, absolute ? 1 : 0});
  out.Smalls({element, data});
  out.Reals(offsets);
  out.Fixed(material, 4);
  out.Fixed(section, 4);
  out.Fixed(load, 4);
  out.Zeros(out.wide() ? 16 : 8);
}

// The magic, the version, the titles, the QA texts and the unit choices.
void Heading(OldEmitter& out, const OldModelChoices& choices) {
  out.Raw(std::string("QUORVEL.MOD\0\0\0", 14));
  out.Short(choices.version);
  out.Fixed(choices.title, 50);
  out.Fixed(choices.secondTitle, 50);
  for (const char* text : {"Client A", "Project B", "F-12", "R-7"}) out.Fixed(text, 42);
  out.Fixed("JS", 26);
  out.Fixed("KL", 26);
  for (int entry = 0; entry < (out.wide() ? 25 : 21); ++entry) out.Integer(entry >= 1 && entry <= 20 ? entry % 2 : 7);
}

void SpectrumBlock(OldEmitter& out, const OldModelChoices& choices) {
  out.Zeros(24);
  out.Bytes({1, 0});
  out.Integers({1, 4, 2});
  out.Reals({choices.spectrumFirstAbscissa, 1.0, 0.2, 0.0});
}

// The load-case count, then the codes.
void LoadCases(OldEmitter& out, const OldModelChoices& choices) {
  out.Integer(static_cast<std::int32_t>(choices.loadCases.size()));
  for (std::int32_t id : choices.loadCases) out.Integer(id);
}

// The older layout's options, load cases and view, with the direction
// spectra in the header.
void OptionsV3(OldEmitter& out, const OldModelChoices& choices) {
  const int v = choices.version;
  out.Integers({choices.pipingCode, 1});
  if (v >= 371) out.Integer(choices.codeFactor);
  out.Integers({1, 1, 1, 1, 0, 1, 1});
  out.Reals({1.25});
  if (v < 371) out.Integer(77);
  out.Integer(0);
  if (v >= 372) out.Integer(1);
  out.Reals({70.0, 7000.9, 0.1, 0.2, 0.3});
  out.Integer(2);
  out.Reals({choices.windSpeed, choices.windShapeFactor, 1.0, 0.0, 0.5});
  out.Integers({choices.cutOffFrequency, choices.modeCount});
  if (v >= 372) out.Integer(1);
  out.Reals({1.5, 0.0, 0.5});
  SpectrumBlock(out, choices);
  SpectrumBlock(out, choices);
  out.Integers({choices.modeSum, 2});
  out.Reals({1.0, 1.0, 1.0, -100.0, -100.0, 100.0, 100.0});
  out.Integer(5);
  out.Zeros(74);
  out.Zeros(36);
  out.Integer(choices.thermalLoads);
  LoadCases(out, choices);
  out.Integers({2, 1, 1, 1, 1, 1, 1, 1, 1, RowCount(choices), 99});
}

// The newer layout's options, load cases and view.
void OptionsV4(OldEmitter& out, const OldModelChoices& choices) {
  out.Integers({choices.pipingCode, 1, choices.codeFactor, 1, 1});
  out.Reals({70.0, 7000.9});
  out.Integers({0, 1, 1, 0, 1});
  out.Real(1.25);
  out.Integers({choices.cutOffFrequency, choices.modeCount, 1, 1, 1});
  out.Reals({0.1, 0.2, 0.3});
  out.Integer(2);
  out.Reals({choices.windSpeed, choices.windShapeFactor, 1.0, 0.0, 0.5});
  out.Fixed("El Centro", 16);
  out.Real(1.5);
  out.Fixed("", 16);
  out.Real(0.0);
  out.Fixed("El Centro", 16);
  out.Real(0.5);
  out.Integers({choices.modeSum, 2});
  out.Real(0.01);
  out.Integers({100, 5, 1});
  out.Real(5.0);
  out.Integer(1);
  out.Real(3.0);
  out.Integer(choices.thermalLoads);
  LoadCases(out, choices);
  out.Integers({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  if (choices.version > 400) out.Integer(1);
  out.Integer(RowCount(choices));
  out.Integer(99);
  out.Reals({1.0, 1.0, 1.0, -100.0, -100.0, 100.0, 100.0});
  out.Integer(5);
  out.Zeros(156);
  out.Zeros(18 * 4);
}

// Materials (a steel and an FRP one), the pipe section and load, the beam
// tables and the equipment.
void Tables(OldEmitter& out, const OldModelChoices& choices) {
  const int v = choices.version;
  const bool wide = out.wide();
  out.Fixed("A106", 4);
  out.Fixed("CS", 3);
  out.Fixed("Carbon steel seamless pipe, grade B", 33);
  out.Reals({0.283, 0.3, 1.0, 0.85, 60000.0});
  out.Integers({0, choices.temperatureRows});
  for (int row = 0; row < choices.temperatureRows; ++row)
    out.Reals({70.0 + 100 * row, 2.9e7, 20000.0, 18000.0, 6.1e-6, 35000.0});
  out.Fixed("FRP1", 4);
  out.Fixed("xx", 3);
  out.Fixed("Glass fibre", 33);
  out.Reals({0.07, 0.0, 1.0, 1.0, 0.0});
  out.Integers({1, 1});
  out.Reals({70.0, 1.5e6, 9000.0, 8000.0, 400.0, 500.0});
  out.Fixed("6S40", 4);
  out.Integer(1);
  out.Fixed("6", 8);
  out.Fixed(choices.schedule, 4);
  out.Reals({6.625, 0.28, 0.0625, 12.5, 0.0064, 2.0, 0.01, 0.125});
  if (v > 400) out.Fixed("S1", 4);
  out.Fixed("L1", 4);
  out.Reals({200.0, 150.0, 300.0, 0.0, 70.0, 10.0, 1.0, 5.0});
  out.Integer(1);
  out.Fixed("BM1", 4);
  out.Fixed("Structural steel", wide ? 28 : 26);
  out.Reals({2.9e7, 0.3, 0.283, 6.5e-6});
  out.Fixed("W8", 4);
  if (!wide && v < 372) {
    out.Fixed("W8x31", 16);
    out.Reals({9.13, 110.0, 37.1, 0.536, 8.0, 8.0});
  } else {
    out.Fixed("W8x31", wide ? 16 : 14);
    out.Reals({9.13, 110.0, 37.1, 0.536, 2.3, 4.5, 8.0, 8.0});
  }
  out.Fixed("BL1", 4);
  out.Reals({100.0, 150.0, 200.0, 2.0});
  out.Integer(0);
  const std::size_t name = wide ? 16 : 14;
  out.Fixed(choices.pumpName, name);
  out.Integers({20, 1, 40, 2});
  out.Reals({1.0, 0.0, 0.0});
  if (wide || v >= 373) {
    out.Integer(1);
    out.Reals({10.0, 20.0, 30.0});
  }
  out.Fixed("Compressor", name);
  out.Integers({10050, 0, 0, 0});
  out.Reals({0.0, 1.0, 0.0});
  out.Fixed("Turbine", name);
  out.Integers({20, 40, 0, 0});
  out.Reals({0.0, 0.0, 1.0});
}

// The newer layout's response spectrum, time function and soil.
void DynamicTables(OldEmitter& out, const OldModelChoices& choices) {
  out.Fixed("El Centro", 16);
  out.Integers({1, 0, 1, 4, 2});
  out.Reals({choices.spectrumFirstAbscissa, 0.2, 1.0, 0.0});
  out.Fixed("Pulse", 16);
  out.Integer(2);
  out.Reals({0.0, 0.0, 0.5, 1.0});
  if (choices.version > 400) {
    out.Fixed("S1", 4);
    out.Integer(1);
    out.Reals({0.07, 10.0, 0.0, 0.5, 0.0});
  }
}

// A bend's record: its values, the older layout without the material and
// the flexibility factor.
void BendRecord(OldEmitter& out) {
  out.Reals({0.0, 0.0});
  if (out.wide()) {
    out.Fixed("", 4);
    out.Real(-1.0);
  }
  out.Integers({0, 0});
  out.Reals({0.0, 0.0});
  out.Smalls({2, 0});
  out.Integer(0);
  out.Reals({0.0, 0.0, 0.0, 0.0});
  out.Integer(0);
}

// The layout: every old kind, the records widening with the versions.
void Rows(OldEmitter& out, const OldModelChoices& choices) {
  const int v = choices.version;
  const bool wide = out.wide();
  const bool from372 = wide || v >= 372, from373 = wide || v >= 373;
  Row(out, 10, 1, 1, {0.0, 0.0, 0.0}, true, "A106", "6S40", "L1");
  out.Reals({1.0e12, 1.0e12, 1.0e12, 1.0e12, 1.0e12, 1.0e12});
  out.Integer((1 << 1) | (1 << 6) | (1 << 9) | (1 << 10));  // bit 10 meant nothing before 3.72
  for (int k = 1; k <= (from372 ? 30 : 24); ++k) out.Real(k * 0.5);
  Row(out, 20, 3, 2, {120.0, 0.0, 0.0});
  out.Integers({1, 0, 1});
  Row(out, 30, 4, 11, {120.0, 0.0, 0.0});
  out.Reals({9.0, 0.0});
  if (wide) {
    out.Fixed("FRP1", 4);
    out.Real(2.5);
  }
  out.Integers({10029, 20029});
  out.Reals({0.1, 0.2});
  out.Smalls({wide ? 0x102 : 2, wide ? 0x201 : 1});  // the newer layout uses the low bytes
  out.Integer(1);
  out.Reals({1.5, 1.0, 2.0, 3.0});
  out.Integer(7);
  out.Reals({50.0});
  out.Integer(6);
  if (from373) out.Reals({8.0, 300.0});
  Row(out, 40, 3, 5, {0.0, 120.0, 0.0});
  out.Real(0.3);
  if (!from372) out.Zeros(12);
  if (from373) out.Real(5.0e5);
  Row(out, 50, 8, 14, {0.0, 24.0, 0.0});
  if (wide || v >= 375)
    out.Reals({150.0, 0.0, 3.0, 1.75, 20.0, 1.0, 2.0, 3.0});
  else
    out.Reals({150.0, 3.0, 1.75, 20.0, 1.0, 2.0, 3.0});
  out.Integer(0);
  out.Real(0.0625);
  Row(out, 60, 9, 12, {0.0, 12.0, 0.0});
  out.Reals({6.625, 0.28, 4.5, 0.237, 20.0});
  out.Integer(1);
  out.Real(0.75);
  out.Integer(8);
  out.Reals({0.5, 0.25});
  Row(out, 70, 14, 13, {0.0, 12.0, 0.0});
  out.Reals({40.0, 1.5, 1.2});
  Row(out, 80, 15, 8, {0.0, 12.0, 0.0});
  out.Reals({1e6, 2e6, 3e6, 4e6, 5e6, 6e6, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0});
  out.Reals({1.0e6, 1.0, 0.0, 0.0});
  Row(out, 90, 16, 16, {0.0, 12.0, 0.0});
  out.Reals({0.5, 100.0, 200.0, 300.0, 400.0, 500.0, 600.0});
  Row(out, 100, 3, 17, {0.0, 12.0, 0.0});
  out.Reals({250.0, 1.0, 2.0, 3.0});
  Row(out, 110, 3, wide ? 19 : 0, {0.0, 12.0, 0.0});  // no harmonic loads in the older layout
  if (wide) out.Reals({5.0, 30.0, 10.0, 20.0, 30.0});
  Row(out, 120, 3, 15, {0.0, 12.0, 0.0});
  Row(out, 130, 3, 14, {0.0, 0.0, 12.0});
  out.Integer(9);
  out.Real(0.125);
  // An empty element clears its row, data record and all.
  Row(out, 135, 0, 2, {1.0, 2.0, 3.0}, false, "A106");
  out.Integers({1, 1, 1});
  Row(out, 140, 2, 0, {0.0, 0.0, 24.0});
  Row(out, 150, 10, 3, {0.0, 0.0, 6.0});
  if (from372)
    out.Reals({1000.0, 50.0, 0.0, 2000.0, 30.0, 25.0});
  else
    out.Reals({1000.0, 50.0, 2000.0, 30.0, 25.0});
  out.Integer(1);
  out.Reals({1.0e12, 0.0, 1.0, 0.0});
  if (from373) out.Integer(20);
  Row(out, 160, 11, 6, {0.0, 0.0, 6.0});
  out.Reals({100.0, 200.0, 30.0, 15.0});
  out.Reals({-0.5, 0.5, 0.0, 0.0, 1.0, 0.3});
  if (from373) {
    out.Real(5.0e6);
    out.Integer(40);
  }
  Row(out, 170, 12, wide ? 18 : 0, {0.0, 0.0, 6.0});
  out.Reals({500.0, 50.0, 12.0, 0.0, 1.0, 0.0});
  if (wide) {
    out.Integers({choices.timeVaryingDirection, 0});
    out.Fixed("Pulse", 16);
    out.Reals({2.0, 1.0});
  }
  Row(out, 180, 13, 4, {0.0, 0.0, 6.0});
  out.Reals({700.0, 800.0, 70.0, 80.0, 14.0});
  out.Integer(choices.hangerKind >= 0 ? choices.hangerKind : from373 ? 16 : 14);  // the catalogue gained entries in 3.73
  out.Smalls({2, 25, 1, 0});
  out.Reals({0.0, 1000.0});
  if (from373) out.Integer(1);
  Row(out, 190, 6, 0, {0.0, 0.0, 12.0});
  out.Fixed("A106", 4);
  out.Fixed("6S40", 4);
  out.Fixed("L1", 4);
  out.Integers({0, 0});
  Row(out, 300, 1, 0, {0.0, 0.0, 500.0}, true);
  Row(out, 310, 17, 0, {100.0, 0.0, 0.0}, false, "BM1", "W8", "BL1");
  out.Real(30.0);
  out.Integer(0x805);
  Row(out, 400, 1, 0, {0.0, 0.0, 800.0}, true);
  Row(out, 410, 3, 0, {60.0, 0.0, 0.0});
  Row(out, 420, 5, 0, {60.0, 0.0, 0.0});
  BendRecord(out);
  out.Integer(2);
  Row(out, 430, 3, 0, {0.0, 60.0, 0.0});
  Row(out, 440, 7, 0, {0.0, 60.0, 0.0});
  BendRecord(out);
  out.Fixed("A106", 4);
  out.Fixed("6S40", 4);
  out.Fixed("L1", 4);
  out.Integers({0, 0});
  out.Reals({0.0, 0.0});
  out.Smalls({2, 0});
  out.Reals({0.0, 0.0, 0.0});
  out.Integer(0);
  Row(out, 450, 3, 0, {0.0, 0.0, 60.0});
  for (const OldNozzleRow& nozzle : choices.nozzles) {
    Row(out, nozzle.node, nozzle.start ? 1 : 3, 7, {nozzle.offsets[0], nozzle.offsets[1], nozzle.offsets[2]},
        nozzle.start);
    out.Integer(nozzle.flatBottom);
    for (double value : nozzle.values) out.Real(value);
    // The older layout keeps the displacement bits in bits 0-4; below 3.72
    // 12 bytes follow its record instead of the sets.
    const std::int32_t sets = (nozzle.flags >> 6) & 0x1F;
    out.Integer((wide ? nozzle.flags : sets) | nozzle.extraWrittenBits);
    if (!from372)
      out.Zeros(12);
    else if (sets != 0)
      for (double value : nozzle.sets) out.Real(value);
  }
  for (int i = 1; i <= choices.extraRows; ++i) {
    const bool last = i == choices.extraRows;
    Row(out, 1000 + i, last ? choices.lastElementCode : 3, last ? choices.lastDataCode : 0, {1.0, 0.0, 0.0});
  }
}

}  // namespace

std::vector<OldNozzleRow> OldNozzleRows() {
  std::vector<OldNozzleRow> rows(3);
  OldNozzleRow& cylinder = rows[0];
  cylinder.node = 500;
  cylinder.start = true;
  cylinder.offsets = {0.0, 0.0, 1000.0};
  cylinder.values = {6.625, 0.28, 48.0, 0.5, 20.0, 30.0, 2.9e7, 0.0, 0.0, 1.0, 1.1e6, 2.2e7, 3.3e7};
  cylinder.flags = (1 << 2) | (1 << 6) | (1 << 9) | (1 << 10);
  for (std::size_t k = 0; k < 30; ++k) cylinder.sets[k] = 0.25 * static_cast<double>(k + 1);
  OldNozzleRow& padded = rows[1];
  padded.node = 510;
  padded.offsets = {0.0, 0.0, 24.0};
  padded.flatBottom = 1;
  padded.values = {4.5, 0.237, 1200.0, 0.75, 6.0, 1.0, 2.8e7, 0.0, 1.0, 0.0, 4.4e5, 5.5e6, 6.6e6};
  padded.flags = 1 << 7;
  for (std::size_t k = 0; k < 30; ++k) padded.sets[k] = k / 6 == 1 ? -0.125 * static_cast<double>(k) : 0.0;
  OldNozzleRow& bare = rows[2];
  bare.node = 520;
  bare.offsets = {24.0, 0.0, 0.0};
  bare.flatBottom = 5;  // any non-zero word means a flat bottom
  bare.values = {3.5, 0.216, 1000.0, 0.625, 4.0, 0.0, 2.7e7, 1.0, 0.0, 0.0, 7.7e5, 8.8e6, 9.9e6};
  return rows;
}

std::string OldModelFileBytes(const OldModelChoices& choices) {
  OldEmitter out(choices.version >= 400);
  Heading(out, choices);
  if (out.wide())
    OptionsV4(out, choices);
  else
    OptionsV3(out, choices);
  Tables(out, choices);
  if (out.wide()) DynamicTables(out, choices);
  Rows(out, choices);
  return out.bytes();
}

namespace {

template <typename T>
T& NewElement(LayoutRow& row, ElementType type) {
  row.elementType = type;
  row.element = CreateElementData(type);
  return static_cast<T&>(*row.element);
}

template <typename T>
T& NewItem(LayoutRow& row, DataType type) {
  row.dataType = type;
  row.item = CreateDataItem(type);
  return static_cast<T&>(*row.item);
}

// The fields given take the values given, in order.
void Fill(std::initializer_list<float*> fields, std::initializer_list<float> values) {
  if (fields.size() != values.size()) std::abort();
  auto value = values.begin();
  for (float* field : fields) *field = *value++;
}

LayoutRow& NextRow(Model& model, std::int32_t node, float dx, float dy, float dz) {
  LayoutRow& row = model.row(++model.rowCount);
  row.node = node;
  row.dx = dx;
  row.dy = dy;
  row.dz = dz;
  return row;
}

void Comment(Model& model, const std::string& text) {
  LayoutRow& row = model.row(++model.rowCount);
  NewElement<CommentData>(row, ElementType::Comment).SetText(text);
}

}  // namespace

void BuildConvertedModel(const OldModelChoices& choices, std::int32_t newPipingCode, Model& model) {
  const int v = choices.version;
  const bool older = v < 400;
  InitEmptyModel(model, ProgramAnalysisOptions());
  model.title = "Old plant \xE9";
  model.qa = {"Client A", "Project B", "F-12", "R-7", "JS", "KL"};
  for (int kind = 1; kind <= kUnitChoiceCount; ++kind) {
    const int entry = kind <= 6 ? kind : kind == 7 ? 19 : kind <= 19 ? kind - 1 : 20;
    model.unitChoices[static_cast<std::size_t>(kind - 1)] = entry % 2;
  }
  AnalysisOptions& options = model.options;
  options.PipingCode = newPipingCode;
  options.ServiceLevel = v < 371 ? 0 : 1;
  options.LiberalAllowable = 1;
  options.IncludeAxialForce = older && v < 372 ? 0 : 1;
  options.ReferenceTemperature = 70.0f;
  options.ThermalCycles = 7000;
  options.UseColdModulus = 0;
  options.IncludeHangerStiffness = 1;
  options.BourdonEffect = 1;
  options.PressureCorrection = 0;
  options.PressureStressOption = 1;
  options.PeakPressureFactor = 1.25f;
  options.CutOffFrequency = 40;
  options.ModeCount = 12;
  options.IncludeMissingMass = older && v < 372 ? 0 : 1;
  if (older) options.UseB31J = 0;
  options.FrictionInDynamics = 1;
  options.ZVertical = 1;
  options.ThermalLoadCount = 3;
  options.SolveThermalCase = 1;
  options.YieldDisplacementFactor = 0.04f;
  model.seismic.g = {0.1f, 0.2f, 0.3f};
  model.seismic.combination = 2;
  SetWindSpeedAsProfile(model.wind, 90.0f, WindSpeedUnits{});
  model.wind.loads[0].shapeFactor = 0.8f;
  model.wind.loads[0].direction = {1.0f, 0.0f, 0.5f};
  model.spectrumLoad.modeSum = 1;
  model.spectrumLoad.directionSum = 2;
  if (!older) {
    model.timeHistory = {0.01f, 100, 5, 1, 5.0f};
    model.harmonic = {1, 3.0f};
  }
  model.loadCases.count = 3;
  model.loadCases.cases.fill(0);
  model.loadCases.cases[1] = 1;
  model.loadCases.cases[2] = 2;
  model.loadCases.cases[3] = 4;
  LoadCaseFlagsFromList(model.loadCases);
  model.graphics.viewDirection = {1.0f, 1.0f, 1.0f};
  model.graphics.viewLeft = -100.0f;
  model.graphics.viewBottom = -100.0f;
  model.graphics.viewRight = 100.0f;
  model.graphics.viewTop = 100.0f;
  model.graphics.axesTriad = 1;

  ModelRecordTableSizeForRead(model.materials, 2);
  Material& steel = model.materials[1];
  steel = {"A106", "CS", 0, "Carbon steel seamless pipe, gra", 0.3f, 0.283f, 1.0f, 0.85f, 60000.0f,
           choices.temperatureRows, {}};
  steel.temps.resize(static_cast<std::size_t>(choices.temperatureRows) + 1);
  for (int row = 1; row <= choices.temperatureRows; ++row)
    steel.temps[static_cast<std::size_t>(row)].values = {70.0f + 100 * (row - 1), 2.9e7f, 20000.0f, 18000.0f,
                                                         6.1e-6f, 35000.0f, 0.0f, 0.0f};
  Material& frp = model.materials[2];
  frp = {"FRP1", "FR", 1, "Glass fibre", kNotGiven, 0.07f, 1.0f, 1.0f, 0.0f, 1, {}};
  frp.temps.resize(2);
  frp.temps[1].values = {70.0f, 1.5e6f, 9000.0f, 8000.0f, 0.0f, 0.0f, 400.0f, 500.0f};
  ModelRecordTableSizeForRead(model.sections, 1);
  model.sections[1] = {"6S40", 1, "6", "40", 6.625f, 0.28f, 0.0625f, 12.5f, 0.0064f, 2.0f, 0.01f, 0.125f,
                       choices.version > 400 ? "S1" : ""};
  ModelRecordTableSizeForRead(model.pipeLoads, 1);
  PipeLoad& load = model.pipeLoads[1];
  load.name = "L1";
  load.operating[0] = {200.0f, 150.0f};
  load.operating[1] = {300.0f, kNotGiven};
  load.operating[2] = {70.0f, 10.0f};
  load.specificGravity = 1.0f;
  load.additionalWeight = 5.0f;
  load.wind = 1;
  ModelRecordTableSizeForRead(model.beamMaterials, 1);
  model.beamMaterials[1] = {"BM1", "Structural steel", 2.9e7f, 0.3f, 0.283f, 6.5e-6f};
  ModelRecordTableSizeForRead(model.beamSections, 1);
  model.beamSections[1] = {"W8", "W8x31", 9.13f, 110.0f, 37.1f, 0.536f, 2.3f, 4.5f, 8.0f, 8.0f};
  if (older && v < 372) model.beamSections[1].Asmaj = model.beamSections[1].Asmin = 0.0f;
  ModelRecordTableSizeForRead(model.beamLoads, 1);
  BeamLoad& beamLoad = model.beamLoads[1];
  beamLoad.name = "BL1";
  Fill({&beamLoad.temperature[0], &beamLoad.temperature[1], &beamLoad.temperature[2], &beamLoad.additionalWeight},
       {100.0f, 150.0f, 200.0f, 2.0f});
  ModelRecordTableSizeForRead(model.pumps, 1);
  Pump& pump = model.pumps[1];
  pump.name = "Feed pump";
  pump.suctionNode = 20;
  pump.suctionLocation = 1;
  pump.dischargeNode = 40;
  pump.dischargeLocation = 2;
  pump.shaftAxis = {1.0f, 0.0f, 0.0f};
  if (!older || v >= 373) {
    pump.vertical = 1;
    pump.centre = {10.0f, 20.0f, 30.0f};
  }
  ModelRecordTableSizeForRead(model.compressors, 1);
  model.compressors[1] = {"Compressor", 100050, 0, 0, 0, {0.0f, 1.0f, 0.0f}};
  ModelRecordTableSizeForRead(model.turbines, 1);
  model.turbines[1] = {"Turbine", 20, 40, 0, 0, {0.0f, 0.0f, 1.0f}};
  ResponseSpectrum spectrum;
  spectrum.name = "El Centro";
  spectrum.logInterpolation1 = 1;
  spectrum.periodAbscissa = 1;
  spectrum.ordinateUnit = 4;
  spectrum.points = {{0.1f, 0.2f}, {1.0f, kNotGiven}};
  if (older) {
    spectrum.name = "X spectrum";
    SetLastSpectrum(model.spectra, spectrum);
    spectrum.name = "Z spectrum";
    SetLastSpectrum(model.spectra, spectrum);
    SetDirectionSpectrum(model.spectrumLoad, 0, "X spectrum", 1.5f);
    SetDirectionSpectrum(model.spectrumLoad, 2, "Z spectrum", 0.5f);
  } else {
    SetLastSpectrum(model.spectra, spectrum);
    SetDirectionSpectrum(model.spectrumLoad, 0, "El Centro", 1.5f);
    SetDirectionSpectrum(model.spectrumLoad, 1, "", 0.0f);
    SetDirectionSpectrum(model.spectrumLoad, 2, "El Centro", 0.5f);
    model.timeFunctions.insert(model.timeFunctions.end() - 1,
                               TimeFunction{"Pulse", {{kNotGiven, kNotGiven}, {0.5f, 1.0f}}});
  }
  if (choices.version > 400) {
    ModelRecordTableSizeForRead(model.soils, 1);
    model.soils[1] = {"S1", 1, 0.07f, 10.0f, kNotGiven, 0.5f, 0.0f};
  }

  model.rowCount = 0;
  Comment(model, "Title = Old plant \xE9");
  if (!choices.secondTitle.empty()) Comment(model, choices.secondTitle);
  LayoutRow& from = NextRow(model, 10, 0, 0, 0);
  from.absolute = true;
  from.material = "A106";
  from.section = "6S40";
  from.load = "L1";
  NewElement<ElementData>(from, ElementType::From);
  Anchor& anchor = NewItem<Anchor>(from, DataType::Anchor);
  anchor.stiffness.fill(1.0e12f);
  anchor.releases[1] = 1;
  anchor.displacements.flags[0] = 1;
  anchor.displacements.flags[11] = 1;  // settlement: the old fourth group
  const bool seismic = !older || v >= 372;
  anchor.displacements.flags[10] = seismic ? 1 : 0;
  anchor.displacements.sets = std::make_unique<DisplacementSets>();
  for (int k = 1; k <= 30; ++k) {
    const int group = (k - 1) / 6;
    if (group == 4 && !seismic) continue;
    const int slot = group < 3 ? group : group == 3 ? 11 : 10;
    anchor.displacements.sets->values[static_cast<std::size_t>(6 * slot + (k - 1) % 6 + 1)] = k * 0.5f;
  }
  LayoutRow& pipe = NextRow(model, 20, 120, 0, 0);
  NewElement<ElementData>(pipe, ElementType::Pipe);
  Restraint& restraint = NewItem<Restraint>(pipe, DataType::Restraint);
  restraint.restrainX = 1;
  restraint.restrainZ = 1;
  LayoutRow& bendRow = NextRow(model, 30, 120, 0, 0);
  Bend& bend = NewElement<Bend>(bendRow, ElementType::Bend);
  bend.radius = 9.0f;
  bend.material = older ? "" : "FRP1";
  bend.flexibilityFactor = older ? -1.0f : 2.5f;
  // 29A and 29B in the file: plain numbers, the first free from 29 on.
  bend.intermediateNode1 = 29;
  bend.intermediateNode2 = 31;
  bend.angle1 = 0.1f;
  bend.angle2 = 0.2f;
  bend.radiusType = 2;
  bend.flangedEnds = 1;
  bend.BendGeometryValid = 1;
  Fill({&bend.bendAngle, &bend.centre[0], &bend.centre[1], &bend.centre[2]}, {1.5f, 1.0f, 2.0f, 3.0f});
  bend.farNode = 7;
  Flange& flange = NewItem<Flange>(bendRow, DataType::Flange);
  flange.weight = 50.0f;
  flange.type = 7;
  flange.gasketDiameter = older && v < 373 ? 0.0f : 8.0f;
  flange.allowablePressure = older && v < 373 ? 0.0f : 300.0f;
  LayoutRow& guided = NextRow(model, 40, 0, 120, 0);
  NewElement<ElementData>(guided, ElementType::Pipe);
  Guide& guide = NewItem<Guide>(guided, DataType::Guide);
  guide.frictionCoefficient = 0.3f;
  guide.stiffness = older && v < 373 ? 1.0e12f : 5.0e5f;
  LayoutRow& valveRow = NextRow(model, 50, 0, 24, 0);
  Valve& valve = NewElement<Valve>(valveRow, ElementType::Valve);
  Fill({&valve.weight, &valve.length, &valve.thicknessMultiplier, &valve.insulationWeightMultiplier,
        &valve.additionalWeight, &valve.dx, &valve.dy, &valve.dz},
       {150.0f, 0.0f, 3.0f, 1.75f, 20.0f, 1.0f, 2.0f, 3.0f});
  Weld& weld = NewItem<Weld>(valveRow, DataType::Weld);
  weld.type = 1;
  weld.mismatch = 0.0625f;
  LayoutRow& reducerRow = NextRow(model, 60, 0, 12, 0);
  Reducer& reducer = NewElement<Reducer>(reducerRow, ElementType::Reducer);
  Fill({&reducer.od1, &reducer.thk1, &reducer.od2, &reducer.thk2, &reducer.coneAngle},
       {6.625f, 0.28f, 4.5f, 0.237f, 20.0f});
  reducer.knuckles = 1;
  reducer.delta = 0.75f;
  BranchSif& branch = NewItem<BranchSif>(reducerRow, DataType::BranchSif);
  branch.type = 9;
  branch.dimension1 = 0.5f;
  branch.dimension2 = 0.25f;
  LayoutRow& rigidRow = NextRow(model, 70, 0, 12, 0);
  NewElement<RigidElement>(rigidRow, ElementType::Rigid).weight = 40.0f;
  UserSif& sif = NewItem<UserSif>(rigidRow, DataType::UserSif);
  sif.inPlaneSif = 1.5f;
  sif.outPlaneSif = 1.2f;
  LayoutRow& elasticRow = NextRow(model, 80, 0, 12, 0);
  ElasticElement& elastic = NewElement<ElasticElement>(elasticRow, ElementType::Elastic);
  Fill({&elastic.kx, &elastic.ky, &elastic.kz, &elastic.kxx, &elastic.kyy, &elastic.kzz, &elastic.localX[0],
        &elastic.localY[1]},
       {1e6f, 2e6f, 3e6f, 4e6f, 5e6f, 6e6f, 1.0f, 1.0f});
  Snubber& snubber = NewItem<Snubber>(elasticRow, DataType::Snubber);
  Fill({&snubber.stiffness, &snubber.dirX, &snubber.dirY, &snubber.dirZ}, {1.0e6f, 1.0f, 0.0f, 0.0f});
  LayoutRow& cutRow = NextRow(model, 90, 0, 12, 0);
  NewElement<CutPipe>(cutRow, ElementType::CutPipe).cut = 0.5f;
  NodalForce& force = NewItem<NodalForce>(cutRow, DataType::Force);
  Fill({&force.FX, &force.FY, &force.FZ, &force.MX, &force.MY, &force.MZ},
       {100.0f, 200.0f, 300.0f, 400.0f, 500.0f, 600.0f});
  LayoutRow& massRow = NextRow(model, 100, 0, 12, 0);
  NewElement<ElementData>(massRow, ElementType::Pipe);
  ConcentratedMass& mass = NewItem<ConcentratedMass>(massRow, DataType::ConcentratedMass);
  Fill({&mass.weight, &mass.dx, &mass.dy, &mass.dz}, {250.0f, 1.0f, 2.0f, 3.0f});
  LayoutRow& harmonicRow = NextRow(model, 110, 0, 12, 0);
  NewElement<ElementData>(harmonicRow, ElementType::Pipe);
  if (!older) {
    HarmonicLoad& harmonic = NewItem<HarmonicLoad>(harmonicRow, DataType::HarmonicLoad);
    Fill({&harmonic.Frequency, &harmonic.Phase, &harmonic.FX, &harmonic.FY, &harmonic.FZ},
         {5.0f, 30.0f, 10.0f, 20.0f, 30.0f});
  }
  LayoutRow& threaded = NextRow(model, 120, 0, 12, 0);
  NewElement<ElementData>(threaded, ElementType::Pipe);
  NewItem<DataItem>(threaded, DataType::ThreadedJoint);
  LayoutRow& welded = NextRow(model, 130, 0, 0, 12);
  NewElement<ElementData>(welded, ElementType::Pipe);
  Weld& oldWeld = NewItem<Weld>(welded, DataType::Weld);
  oldWeld.type = 1;  // 9 is past the old types
  oldWeld.mismatch = 0.125f;
  ++model.rowCount;  // the cleared row
  ++model.rowCount;  // the Location at 140, a node no row makes
  LayoutRow& bellowsRow = NextRow(model, 150, 0, 0, 6);
  Bellows& bellows = NewElement<Bellows>(bellowsRow, ElementType::Bellows);
  Fill({&bellows.axialStiffness, &bellows.lateralStiffness, &bellows.bendingStiffness, &bellows.torsionalStiffness,
        &bellows.pressureThrustArea, &bellows.weight},
       {1000.0f, 50.0f, 0.0f, 2000.0f, 30.0f, 25.0f});
  if (older && v < 372) {
    bellows.bendingStiffness = 6.0f * 6.0f * 50.0f / 12.0f;
    bellows.lateralStiffness = 1.0e12f;
  }
  SkewedRestraint& skewed = NewItem<SkewedRestraint>(bellowsRow, DataType::SkewedRestraint);
  skewed.rotational = 1;
  skewed.stiffness = 1.0e12f;
  skewed.dirY = 1.0f;
  skewed.connectedNode = older && v < 373 ? 0 : 20;
  LayoutRow& slipRow = NextRow(model, 160, 0, 0, 6);
  SlipJoint& slip = NewElement<SlipJoint>(slipRow, ElementType::SlipJoint);
  Fill({&slip.frictionForce, &slip.frictionTorque, &slip.pressureThrustArea, &slip.weight},
       {100.0f, 200.0f, 30.0f, 15.0f});
  LimitStop& stop = NewItem<LimitStop>(slipRow, DataType::LimitStop);
  Fill({&stop.lowerLimit, &stop.upperLimit, &stop.dirZ, &stop.frictionCoefficient}, {-0.5f, 0.5f, 1.0f, 0.3f});
  stop.stiffness = older && v < 373 ? 1.0e12f : 5.0e6f;
  stop.connectedNode = older && v < 373 ? 0 : 40;
  LayoutRow& hingeRow = NextRow(model, 170, 0, 0, 6);
  HingeJoint& hinge = NewElement<HingeJoint>(hingeRow, ElementType::HingeJoint);
  Fill({&hinge.stiffness, &hinge.frictionTorque, &hinge.weight, &hinge.axis[1]}, {500.0f, 50.0f, 12.0f, 1.0f});
  if (!older) {
    TimeVaryingLoad& varying = NewItem<TimeVaryingLoad>(hingeRow, DataType::TimeVaryingLoad);
    varying.Direction = 1;
    varying.Units = 0;
    varying.TimeFunctionName = "Pulse";
    varying.ScaleFactor = 2.0f;
    varying.UnitFactor = 1.0f;
  }
  LayoutRow& ballRow = NextRow(model, 180, 0, 0, 6);
  BallJoint& ball = NewElement<BallJoint>(ballRow, ElementType::BallJoint);
  Fill({&ball.bendingStiffness, &ball.torsionalStiffness, &ball.bendingFrictionTorque, &ball.torsionalFrictionTorque,
        &ball.weight},
       {700.0f, 800.0f, 70.0f, 80.0f, 14.0f});
  Hanger& hanger = NewItem<Hanger>(ballRow, DataType::Hanger);
  hanger.kind = 16;
  hanger.numberOfHangers = 2;
  hanger.maximumLoadVariation = 25;
  hanger.shortRange = 1;
  hanger.load = 1000.0f;
  hanger.above = older && v < 373 ? 0 : 1;
  LayoutRow& jacketRow = NextRow(model, 190, 0, 0, 12);
  JacketedPipe& jacket = NewElement<JacketedPipe>(jacketRow, ElementType::JacketedPipe);
  jacket.jacketMaterial = "A106";
  jacket.jacketSection = "6S40";
  jacket.jacketLoad = "L1";
  LayoutRow& beamStart = NextRow(model, 300, 0, 0, 500);
  beamStart.absolute = true;
  NewElement<ElementData>(beamStart, ElementType::From);
  LayoutRow& beamRow = NextRow(model, 310, 100, 0, 0);
  beamRow.material = "BM1";
  beamRow.section = "W8";
  beamRow.load = "BL1";
  Beam& beam = NewElement<Beam>(beamRow, ElementType::Beam);
  beam.beta = 30.0f;
  beam.releases[0] = 1;
  beam.releases[2] = 1;
  beam.releases[11] = 1;
  LayoutRow& second = NextRow(model, 400, 0, 0, 800);
  second.absolute = true;
  NewElement<ElementData>(second, ElementType::From);
  NewElement<ElementData>(NextRow(model, 410, 60, 0, 0), ElementType::Pipe);
  MiterBend& miter = NewElement<MiterBend>(NextRow(model, 420, 60, 0, 0), ElementType::Miter);
  miter.radiusType = 2;
  miter.spacing = 2;
  NewElement<ElementData>(NextRow(model, 430, 0, 60, 0), ElementType::Pipe);
  JacketedBend& jacketed = NewElement<JacketedBend>(NextRow(model, 440, 0, 60, 0), ElementType::JacketedBend);
  jacketed.radiusType = 2;
  jacketed.jacketMaterial = "A106";
  jacketed.jacketSection = "6S40";
  jacketed.jacketLoad = "L1";
  jacketed.jacketRadiusType = 2;
  NewElement<ElementData>(NextRow(model, 450, 0, 0, 60), ElementType::Pipe);
  for (const OldNozzleRow& old : choices.nozzles) {
    LayoutRow& row = NextRow(model, old.node, static_cast<float>(old.offsets[0]), static_cast<float>(old.offsets[1]),
                             static_cast<float>(old.offsets[2]));
    row.absolute = old.start;
    NewElement<ElementData>(row, old.start ? ElementType::From : ElementType::Pipe);
    Nozzle& nozzle = NewItem<Nozzle>(row, DataType::Nozzle);
    const bool flat = old.flatBottom != 0;
    nozzle.flatBottom = flat ? 1 : 0;
    nozzle.reinforcingPad = flat && old.values[5] != 0.0 ? 1 : 0;
    float* fields[13] = {&nozzle.nozzleOd, &nozzle.nozzleThickness, &nozzle.vesselOd, &nozzle.vesselThickness,
                         &nozzle.l1, &nozzle.l2, &nozzle.elasticModulus, &nozzle.vesselAxis[0],
                         &nozzle.vesselAxis[1], &nozzle.vesselAxis[2], &nozzle.axialStiffness,
                         &nozzle.circumferentialStiffness, &nozzle.longitudinalStiffness};
    for (std::size_t k = 0; k < 13; ++k) *fields[k] = static_cast<float>(old.values[k]);
    if (flat) nozzle.l2 = 0.0f;
    if (older && v < 372) continue;  // no sets for a nozzle then
    static constexpr int kSlotOfGroup[5] = {0, 1, 2, 11, 10};
    for (int group = 0; group < 5; ++group)
      if ((old.flags >> (6 + group)) & 1) nozzle.displacements.flags[static_cast<std::size_t>(kSlotOfGroup[group])] = 1;
    if (!nozzle.displacements.HasAny()) continue;
    nozzle.displacements.sets = std::make_unique<DisplacementSets>();
    for (int k = 0; k < 30; ++k)
      nozzle.displacements.sets->values[static_cast<std::size_t>(6 * kSlotOfGroup[k / 6] + k % 6 + 1)] =
          static_cast<float>(old.sets[static_cast<std::size_t>(k)]);
  }
  for (int i = 1; i <= choices.extraRows; ++i) {
    LayoutRow& extra = NextRow(model, 1000 + i, 1, 0, 0);
    NewElement<ElementData>(extra, ElementType::Pipe);
  }
  model.path.clear();
  MakeModel(model);
  FitViewToModel(model.graphics);
  model.modified = false;
}
