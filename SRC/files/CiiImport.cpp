// Reading a CAESAR II neutral file (see CiiImport.h): the sections in their
// order with every count checked before it sizes anything, then the
// conversion into layout rows, property records and data items.
#include "files/CiiImport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <numbers>
#include <queue>
#include <set>
#include <sstream>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "elements/ElasticElement.h"
#include "elements/HydrotestLoad.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/BatchImport.h"
#include "files/NeutralImport.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "model/MakeModel.h"
#include "model/RowRules.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "records/AnalysisOptions.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/RecordTable.h"
#include "services/General.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/LoadCaseTypes.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/HangerCatalogue.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/NozzleDialog.h"
#include "supports/NozzleStiffness.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr double kLowestVersion = 4.5;
constexpr double kHighestVersion = 10.0;
constexpr std::size_t kMaterialDescriptionWidth = 31;  // characters the model file keeps
constexpr std::size_t kTitleWidth = 49;                // likewise
constexpr float kRigid = 1.0e12f;
constexpr float kNoLimit = 1.0e30f;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

using Reals = std::vector<double>;

struct CiiElement {
  Reals lines[6];  // element lines 1 to 6
  int bend = 0, rigid = 0, joint = 0, reducer = 0;
  int line = 0;  // where the record starts
  // The line of element line k (0 to 5): a value is named by its own line.
  int LineOf(std::size_t k) const { return line + static_cast<int>(k); }
};

struct CiiTee {
  Reals values;  // 1-based: [1] node, [2] tee type
  int line = 0;
};

struct CiiFile {
  double version = 0.0;
  std::string title;
  int elements = 0, nozzles = 0, hangers = 0, nodeNames = 0, reducers = 0, flanges = 0;
  int bends = 0, rigids = 0, joints = 0, restraints = 0, displacements = 0, forces = 0;
  int uniforms = 0, winds = 0, offsets = 0, allowables = 0, sifs = 0, vertical = 0, equipment = 0;
  std::vector<CiiElement> element;
  std::vector<Reals> bend, bendLine2, rigid, joint, reducer;
  std::vector<int> bendLines, jointLines, reducerLines;  // the line of each record's values
  struct Restraint {
    Reals values, cosines;
    int line = 0;
  };
  std::vector<Restraint> restraint;
  struct NodeVectors {
    int node = 0;
    Reals vectors[3];
    int line = 0;
  };
  std::vector<NodeVectors> displacement, force;
  std::vector<CiiTee> tee;
  Reals materialNumbers;
  std::vector<int> materialLines;  // the line of each material number
  struct NozzleRecord {
    Reals values;  // 1-based: [1] node
    int line = 0;
  };
  std::vector<NozzleRecord> nozzle;
  std::vector<int> hangerNodes, hangerCounts, hangerTables;
  std::vector<int> hangerLines;  // the line of each hanger's node
  double ambient = 0.0;
  int ambientLine = 0;
  bool bourdon = false, liberal = false, pressureCorrection = false;
  Reals factors = Reals(23, 0.0);  // 1-based
  std::map<int, std::array<double, 3>> coords;
  struct Skip {
    std::string section;
    int count;
    int line;
  };
  std::vector<Skip> skipped;
};

struct CiiReader {
  std::vector<std::string> raw;
  std::size_t next = 0;  // lines read
  std::vector<std::string>* log = nullptr;

  int LineNumber() const { return static_cast<int>(next); }
  [[noreturn]] void Fail(const std::string& message) const {
    if (next == 0) throw message;
    throw "line = " + std::to_string(next) + "\n" + raw[next - 1] + "\n" + message;
  }
  // A fault of a value read earlier, named by the line that holds it.
  [[noreturn]] void FailAt(int line, const std::string& message) {
    next = static_cast<std::size_t>(line);
    Fail(message);
  }
  std::string Line() {
    if (next >= raw.size()) Fail("End of file reached");
    std::string line = raw[next++];
    for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return line;
  }
  void Skip(std::size_t lines) {
    for (std::size_t i = 0; i < lines; ++i) Line();
  }
  std::size_t LinesLeft() const { return raw.size() - next; }
  void Log(const std::string& text) { log->push_back("Line " + std::to_string(next) + ": " + text); }
  // Up to `count` numbers of the next line; a line holding fewer is logged
  // (the missing values stay 0), a value that is no number or not finite is
  // refused.
  Reals Numbers(std::size_t count) {
    const std::string line = Line();
    Reals values(count, 0.0);
    const char* text = line.c_str();
    std::size_t found = 0;
    while (found < count) {
      while (*text == ' ' || *text == '\t') ++text;
      if (*text == '\0') break;
      const char* end = text;
      while (*end != '\0' && *end != ' ' && *end != '\t') ++end;
      // A value is spelled as a cell takes it (no hex, no INF or NAN), and
      // one that no float holds no cell could give; whether the value the
      // conversion stores keeps the rule is asked where it is stored.
      double value = 0.0;
      if (ParseRealText(std::string_view(text, static_cast<std::size_t>(end - text)), value) != 0 ||
          !(std::fabs(value) < static_cast<double>(FLT_MAX)))
        Fail("Invalid number");
      values[found++] = value;
      text = end;
    }
    if (found < count)
      Log("the line holds " + std::to_string(found) + " of its " + std::to_string(count) + " values: the others are 0");
    return values;
  }
  int Integer(double value) const {
    if (value < -2147483648.0 || value > 2147483647.0) Fail("Invalid number");
    return static_cast<int>(value);
  }
  void Header(const std::string& header, std::size_t width = 0) {
    const std::string line = Line();
    const std::size_t length = width != 0 ? width : header.size();
    if (line.compare(0, length, header, 0, length) != 0) Fail(header + " not found");
  }
  // A count that sizes a section: not negative, and not more records than
  // the lines left could hold.
  int Count(double value, std::size_t linesPerRecord, const char* what) {
    const int count = Integer(value);
    if (count < 0) Fail(std::string("Invalid number of ") + what);
    // Every record takes at least one line: a count beyond the lines left
    // cannot be right, and would size a table by a number the file never
    // backs. A file cut inside a section ends there with "End of file
    // reached" instead.
    (void)linesPerRecord;
    if (static_cast<std::size_t>(count) > LinesLeft())
      Fail(std::string("The number of ") + what + " goes beyond the end of the file");
    return count;
  }
};

