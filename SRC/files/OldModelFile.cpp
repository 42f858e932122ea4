// The converter of the older model format (header "QUORVEL.MOD").
//
// The whole file is read into memory first and every field is taken through
// one cursor that refuses to read past the end, so a short or damaged file
// is refused with "Unable to read model file" and never read out of bounds.
// Counts, unit choices, codes and kinds are checked against their limits
// and the bytes left before anything is made from them; a real that is not
// finite, or does not fit a single-precision value, is damage too.
//
// Conversion fills a fresh model that is swapped in only when the whole file
// was converted (the caller's business), so a refused file leaves the open
// model as it was. Derived node numbers of these files count in steps of
// 10000, as in current-format files below version 682: row, intermediate
// and equipment node numbers are recoded with RecodeOldNodeId. A bend's
// intermediate node that comes out derived ("29A") is renumbered plain,
// since nothing in the program takes a suffix there.
//
// The older layout (3.70 to 3.99) has 16-bit integers, singles, narrower
// records and fields that came and went with its versions; the direction
// spectra live in its header.
#include "files/OldModelFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <vector>

#include "editing/LayoutTable.h"
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
#include "files/ModelFileSections.h"
#include "loads/DirectionalLoad.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "loads/TimeVaryingLoad.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "platform/FileNames.h"
#include "records/AnalysisOptions.h"
#include "records/Compressor.h"
#include "records/GraphicsSettings.h"
#include "records/LoadCaseList.h"
#include "records/PointTables.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "records/Wind.h"
#include "services/LoadCaseTypes.h"
#include "services/Message.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr char kOldMagic[] = "QUORVEL.MOD";
constexpr int kOldRowLimit = 1500;
constexpr int kMaxTemperatureRows = 40;
constexpr std::size_t kLargestOldFile = 64u << 20;
constexpr double kCurrentFormatVersion = 9;

struct Damaged {};  // thrown by the cursor; the caller adds the path
// A record no road of the program would keep, named: the caller adds the
// path before it.
struct Refused {
  std::string detail;
};

std::string FromOemText(const std::string& text);

// One cursor over the file's bytes; `wide` selects the newer layout's
// 32-bit integers and doubles, else 16-bit integers and singles.
class OldCursor {
 public:
  OldCursor(std::vector<unsigned char> bytes, bool wide) : bytes_(std::move(bytes)), wide_(wide) {}
  void SetLayout(int version) {
    version_ = version;
    wide_ = version >= 400;
  }
  int version() const { return version_; }

  std::size_t Left() const { return bytes_.size() - at_; }
  void Need(std::size_t count) const {
    if (count > Left()) throw Damaged{};
  }
  void Skip(std::size_t count) {
    Need(count);
    at_ += count;
  }
  std::int32_t I32() {
    std::uint32_t value = 0;
    Need(4);
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[at_ + static_cast<std::size_t>(i)];
    at_ += 4;
    return static_cast<std::int32_t>(value);
  }
  std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
  std::uint16_t U16() {
    Need(2);
    const auto value = static_cast<std::uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return value;
  }
  std::uint8_t Byte() {
    Need(1);
    return bytes_[at_++];
  }
  // The layout's integer: 32-bit, or 16-bit sign-extended.
  std::int32_t Int() { return wide_ ? I32() : S16(); }
  // The layout's real, as the current model's single.
  float Real() {
    double value = 0.0;
    if (wide_) {
      Need(8);
      std::uint64_t raw = 0;
      for (int i = 7; i >= 0; --i) raw = (raw << 8) | bytes_[at_ + static_cast<std::size_t>(i)];
      at_ += 8;
      std::memcpy(&value, &raw, sizeof value);
    } else {
      const auto raw = static_cast<std::uint32_t>(I32());
      float single = 0.0f;
      std::memcpy(&single, &raw, sizeof single);
      value = single;
    }
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) throw Damaged{};
    return static_cast<float>(value);
  }
  // A fixed field holding a zero-terminated text (the whole field when it
  // has no terminator).
  std::string Text(std::size_t width) {
    Need(width);
    std::size_t length = 0;
    while (length < width && bytes_[at_ + length] != 0) ++length;
    std::string text(reinterpret_cast<const char*>(bytes_.data() + at_), length);
    at_ += width;
    return text;
  }
  // A text the current model keeps in a field of `room` bytes, terminator
  // included. A damaged old field that is full to its end holds one
  // character more than that: it is cut, and the cut is noted, rather than
  // refuse the model or fail its first save.
  std::string Text(std::size_t width, std::size_t room, const char* what) {
    std::string text = Text(width);
    if (text.size() < room) return text;
    const std::string kept = text.substr(0, room - 1);
    cuts_.push_back(std::string(what) + " " + FromOemText(text) + " has " + std::to_string(text.size()) +
                    " characters, more than the " + std::to_string(room - 1) + " a model keeps: " +
                    FromOemText(kept) + " taken");
    return kept;
  }
  bool wide() const { return wide_; }
  const std::vector<std::string>& cuts() const { return cuts_; }

 private:
  std::vector<std::string> cuts_;  // the texts cut to their room, for the notes
  std::vector<unsigned char> bytes_;
  std::size_t at_ = 0;
  bool wide_ = true;
  int version_ = 400;
};

// Texts of these files are in the DOS code page; the model's are in the
// Windows one. Characters without a counterpart become '?'.
std::string FromOemText(const std::string& text) {
  static constexpr unsigned char kHigh[128] = {
      0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
      0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, '?',  0x83,
      0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, '?',  0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
      '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',
      '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',
      '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',
      '?',  0xDF, '?',  '?',  '?',  '?',  0xB5, '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',  '?',
      '?',  0xB1, '?',  '?',  '?',  '?',  0xF7, '?',  0xB0, '?',  0xB7, '?',  '?',  0xB2, '?',  0xA0};
  std::string converted = text;
  for (char& c : converted) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) c = static_cast<char>(kHigh[byte - 0x80]);
  }
  return converted;
}

void Check(bool good) {
  if (!good) throw Damaged{};
}

std::string Invalid(const char* format, int code) {
  char text[80];
  std::snprintf(text, sizeof text, format, code);
  return text;
}

bool IsStorableNode(std::int32_t id) { return id == 0 || (id > 0 && id < 1000000 && id % 100000 != 0); }

std::int32_t OldNode(std::int32_t id) {
  const std::int32_t recoded = RecodeOldNodeId(id, 400);
  Check(IsStorableNode(recoded));
  return recoded;
}

// Old piping code ids into the current numbering.
std::int32_t RecodePipingCode(std::int32_t code) {
  if (code == 18) return 10;
  if (code >= 9 && code <= 17) ++code;
  if (code >= 7 && code <= 19) ++code;
  return code;
}

// An old file stored a typed zero as 0; the model keeps it as the typed zero.
float NonZero(float value) { return value == 0.0f ? kExplicitZero : value; }

// What a file holds before its tables, as the conversion needs it.
struct OldHeader {
  int version = 0;
  std::vector<std::string> notes;  // values out of range, and what was taken
  std::string secondTitle;
  std::array<std::string, 3> spectrumNames;
  std::array<float, 3> spectrumFactors{};
};

void ReadUnits(OldCursor& in, Model& model) {
  std::array<std::int32_t, 25> old{};
  const std::size_t stored = in.wide() ? 25 : 21;
  for (std::size_t entry = 0; entry < stored; ++entry) old[entry] = in.Int();
  for (int kind = 1; kind <= kUnitChoiceCount; ++kind) {
    const int entry = kind <= 6 ? kind : kind == 7 ? 19 : kind <= 19 ? kind - 1 : 20;
    // A choice out of range is replaced with the new model's (and said)
    // once the whole header is read.
    model.unitChoices[static_cast<std::size_t>(kind - 1)] = old[static_cast<std::size_t>(entry)];
  }
}

