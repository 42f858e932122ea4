// The elastic element in the analysis: its local axes, its 12 x 12
// stiffness, its assembly and the build of its end forces.
//
// Axes: x is the entered x direction made a unit vector; y is the entered
// y direction with its part along x taken out, then made a unit vector;
// z = x cross y. The dialog lets the two directions be up to 0.01 (in the
// cosine) from square; the stiffness is built on the square frame, since on
// a skew one a rigid-body turn of the element through its arm would strain
// its springs.
//
// Stiffness: six springs act between node 1 and the end of a rigid arm
// from node 2 back to node 1 (d = node 2 - node 1, in local components a,
// b, c), so the springs' strain is
//   translations: u2 - u1 + d x theta2,   rotations: theta2 - theta1,
// and K = B^T diag(kx, ky, kz, kxx, kyy, kzz) B in the element's local
// axes (record order of ElementArrays.h). A stiffness of 0 is taken as
// 1.0e-8, so that an element without springs leaves no singular freedom.
// The element carries no loads and no mass.
#pragma once

#include "kindbase/ElementArrays.h"
#include "kindbase/ElementCaseValues.h"

class ElasticElement;
struct ElementForceBuild;

// The square frame of the element's entered directions.
ElementAxes ElasticElementAxes(const ElasticElement& element);
// K in local axes for the arm `d` (global components).
Matrix12d ElasticElementStiffness(const ElasticElement& element, const ElementAxes& axes, const Vector3d& d);

// The assembly's part (stiffness only) and the force routine's build.
void AssembleElasticElement(const AnalysisElementInput& input);
ElementForceBuild ElasticElementForceBuild(const AnalysisElementInput& input);