std::string Plain(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

std::size_t SixesOf(int count) { return static_cast<std::size_t>((count + 5) / 6); }

void ReadVersion(CiiReader& reader, CiiFile& file) {
  reader.Header("#$ VERSION");
  file.version = reader.Numbers(2)[1];
  if (file.version < kLowestVersion) reader.Fail("Cannot Import CAESAR II Neutral file version < 4.5");
  if (file.version > kHighestVersion) reader.Fail("Cannot Import CAESAR II Neutral file with Rversion > 10.0");
  // The title starts in column 13; the blanks round it are no part of it.
  const std::string line = reader.Line();
  file.title = line.size() > 12 ? line.substr(12) : std::string();
  TrimBlanks(file.title);
  if (file.title.size() > kTitleWidth) {
    reader.Log("the title is cut to " + std::to_string(kTitleWidth) + " characters");
    file.title = CutImportedText(file.title, kTitleWidth);
    TrimBlanks(file.title);
  }
  reader.Skip(59);
}

void ReadControl(CiiReader& reader, CiiFile& file) {
  reader.Header("#$ CONTROL");
  const double v = file.version;
  const Reals a = reader.Numbers(v > 5.0 ? 6 : 5);
  const Reals b = reader.Numbers(6);
  const Reals c = reader.Numbers(6);
  const Reals e = v > 5.2 ? reader.Numbers(1) : Reals(1, 0.0);
  const std::size_t elementLines = 9 + (v > 5.0 ? 2 : 0) + (v > 5.2 ? 1 : 0) + (v > 8.0 ? 1 : 0);
  file.elements = reader.Count(a[0], elementLines, "elements");
  file.nozzles = reader.Count(a[1], 3, "nozzles");
  file.hangers = reader.Count(a[2], 1, "hangers");
  file.nodeNames = reader.Count(a[3], 1, "node names");
  file.reducers = reader.Count(a[4], 1, "reducers");
  file.flanges = v > 5.0 ? reader.Count(a[5], 12, "flanges") : 0;
  file.bends = reader.Count(b[0], 2, "bends");
  file.rigids = reader.Count(b[1], 1, "rigids");
  file.joints = reader.Count(b[2], 1, "expansion joints");
  file.restraints = reader.Count(b[3], v > 8.0 ? 24 : 8, "restraint records");
  file.displacements = reader.Count(b[4], 20, "displacement records");
  file.forces = reader.Count(b[5], 22, "force records");
  file.uniforms = reader.Count(c[0], 2, "uniform-load records");
  file.winds = reader.Count(c[1], 1, "wind records");
  file.offsets = reader.Count(c[2], 1, "offset records");
  file.allowables = reader.Count(c[3], file.version > 5.3 ? 26 : 18, "allowable records");
  file.sifs = reader.Count(c[4], 10, "SIF and tee records");
  file.vertical = reader.Integer(c[5]);
  file.equipment = v > 5.2 ? reader.Count(e[0], 6, "equipment records") : 0;
}

void ReadElements(CiiReader& reader, CiiFile& file) {
  reader.Header("#$ ELEMENTS");
  const double v = file.version;
  file.element.resize(static_cast<std::size_t>(file.elements));
  for (CiiElement& element : file.element) {
    element.line = reader.LineNumber() + 1;
    for (Reals& line : element.lines) line = reader.Numbers(6);
    if (v > 5.0) {
      reader.Numbers(6);
      reader.Numbers(v >= 5.3 ? 6 : 4);
    }
    if (v > 5.2) reader.Numbers(5);
    if (v > 8.0) reader.Skip(1);
    const Reals indexes = reader.Numbers(6);
    element.bend = reader.Integer(indexes[0]);
    element.rigid = reader.Integer(indexes[1]);
    element.joint = reader.Integer(indexes[2]);
    reader.Numbers(6);
    element.reducer = reader.Integer(reader.Numbers(v > 5.2 ? 3 : v > 5.0 ? 2 : 1)[0]);
    // The nodes' own line is named, not the last line of the record.
    const std::size_t last = reader.next;
    reader.next = static_cast<std::size_t>(element.line);
    if (element.lines[0][0] > 99999.0) reader.Fail("From Node number cannot be > 99999");
    if (element.lines[0][1] > 99999.0) reader.Fail("To Node number cannot be > 99999");
    if (element.lines[0][0] < 0.0 || element.lines[0][1] < 0.0) reader.Fail("Node numbers cannot be negative");
    reader.next = last;
  }
}

void NoteSkipped(CiiReader& reader, CiiFile& file, const std::string& section, int count) {
  if (count > 0) file.skipped.push_back({section, count, reader.LineNumber()});
}

void ReadAuxiliary(CiiReader& reader, CiiFile& file) {
  const double v = file.version;
  reader.Header("#$ AUX_DATA");
  if (file.nodeNames != 0) {
    reader.Header("#$ NODENAME");
    NoteSkipped(reader, file, "NODENAME", file.nodeNames);
    reader.Skip(static_cast<std::size_t>(file.nodeNames));
  }
  reader.Header("#$ BEND");
  for (int i = 0; i < file.bends; ++i) {
    file.bendLines.push_back(reader.LineNumber() + 1);
    file.bend.push_back(reader.Numbers(6));
    file.bendLine2.push_back(reader.Numbers(5));
    if (v >= 5.3) reader.Numbers(1);
  }
  reader.Header("#$ RIGID");
  for (int i = 0; i < file.rigids; ++i) file.rigid.push_back(reader.Numbers(1));
  reader.Header("#$ EXPJT");
  for (int i = 0; i < file.joints; ++i) {
    file.jointLines.push_back(reader.LineNumber() + 1);
    file.joint.push_back(reader.Numbers(5));
  }
  reader.Header("#$ RESTRANT");
  const int perRecord = v > 8.0 ? 6 : 4;
  for (int i = 0; i < file.restraints * perRecord; ++i) {
    CiiFile::Restraint restraint;
    restraint.line = reader.LineNumber() + 1;
    restraint.values = reader.Numbers(6);
    restraint.cosines = reader.Numbers(3);
    if (v > 8.0) reader.Skip(2);
    file.restraint.push_back(restraint);
  }
  reader.Header("#$ DISPLMNT");
  for (int i = 0; i < file.displacements * 2; ++i) {
    CiiFile::NodeVectors half;
    half.line = reader.LineNumber() + 1;
    half.node = reader.Integer(reader.Numbers(1)[0]);
    for (Reals& vector : half.vectors) vector = reader.Numbers(6);
    reader.Skip(6);
    file.displacement.push_back(half);
  }
  reader.Header("#$ FORCMNT");
  for (int i = 0; i < file.forces * 2; ++i) {
    CiiFile::NodeVectors half;
    half.line = reader.LineNumber() + 1;
    half.node = reader.Integer(reader.Numbers(1)[0]);
    half.vectors[0] = reader.Numbers(6);
    reader.Numbers(6);
    reader.Numbers(6);
    const Reals third = reader.Numbers(6);
    if (half.vectors[0][5] == 0.0) half.vectors[0] = third;
    reader.Skip(6);
    file.force.push_back(half);
  }
  reader.Header("#$ UNIFORM");
  NoteSkipped(reader, file, "UNIFORM", file.uniforms);
  for (int i = 0; i < file.uniforms; ++i) {
    reader.Numbers(6);
    reader.Numbers(v >= 5.3 ? 6 : 3);
  }
  reader.Header("#$ WIND");
  NoteSkipped(reader, file, "WIND", file.winds);
  for (int i = 0; i < file.winds; ++i) reader.Numbers(v >= 5.3 ? 6 : 5);
  reader.Header("#$ OFFSETS");
  NoteSkipped(reader, file, "OFFSETS", file.offsets);
  for (int i = 0; i < file.offsets; ++i) reader.Numbers(6);
  reader.Header("#$ ALLOWBLS");
  NoteSkipped(reader, file, "ALLOWBLS", file.allowables);
  reader.Skip(static_cast<std::size_t>(file.allowables) * (v > 5.3 ? 26 : 18));
  reader.Header("#$ SIF&TEES");
  for (int i = 0; i < file.sifs * 2; ++i) {
    CiiTee tee;
    tee.line = reader.LineNumber() + 1;
    tee.values.push_back(0.0);
    for (int line = 0; line < 5; ++line) {
      const Reals values = reader.Numbers(line == 0 ? 2 : 6);
      tee.values.insert(tee.values.end(), values.begin(), values.end());
    }
    file.tee.push_back(tee);
  }
  reader.Header("#$ REDUCERS");
  for (int i = 0; i < file.reducers; ++i) {
    file.reducerLines.push_back(reader.LineNumber() + 1);
    file.reducer.push_back(reader.Numbers(5));
  }
  if (v > 5.0) {
    reader.Header("#$ FLANGES");
    NoteSkipped(reader, file, "FLANGES", file.flanges);
    reader.Skip(static_cast<std::size_t>(file.flanges) * 12);
  }
  if (v > 5.2) {
    reader.Header("#$ EQUIPMNT", 10);
    NoteSkipped(reader, file, "EQUIPMNT", file.equipment);
    reader.Skip(static_cast<std::size_t>(file.equipment) * 6);
  }
}

std::vector<int> ReadIntegerList(CiiReader& reader, int count, std::vector<int>* lines = nullptr) {
  std::vector<int> list;
  // Six to a line; the last line holds the rest.
  for (std::size_t line = 0; line < SixesOf(count); ++line)
    for (double value : reader.Numbers(std::min<std::size_t>(6, static_cast<std::size_t>(count) - list.size()))) {
      list.push_back(reader.Integer(value));
      if (lines != nullptr) lines->push_back(reader.LineNumber());
    }
  return list;
}

void ReadMiscellaneous(CiiReader& reader, CiiFile& file) {
  const double v = file.version;
  reader.Header("#$ MISCEL_1");
  if (SixesOf(file.elements) > reader.LinesLeft()) reader.Fail("End of file reached");
  const auto elements = static_cast<std::size_t>(file.elements);
  for (std::size_t line = 0; line < SixesOf(file.elements); ++line)
    for (double value : reader.Numbers(std::min<std::size_t>(6, elements - file.materialNumbers.size()))) {
      file.materialNumbers.push_back(value);
      file.materialLines.push_back(reader.LineNumber());
    }
  for (int i = 0; i < file.nozzles; ++i) {
    CiiFile::NozzleRecord nozzle;
    nozzle.line = reader.LineNumber() + 1;
    nozzle.values.push_back(0.0);
    for (std::size_t count : v > 8.0 ? std::vector<std::size_t>{6, 6, 6, 4} : std::vector<std::size_t>{6, 6, 4}) {
      const Reals values = reader.Numbers(count);
      nozzle.values.insert(nozzle.values.end(), values.begin(), values.end());
    }
    reader.Integer(nozzle.values[1]);
    file.nozzle.push_back(std::move(nozzle));
  }
  if (file.hangers != 0) {
    reader.Skip(2);
    file.hangerNodes = ReadIntegerList(reader, file.hangers, &file.hangerLines);
    reader.Skip(static_cast<std::size_t>(file.hangers) * (v > 8.0 ? 4 : 2));
    reader.Skip(static_cast<std::size_t>(file.hangers));
    file.hangerCounts = ReadIntegerList(reader, file.hangers);
    file.hangerTables = ReadIntegerList(reader, file.hangers);
    reader.Skip(2 * SixesOf(file.hangers));
  }
  const Reals options = reader.Numbers(6);
  file.bourdon = options[2] != 0.0;
  file.liberal = options[5] != 0.0;
  const Reals more = reader.Numbers(3);
  file.pressureCorrection = more[1] != 0.0;
  file.ambient = more[2];
  file.ambientLine = reader.LineNumber();
  reader.Skip(v > 8.0 ? 2 : 1);
}

void ReadUnits(CiiReader& reader, CiiFile& file) {
  reader.Header("#$ UNITS");
  // Every value is divided by its factor: a factor of 0 is refused on its
  // own line.
  constexpr bool kUsed[23] = {false, true, true, true, true, false, true, true, false, true, true, true, true,
                              true,  true, true, false, false, false, false, false, true, true};
  std::size_t index = 1;
  for (std::size_t count : {6u, 6u, 6u, 4u})
    for (double value : reader.Numbers(count)) {
      if (kUsed[index] && value == 0.0) reader.Fail("UNITS factor " + std::to_string(index) + " is 0");
      file.factors[index++] = value;
    }
  reader.Skip(24);
  reader.Header("#$ COORDS");
  const int count = reader.Count(reader.Numbers(1)[0], 1, "coordinate records");
  for (int i = 0; i < count; ++i) {
    const Reals values = reader.Numbers(4);
    const int node = reader.Integer(values[0]);
    if (node < 0 || node > 99999) reader.Fail("Invalid node number");
    file.coords[node] = {values[1], values[2], values[3]};
  }
}

// --- Conversion ---------------------------------------------------------------

struct Converter {
  Model& model;
  CiiFile& file;
  CiiReader& reader;
  std::map<int, std::array<double, 3>> position;  // node -> inch
  std::array<double, 3> current{};
  std::map<int, std::vector<std::pair<int, std::array<double, 3>>>> links;  // node -> (node, offset)
  std::vector<int> halfAngleRows;         // bends whose point on the arc is half way round
  std::vector<int> rowLines;              // row -> the line of the record it came from (0: the title row)
  std::map<int, int> bendPoints;          // a point on a bend's arc -> the bend's node
  std::vector<float> hydrotestPressures;

  double F(std::size_t index) const { return file.factors[index]; }
  // A value as the model stores it (internal units), held to the rule a
  // cell holds its stored value to (NumberText.h): what a cell refuses, the
  // file may not bring in. Refused naming the field and the `line` that
  // holds it, as a value that is no number is.
  float Stored(double value, const char* field, int line) const {
    if (!StoredValueAcceptable(value))
      reader.FailAt(line,
                    std::string(field) + " " + CFormat("%g", value) + " is out of range (" + kStoredValueRange + ")");
    return static_cast<float>(value);
  }
  // `record`'s field of `rule` (records/FieldRules.h), written as `written`
  // on `line`: refused with the rule's own message where it has one, else
  // "<label> <written> is invalid", as a cell refuses it.
  template <typename Record>
  void Ruled(const Record& record, const FieldRule<Record>& rule, const char* label, double written, int line) const {
    if (const FieldRefusal refusal = rule.judge(rule.value(record), record))
      reader.FailAt(line, refusal.show == RefusalShow::kMessage ? std::string(refusal.why)
                                                                : label + (" " + Plain(written) + " is invalid"));
  }
  float Length(double value, int line) const { return Stored(value / F(1), "Length", line); }
  float Diameter(double value, int line) const { return Stored(value / F(21), "Outside diameter", line); }
  float Wall(double value, int line) const { return Stored(value / F(22), "Wall thickness", line); }
  // Degrees C (factor 5/9) to F; a factor of 1 is a file in degrees F,
  // which takes no offset.
  float Temperature(double value, int line) const {
    if (std::fabs(F(7) - 1.0) <= 0.0001) return Stored(value, "Temperature", line);
    return Stored(value / F(7) + 32.0, "Temperature", line);
  }
  // A load's temperature keeps the loads' rule as a cell does: none below
  // absolute zero.
  float LoadTemperature(double value, int line) const {
    const float stored = Temperature(value, line);
    if (LoadTemperatureRefusal(stored)) reader.FailAt(line, "Temperature " + Plain(value) + " is below absolute zero");
    return stored;
  }
  float Pressure(double value, int line) const { return Stored(value / F(9), "Pressure", line); }
  float Stiffness(double value, int line) const { return Stored(value / F(14), "Stiffness", line); }
  float RotStiffness(double value, int line) const {
    return Stored(value / F(15) * kDegreesPerRadian, "Rot stiffness", line);
  }

  int LineOfRow(int number) const {
    const auto at = static_cast<std::size_t>(number);
    return at < rowLines.size() ? rowLines[at] : 0;
  }

  void Log(int line, const std::string& text) { reader.log->push_back("Line " + std::to_string(line) + ": " + text); }

  LayoutRow& AppendRow(NodeId node, ElementType element, int line) {
    if (model.rowCount >= kMaxLayoutRows) {
      reader.next = static_cast<std::size_t>(line);
      reader.Fail("Maximum number of elements exceeded");
    }
    LayoutRow& row = model.row(++model.rowCount);
    row.node = node;
    row.elementType = element;
    row.element = CreateElementData(element);
    rowLines.resize(static_cast<std::size_t>(model.rowCount) + 1);
    rowLines[static_cast<std::size_t>(model.rowCount)] = line;
    return row;
  }
  void InsertRow(int after, NodeId node, DataType item, int line) {
    if (model.rowCount >= kMaxLayoutRows) {
      reader.next = static_cast<std::size_t>(line);
      reader.Fail("Maximum number of elements exceeded");
    }
    for (int number = model.rowCount; number > after; --number) model.row(number + 1) = std::move(model.row(number));
    ++model.rowCount;
    rowLines.resize(static_cast<std::size_t>(model.rowCount));
    rowLines.insert(rowLines.begin() + after + 1, line);
    LayoutRow& row = model.row(after + 1);
    row = LayoutRow();
    row.node = node;
    row.elementType = ElementType::Location;
    row.element = CreateElementData(ElementType::Location);
    row.dataType = item;
    row.item = CreateDataItem(item);
  }
  int RowOfNode(int node) const {
    if (node <= 0) return 0;
    int base = node;
    if (base > 200000) base -= 200000;
    else if (base > 100000) base -= 100000;
    for (int number = 1; number <= model.rowCount; ++number) {
      const LayoutRow& row = model.row(number);
      if (row.elementType == ElementType::Location || row.elementType == ElementType::Comment) continue;
      if (row.node == node) return number;
      if (const auto* bend = dynamic_cast<const Bend*>(row.element.get()))
        if (bend->intermediateNode1 == base || bend->intermediateNode2 == base) return number;
    }
    return 0;
  }
  // The item of a support: on its row when that row has none and ends at
  // the item's node (a point on a bend's arc does not), else on a Location
  // row after it. Restraints share their element's row too: rows are
  // limited, and a model of 7000 elements would not hold a row per
  // restraint.
  DataItem& PlaceItem(int number, NodeId node, DataType item, int line) {
    LayoutRow& row = model.row(number);
    if (row.dataType == DataType::None && row.elementType != ElementType::From && row.node == node) {
      row.dataType = item;
      row.item = CreateDataItem(item);
      return *row.item;
    }
    InsertRow(number, node, item, line);
    return *model.row(number + 1).item;
  }

  std::string LoadName(const CiiElement& e) {
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    // T1 to T3 close element line 2 and T4 to T9 fill line 3; P1 to P6
    // fill line 4 and P7 to P9 open line 5.
    for (std::size_t i = 0; i < 9; ++i) {
      const std::size_t tLine = i < 3 ? 1 : 2, tAt = i < 3 ? i + 3 : i - 3;
      const std::size_t pLine = i < 6 ? 3 : 4, pAt = i < 6 ? i : i - 6;
      const double t = e.lines[tLine][tAt], p = e.lines[pLine][pAt];
      load.operating[i].temperature = t == 0.0 ? 70.0f : LoadTemperature(t, e.LineOf(tLine));
      load.operating[i].pressure = p == 0.0 ? 0.0f : Pressure(p, e.LineOf(pLine));
    }
    load.operating[9] = {70.0f, 0.0f};
    load.specificGravity = Stored(e.lines[5][1] / F(13) * 27.62430939226519, "Specific gravity", e.LineOf(5));
    load.additionalWeight = 0.0f;
    load.wind = 1;
    for (int index = 1; index <= model.pipeLoads.count; ++index) {
      const PipeLoad& other = model.pipeLoads[index];
      bool same = std::fabs(other.specificGravity - load.specificGravity) <= 0.001f;
      for (std::size_t i = 0; i < 9 && same; ++i)
        same = std::fabs(other.operating[i].temperature - load.operating[i].temperature) <= 0.001f &&
               std::fabs(other.operating[i].pressure - load.operating[i].pressure) <= 0.001f;
      if (same) return other.name;
    }
    load.name = std::to_string(model.pipeLoads.count + 1);
    AppendPipeLoad(model.pipeLoads, load);
    return load.name;
  }

  std::string SectionName(const CiiElement& e) {
    PipeSection section;
    InitSection(section);
    section.outsideDiameter = Diameter(e.lines[0][5], e.LineOf(0));
    section.thickness = Wall(e.lines[1][0], e.LineOf(1));
    section.insulationDensity = Stored(e.lines[5][0] / F(12), "Insulation density", e.LineOf(5));
    section.millTolerance = e.lines[5][3] == 0.0 ? 12.5f : Stored(e.lines[5][3], "Mill tolerance", e.LineOf(5));
    // The section cells' rules: a section no cell would keep would reach the
    // analysis as a pipe of no wall, or one whose bore is negative.
    Ruled(section, kSectionRules[kSectionDiameterRule], "Outside diameter", e.lines[0][5], e.LineOf(0));
    Ruled(section, kSectionRules[kSectionWallRule], "Wall thickness", e.lines[1][0], e.LineOf(1));
    Ruled(section, kSectionRules[kSectionMillRule], "Mill tolerance", e.lines[5][3], e.LineOf(5));
    Ruled(section, kSectionRules[kSectionInsulationDensityRule], "Insulation density", e.lines[5][0], e.LineOf(5));
    for (int index = 1; index <= model.sections.count; ++index) {
      const PipeSection& other = model.sections[index];
      if (std::fabs(other.outsideDiameter - section.outsideDiameter) <= 0.001f &&
          std::fabs(other.thickness - section.thickness) <= 0.0001f &&
          std::fabs(other.insulationDensity - section.insulationDensity) <= 0.001f)
        return other.name;
    }
    section.name = std::to_string(model.sections.count + 1);
    section.nominalSize = "Non Std";
    section.schedule = " ";
    AppendSection(model.sections, section);
    return section.name;
  }

  std::string MaterialName(const CiiElement& e, std::size_t index) {
    const double number = index < file.materialNumbers.size() ? file.materialNumbers[index] : 0.0;
    if (number == 0.0) return {};
    const std::string text = CFormat("%f", number);
    // The number's text becomes the material's description, of which the
    // model file keeps 31 characters: a longer one (more than 24 digits
    // before the point) is no material number.
    if (text.size() > kMaterialDescriptionWidth) {
      reader.FailAt(file.materialLines[index], "Material number " + CFormat("%g", number) + " is longer than the " +
                  std::to_string(kMaterialDescriptionWidth) + " characters of a material description");
    }
    const float density = Stored(e.lines[4][5] / F(11), "Density", e.LineOf(4));
    for (int i = 1; i <= model.materials.count; ++i) {
      const Material& other = model.materials[i];
      if (other.description == text && std::fabs(other.density - density) <= 0.001f) return other.name;
    }
    Material material;
    material.name = std::to_string(model.materials.count + 1);
    material.description = text;
    material.nu = Stored(e.lines[4][4], "Poisson's ratio", e.LineOf(4));
    material.density = density;
    material.jointFactor = 1.0f;
    material.circJointFactor = 1.0f;
    Ruled(material, kMaterialRules[kMaterialNuRule], "Poisson's ratio", e.lines[4][4], e.LineOf(4));
    Ruled(material, kMaterialRules[kMaterialDensityRule], "Density", e.lines[4][5], e.LineOf(4));
    material.temps.resize(3);
    material.temps[1].values[kMatTemperature] = 70.0f;
    material.temps[1].values[kMatModulus] = 3.0e7f;
    material.temps[1].values[kMatAlpha] = 6.0e-6f;
    material.temps[1].values[kMatAllowable] = 20000.0f;
    material.temps[2].values[kMatTemperature] = 1200.0f;
    material.temps[2].values[kMatModulus] = 2.0e7f;
    material.temps[2].values[kMatAlpha] = 8.0e-6f;
    material.temps[2].values[kMatAllowable] = 1000.0f;
    material.numtemps = 2;
    AppendMaterial(model.materials, material);
    Log(e.line, "material " + material.name + " (" + text +
                    ") takes a placeholder temperature table (70 F: E 3.0e7 psi, 6.0e-6 in/in/F, 20000 psi; "
                    "1200 F: 2.0e7 psi, 8.0e-6 in/in/F, 1000 psi): enter its own");
    return material.name;
  }

  template <typename Record>
  const Reals* Aux(const std::vector<Record>& table, int index, const char* what, int line) {
    if (index == 0) return nullptr;
    if (index < 0 || index > static_cast<int>(table.size()))
      reader.FailAt(line, std::string("The ") + what + " index is outside its section");
    return &table[static_cast<std::size_t>(index - 1)];
  }

  // The place of a node no row has reached yet, through the chain of the
  // file's elements (either way along each) to a node that is placed or has
  // coordinates: an element given before the one it starts from, or a run
  // written backwards, then lands where it belongs.
  bool Chained(int node, std::array<double, 3>& place) {
    if (links.empty()) {
      for (const CiiElement& e : file.element) {
        const int a = static_cast<int>(e.lines[0][0]), b = static_cast<int>(e.lines[0][1]);
        if (a == 0 || b == 0 || a == b) continue;
        const std::array<double, 3> d{Length(e.lines[0][2], e.line), Length(e.lines[0][3], e.line),
                                      Length(e.lines[0][4], e.line)};
        links[a].push_back({b, d});
        links[b].push_back({a, {-d[0], -d[1], -d[2]}});
      }
    }
    std::map<int, std::array<double, 3>> offset;  // node -> its place minus the place of `node`
    std::queue<int> waiting;
    offset[node] = {0.0, 0.0, 0.0};
    waiting.push(node);
    while (!waiting.empty()) {
      const int at = waiting.front();
      waiting.pop();
      std::array<double, 3> known{};
      bool placed = false;
      if (at != node) {
        if (const auto p = position.find(at); p != position.end()) {
          known = p->second;
          placed = true;
        } else if (const auto c = file.coords.find(at); c != file.coords.end()) {
          for (std::size_t i = 0; i < 3; ++i) known[i] = c->second[i] / F(1);
          placed = true;
        }
      }
      if (placed) {
        for (std::size_t i = 0; i < 3; ++i) place[i] = known[i] - offset[at][i];
        return true;
      }
      for (const auto& [next, d] : links[at]) {
        if (offset.count(next) != 0) continue;
        offset[next] = {offset[at][0] + d[0], offset[at][1] + d[1], offset[at][2] + d[2]};
        waiting.push(next);
      }
    }
    return false;
  }

  // The node of the last row of the run (hydrotest rows have none).
  NodeId LastRunNode() const {
    for (int number = model.rowCount; number >= 1; --number) {
      const LayoutRow& row = model.row(number);
      if (row.elementType != ElementType::HydrotestLoad && row.elementType != ElementType::Comment) return row.node;
    }
    return 0;
  }

  void AddHydrotest(const CiiElement& e) {
    const float pressure = Pressure(e.lines[5][5], e.LineOf(5));
    for (const float other : hydrotestPressures)
      if (std::fabs(other - pressure) <= 0.001f) return;
    hydrotestPressures.push_back(pressure);
    LayoutRow& row = AppendRow(0, ElementType::HydrotestLoad, e.line);
    auto& load = static_cast<HydrotestLoad&>(*row.element);
    load.specificGravity = 1.0f;
    load.pressure = pressure;
    load.excludeInsulation = 0;
  }

  void AddFromRow(int from, const CiiElement& e) {
    std::array<double, 3> start{};
    const int to = static_cast<int>(e.lines[0][1]);
    if (const auto c = file.coords.find(from); c != file.coords.end()) {
      for (std::size_t i = 0; i < 3; ++i) start[i] = c->second[i] / F(1);
    } else if (position.count(from) != 0) {
      start = position[from];
    } else if (position.count(to) != 0) {
      start = position[to];
      start[0] -= Length(e.lines[0][2], e.line);
      start[1] -= Length(e.lines[0][3], e.line);
      start[2] -= Length(e.lines[0][4], e.line);
    } else if (!position.empty() && !Chained(from, start)) {
      Log(e.line, "element " + std::to_string(from) + "-" + std::to_string(to) +
                      " starts at a node no element joins to a placed node: it starts at the origin");
    }
    LayoutRow& row = AppendRow(from, ElementType::From, e.line);
    row.absolute = true;
    row.dx = static_cast<float>(start[0]);
    row.dy = static_cast<float>(start[1]);
    row.dz = static_cast<float>(start[2]);
    position[from] = start;
    current = start;
  }

  void AddElement(const CiiElement& e, std::size_t index) {
    const int from = static_cast<int>(e.lines[0][0]);
    const int to = static_cast<int>(e.lines[0][1]);
    if (from == 0 && to == 0) {
      Log(e.line, "an element without nodes is passed over");
      return;
    }
    if (e.lines[5][5] != 0.0) AddHydrotest(e);
    // The point on a bend's arc is made by the bend: an element ending there
    // would make it twice.
    if (const auto point = bendPoints.find(to); to != 0 && point != bendPoints.end()) {
      Log(e.line, "element " + std::to_string(from) + "-" + std::to_string(to) + " ends at a point of the bend at node " +
                      std::to_string(point->second) + ": passed over");
      return;
    }
    const std::string load = LoadName(e);
    const std::string section = SectionName(e);
    const std::string material = MaterialName(e, index);
    if (LastRunNode() != from) AddFromRow(from, e);
    const Reals* bend = Aux(file.bend, e.bend, "bend", e.line);
    const Reals* rigid = Aux(file.rigid, e.rigid, "rigid", e.line);
    const Reals* joint = Aux(file.joint, e.joint, "expansion joint", e.line);
    const Reals* reducer = Aux(file.reducer, e.reducer, "reducer", e.line);
    ElementType type = ElementType::Pipe;
    if (bend != nullptr) type = ElementType::Bend;
    else if (rigid != nullptr) type = ElementType::Rigid;
    else if (joint != nullptr) type = (*joint)[4] == 0.0 ? ElementType::Elastic : ElementType::Bellows;
    else if (reducer != nullptr) type = ElementType::Reducer;
    LayoutRow& row = AppendRow(to, type, e.line);
    row.dx = Length(e.lines[0][2], e.line);
    row.dy = Length(e.lines[0][3], e.line);
    row.dz = Length(e.lines[0][4], e.line);
    row.material = material;
    row.section = section;
    row.load = load;
    current = {current[0] + row.dx, current[1] + row.dy, current[2] + row.dz};
    position[to] = current;
    if (auto* data = dynamic_cast<Bend*>(row.element.get())) {
      data->radius = Length((*bend)[0], file.bendLines[static_cast<std::size_t>(e.bend - 1)]);
      data->radiusType = kBendRadiusUser;
      // A negative node number marks the point half way round the arc,
      // placed once the bend's angle is known.
      const auto node = [](double value) {
        const double number = std::fabs(value);
        return number >= 1.0 && number < 99999.0 ? static_cast<int>(number) : 0;
      };
      data->intermediateNode1 = node((*bend)[3]);
      data->angle1 = (*bend)[3] < 0.0 ? -1.0f : static_cast<float>((*bend)[2] / kDegreesPerRadian);
      data->intermediateNode2 = node((*bend)[5]);
      data->angle2 = (*bend)[5] < 0.0 ? -1.0f : static_cast<float>((*bend)[4] / kDegreesPerRadian);
      if ((*bend)[3] < 0.0 || (*bend)[5] < 0.0) halfAngleRows.push_back(model.rowCount);
      for (const int point : {data->intermediateNode1, data->intermediateNode2})
        if (point != 0) bendPoints.emplace(point, to);
      if (const Reals& line2 = file.bendLine2[static_cast<std::size_t>(e.bend - 1)]; line2[3] != 0.0)
        Log(e.line, "the bend's second length " + Plain(line2[3]) + " is not taken");
    } else if (auto* data = dynamic_cast<RigidElement*>(row.element.get())) {
      data->weight = static_cast<float>((*rigid)[0] / F(2));
    } else if (auto* data = dynamic_cast<ElasticElement*>(row.element.get())) {
      const int line = file.jointLines[static_cast<std::size_t>(e.joint - 1)];
      data->kx = Stiffness((*joint)[0], line);
      data->ky = data->kz = Stiffness((*joint)[1], line);
      data->kxx = RotStiffness((*joint)[3], line);
      data->kyy = data->kzz = RotStiffness((*joint)[2], line);
      data->localX[0] = 1.0f;
      data->localY[1] = 1.0f;
    } else if (auto* data = dynamic_cast<Bellows*>(row.element.get())) {
      const int line = file.jointLines[static_cast<std::size_t>(e.joint - 1)];
      data->axialStiffness = Stiffness((*joint)[0], line);
      data->lateralStiffness = Stiffness((*joint)[1], line);
      data->bendingStiffness = RotStiffness((*joint)[2], line);
      data->torsionalStiffness = RotStiffness((*joint)[3], line);
      const double diameter = Diameter((*joint)[4], line);
      data->pressureThrustArea = static_cast<float>(std::numbers::pi / 4.0 * diameter * diameter);
    } else if (auto* data = dynamic_cast<Reducer*>(row.element.get())) {
      const int line = file.reducerLines[static_cast<std::size_t>(e.reducer - 1)];
      data->od1 = Diameter(e.lines[0][5], e.LineOf(0));
      data->thk1 = Wall(e.lines[1][0], e.LineOf(1));
      data->od2 = Diameter((*reducer)[0], line);
      data->thk2 = Length((*reducer)[1], line);
    }
  }

  void AddRestraint(const CiiFile::Restraint& r) {
    const int node = reader.Integer(r.values[0]);
    const int type = reader.Integer(r.values[1]);
    if (node == 0) return;
    const int number = RowOfNode(node);
    if (number == 0) {
      Log(r.line, "restraint at node " + std::to_string(node) + ", which no element makes: not taken");
      return;
    }
    const double k = r.values[2];
    const float gap = Length(r.values[3], r.line);
    // A friction coefficient is at least 0, as the batch file and the
    // dialogs hold it: a negative one would push the pipe along its
    // movement. Not taken (none), and said, where a support takes one.
    const auto friction = [&]() {
      if (r.values[4] >= 0.0) return static_cast<float>(r.values[4]);
      Log(r.line, "the friction coefficient " + Plain(r.values[4]) + " of the restraint at node " +
                      std::to_string(node) + " is not taken: a friction coefficient is at least 0");
      return 0.0f;
    };
    // The kinds without a friction coefficient lose a given one: said, so
    // that a coefficient the file gives is never dropped without a word.
    const auto noFriction = [&](const char* kind) {
      if (r.values[4] == 0.0) return;
      Log(r.line, "the friction coefficient " + Plain(r.values[4]) + " of the restraint at node " +
                      std::to_string(node) + " is not taken: " + kind + " has no friction");
    };
    const int connected = reader.Integer(r.values[5]);
    const float cx = static_cast<float>(r.cosines[0]), cy = static_cast<float>(r.cosines[1]),
                cz = static_cast<float>(r.cosines[2]);
    const auto stop = [&](float upper, float lower) {
      auto& item = static_cast<LimitStop&>(PlaceItem(number, node, DataType::LimitStop, r.line));
      item.connectedNode = connected;
      item.upperLimit = upper;
      item.lowerLimit = lower;
      item.dirX = cx;
      item.dirY = cy;
      item.dirZ = cz;
      item.frictionCoefficient = friction();
      if (k != 0.0) item.stiffness = Stiffness(k, r.line);
    };
    if (type == 1) {
      auto& anchor = static_cast<Anchor&>(PlaceItem(number, node, DataType::Anchor, r.line));
      anchor.stiffness.fill(kRigid);
      if (k != 0.0) {
        for (std::size_t i = 0; i < 3; ++i) anchor.stiffness[i] = Stiffness(k, r.line);
        if (k < 14.0)
          for (std::size_t i = 3; i < 6; ++i) anchor.stiffness[i] = RotStiffness(k, r.line);
      }
      noFriction("an anchor");
    } else if (type >= 2 && type <= 4) {
      const int given = (cx != 0.0f) + (cy != 0.0f) + (cz != 0.0f);
      if (given >= 2 || (k != 0.0 && Stiffness(k, r.line) < kRigid)) {
        auto& item = static_cast<SkewedRestraint&>(PlaceItem(number, node, DataType::SkewedRestraint, r.line));
        item.dirX = cx;
        item.dirY = cy;
        item.dirZ = cz;
        item.stiffness = k != 0.0 ? Stiffness(k, r.line) : kRigid;
        noFriction("a skewed restraint");
      } else {
        auto& item = static_cast<Restraint&>(PlaceItem(number, node, DataType::Restraint, r.line));
        (type == 2 ? item.restrainX : type == 3 ? item.restrainY : item.restrainZ) = 1;
        noFriction("a restraint");
      }
    } else if (type >= 5 && type <= 7) {
      auto& item = static_cast<SkewedRestraint&>(PlaceItem(number, node, DataType::SkewedRestraint, r.line));
      item.rotational = 1;
      item.dirX = cx;
      item.dirY = cy;
      item.dirZ = cz;
      item.stiffness = k != 0.0 ? RotStiffness(k, r.line) : kRigid;
      noFriction("a skewed restraint");
    } else if (type == 8) {
      auto& item = static_cast<Guide&>(PlaceItem(number, node, DataType::Guide, r.line));
      item.gap = gap;
      item.frictionCoefficient = friction();
      if (k != 0.0) item.stiffness = Stiffness(k, r.line);
    } else if (type == 9 || (type >= 27 && type <= 29)) {
      stop(type == 9 ? gap : 0.0f, type == 9 ? -gap : 0.0f);
    } else if (type >= 10 && type <= 12) {
      auto& item = static_cast<Snubber&>(PlaceItem(number, node, DataType::Snubber, r.line));
      item.dirX = cx;
      item.dirY = cy;
      item.dirZ = cz;
      if (k != 0.0) item.stiffness = Stiffness(k, r.line);
      noFriction("a snubber");
    } else if ((type >= 13 && type <= 15) || type == 25 || (type >= 30 && type <= 32)) {
      stop(kNoLimit, type >= 30 ? 0.0f : -gap);
    } else if ((type >= 16 && type <= 18) || type == 26 || (type >= 33 && type <= 35)) {
      stop(type >= 33 ? 0.0f : gap, -kNoLimit);
    } else {
      Log(r.line, "restraint type " + std::to_string(type) + " at node " + std::to_string(node) +
                      " has no item: not taken");
    }
  }

  void AddForce(const CiiFile::NodeVectors& f) {
    if (f.node == 0) return;
    const int number = RowOfNode(f.node);
    if (number == 0) {
      Log(f.line, "force at node " + std::to_string(f.node) + ", which no element makes: not taken");
      return;
    }
    auto& force = static_cast<NodalForce&>(PlaceItem(number, f.node, DataType::Force, f.line));
    for (int axis = 0; axis < 3; ++axis) {
      force.Component(axis) = static_cast<float>(f.vectors[0][static_cast<std::size_t>(axis)] / F(2));
      force.Component(axis + 3) = static_cast<float>(f.vectors[0][static_cast<std::size_t>(axis + 3)] / F(4));
    }
  }

  void AddTee(const CiiTee& tee) {
    // Value 1 and 2 stand on the record's first line, six to a line after.
    const auto lineOf = [&tee](std::size_t index) { return tee.line + static_cast<int>((index + 3) / 6); };
    const int node = reader.Integer(tee.values[1]);
    if (node == 0) return;
    const int number = RowOfNode(node);
    if (number == 0) {
      Log(tee.line, "SIF at node " + std::to_string(node) + ", which no element makes: not taken");
      return;
    }
    const int type = reader.Integer(tee.values[2]);
    static const int kBranchCodes[7] = {1, 2, 3, 1, 5, 6, 4};
    if ((type >= 0 && type <= 6) || type == 17) {
      auto& sif = static_cast<BranchSif&>(PlaceItem(number, node, DataType::BranchSif, tee.line));
      sif.type = type == 17 ? 9 : kBranchCodes[type];
      for (const auto& [kind, index] : {std::pair{1, 7u}, std::pair{6, 9u}, std::pair{17, 8u}})
        if (type == kind) sif.dimension1 = Length(tee.values[index], lineOf(index));
    } else if (type == 11) {
      PlaceItem(number, node, DataType::ThreadedJoint, tee.line);
    } else if (type == 7 || (type >= 10 && type <= 13)) {
      auto& weld = static_cast<Weld&>(PlaceItem(number, node, DataType::Weld, tee.line));
      weld.type = type == 7 ? 1 : type == 10 ? 4 : type == 12 ? 2 : 3;
    } else if (type == 8 || type == 9 || type == 14) {
      // A kind of joint the model has no item for: a user SIF, whose
      // values the file does not give.
      PlaceItem(number, node, DataType::UserSif, tee.line);
      Log(tee.line, "SIF type " + std::to_string(type) + " at node " + std::to_string(node) +
                        " becomes a user SIF without values: enter them");
    } else {
      auto& sif = static_cast<UserSif&>(PlaceItem(number, node, DataType::UserSif, tee.line));
      sif.inPlaneSif = static_cast<float>(tee.values[3]);
      sif.outPlaneSif = static_cast<float>(tee.values[4]);
    }
  }

  void AddNozzle(const CiiFile::NozzleRecord& record) {
    const Reals& v = record.values;
    // Values 1 to 6 on the record's first line, six to a line after.
    const auto lineOf = [&record](std::size_t index) { return record.line + static_cast<int>((index - 1) / 6); };
    const int node = reader.Integer(v[1]);
    if (node == 0) return;
    const int number = RowOfNode(node);
    if (number == 0) {
      Log(record.line, "nozzle at node " + std::to_string(node) + ", which no element makes: not taken");
      return;
    }
    auto& nozzle = static_cast<Nozzle&>(PlaceItem(number, node, DataType::Nozzle, record.line));
    nozzle.nozzleOd = Diameter(v[4], lineOf(4));
    nozzle.nozzleThickness = Length(v[5], lineOf(5));
    nozzle.vesselOd = Diameter(v[6], lineOf(6));
    nozzle.vesselThickness = Length(v[7], lineOf(7));
    nozzle.flatBottom = nozzle.reinforcingPad = v[8] != 0.0 ? 1 : 0;
    nozzle.l1 = Length(v[10], lineOf(10));
    nozzle.l2 = Length(v[11], lineOf(11));
    nozzle.vesselAxis = {static_cast<float>(v[12]), static_cast<float>(v[13]), static_cast<float>(v[14])};
    // The file names no vessel material: the springs need a modulus.
    nozzle.elasticModulus = 3.0e7f;
    std::string note = "the nozzle at node " + std::to_string(node) +
                       " takes the vessel modulus 3.0e7 psi (the file gives none): enter its own";
    if (const NozzleFault fault = CheckNozzleGeometry(nozzle); fault.message.empty()) {
      ComputeNozzleStiffness(nozzle);
    } else {
      note += "; its values are refused by the nozzle's check (" + fault.message + "): its springs are not computed";
    }
    Log(record.line, note);
  }

  void AddDisplacements(const CiiFile::NodeVectors& half) {
    if (half.node == 0) return;
    bool taken = false, free = false;
    for (int number = 1; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.node != half.node) continue;
      SpecifiedDisplacements* displacements = RowDisplacements(row);
      if (displacements == nullptr) continue;
      if (!displacements->sets) displacements->sets = std::make_unique<DisplacementSets>();
      for (std::size_t set = 0; set < 3; ++set) {
        displacements->flags[set] = 1;
        for (std::size_t i = 0; i < 6; ++i) {
          const double value = half.vectors[set][i];
          float& slot = displacements->sets->values[6 * set + i + 1];
          // 9999.99 and beyond leave a direction free, which an anchor or
          // a nozzle cannot: it is held there (0).
          if (value >= 9999.99) {
            slot = 0.0f;
            free = true;
          } else {
            // The node's line, then one line per vector.
            slot = i < 3 ? Length(value, half.line + 1 + static_cast<int>(set)) : static_cast<float>(value);
          }
        }
      }
      taken = true;
    }
    if (!taken)
      Log(half.line, "the displacements at node " + std::to_string(half.node) +
                         " have no anchor or nozzle to take them: not taken");
    else if (free)
      Log(half.line, "the free directions (9999.99) of the displacements at node " + std::to_string(half.node) +
                         " are held by its anchor or nozzle");
  }

  // Rows straight after the elements, before any support row is put in
  // between: reducers without a second end, joints of no length, long
  // rigids, and the fluid in rigids.
  void FinishElementRows() {
    for (int number = 2; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      const double length = std::sqrt(double(row.dx) * row.dx + double(row.dy) * row.dy + double(row.dz) * row.dz);
      const int sectionIndex = FindRecordByName(model.sections, row.section);
      if (auto* reducer = dynamic_cast<Reducer*>(row.element.get()); reducer && reducer->od2 == 0.0f) {
        int next = number + 1;
        while (next <= model.rowCount && (model.row(next).elementType == ElementType::From ||
                                          model.row(next).elementType == ElementType::Location ||
                                          model.row(next).elementType == ElementType::HydrotestLoad))
          ++next;
        const int other = next <= model.rowCount ? FindRecordByName(model.sections, model.row(next).section) : 0;
        if (other != 0) {
          reducer->od2 = model.sections[other].outsideDiameter;
          reducer->thk2 = model.sections[other].thickness;
        } else {
          Log(LineOfRow(number), "the reducer at node " + std::to_string(row.node) +
                                     " has no second diameter and no pipe after it: enter its second end");
        }
      }
      if ((row.elementType == ElementType::Elastic || row.elementType == ElementType::Bellows) && length < 0.001) {
        float bending = 0.0f, torsional = 0.0f;
        if (const auto* elastic = dynamic_cast<const ElasticElement*>(row.element.get())) {
          bending = elastic->kyy;
          torsional = elastic->kxx;
        } else if (const auto* bellows = dynamic_cast<const Bellows*>(row.element.get())) {
          bending = bellows->bendingStiffness;
          torsional = bellows->torsionalStiffness;
        }
        // The joint keeps its turning springs; a ball joint holds every
        // movement along the pipe and across it.
        row.elementType = ElementType::BallJoint;
        row.element = CreateElementData(ElementType::BallJoint);
        auto& joint = static_cast<BallJoint&>(*row.element);
        joint.bendingStiffness = bending;
        joint.torsionalStiffness = torsional;
        Log(LineOfRow(number), "the expansion joint of no length at node " + std::to_string(row.node) +
                                   " becomes a ball joint: its axial and lateral springs are not taken");
      }
      if (row.elementType == ElementType::Rigid && sectionIndex != 0 &&
          length > model.sections[sectionIndex].outsideDiameter) {
        const float weight = static_cast<RigidElement&>(*row.element).weight;
        row.elementType = ElementType::Valve;
        row.element = CreateElementData(ElementType::Valve);
        auto& valve = static_cast<Valve&>(*row.element);
        valve.weight = weight;
        valve.thicknessMultiplier = 10.0f;
        valve.insulationWeightMultiplier = 1.75f;
        Log(LineOfRow(number), "the rigid element at node " + std::to_string(row.node) +
                                   ", longer than its pipe's diameter, is taken as a valve");
      } else if (row.elementType == ElementType::Rigid && sectionIndex != 0) {
        const int loadIndex = FindRecordByName(model.pipeLoads, row.load);
        if (loadIndex != 0) {
          const PipeSection& section = model.sections[sectionIndex];
          const double bore = section.outsideDiameter - 2.0 * section.thickness;
          static_cast<RigidElement&>(*row.element).weight +=
              static_cast<float>(std::numbers::pi / 4.0 * bore * bore * model.pipeLoads[loadIndex].specificGravity *
                                 length * 0.0362);
        }
      }
    }
  }

  // Points half way round their bends, once the bends' angles are known.
  void PlaceHalfAngles() {
    if (halfAngleRows.empty()) return;
    MakeModel(model);
    for (int number = 1; number <= model.rowCount; ++number)
      if (auto* bend = dynamic_cast<Bend*>(model.row(number).element.get())) {
        if (bend->intermediateNode1 != 0 && bend->angle1 < 0.0f) bend->angle1 = 0.5f * bend->bendAngle;
        if (bend->intermediateNode2 != 0 && bend->angle2 < 0.0f) bend->angle2 = 0.5f * bend->bendAngle;
      }
  }

  void AddHanger(std::size_t index) {
    static const int kCatalogues[21] = {16, 16, 3, 16, 16, 18, 15, 27, 16, 26, 2, 16, 16, 16, 5, 13, 8, 34, 17, 31, 21};
    const int node = file.hangerNodes[index];
    const int number = RowOfNode(node);
    if (node == 0) return;
    if (number == 0) {
      Log(file.hangerLines[index], "hanger at node " + std::to_string(node) + ", which no element makes: not taken");
      return;
    }
    int table = index < file.hangerTables.size() ? file.hangerTables[index] : 0;
    if (table < 0 || table > 20) table = 1;
    const int count = index < file.hangerCounts.size() ? file.hangerCounts[index] : 0;
    LayoutRow& row = model.row(number);
    const bool bend = row.elementType == ElementType::Bend;
    Hanger* hanger = nullptr;
    if (bend) {
      InsertRow(number, node + kArcFarOffset, DataType::Hanger, file.hangerLines[index]);
      hanger = static_cast<Hanger*>(model.row(number + 1).item.get());
    } else {
      hanger = &static_cast<Hanger&>(PlaceItem(number, node, DataType::Hanger, file.hangerLines[index]));
    }
    hanger->kind = kCatalogues[table];
    hanger->numberOfHangers = count <= 0 ? 1 : count;
    if (FindHangerCatalogue(hanger->kind) == nullptr)
      Log(file.hangerLines[index], "the hanger at node " + std::to_string(node) + " takes the catalogue " + HangerKindText(hanger->kind) +
                 ", whose load table is not carried: choose another before the analysis");
  }

  void Run() {
    AnalysisOptions& options = model.options;
    options.ZVertical = file.vertical != 0 ? 1 : 0;
    options.ThermalLoadCount = 10;
    if (file.bourdon) options.BourdonEffect = 1;
    if (file.liberal) options.LiberalAllowable = 1;
    if (file.pressureCorrection) options.PressureCorrection = 1;
    g_UnitsSettings = UnitsSettings{};
    struct Choice {
      std::size_t factor;
      double value;
      int kind;
      int unit;
    };
    static const Choice kChoices[] = {
        {1, 25.4, kUnitLength, 4},          {2, 0.45359237, kUnitForce, 2},
        {4, 0.011521246, kUnitMoment, 3},   {6, 0.00070307, kUnitStress, 3},
        {7, 0.5555555555555556, kUnitTemperature, 1}, {9, 0.070307, kUnitPressure, 5},
        {10, 0.00070307, kUnitModulus, 3},  {3, 0.4535924, kUnitWeight, 1},
        {21, 25.4, kUnitDimension, 1},      {11, 27679.9, kUnitDensity, 2},
        {12, 27679.9, kUnitInsulationDensity, 1}, {14, 0.017857967, kUnitStiffness, 2},
        {15, 0.011521246 * std::numbers::pi / 180.0, kUnitRotStiffness, 4},
    };
    for (const Choice& choice : kChoices)
      if (std::fabs(F(choice.factor) - choice.value) <= 0.0001 && choice.unit < UnitCount(choice.kind))
        g_UnitsSettings.unit[choice.kind] = choice.unit;
    model.rowCount = 1;
    LayoutRow& title = model.row(1);
    title.elementType = ElementType::Comment;
    title.element = CreateElementData(ElementType::Comment);
    static_cast<CommentData&>(*title.element).SetText("Title = " + file.title);
    model.title = file.title;
    for (std::size_t index = 0; index < file.element.size(); ++index) AddElement(file.element[index], index);
    for (const auto& skip : file.skipped)
      Log(skip.line, "section " + skip.section + " (" + std::to_string(skip.count) + " records) is read and not used");
    FinishElementRows();
    for (const auto& r : file.restraint) AddRestraint(r);
    for (const auto& n : file.nozzle) AddNozzle(n);
    for (const auto& d : file.displacement) AddDisplacements(d);
    for (const auto& f : file.force) AddForce(f);
    for (const auto& t : file.tee) AddTee(t);
    for (std::size_t i = 0; i < file.hangerNodes.size(); ++i) AddHanger(i);
    PlaceHalfAngles();
    if (file.ambient > 0.0) options.ReferenceTemperature = Temperature(file.ambient, file.ambientLine);
  }
};

}  // namespace

void ReadCiiFile(std::istream& input, Model& model, std::vector<std::string>& log) {
  const UnitsSettings userUnits = g_UnitsSettings;
  try {
    InitEmptyModel(model, ProgramAnalysisOptions());
    CiiReader reader;
    reader.log = &log;
    reader.raw = ReadImportedLines(input, log);
    CiiFile file;
    ReadVersion(reader, file);
    ReadControl(reader, file);
    ReadElements(reader, file);
    ReadAuxiliary(reader, file);
    ReadMiscellaneous(reader, file);
    ReadUnits(reader, file);
    Converter converter{model, file, reader, {}, {}, {}, {}, {0, 0}, {}, {}};
    converter.Run();
    model.loadCases.selected[kCaseIdModal] = 1;
    FinishImportedModel(model);
    // The rules every road keeps, asked of the made model; a row that breaks
    // one (an element of no length) is refused with the line of its record.
    for (int number = 1; number <= model.rowCount; ++number)
      if (const std::string refusal = RowRuleRefusal(model, number); !refusal.empty()) {
        reader.next = static_cast<std::size_t>(converter.LineOfRow(number));
        reader.Fail(refusal);
      }
  } catch (...) {
    g_UnitsSettings = userUnits;
    throw;
  }
}