// An index that no factor has leaves the new model's setting, and is said.
void ApplyCodeFactor(AnalysisOptions& options, std::int32_t index, std::vector<std::string>& notes) {
  const int highest = options.PipingCode == 6 ? kDesignFactorCount - 1 : options.PipingCode == 19 ? 1 : 7;
  if (options.PipingCode != 6 && options.PipingCode != 19 && options.PipingCode != 20) return;
  if (index < 0 || index > highest) {
    notes.push_back("Analysis options: code factor index " + std::to_string(index) + " out of range 0 to " + std::to_string(highest) +
                    ": the new model's factor taken");
    return;
  }
  if (options.PipingCode == 6) {
    options.DesignFactorIndex = index;
  } else if (options.PipingCode == 19) {
    options.Z183LocationFactorIndex = index;
  } else {
    options.Z184SourService = index + 1 > 4 ? 1 : 0;
    options.Z184ClassLocation = index + 1 > 4 ? index - 3 : index + 1;
  }
}

// The number of thermal cycles, a real in these files: one no int32 holds
// keeps the new model's number, and is said.
void ApplyThermalCycles(AnalysisOptions& options, float cycles, std::vector<std::string>& notes) {
  if (cycles >= 0.0f && cycles < 2.0e9f) {
    options.ThermalCycles = static_cast<std::int32_t>(cycles);
    return;
  }
  notes.push_back("Analysis options: number of thermal cycles " + CFormat("%g", static_cast<double>(cycles)) +
                  " out of range 0 to 2147483647: " + std::to_string(options.ThermalCycles) + " taken");
}

std::uint8_t Flag(std::int32_t value) { return value != 0 ? 1 : 0; }

// The old wind speed becomes the one point of a velocity profile, which no
// cell fills with a value below the least a value may be but zero: such a
// speed is no wind, and is taken as 0 with a note.
float WindSpeed(float speed, std::vector<std::string>& notes) {
  if (!IsBelowLeastStored(speed)) return speed;
  char text[32];
  std::snprintf(text, sizeof text, "%.3G", static_cast<double>(speed));
  notes.push_back(std::string("Analysis options: wind speed ") + text +
                  " is below 1E-37, the least a value may be but zero, and is taken as 0");
  return 0.0f;
}

// The fixed block of the newer layout, up to the load cases.
void ReadHeaderV4(OldCursor& in, OldHeader& header, Model& model) {
  AnalysisOptions& options = model.options;
  model.title = FromOemText(in.Text(50, kModelTitleWidth, "Title"));
  header.secondTitle = FromOemText(in.Text(50));
  QualityAssuranceBlock& qa = model.qa;
  for (std::string* field : {&qa.client, &qa.project, &qa.fileNumber, &qa.reportNumber})
    *field = FromOemText(in.Text(42, 42, "Quality Assurance Block text"));
  qa.preparedBy = FromOemText(in.Text(26, 26, "Prepared by"));
  qa.checkedBy = FromOemText(in.Text(26, 26, "Checked by"));
  ReadUnits(in, model);
  options.PipingCode = RecodePipingCode(in.I32());
  options.ServiceLevel = in.I32();
  ApplyCodeFactor(options, in.I32(), header.notes);
  options.LiberalAllowable = Flag(in.I32());
  options.IncludeAxialForce = Flag(in.I32());
  options.ReferenceTemperature = in.Real();
  ApplyThermalCycles(options, in.Real(), header.notes);
  options.UseColdModulus = Flag(in.I32());
  options.IncludeHangerStiffness = Flag(in.I32());
  options.BourdonEffect = Flag(in.I32());
  options.PressureCorrection = Flag(in.I32());
  options.PressureStressOption = Flag(in.I32());
  options.PeakPressureFactor = in.Real();
  options.CutOffFrequency = in.I32();
  options.ModeCount = in.I32();
  options.IncludeMissingMass = Flag(in.I32());
  options.FrictionInDynamics = Flag(in.I32());
  options.ZVertical = Flag(in.I32());
  for (float& g : model.seismic.g) g = in.Real();
  model.seismic.combination = in.I32();
  const float velocity = WindSpeed(in.Real(), header.notes);
  SetWindSpeedAsProfile(model.wind, velocity, WindSpeedUnits{});
  model.wind.loads[0].shapeFactor = ReadShapeFactor(in.Real());
  for (float& component : model.wind.loads[0].direction) component = in.Real();
  for (std::size_t axis = 0; axis < 3; ++axis) {
    header.spectrumNames[axis] = FromOemText(in.Text(16));
    header.spectrumFactors[axis] = in.Real();
  }
  model.spectrumLoad.modeSum = in.I32();
  model.spectrumLoad.directionSum = in.I32();
  TimeHistorySettings& history = model.timeHistory;
  history.timeStep = in.Real();
  history.stepCount = in.I32();
  history.outputInterval = in.I32();
  history.writeResults = Flag(in.I32());
  history.damping = in.Real();
  model.harmonic.combination = in.I32();
  model.harmonic.damping = in.Real();
  options.ThermalLoadCount = in.I32();
  options.SolveThermalCase = 1;
  options.YieldDisplacementFactor = 0.04f;
}

// What the header holds outside the ranges a model file takes keeps the
// new model's value: a user's old model is converted, not refused, and the
// notes say what was taken.
void TakeHeaderDefaults(Model& model, OldHeader& header) {
  Model fresh;
  InitEmptyModel(fresh, ProgramAnalysisOptions());
  for (const std::string& note : TakeOptionsSectionDefaults(model, fresh))
    header.notes.push_back("Analysis options: " + note);
}

// After the header's options were taken: the list's cases of temperatures
// out of use are dropped, with a note each.
void ReadLoadCases(OldCursor& in, Model& model, std::vector<std::string>& notes) {
  const std::int32_t count = in.Int();
  Check(count >= 0 && count <= kLoadCaseListRoom);
  in.Need(static_cast<std::size_t>(count) * (in.wide() ? 4 : 2));
  model.loadCases.count = count;
  model.loadCases.cases.fill(0);
  for (int i = 1; i <= count; ++i) {
    const std::int32_t id = in.Int();
    Check(id > 0 && id < kLoadCaseTypeCount);
    model.loadCases.cases[static_cast<std::size_t>(i)] = id;
  }
  LoadCaseFlagsFromList(model.loadCases);
  for (std::string& note : DropLoadCasesBeyondThermalCount(model)) notes.push_back(std::move(note));
}

// The counts, in table order.
enum OldTable {
  kMaterials, kSections, kPipeLoads, kBeamMaterials, kBeamSections, kBeamLoads, kPumps, kCompressors,
  kTurbines, kSpectra, kTimeFunctions, kSoils, kRows, kTableCount
};
using OldCounts = std::array<std::int32_t, kTableCount>;

// The least bytes one record of each table takes in the newer layout.
constexpr std::array<std::size_t, kTableCount> kLeastRecordV4 = {88, 84, 72, 64, 84, 40, 84, 56, 56, 36, 20, 48, 68};

void CheckCounts(const OldCursor& in, const OldCounts& counts, const std::array<std::size_t, kTableCount>& least) {
  std::size_t needed = 0;
  for (std::size_t table = 0; table < kTableCount; ++table) {
    Check(counts[table] >= 0);
    needed += static_cast<std::size_t>(counts[table]) * least[table];
    in.Need(needed);
  }
  if (counts[kRows] > kOldRowLimit) throw std::string("Number of rows exceed maximum");
}

