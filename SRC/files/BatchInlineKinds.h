// The in-line kinds in LAYOUT lines of a model batch file: valves (JV),
// reducers (JD), rigid (JR) and elastic (JL) elements, cut pipes (JC),
// miters (KM), jacketed pipes (JP) and bends (JI), their jacket connections
// (the SPIDER and JCAP items) and hydrotest load rows (H). Their keywords
// are read into BatchInlineAttributes with the checks and messages of the
// batch vocabulary; a line of one of these kinds is then held to what the
// kind's dialog holds a row to (a miter's radius, a reducer's four sizes, a
// cut, the jacket's names and its room around the core, square local
// axes, a User radius of at least 0.1 in), so that a row read from a file
// opens in its dialog as it was read. A keyword of these kinds on a row of
// another kind is read and checked and then refused (BatchLayout.h).
//
// Decisions: a zero stiffness in TRAK or ROTK of an elastic element is no
// spring (0, as the dialog's empty field), not the anchor's "not given";
// an elastic element without LXAX or LYAX takes the global X or Y axis;
// JR gives the jacket bend the User radius; a hydrotest pressure of 0 is
// the not-given pressure, as the dialog stores it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class ElementData;
struct BatchEntry;
struct BatchLayoutAttributes;
struct BatchReader;
struct LayoutRow;

struct BatchInlineAttributes {
  // Valve (VWGT, AWGT, OFFSET, THKF, INSF) and the weight of a rigid
  // element (WGT).
  float valveWeight = 0.0f;
  float additionalWeight = 0.0f;
  std::array<float, 3> offset{};  // inch
  float thicknessFactor = 3.0f;
  float insulationFactor = 1.75f;
  float weight = 0.0f;
  // Reducer: sizes in inch (0 where not given), cone angle in degrees.
  float od1 = 0.0f, thk1 = 0.0f, od2 = 0.0f, thk2 = 0.0f, coneAngle = 0.0f;
  // Elastic element: kx, ky, kz, kxx, kyy, kzz (TRAK, ROTK) and its axes.
  std::array<float, 6> springs{};
  std::array<float, 3> localX{}, localY{};
  bool localXGiven = false, localYGiven = false;
  // Cut pipe: positive short, negative long; 0 = not given.
  float cut = 0.0f;
  // Miter.
  bool widelySpaced = false;
  // Jacketed pipes and bends.
  std::string jacketMaterial, jacketSection, jacketLoad;
  float jacketThickness = 0.0f;
  float jacketRadius = 0.0f;
  std::uint8_t jacketRadiusKind = 2;  // of a JR given (BatchBendRadiusKind); 2 the user's
  std::uint8_t jacketMark = 0;
  // Jacket connections.
  bool spider = false, endCap = false;
  // Hydrotest load.
  float hydrotestGravity = 0.0f;
  float hydrotestPressure = 0.0f;
};

// Reads `entry` when its keyword is one of the in-line kinds'; false when
// it is none of theirs.
bool ReadBatchInlineKeyword(BatchReader& reader, BatchLayoutAttributes& attributes, const BatchEntry& entry);
// Once the line's fields are read: the checks of the row's kind and the
// jacket connection the line chose.
void CheckBatchInlineLine(const BatchReader& reader, BatchLayoutAttributes& attributes);
// The values of the line into the new row's element of an in-line kind.
void FillBatchInlineElement(LayoutRow& row, const BatchLayoutAttributes& attributes);

// Whether an elastic element's local x and y axes are square to each other
// within the dialog's tolerance, as the reader takes them.
bool BatchAxesPerpendicular(const float* x /* input of size 3 */, const float* y /* input of size 3 */);
