// EN 13480-3 (2017) pressure design of the pipe elements of the model: the
// wall thickness needed against internal pressure (clause 6: straight pipe
// 6.1, elbows and bends 6.2.3, cones 6.4) and the allowed external pressure
// against elastic-plastic collapse (clause 9, with the collapse curve and
// the elastic instability pressure of EN 13445-3 8.5.2, the least over
// n >= 2 circumferential waves). It works on the model, not on analysis
// results: rows of kind Pipe, Bend, Miter, Jacketed pipe and bend, and
// Reducer, with their section, material and pipe load (a bend row's own
// material when it names one).
//
// Thickness comes from f z, f the material's allowable at the design
// temperature and z its joint factor. A value that the rules cannot form
// from the input (a pressure at or above f z, no allowable, a bend radius
// up to half the diameter, a cone angle of 90 degrees or more, a wall used
// up by corrosion and tolerance) is kNotFormed and shows as "*****". A row
// lacking its pipe load, section or material, or (internal design) a
// positive design pressure, gets no record and is named in the run's
// problems. The two iterations of a cone are solved bracketed, so they
// settle; one that cannot (values not finite) names its row.
//
// A stored cone angle is in degrees; one derived from the geometry is the
// half angle of the cone, arctan(|D1 - D2| / 2L). Start reading at
// InternalPressureDesign and ExternalPressureDesign; the window that shows
// the records is PressureDesignWindow.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Model;

// Design types (PressureDesignType): 1 Pipe, 2 Elbow, 3 Bend, 4 Miter,
// 5 Jpipe, 6 Jbend, 7 Reducer.
enum PressureDesignType : std::int32_t {
  kDesignPipe = 1,
  kDesignElbow = 2,
  kDesignBend = 3,
  kDesignMiter = 4,
  kDesignJacketedPipe = 5,
  kDesignJacketedBend = 6,
  kDesignReducer = 7,
};
// "Pipe" ... "Reducer"; empty for 0 and anything else.
const char* PressureDesignTypeName(int type);

// A value the rules could not form.
inline constexpr float kNotFormed = 1.0e30f;
inline bool IsNotFormed(double value) { return !(value < 5.0e29 && value > -5.0e29); }

struct InternalDesignRecord {
  std::int32_t fromNode = 0, toNode = 0;  // NodeId
  std::int32_t type = 0;
  float designTemperature = 0.0f;
  float p = 0.0f;   // design pressure
  float f = 0.0f;   // allowable stress
  float OD1 = 0.0f, OD2 = 0.0f;
  float t1 = 0.0f, t2 = 0.0f;
  float c = 0.0f;               // corrosion allowance
  float millTolerance = 0.0f;   // percent
  float R = 0.0f;               // bend radius
  float ep1 = 0.0f, ep2 = 0.0f; // required thickness
  float Uf1 = 0.0f, Uf2 = 0.0f; // ep / ea
  float ea1 = 0.0f, ea2 = 0.0f; // analysis thickness
  std::int32_t row = 0;
  float coneAngle = 0.0f;       // degrees
  float z = 1.0f;               // joint factor
  float length = 0.0f;          // a reducer's length
};

struct ExternalDesignRecord {
  std::int32_t fromNode = 0, toNode = 0;
  std::int32_t type = 0;
  float designTemperature = 0.0f;
  float Pc = 0.0f;  // the magnitude of the most negative pressure
  float f = 0.0f;
  float OD1 = 0.0f, OD2 = 0.0f;
  float t1 = 0.0f, t2 = 0.0f;
  float c = 0.0f;
  float millTolerance = 0.0f;
  float Rb = 0.0f;
  float ea1 = 0.0f, ea2 = 0.0f;
  std::int32_t row = 0;
  float coneAngle = 0.0f;  // degrees
  float sigmaE = 0.0f;     // the yield
  float E = 0.0f;
  float nu = 0.3f;
  float Ix = 0.0f, Ixa = 0.0f;
  float Pr = 0.0f, KPc = 0.0f;
  float IxRatio = 0.0f, PrRatio = 0.0f;  // Ix / Ixa, Pr / K.Pc
  std::int32_t fromIndex = 0, toIndex = 0;
  float L = 0.0f;
  float theta = 0.0f;  // bend angle, radians
  float PmPy = 0.0f;   // Pm / Py
};

// The records of a run and what it left out.
template <typename Record>
struct PressureDesignRun {
  std::vector<Record> records;
  std::vector<std::string> problems;  // one sentence per row left out or unsettled
};
using InternalDesignRun = PressureDesignRun<InternalDesignRecord>;
using ExternalDesignRun = PressureDesignRun<ExternalDesignRecord>;

// --- the rules, pure -------------------------------------------------------------------
// EN 13480-3 6.1: e = D/2 (1 - sqrt((fz - p)/(fz + p))) when the diameter
// ratio is 1.7 or more, else p D / (2 fz + p); kNotFormed when p >= fz or
// fz <= 0.
double StraightPipeThickness(double D, double p, double fz, double diameterRatio);
// 6.2.3: the elbow's intrados (a single value) and the bend's intrados and
// extrados from the straight-pipe thickness e.
double ElbowThickness(double D, double R, double e);
void BendThicknesses(double D, double R, double e, double& intrados, double& extrados);
// 6.4: the large and small end of a cone of half angle alpha (radians);
// false when an iteration cannot settle.
bool ConeThicknesses(double D1, double t1, double D2, double t2, double alpha, double p, double fz, double& ep1,
                     double& ep2);
// The collapse curve Pr/Py of Pm/Py: straight to the origin below 0.5,
// 0.9585 above 7.
double CollapseCurve(double pmOverPy);
// EN 13445-3 8.5.2.2: the elastic instability pressure of a cylinder of
// mean radius R, wall ea and length L, the least over n >= 2 waves (the n
// that gives it in `waves` when asked).
double ElasticInstabilityPressure(double E, double ea, double R, double L, double nu, int* waves = nullptr);
double InstabilityPressureWithWaves(double E, double ea, double R, double L, double nu, int n);

// --- the designs ---------------------------------------------------------------------
// The rows the designs take: Pipe, Bend, Miter, Jacketed pipe and bend,
// Reducer (the internal count before the command runs).
int CountInternalDesignRecords(const Model& model);
int CountExternalDesignRecords(const Model& model);
InternalDesignRun InternalPressureDesign(const Model& model);
ExternalDesignRun ExternalPressureDesign(const Model& model);
// The record computed from its filled inputs (the rules above); false when
// a cone's iteration could not settle.
bool ComputeInternalDesignRecord(InternalDesignRecord& record);
void ComputeExternalDesignRecord(ExternalDesignRecord& record);

// The model-wide tables the window shows, replaced by every run and freed
// with the model.
std::vector<InternalDesignRecord>& InternalDesignRecords();
std::vector<ExternalDesignRecord>& ExternalDesignRecords();
void FreePressureDesignRecords();