void ReadMaterials(OldCursor& in, int count, Model& model) {
  ModelRecordTableSizeForRead(model.materials, count);
  for (int i = 1; i <= count; ++i) {
    Material& material = model.materials[i];
    material.name = in.Text(4);
    material.type = in.Text(3, 3, "Material type");
    material.description = FromOemText(in.Text(33, 32, "Material description"));
    material.density = in.Real();
    material.nu = NonZero(in.Real());
    material.jointFactor = in.Real();
    material.circJointFactor = in.Real();
    material.strength = in.Real();
    material.isFrp = Flag(in.Int());
    if (material.isFrp != 0) material.type = "FR";
    material.numtemps = in.Int();
    if (material.numtemps < 0 || material.numtemps > kMaxTemperatureRows)
      throw std::string("This model has invalid data");
    material.temps.assign(static_cast<std::size_t>(material.numtemps) + 1, MaterialTempRow{});
    for (int row = 1; row <= material.numtemps; ++row) {
      std::array<float, 6> old{};
      for (float& value : old) value = in.Real();
      std::array<float, 8>& values = material.temps[static_cast<std::size_t>(row)].values;
      for (std::size_t k = 0; k < 4; ++k) values[k] = old[k];
      const std::size_t last = material.isFrp != 0 ? 6 : 4;
      values[last] = old[4];
      values[last + 1] = old[5];
    }
  }
}

void ReadSections(OldCursor& in, int count, int version, Model& model) {
  ModelRecordTableSizeForRead(model.sections, count);
  for (int i = 1; i <= count; ++i) {
    PipeSection& section = model.sections[i];
    section.name = in.Text(4);
    section.standard = in.Int();
    Check(section.standard >= kStandardAnsi && section.standard <= kStandardIso);
    section.nominalSize = in.Text(8, 8, "Nominal diameter");
    section.schedule = in.Text(4, 4, "Schedule");
    for (float* value : {&section.outsideDiameter, &section.thickness, &section.corrosionAllowance,
                         &section.millTolerance, &section.insulationDensity, &section.insulationThickness,
                         &section.liningDensity, &section.liningThickness})
      *value = in.Real();
    section.soil = version > 400 ? in.Text(4, 4, "Soil name") : std::string();
  }
}

void ReadPipeLoads(OldCursor& in, int count, Model& model) {
  ModelRecordTableSizeForRead(model.pipeLoads, count);
  for (int i = 1; i <= count; ++i) {
    PipeLoad& load = model.pipeLoads[i];
    load.name = in.Text(4);
    for (std::size_t k = 0; k < 3; ++k) {
      load.operating[k].temperature = in.Real();
      load.operating[k].pressure = NonZero(in.Real());
    }
    load.specificGravity = in.Real();
    load.additionalWeight = in.Real();
    load.wind = Flag(in.Int());
  }
}

// The older layout's names are two characters shorter; below 3.72 its beam
// sections have no shear areas.
void ReadBeamTables(OldCursor& in, const OldCounts& counts, Model& model) {
  const bool shear = in.wide() || in.version() >= 372;
  ModelRecordTableSizeForRead(model.beamMaterials, counts[kBeamMaterials]);
  for (int i = 1; i <= counts[kBeamMaterials]; ++i) {
    BeamMaterial& material = model.beamMaterials[i];
    material.name = in.Text(4);
    material.description = FromOemText(in.Text(in.wide() ? 28 : 26, 28, "Beam material description"));
    for (float* value : {&material.E, &material.nu, &material.density, &material.alpha}) *value = in.Real();
  }
  ModelRecordTableSizeForRead(model.beamSections, counts[kBeamSections]);
  for (int i = 1; i <= counts[kBeamSections]; ++i) {
    BeamSection& section = model.beamSections[i];
    section.name = in.Text(4);
    section.description = FromOemText(in.Text(in.wide() || !shear ? 16 : 14, 16, "Beam section description"));
    for (float* value : {&section.A, &section.Imaj, &section.Imin, &section.J})
      *value = in.Real();
    if (shear) {
      section.Asmaj = in.Real();
      section.Asmin = in.Real();
    }
    section.depth = in.Real();
    section.width = in.Real();
  }
  ModelRecordTableSizeForRead(model.beamLoads, counts[kBeamLoads]);
  for (int i = 1; i <= counts[kBeamLoads]; ++i) {
    BeamLoad& load = model.beamLoads[i];
    load.name = in.Text(4);
    for (std::size_t k = 0; k < 3; ++k) load.temperature[k] = in.Real();
    load.additionalWeight = in.Real();
    load.wind = Flag(in.Int());
  }
}

// The older layout's names are two characters shorter and its node numbers
// unsigned 16-bit; below 3.73 its pumps have no orientation and centre.
void ReadEquipment(OldCursor& in, const OldCounts& counts, Model& model) {
  const std::size_t name = in.wide() ? 16 : 14;
  auto node = [&in] { return OldNode(in.wide() ? in.I32() : in.U16()); };
  ModelRecordTableSizeForRead(model.pumps, counts[kPumps]);
  for (int i = 1; i <= counts[kPumps]; ++i) {
    Pump& pump = model.pumps[i];
    pump.name = FromOemText(in.Text(name, 16, "Pump name"));
    pump.suctionNode = node();
    pump.suctionLocation = in.Int();
    pump.dischargeNode = node();
    pump.dischargeLocation = in.Int();
    Check(pump.suctionLocation >= kNozzleTop && pump.suctionLocation <= kNozzleEnd);
    Check(pump.dischargeLocation >= kNozzleTop && pump.dischargeLocation <= kNozzleEnd);
    for (float& value : pump.shaftAxis) value = in.Real();
    if (in.wide() || in.version() >= 373) {
      pump.vertical = Flag(in.Int());
      for (float& value : pump.centre) value = in.Real();
    }
  }
  for (auto [table, which] : {std::pair{&model.compressors, kCompressors}, std::pair{&model.turbines, kTurbines}}) {
    ModelRecordTableSizeForRead(*table, counts[which]);
    for (int i = 1; i <= counts[which]; ++i) {
      RotatingEquipment& record = (*table)[i];
      record.description = FromOemText(in.Text(name, 16, which == kCompressors ? "Compressor name" : "Turbine name"));
      for (std::int32_t* number : {&record.inletNode, &record.exhaustNode, &record.extractionNode1,
                                   &record.extractionNode2})
        *number = node();
      for (float& value : record.shaftAxis) value = in.Real();
    }
  }
}

// A spectrum point no road of the program keeps (a negative abscissa, a
// value of 1E38 or more in internal units) is no older program's either:
// the conversion is refused, naming it, rather than give a model no save
// would take. A value below 1E-37 is mended with a note after the read.
void RefuseSpectrumDamage(const ResponseSpectrum& spectrum) {
  if (const std::string damage = SpectrumDamage(spectrum); !damage.empty()) throw Refused{"Spectra: " + damage};
}

std::vector<FloatPair> ReadPoints(OldCursor& in, std::int32_t count) {
  Check(count >= 0);
  in.Need(static_cast<std::size_t>(count) * 16);
  std::vector<FloatPair> points(static_cast<std::size_t>(count));
  for (FloatPair& point : points) {
    point.x = NonZero(in.Real());
    point.y = NonZero(in.Real());
  }
  return points;
}

