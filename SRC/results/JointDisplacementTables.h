// The displacement tables of particular items for the current result case:
// the relative movement across ball joints and across every flexible joint
// (bellows, slip, hinge, ball and elastic elements: the displacement of
// node 2 minus that of node 1), and the displacements at guides, hangers
// and limit stops. Each is a kind of the displacement family
// (OtherSelectors.h), offered only when the model has its items.
//
// Joint, guide and limit stop tables switch between global and local
// components with g_JointResultsGlobal (command 288, F7, while one of them
// is shown); the hangers' are always global, and the printed and reported
// joint tables are always local. A joint's local axes are the end-1 frame
// the analysis recovered its forces in (kindbase/EndForces.h), made again
// from the model without changing it: a hinge's axis is normalised in a
// copy, a ball joint's x is the pipe direction at its node. A guide's are
// the pipe axis and the two lateral axes of the guide; a limit stop's x is
// its direction (or the line from its connected node), and with a connected
// node the local values are the movement relative to that node.
#pragma once

#include <array>

struct AnalysisElement;
struct Model;
class ResultTableWindow;

// Global (set) or local components in the joint, guide and limit stop
// tables; cleared when results are opened.
extern bool g_JointResultsGlobal;

// The relative displacement d (node 2 minus node 1, six global components)
// of a joint element in its local axes: translations then rotations. A
// hinge without an axis gives zeros.
std::array<double, 6> JointRelativeDisplacementToLocal(const Model& model, const AnalysisElement& element,
                                                       const std::array<double, 6>& d);

void OpenBallJointDisplacementsTable();
void OpenFlexJointDisplacementsTable();
void OpenGuideDisplacementsTable();
void OpenHangerDisplacementsTable();
void OpenLimitStopDisplacementsTable();
// The model has rows of the kind (the selector offers the table).
bool ModelHasGuideRows(const Model& model);
bool ModelHasHangerRows(const Model& model);
bool ModelHasLimitStopRows(const Model& model);
// Whether the table of the displacement kind opened last switches axes.
bool DisplacementKindSwitchesAxes();
// F7 on a displacement table: flips the axes of the tables that switch and
// reopens the table shown; nothing on the others.
void ToggleJointResultsAxes();
void RegisterJointDisplacementTables();
