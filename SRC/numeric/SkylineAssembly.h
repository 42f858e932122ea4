// Adding element and support matrices and element loads into the skyline
// system: `AddToGlobalStiffness` adds a packed symmetric matrix at a location
// vector; `TransformAndAssembleElement` first rotates a 12 x 12 local element
// matrix to global axes (G = T·K·Tᵀ block by block); `TransformAndAddElementLoads`
// rotates the 12 local end loads and adds them into the load vector.
//
// A term whose row lies above its column's profile is a programming error of
// the caller (the profile was built without that connection): the whole
// addition is refused with OutsideProfile, so nothing lands in another column.
// Element arrays are small and 0-based; equation-indexed arrays are 1-based.
#pragma once

#include <array>
#include <span>

#include "numeric/EquationNumbers.h"
#include "numeric/Skyline.h"

// The symmetric n x n matrix (n = 6 or 12) as its upper triangle by rows,
// 1-based: term (i, j), i <= j, at PackedIndex(n, i, j); at most 78 values.
struct ElementMatrixPacked {
  std::int32_t n = 12;
  std::array<double, 79> value{};
};
inline std::int32_t PackedIndex(std::int32_t n, std::int32_t i, std::int32_t j) {
  // S(i) = (n - 1) + (n - 2) + ... + (n - i + 1); the term lies at S(i) + j.
  return (i - 1) * n - (i - 1) * i / 2 + j;
}

// Local element matrix, rows and columns node 1 X Y Z XX YY ZZ then node 2.
using ElementStiffness = std::array<std::array<double, 12>, 12>;
using ElementLoads = std::array<double, 12>;
// Rotation from local to global axes, T(r, c): a local vector v is T·v globally.
using LocalFrame = std::array<std::array<float, 3>, 3>;

// A: values, size nme + 1, modified at the vector's terms only.
SolverStatus AddToGlobalStiffness(std::span<double> A, const SkylineProfile& profile,
                                  const ElementMatrixPacked& packed, const LocationVector& vector);

// vector: a 12-entry location vector.
SolverStatus TransformAndAssembleElement(std::span<double> A, const SkylineProfile& profile,
                                         const ElementStiffness& stiffness, const LocalFrame& frame,
                                         const LocationVector& vector);

// V: load vector, size E + 1, modified at the 12 equations of the vector.
void TransformAndAddElementLoads(std::span<double> V, const ElementLoads& loads, const LocalFrame& frame,
                                 const LocationVector& vector);