void ReadSpectraAndFunctions(OldCursor& in, const OldCounts& counts, const OldHeader& header, Model& model) {
  for (int i = 1; i <= counts[kSpectra]; ++i) {
    ResponseSpectrum spectrum;
    spectrum.name = FromOemText(in.Text(16));
    spectrum.logInterpolation1 = Flag(in.I32());
    spectrum.logInterpolation2 = Flag(in.I32());
    spectrum.periodAbscissa = Flag(in.I32());
    spectrum.ordinateUnit = in.I32();
    Check(spectrum.ordinateUnit >= kOrdinateInch && spectrum.ordinateUnit <= kOrdinateG);
    Check(!spectrum.name.empty());
    spectrum.points = ReadPoints(in, in.I32());
    RefuseSpectrumDamage(spectrum);
    SetLastSpectrum(model.spectra, spectrum);
  }
  if (counts[kSpectra] > 0)
    for (int axis = 0; axis < 3; ++axis)
      SetDirectionSpectrum(model.spectrumLoad, axis, header.spectrumNames[static_cast<std::size_t>(axis)],
                           header.spectrumFactors[static_cast<std::size_t>(axis)]);
  for (int i = 1; i <= counts[kTimeFunctions]; ++i) {
    TimeFunction function;
    function.name = FromOemText(in.Text(16));
    Check(!function.name.empty());
    function.points = ReadPoints(in, in.I32());
    // The time history reads the points as sorted, and the grid would sort
    // them at its next edit: points out of order are no older program's.
    if (const std::string fault = TimeFunctionPointFault(function); !fault.empty())
      throw Refused{"Time functions: " + fault};
    model.timeFunctions.insert(model.timeFunctions.end() - 1, std::move(function));
  }
}

void ReadSoils(OldCursor& in, int count, Model& model) {
  ModelRecordTableSizeForRead(model.soils, count);
  for (int i = 1; i <= count; ++i) {
    Soil& soil = model.soils[i];
    soil.name = in.Text(4, 4, "Soil name");
    soil.type = Flag(in.I32());
    soil.density = in.Real();
    soil.strength = in.Real();
    soil.delta = NonZero(in.Real());
    soil.Ks = in.Real();
    // A ground level of 0 is the ground at the height of the origin, held
    // as 0 the way the soil dialog holds it; no reader of the soil tells a
    // given 0 from an empty field there, and the tiny stand-in would be
    // written out as a length no reader takes.
    soil.groundLevel = in.Real();
  }
}

void ReadBend(OldCursor& in, Bend& bend) {
  bend.radius = in.Real();
  bend.thickness = in.Real();
  if (in.wide()) {
    bend.material = in.Text(4);
    bend.flexibilityFactor = in.Real();
  } else {
    bend.flexibilityFactor = -1.0f;
  }
  bend.intermediateNode1 = OldNode(in.wide() ? in.I32() : in.U16());
  bend.intermediateNode2 = OldNode(in.wide() ? in.I32() : in.U16());
  bend.angle1 = in.Real();
  bend.angle2 = in.Real();
  bend.radiusType = static_cast<std::uint8_t>(in.wide() ? in.I32() & 0xFF : in.Byte());
  bend.flangedEnds = static_cast<std::uint8_t>(in.wide() ? in.I32() & 0xFF : in.Byte());
  Check(bend.radiusType <= kBendRadiusUser && bend.flangedEnds <= 2);
  bend.BendGeometryValid = Flag(in.Int());
  bend.bendAngle = in.Real();
  for (float& value : bend.centre) value = in.Real();
  bend.farNode = in.wide() ? in.I32() : in.U16();
}

void ReadElement(OldCursor& in, ElementType type, ElementData* element) {
  switch (type) {
    case ElementType::Bend: ReadBend(in, static_cast<Bend&>(*element)); return;
    case ElementType::Valve: {
      auto& valve = static_cast<Valve&>(*element);
      if (!in.wide() && in.version() < 375) {
        // Seven values: the second (the length) was added later.
        valve.weight = in.Real();
        valve.length = 0.0f;
        for (float* value : {&valve.thicknessMultiplier, &valve.insulationWeightMultiplier, &valve.additionalWeight,
                             &valve.dx, &valve.dy, &valve.dz})
          *value = in.Real();
        valve.valveType = 0;
        return;
      }
      for (float* value : {&valve.weight, &valve.length, &valve.thicknessMultiplier,
                           &valve.insulationWeightMultiplier, &valve.additionalWeight, &valve.dx, &valve.dy, &valve.dz})
        *value = in.Real();
      valve.valveType = 0;
      return;
    }
    case ElementType::Reducer: {
      auto& reducer = static_cast<Reducer&>(*element);
      for (float* value : {&reducer.od1, &reducer.thk1, &reducer.od2, &reducer.thk2, &reducer.coneAngle})
        *value = in.Real();
      reducer.knuckles = Flag(in.Int());
      reducer.delta = in.Real();
      return;
    }
    case ElementType::Rigid: static_cast<RigidElement&>(*element).weight = in.Real(); return;
    case ElementType::Elastic: {
      auto& elastic = static_cast<ElasticElement&>(*element);
      for (float* value : {&elastic.kx, &elastic.ky, &elastic.kz, &elastic.kxx, &elastic.kyy, &elastic.kzz})
        *value = in.Real();
      for (float& value : elastic.localX) value = in.Real();
      for (float& value : elastic.localY) value = in.Real();
      return;
    }
    case ElementType::CutPipe: static_cast<CutPipe&>(*element).cut = in.Real(); return;
    case ElementType::JacketedPipe: {
      auto& jacket = static_cast<JacketedPipe&>(*element);
      jacket.jacketMaterial = in.Text(4);
      jacket.jacketSection = in.Text(4);
      jacket.jacketLoad = in.Text(4);
      jacket.jacketStartNode = OldNode(in.Int());
      jacket.jacketEndNode = OldNode(in.Int());
      return;
    }
    case ElementType::Bellows: {
      auto& bellows = static_cast<Bellows&>(*element);
      // The old order: axial, lateral, bending, torsional, thrust area, weight.
      const bool five = !in.wide() && in.version() < 372;
      bellows.axialStiffness = in.Real();
      bellows.lateralStiffness = in.Real();
      bellows.bendingStiffness = five ? 0.0f : in.Real();
      bellows.torsionalStiffness = in.Real();
      bellows.pressureThrustArea = in.Real();
      bellows.weight = in.Real();
      return;
    }
    case ElementType::SlipJoint: {
      auto& joint = static_cast<SlipJoint&>(*element);
      for (float* value : {&joint.frictionForce, &joint.frictionTorque, &joint.pressureThrustArea, &joint.weight})
        *value = in.Real();
      return;
    }
    case ElementType::HingeJoint: {
      auto& hinge = static_cast<HingeJoint&>(*element);
      hinge.stiffness = in.Real();
      hinge.rotationLimit = 1.0e30f;
      hinge.frictionTorque = in.Real();
      hinge.weight = in.Real();
      for (float& value : hinge.axis) value = in.Real();
      return;
    }
    case ElementType::BallJoint: {
      auto& ball = static_cast<BallJoint&>(*element);
      ball.bendingStiffness = in.Real();
      ball.torsionalStiffness = in.Real();
      ball.bendingRotationLimit = 1.0e30f;
      ball.torsionalRotationLimit = 1.0e30f;
      ball.bendingFrictionTorque = in.Real();
      ball.torsionalFrictionTorque = in.Real();
      ball.weight = in.Real();
      return;
    }
    case ElementType::Beam: {
      auto& beam = static_cast<Beam&>(*element);
      beam.beta = in.Real();
      const std::int32_t bits = in.Int();
      for (std::size_t bit = 0; bit < kBeamReleaseCount; ++bit) beam.releases[bit] = (bits >> bit) & 1;
      return;
    }
    case ElementType::Miter: {
      auto& miter = static_cast<MiterBend&>(*element);
      ReadBend(in, miter);
      miter.spacing = in.Int();
      Check(miter.spacing == kMiterClosely || miter.spacing == kMiterWidely);
      return;
    }
    case ElementType::JacketedBend: {
      auto& bend = static_cast<JacketedBend&>(*element);
      ReadBend(in, bend);
      bend.jacketMaterial = in.Text(4);
      bend.jacketSection = in.Text(4);
      bend.jacketLoad = in.Text(4);
      bend.jacketStartNode = in.wide() ? in.I32() : in.U16();
      bend.jacketNearNode = in.wide() ? in.I32() : in.U16();
      bend.jacketRadius = in.Real();
      bend.jacketThickness = in.Real();
      bend.jacketRadiusType = static_cast<std::uint8_t>(in.wide() ? in.I32() & 0xFF : in.Byte());
      bend.jacketFlag = static_cast<std::uint8_t>(in.wide() ? in.I32() & 0xFF : in.Byte());
      Check(bend.jacketRadiusType <= kBendRadiusUser);
      for (float& value : bend.jacketCentre) value = in.Real();
      bend.jacketFarNode = in.wide() ? in.I32() : in.U16();
      return;
    }
    default: return;  // From, Location and Pipe carry no record
  }
}

