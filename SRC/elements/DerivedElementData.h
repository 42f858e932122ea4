// What the analysis, the code checks and the result pictures ask of an
// analysis element (AnalysisElements.h): its wall thickness, bend radius and
// flanges, its temperatures and pressures from its pipe load, its elevation,
// and its section properties, moduli, expansion and weight per length for a
// load case (ComputeRowDerivedData), with the three checks made on the way.
//
// All values are internal units (inch, pound, psi, degree F). The number of
// temperatures in use is the model's thermal load count: T1 for 1, T1 and
// T2 for 2, T1 to T3 for 3, all ten for 4 or more. Pressures beyond the
// temperatures in use, an element kind the weights do not know and a load
// case type without a temperature are programming errors.
#pragma once

#include "platform/Types.h"

struct Model;
struct AnalysisElement;

float ElementWallThickness(const Model& model, const AnalysisElement& element);
float ElementBendRadius(const Model& model, const AnalysisElement& element);
int ElementBendFlanges(const Model& model, const AnalysisElement& element);
float ElementMinTemp(const Model& model, const AnalysisElement& element);
float ElementDesignTemp(const Model& model, const AnalysisElement& element);
// Pi, i from 1 to 10; for a jacket's core the core's Pi less the jacket's.
float ElementPressure(const Model& model, const AnalysisElement& element, int i);
float ElementMaxPressure(const Model& model, const AnalysisElement& element);
float ElementDesignPressure(const Model& model, const AnalysisElement& element);
float ElementMidElevation(const Model& model, const AnalysisElement& element);

struct DerivedElementData {
  float length = 0.0f;
  float outsideDiameter = 0.0f;
  float wallThickness = 0.0f;
  float area = 0.0f;             // metal area
  float inertia = 0.0f;          // moment of inertia
  float shearFormFactor = 0.0f;
  float modulus = 0.0f;          // E
  float shearModulus = 0.0f;     // G
  float poisson = 0.0f;
  float expansion = 0.0f;        // alpha at the case temperature
  float weightPerLength = 0.0f;
  float temperature = 0.0f;
  float pressure = 0.0f;
};

// Whether ComputeRowDerivedData knows the temperature of a load case type.
bool LoadCaseHasElementTemperature(int caseType);
// The derived data of `element` in a case of `caseType`; throws "Row %d:
// Lining thickness > internal radius", "Row %d: Core OD = %s > Jacket ID =
// %s" or "Row %d: Internal area is negative" (the row kept as error row).
DerivedElementData ComputeRowDerivedData(const Model& model, const AnalysisElement& element, int caseType,
                                         int* errorRow = nullptr);

// The element checks of the Analyze command: a load case that needs more
// thermal loads than the model uses is refused first; then the elements
// are generated and the derived data of every element computed for every
// load case of the list. A refusal is shown over `owner`, its row made
// current, and false returned.
bool CheckAnalysisElements(const Model& model, HWND owner);
