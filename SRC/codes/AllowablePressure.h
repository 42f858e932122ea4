// The allowable internal pressure of an element, shown beside its stresses
// in the compliance table: the code's pressure design formula solved for P
// with the element's wall less mill tolerance and corrosion, the allowable
// at the design temperature, the joint factor E, and for B31.1 and B31.3
// the weld strength reduction factor W and the coefficient Y (B31.1
// 104.1.2, B31.3 304.1.2 and 304.2.3 for miters, B31.4 404.1.2, B31.8
// 841.1.1, EN 13480-3 6.1 and 6.2.3 ...). 0 when no value applies: a
// reducer, Stoomwezen, no allowable given, or a wall used up.
#pragma once

#include <string>

class CodeModel;

// BS 806 takes its own rule (Bs806AllowablePressure). Throws, for B31.1,
// for a ferritic ("FS") material above the 1200 F end of its weld strength
// factors.
double ElementAllowablePressure(const CodeModel& cm, int element);

// W of B31.3 Table 302.3.5 and B31.1 Table 102.4.7 by material type and
// temperature (F); `material` names the material in the B31.1 message.
double WeldStrengthFactorB313(const std::string& type, double temperature);
double WeldStrengthFactorB311(const std::string& type, double temperature, const std::string& material);
// Y of B31.3 Table 304.1.1 by code, material type, temperature (F), OD and wall.
double PressureCoefficientY(int code, const std::string& type, bool n06690, double temperature, double D, double t);