// The old displacement bits: 6-8 the T1-T3 sets, 9 settlement, 10 seismic;
// the values of the sets follow in five groups of six (T1, T2, T3,
// settlement, seismic), four groups below 3.72 where seismic did not exist.
void ReadOldDisplacements(OldCursor& in, std::int32_t flags, SpecifiedDisplacements& displacements) {
  static constexpr std::size_t kSlotOfGroup[5] = {0, 1, 2, kSettlementSlot, kSeismicSlot};
  static constexpr int kBitOfGroup[5] = {6, 7, 8, 9, 10};
  bool any = false;
  for (std::size_t group = 0; group < 5; ++group)
    if ((flags >> kBitOfGroup[group]) & 1) {
      displacements.flags[kSlotOfGroup[group]] = 1;
      any = true;
    }
  if (!any) return;
  displacements.sets = std::make_unique<DisplacementSets>();
  const std::size_t groups = !in.wide() && in.version() < 372 ? 4 : 5;
  for (std::size_t group = 0; group < groups; ++group)
    for (std::size_t k = 0; k < 6; ++k) displacements.sets->values[6 * kSlotOfGroup[group] + k + 1] = in.Real();
}

// The old nozzle: the flat-bottom flag, nozzle OD and thickness, vessel OD
// and thickness, L1, then one value that is L2 on a cylinder and the pad's
// presence on a flat-bottom tank, the modulus, the vessel axis and the three
// springs, and the displacement flag word. The older layout keeps the
// displacement bits in bits 0-4; below 3.72 it had no sets for a nozzle and
// 12 bytes follow the record instead. Bits the layout does not define mean
// the record is damaged; bits 0-5 of the newer word (the anchor's releases)
// mean nothing to a nozzle and are passed over.
void ReadOldNozzle(OldCursor& in, Nozzle& nozzle) {
  nozzle.flatBottom = Flag(in.Int());
  for (float* value : {&nozzle.nozzleOd, &nozzle.nozzleThickness, &nozzle.vesselOd, &nozzle.vesselThickness,
                       &nozzle.l1})
    *value = in.Real();
  const float sixth = in.Real();
  nozzle.reinforcingPad = nozzle.flatBottom != 0 && sixth != 0.0f ? 1 : 0;
  nozzle.l2 = nozzle.flatBottom != 0 ? 0.0f : sixth;
  nozzle.elasticModulus = in.Real();
  for (float& value : nozzle.vesselAxis) value = in.Real();
  for (float* value : {&nozzle.axialStiffness, &nozzle.circumferentialStiffness, &nozzle.longitudinalStiffness})
    *value = in.Real();
  std::int32_t flags = in.Int();
  if (in.wide()) {
    Check((flags & ~0x7FF) == 0);
  } else {
    Check((flags & ~0x1F) == 0);
    if (in.version() < 372) {
      in.Skip(12);
      flags = 0;
    }
    flags <<= 6;
  }
  ReadOldDisplacements(in, flags & 0x7C0, nozzle.displacements);
}

std::int32_t ShiftedType(std::int32_t old, std::int32_t last) { return old >= 1 && old <= last ? old + 1 : 1; }

// The hanger kinds a model file holds: the catalogue entries and the three
// special kinds.
bool IsStorableHangerKind(std::int32_t kind) {
  return (kind >= 1 && kind <= kHangerCatalogueCount) || (kind >= kUserHanger && kind <= kConstantSupport);
}

