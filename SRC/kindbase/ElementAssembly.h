// The doors through which the element kinds add to the global system of
// the step and read its solution, so that no element routine touches the
// profile arithmetic or the global arrays (GlobalSystem.h): the element's
// 12 equations, its local stiffness and loads turned to global axes and
// added, masses and loads at a node, and the solved displacements at the
// element's equations.
//
// An element's local matrix and loads are in the record order of
// ElementArrays.h in one frame, `axes` (for a curved element the frame at
// node 1); a freedom without an equation (0) takes nothing and gives 0.
#pragma once

#include "kindbase/ElementArrays.h"
#include "numeric/EquationNumbers.h"

struct Model;

// Node 1's six equations, then node 2's.
LocationVector ElementEquations(const Model& model, int node1, int node2);

// The rigid link between two nodes: 1.0e12 on each of the twelve diagonal
// terms and -1.0e12 between the same direction of both nodes.
constexpr double kRigidLinkStiffness = 1.0e12;
void AssembleRigidLink(const Model& model, int nodeA, int nodeB);

void AddElementStiffness(const Matrix12d& stiffness, const ElementAxes& axes, const LocationVector& equations);
void AddElementLoads(const Vector12d& loads, const ElementAxes& axes, const LocationVector& equations);
// The mass on the node's three translations.
void AddNodeTranslationMass(const Model& model, int node, double mass);
// A force and a moment (global) on the node.
void AddNodeLoads(const Model& model, int node, const Vector3d& force, const Vector3d& moment);

// The solved global displacements at the 12 equations.
Vector12d ElementDisplacements(const LocationVector& equations);
