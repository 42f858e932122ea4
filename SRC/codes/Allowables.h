// Allowable stresses: what every code stress is compared with. The table
// values of a material at a temperature (allowable S, yield SY, creep
// stress fCR), the temperature factors of B31.8 and of the Canadian
// pipeline codes, and per element: the hot allowable SH, the allowable at
// the design temperature, the yield at the operating temperature, the
// expansion allowables SA with the liberal allowable, the operating and
// occasional allowables, and whether an element is buried.
//
// All values are psi and degrees F. Table values are interpolated linearly
// between rows and never extrapolated: below the first row and above the
// last the end row's value holds. Every element allowable is at least 1.0,
// so no ratio ever divides by zero. A creep value that a check needs but
// the table lacks throws a message naming the material and the row.
#pragma once

#include <string>

class CodeModel;
struct AnalysisElement;
struct Material;
struct CodeStressRecord;

struct EndPair {
  double end1 = 0.0;
  double end2 = 0.0;
};

double AllowableAtTemperature(const Material& material, double temperature);
double YieldAtTemperature(const Material& material, double temperature);
double CreepStressAtTemperature(const Material& material, double temperature);
// The first table temperature with a creep stress; 0 when the table has none.
double CreepTemperature(const Material& material);
// 0 below the creep temperature (and without one); otherwise the creep
// stress at the temperature, from rows that must give one.
double CreepAllowableAtTemperature(const Material& material, double temperature);
// Throws "For material %s at temperature %s %s\nCreep stress (fCR) is
// required" when row `row` (1-based) has no creep stress.
void RequireCreepStress(const Material& material, int row);

// B31.8 temperature derating factor (degrees F: 1.0 up to 250, 0.867 from
// 450) and the Z183/Z184/Z662 factor (degrees C: 1.0 up to 120, 0.87 from
// 230); linear between their points.
double B318TemperatureFactor(double temperatureF);
double CsaTemperatureFactor(double temperatureF);

double DesignTemperatureAllowable(const CodeModel& cm, const AnalysisElement& element);
double HotAllowable(const CodeModel& cm, const AnalysisElement& element);
double YieldAtOperatingTemperature(const CodeModel& cm, const AnalysisElement& element);

// SA at both ends for the hot and cold temperature of an expansion case,
// with the range factor f. The liberal allowable (and the pipeline codes'
// own addition) adds f (SH - SL) at an end whose sustained stress SL of the
// record is below SH; only when the results hold the sustained case.
EndPair ExpansionAllowables(const CodeModel& cm, const CodeStressRecord& record, double hot, double cold, double f,
                            bool sustainedPresent);
// The operating allowable from T1 and the reference temperature.
EndPair OperatingAllowables(const CodeModel& cm, const AnalysisElement& element, double t1, double reference);
double OccasionalAllowable(const CodeModel& cm, const AnalysisElement& element);

// The soil of the element's section has its ground level at or above both
// end nodes (on the vertical axis of the model).
bool ElementIsBuried(const CodeModel& cm, const AnalysisElement& element);