void ReadItem(OldCursor& in, DataType type, DataItem* item, int rowNumber, std::vector<std::string>& notes) {
  switch (type) {
    case DataType::Anchor: {
      auto& anchor = static_cast<Anchor&>(*item);
      for (float& value : anchor.stiffness) value = in.Real();
      std::int32_t flags = in.Int();
      if (!in.wide() && in.version() < 372) flags &= ~(1 << 10);
      for (std::size_t bit = 0; bit < 6; ++bit)
        if ((flags >> bit) & 1) anchor.releases[bit] = 1;
      ReadOldDisplacements(in, flags, anchor.displacements);
      return;
    }
    case DataType::Restraint: {
      auto& restraint = static_cast<Restraint&>(*item);
      for (std::uint8_t* flag : {&restraint.restrainX, &restraint.restrainY, &restraint.restrainZ})
        *flag = Flag(in.Int());
      return;
    }
    case DataType::Guide: {
      auto& guide = static_cast<Guide&>(*item);
      guide.frictionCoefficient = in.Real();
      if (!in.wide() && in.version() < 373) {
        if (in.version() < 372) in.Skip(12);
        guide.stiffness = 1.0e12f;
      } else {
        guide.stiffness = in.Real();
      }
      guide.gap = 0.0f;
      return;
    }
    case DataType::Snubber: {
      auto& snubber = static_cast<Snubber&>(*item);
      for (float* value : {&snubber.stiffness, &snubber.dirX, &snubber.dirY, &snubber.dirZ}) *value = in.Real();
      return;
    }
    case DataType::Flange: {
      auto& flange = static_cast<Flange&>(*item);
      flange.weight = in.Real();
      flange.type = ShiftedType(in.Int(), 6);
      const bool short3 = !in.wide() && in.version() < 373;
      flange.gasketDiameter = short3 ? 0.0f : in.Real();
      flange.allowablePressure = short3 ? 0.0f : in.Real();
      return;
    }
    case DataType::BranchSif: {
      auto& sif = static_cast<BranchSif&>(*item);
      sif.type = ShiftedType(in.Int(), 8);
      sif.dimension1 = in.Real();
      sif.dimension2 = in.Real();
      return;
    }
    case DataType::UserSif: {
      auto& sif = static_cast<UserSif&>(*item);
      sif.inPlaneSif = in.Real();
      sif.outPlaneSif = in.Real();
      return;
    }
    case DataType::Weld: {
      auto& weld = static_cast<Weld&>(*item);
      weld.type = ShiftedType(in.Int(), 3);
      weld.mismatch = in.Real();
      return;
    }
    case DataType::Force: {
      auto& force = static_cast<NodalForce&>(*item);
      for (float* value : {&force.FX, &force.FY, &force.FZ, &force.MX, &force.MY, &force.MZ}) *value = in.Real();
      return;
    }
    case DataType::ConcentratedMass: {
      auto& mass = static_cast<ConcentratedMass&>(*item);
      for (float* value : {&mass.weight, &mass.dx, &mass.dy, &mass.dz}) *value = in.Real();
      return;
    }
    case DataType::HarmonicLoad: {
      auto& load = static_cast<HarmonicLoad&>(*item);
      for (float* value : {&load.Frequency, &load.Phase, &load.FX, &load.FY, &load.FZ}) *value = in.Real();
      return;
    }
    case DataType::SkewedRestraint: {
      auto& skewed = static_cast<SkewedRestraint&>(*item);
      skewed.rotational = Flag(in.Int());
      for (float* value : {&skewed.stiffness, &skewed.dirX, &skewed.dirY, &skewed.dirZ}) *value = in.Real();
      const bool short3 = !in.wide() && in.version() < 373;
      skewed.connectedNode = short3 ? 0 : OldNode(in.wide() ? in.I32() : in.U16());
      return;
    }
    case DataType::LimitStop: {
      auto& stop = static_cast<LimitStop&>(*item);
      for (float* value : {&stop.lowerLimit, &stop.upperLimit, &stop.dirX, &stop.dirY, &stop.dirZ,
                           &stop.frictionCoefficient})
        *value = in.Real();
      const bool short3 = !in.wide() && in.version() < 373;
      stop.stiffness = short3 ? 1.0e12f : in.Real();
      stop.connectedNode = short3 ? 0 : OldNode(in.wide() ? in.I32() : in.U16());
      return;
    }
    case DataType::TimeVaryingLoad: {
      auto& load = static_cast<TimeVaryingLoad&>(*item);
      load.Direction = in.Int();
      load.Units = in.Int();
      load.TimeFunctionName = FromOemText(in.Text(16));
      load.ScaleFactor = in.Real();
      load.UnitFactor = in.Real();
      // A direction or unit that no model file holds is a new load's, and
      // is said.
      const TimeVaryingLoad fresh;
      const std::string row = "Row " + std::to_string(rowNumber) + ": ";
      if (load.Direction < 0 || load.Direction > kLoadDirectionLast) {
        notes.push_back(row + "time varying load direction " + std::to_string(load.Direction) + " out of range 0 to " +
                        std::to_string(kLoadDirectionLast) + ": " + std::to_string(fresh.Direction) + " taken");
        load.Direction = fresh.Direction;
      }
      const std::int32_t units = LoadDirectionUnitCount(load.Direction);
      if (load.Units < 0 || load.Units >= units) {
        notes.push_back(row + "time varying load units " + std::to_string(load.Units) + " out of range 0 to " +
                        std::to_string(units - 1) + ": " + std::to_string(fresh.Units) + " taken");
        load.Units = fresh.Units;
      }
      return;
    }
    case DataType::Hanger: {
      auto& hanger = static_cast<Hanger&>(*item);
      if (in.wide()) {
        hanger.kind = in.I32();
        hanger.numberOfHangers = in.I32();
        hanger.maximumLoadVariation = in.I32();
        hanger.shortRange = Flag(in.I32());
        const std::int32_t connected = in.I32();
        hanger.springRate = in.Real();
        hanger.load = in.Real();
        hanger.above = Flag(in.I32());
        hanger.connectedNode = OldNode(connected);
      } else {
        hanger.kind = in.S16();
        hanger.numberOfHangers = in.Byte();
        hanger.maximumLoadVariation = in.Byte();
        hanger.shortRange = Flag(in.Byte());
        hanger.connectedNode = in.Byte();
        hanger.springRate = in.Real();
        hanger.load = in.Real();
        hanger.above = in.version() < 373 ? 0 : Flag(in.U16());
        // The catalogue gained entries in 3.73.
        static constexpr std::int32_t kCatalogue[30] = {0,  1,  2,  3,  4,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                                        17, 18, 19, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 33};
        if (in.version() < 373 && hanger.kind >= 0 && hanger.kind < 30) hanger.kind = kCatalogue[hanger.kind];
      }
      // A kind or a count that no model file holds keeps a new hanger's
      // (old files may hold the catalogue index 0), and is said.
      const Hanger fresh;
      const std::string row = "Row " + std::to_string(rowNumber) + ": ";
      if (!IsStorableHangerKind(hanger.kind)) {
        notes.push_back(row + "hanger type " + std::to_string(hanger.kind) + " out of range 1 to " +
                        std::to_string(kHangerCatalogueCount) + ", " + std::to_string(kUserHanger) + " to " +
                        std::to_string(kConstantSupport) + ": " + std::to_string(fresh.kind) + " taken");
        hanger.kind = fresh.kind;
      }
      if (hanger.numberOfHangers < 1) {
        notes.push_back(row + "number of hangers " + std::to_string(hanger.numberOfHangers) +
                        " out of range 1 to 2147483647: " + std::to_string(fresh.numberOfHangers) + " taken");
        hanger.numberOfHangers = fresh.numberOfHangers;
      }
      return;
    }
    case DataType::Nozzle: ReadOldNozzle(in, static_cast<Nozzle&>(*item)); return;
    default: return;  // Spider, Jacket end cap and Threaded joint carry no record
  }
}

void AddCommentRow(Model& model, const std::string& text) {
  LayoutRow& row = model.row(++model.rowCount);
  row = LayoutRow();
  row.elementType = ElementType::Comment;
  row.element = CreateElementData(ElementType::Comment);
  static_cast<CommentData&>(*row.element).SetText(text);
}

// Every node number the model names: a renumbered node takes none of them.
std::set<std::int32_t> NamedNodes(Model& model) {
  std::set<std::int32_t> named;
  for (int number = 1; number <= model.rowCount; ++number) named.insert(model.row(number).node);
  ForEachNodeReference(model, [&named](std::int32_t& node) { named.insert(node); });
  return named;
}

// A bend's intermediate node is a plain node number (the bend dialog and
// the batch file refuse a suffix), but these files may hold a derived one
// there ("29A"). It takes its number without the suffix, or the next one
// that no node has, wherever the model names it, and the note says so.
void PlainIntermediateNodes(Model& model, std::vector<std::string>& notes) {
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.elementType != ElementType::Bend && row.elementType != ElementType::JacketedBend) continue;
    BendRecord& bend = *row.element->AsBend();
    for (std::int32_t* node : {&bend.intermediateNode1, &bend.intermediateNode2}) {
      const std::int32_t derived = *node;
      if (derived <= kMaxNodeNumber) continue;
      const std::set<std::int32_t> named = NamedNodes(model);
      std::int32_t plain = derived % kArcNearOffset;
      while (named.count(plain) != 0) plain = plain % kMaxNodeNumber + 1;
      const std::string derivedText = NodeNumberText(derived);
      for (int other = 1; other <= model.rowCount; ++other)
        if (model.row(other).node == derived) model.row(other).node = plain;
      RenameNodeReferences(model, derived, plain);
      notes.push_back("Row " + std::to_string(number) + ": bend intermediate node " + derivedText +
                      " is not a plain node number: " + std::to_string(plain) + " taken");
    }
  }
}

void ReadRows(OldCursor& in, int count, OldHeader& header, Model& model) {
  model.rowCount = 0;
  AddCommentRow(model, "Title = " + model.title);
  if (!header.secondTitle.empty()) AddCommentRow(model, header.secondTitle);
  const std::int32_t lastData = in.wide() ? 19 : 17;
  for (int i = 1; i <= count; ++i) {
    LayoutRow& row = model.row(++model.rowCount);
    row = LayoutRow();
    const std::int32_t node = in.wide() ? in.I32() : in.U16();
    const std::int32_t flags = in.Int();
    const std::int32_t elementCode = in.wide() ? in.I32() : static_cast<std::int8_t>(in.Byte());
    const std::int32_t dataCode = in.wide() ? in.I32() : static_cast<std::int8_t>(in.Byte());
    if (elementCode < 0 || elementCode > 17) throw Invalid("*** Invalid type %d in Element::allocate ***", elementCode);
    if (dataCode < 0 || dataCode > lastData) throw Invalid("*** Invalid type %d in allocate data ***", dataCode);
    row.node = OldNode(node);
    row.absolute = (flags & 1) != 0;
    row.elementType = static_cast<ElementType>(elementCode);
    row.dataType = static_cast<DataType>(dataCode);
    row.dx = in.Real();
    row.dy = in.Real();
    row.dz = in.Real();
    row.material = in.Text(4);
    row.section = in.Text(4);
    row.load = in.Text(4);
    in.Skip(in.wide() ? 16 : 8);
    if (row.elementType != ElementType::None) {
      row.element = CreateElementData(row.elementType);
      ReadElement(in, row.elementType, row.element.get());
    }
    if (row.dataType != DataType::None) {
      row.item = CreateDataItem(row.dataType);
      ReadItem(in, row.dataType, row.item.get(), model.rowCount, header.notes);
    }
    // An empty element clears the row whatever its data kind was.
    if (row.elementType == ElementType::None) ClearLayoutRow(row);
  }
  PlainIntermediateNodes(model, header.notes);
}

void ReadModelV4(OldCursor& in, int version, Model& model, std::vector<std::string>& notes) {
  OldHeader header;
  header.version = version;
  ReadHeaderV4(in, header, model);
  TakeHeaderDefaults(model, header);
  ReadLoadCases(in, model, header.notes);
  OldCounts counts{};
  for (std::size_t table = 0; table < kTableCount; ++table)
    counts[table] = table == kSoils && version <= 400 ? 0 : in.I32();
  in.Skip(4);
  GraphicsSettings& graphics = model.graphics;
  for (float& value : graphics.viewDirection) value = in.Real();
  for (float* value : {&graphics.viewLeft, &graphics.viewBottom, &graphics.viewRight, &graphics.viewTop})
    *value = in.Real();
  graphics.axesTriad = 1;
  in.Skip(4 + 156 + 18 * 4);
  std::array<std::size_t, kTableCount> least = kLeastRecordV4;
  if (version <= 400) least[kSections] = 84;
  CheckCounts(in, counts, least);
  ReadMaterials(in, counts[kMaterials], model);
  ReadSections(in, counts[kSections], version, model);
  ReadPipeLoads(in, counts[kPipeLoads], model);
  ReadBeamTables(in, counts, model);
  ReadEquipment(in, counts, model);
  ReadSpectraAndFunctions(in, counts, header, model);
  ReadSoils(in, counts[kSoils], model);
  ReadRows(in, counts[kRows], header, model);
  notes = header.notes;
}

// The direction spectra stored in the older layout's header.
struct DirectionSpectrum {
  float factor = 0.0f;
  ResponseSpectrum spectrum;
};

void ReadHeaderV3(OldCursor& in, OldHeader& header, Model& model, std::array<DirectionSpectrum, 3>& directions) {
  const int version = in.version();
  AnalysisOptions& options = model.options;
  model.title = FromOemText(in.Text(50, kModelTitleWidth, "Title"));
  header.secondTitle = FromOemText(in.Text(50));
  QualityAssuranceBlock& qa = model.qa;
  for (std::string* field : {&qa.client, &qa.project, &qa.fileNumber, &qa.reportNumber})
    *field = FromOemText(in.Text(42, 42, "Quality Assurance Block text"));
  qa.preparedBy = FromOemText(in.Text(26, 26, "Prepared by"));
  qa.checkedBy = FromOemText(in.Text(26, 26, "Checked by"));
  ReadUnits(in, model);
  const std::int32_t storedCode = in.Int();
  std::int32_t code = storedCode;
  if (version < 372 && code > 4) ++code;
  options.PipingCode = RecodePipingCode(code);
  options.ServiceLevel = in.Int();
  if (version < 371) options.ServiceLevel = 0;
  std::int32_t factor = 0;
  if (version >= 371) factor = version < 372 ? in.Int() + 1 : in.Int();
  ApplyCodeFactor(options, factor, header.notes);
  options.BourdonEffect = Flag(in.Int());
  options.LiberalAllowable = Flag(in.Int());
  options.PressureStressOption = Flag(in.Int());
  options.ZVertical = Flag(in.Int());
  options.UseColdModulus = Flag(in.Int());
  options.IncludeHangerStiffness = Flag(in.Int());
  if (version < 371) options.IncludeHangerStiffness = 1;
  options.FrictionInDynamics = Flag(in.Int());
  options.PeakPressureFactor = in.Real();
  if (version < 371) in.Skip(2);
  options.PressureCorrection = Flag(in.Int());
  options.IncludeAxialForce = version >= 372 ? Flag(in.Int()) : 0;
  options.ReferenceTemperature = in.Real();
  ApplyThermalCycles(options, in.Real(), header.notes);
  for (float& g : model.seismic.g) g = in.Real();
  model.seismic.combination = in.Int();
  if (version < 372 && model.seismic.combination == 0 && storedCode != 0) model.seismic.combination = 2;
  SetWindSpeedAsProfile(model.wind, WindSpeed(in.Real(), header.notes), WindSpeedUnits{});
  model.wind.loads[0].shapeFactor = ReadShapeFactor(in.Real());
  for (float& component : model.wind.loads[0].direction) component = in.Real();
  options.CutOffFrequency = in.Int();
  options.ModeCount = in.Int();
  options.IncludeMissingMass = version >= 372 ? Flag(in.Int()) : 0;
  for (DirectionSpectrum& direction : directions) direction.factor = in.Real();
  static const char* const kNames[] = {"X spectrum", "Y spectrum", "Z spectrum"};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (directions[axis].factor == 0.0f) continue;
    ResponseSpectrum& spectrum = directions[axis].spectrum;
    spectrum.name = kNames[axis];
    in.Skip(24);
    spectrum.logInterpolation1 = Flag(in.Byte());
    spectrum.logInterpolation2 = Flag(in.Byte());
    spectrum.periodAbscissa = Flag(in.Int());
    spectrum.ordinateUnit = in.Int();
    Check(spectrum.ordinateUnit >= kOrdinateInch && spectrum.ordinateUnit <= kOrdinateG);
    const std::int32_t count = in.Int();
    Check(count >= 0);
    in.Need(static_cast<std::size_t>(count) * 8);
    spectrum.points.resize(static_cast<std::size_t>(count));
    for (FloatPair& point : spectrum.points) point.x = NonZero(in.Real());
    for (FloatPair& point : spectrum.points) point.y = NonZero(in.Real());
    RefuseSpectrumDamage(spectrum);
  }
  model.spectrumLoad.modeSum = in.Int();
  model.spectrumLoad.directionSum = in.Int();
  GraphicsSettings& graphics = model.graphics;
  for (float& value : graphics.viewDirection) value = in.Real();
  for (float* value : {&graphics.viewLeft, &graphics.viewBottom, &graphics.viewRight, &graphics.viewTop})
    *value = in.Real();
  graphics.axesTriad = 1;
  in.Skip(2 + 74 + 36);
  options.ThermalLoadCount = in.Int();
  options.SolveThermalCase = 1;
  options.UseB31J = 0;
  options.YieldDisplacementFactor = 0.04f;
}

void ReadTablesV3(OldCursor& in, const OldCounts& counts, Model& model) {
  ReadMaterials(in, counts[kMaterials], model);
  ReadSections(in, counts[kSections], in.version(), model);
  ReadPipeLoads(in, counts[kPipeLoads], model);
  ReadBeamTables(in, counts, model);
  ReadEquipment(in, counts, model);
}

// The least bytes one record of each table takes in the older layout.
constexpr std::array<std::size_t, kTableCount> kLeastRecordV3 = {64, 50, 38, 46, 44, 22, 34, 34, 34, 0, 0, 0, 38};

void ReadModelV3(OldCursor& in, Model& model, std::vector<std::string>& notes) {
  OldHeader header;
  header.version = in.version();
  std::array<DirectionSpectrum, 3> directions;
  ReadHeaderV3(in, header, model, directions);
  TakeHeaderDefaults(model, header);
  ReadLoadCases(in, model, header.notes);
  OldCounts counts{};
  for (OldTable table : {kMaterials, kSections, kPipeLoads, kBeamMaterials, kBeamSections, kBeamLoads, kPumps,
                         kCompressors, kTurbines, kRows})
    counts[table] = in.Int();
  in.Skip(2);
  CheckCounts(in, counts, kLeastRecordV3);
  ReadTablesV3(in, counts, model);
  ReadRows(in, counts[kRows], header, model);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (directions[axis].factor == 0.0f) continue;
    SetLastSpectrum(model.spectra, directions[axis].spectrum);
    SetDirectionSpectrum(model.spectrumLoad, static_cast<int>(axis), directions[axis].spectrum.name,
                         directions[axis].factor);
  }
  if (!HasSpectra(model.spectra)) model.loadCases.selected[kCaseIdResponseSpectrum] = 0;
  notes = header.notes;
}

std::vector<unsigned char> FileBytes(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(platform::FileSystemPath(path), error);
  if (error || size > kLargestOldFile) throw Damaged{};
  std::ifstream stream(platform::FileSystemPath(path), std::ios::binary);
  if (!stream) throw Damaged{};
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(stream.gcount()) != bytes.size()) throw Damaged{};
  return bytes;
}

std::string UnreadableText(const std::string& path) { return "Unable to read model file:\n" + path; }

// The converted model's path and version, and the last backup's path.
struct ConvertedModel {
  std::string path;
  int version = 0;
  std::string backupPath;
};
ConvertedModel& Converted() {
  static ConvertedModel converted;
  return converted;
}

// Bellows of files before 3.72 held a lateral stiffness where the bending
// one now is: it becomes the bending stiffness over the element's length,
// and the lateral stiffness rigid.
void StiffenOldBellows(Model& model) {
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.elementType != ElementType::Bellows || !row.element) continue;
    auto& bellows = static_cast<Bellows&>(*row.element);
    float length = 0.0f;
    if (row.startNode > 0 && row.endNode > 0 && row.startNode <= model.nodes.count && row.endNode <= model.nodes.count) {
      const NodeRecord& a = model.nodes[row.startNode];
      const NodeRecord& b = model.nodes[row.endNode];
      length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z));
    }
    const double bending = static_cast<double>(length) * length * bellows.lateralStiffness / 12.0;
    bellows.bendingStiffness = static_cast<float>(std::min(std::fabs(bending), 1.0e30) * (bending < 0 ? -1 : 1));
    bellows.lateralStiffness = 1.0e12f;
  }
}

// A Location row puts its item at a node some row makes; at a node that no
// row makes it stands nowhere, and the Layout table and the batch file
// refuse it. Such a row is left empty, as a row of no element is, and the
// note says what it held.
bool EmptyUnplacedLocations(Model& model, std::vector<std::string>& notes) {
  bool emptied = false;
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.elementType != ElementType::Location || FindNodeIndex(model.nodes, row.node) != 0) continue;
    std::string note = "Row " + std::to_string(number) + ": Location";
    if (row.dataType != DataType::None) note += std::string(" with a ") + DataTypeName(static_cast<int>(row.dataType));
    note += row.node != 0 ? " at node " + std::string(NodeNumberText(row.node)) + ", a node no row makes"
                          : std::string(" without a node");
    notes.push_back(note + ": the row was left empty");
    ClearLayoutRow(row);
    emptied = true;
  }
  return emptied;
}

}  // namespace

int OldModelFileVersion(const std::string& path) {
  std::ifstream stream(platform::FileSystemPath(path), std::ios::binary);
  char header[16] = {};
  if (!stream.read(header, sizeof header)) return 0;
  if (std::memcmp(header, kOldMagic, sizeof kOldMagic) != 0) return 0;
  const auto version = static_cast<std::int16_t>(static_cast<unsigned char>(header[14]) |
                                                 (static_cast<unsigned char>(header[15]) << 8));
  return version;
}

void ConvertOldModelFile(const std::string& path, Model& model, std::vector<std::string>* notes) {
  std::vector<std::string> taken;
  try {
    OldCursor probe(FileBytes(path), true);
    probe.Need(16);
    if (probe.Text(14) != kOldMagic) throw Damaged{};
    const int version = probe.S16();
    if (version < 370) {
      char text[80];
      std::snprintf(text, sizeof text, "Unable to read Quorvel V %.2f mod file", version / 100.0);
      throw std::string(text);
    }
    probe.SetLayout(version);
    InitEmptyModel(model, ProgramAnalysisOptions());
    if (version < 400)
      ReadModelV3(probe, model, taken);
    else
      ReadModelV4(probe, version, model, taken);
    // What the code forces, as the model reader forces it on every file:
    // a file before 3.72 has no "Include axial force", and a converted
    // model must be the one its new file reads back.
    ApplyCodeForcedOptions(model.options);
    taken.insert(taken.end(), probe.cuts().begin(), probe.cuts().end());
  } catch (const Damaged&) {
    throw UnreadableText(path);
  } catch (const Refused& refused) {
    throw UnreadableText(path) + "\n" + refused.detail;
  }
  model.path = path;
  MakeModel(model);
  if (model.unmadeReason.empty() && EmptyUnplacedLocations(model, taken)) MakeModel(model);
  if (!model.unmadeReason.empty()) throw UnreadableText(path) + "\n" + model.unmadeReason;
  if (OldModelFileVersion(path) < 372) StiffenOldBellows(model);
  FitViewToModel(model.graphics);
  model.modified = false;
  if (notes != nullptr) notes->insert(notes->end(), taken.begin(), taken.end());
}

bool AskConvertOldModel(HWND owner, const std::string& path, int version) {
  char old[32];
  if (version == 400)
    std::snprintf(old, sizeof old, "4.0");
  else if (version == 500)
    std::snprintf(old, sizeof old, "5.0");
  else
    std::snprintf(old, sizeof old, "%.3G", version / 100.0);
  std::vector<char> text(path.size() + 160);
  std::snprintf(text.data(), text.size(), "%s\n Model data is in Version %s format.\nDo you want to convert to %.3G format ?",
                path.c_str(), old, kCurrentFormatVersion);
  return MessageBoxDialog(owner, text.data(), 6);  // Yes by default
}

std::string OldModelBackupPath(const std::string& path, int version) {
  std::filesystem::path backup(path);
  backup.replace_extension(std::to_string(version));
  return backup.string();
}

bool BackupOldModelFile(const std::string& path, int version) {
  const std::string backup = OldModelBackupPath(path, version);
  std::error_code error;
  std::filesystem::copy_file(platform::FileSystemPath(path), platform::FileSystemPath(backup),
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) return false;
  Converted().backupPath = backup;
  return true;
}

void ReportModelConversion(HWND owner) {
  const std::string& backup = Converted().backupPath;
  std::vector<char> text(backup.size() + 120);
  std::snprintf(text.data(), text.size(), "Model was converted to Version %.3G format.\nOriginal model was saved as:\n%s",
                kCurrentFormatVersion, backup.c_str());
  ShowInfoMessage(owner, text.data());
}

void RememberConvertedModel(const std::string& path, int version) {
  Converted().path = path;
  Converted().version = version;
}

void ForgetConvertedModel() {
  Converted().path.clear();
  Converted().version = 0;
}

int ConvertedModelVersion(const std::string& path) {
  return !path.empty() && path == Converted().path ? Converted().version : 0;
}
