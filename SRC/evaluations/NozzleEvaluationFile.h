// The nozzle evaluation file (*.noz): one set of the tool's inputs and the
// program's unit choices, never results. 217 bytes, little-endian, no
// padding:
//
//   offset  field
//        0  magic, "QUORVELWNOZ8100" and a zero byte; the three characters
//           after the first eleven are the version (810)
//       16  analysis kind (int32: 0 EN 13445-3, 1 WRC 537)
//       20  shell type (byte: 1 spherical, 0 cylindrical)
//   21..65  R or D, e, de, eb (= t), d, e2, d2, ec, f, fb, f2, c (float32)
//       69  load case (int32: 0 sustained, 1 + occasional, 2 operating)
//  73..133  P, V1, V2, M1, M2, MT, T, Rm, rm, ro, r, Pm, Pb, All, Kn, Kb
//      137  the unit choice of every unit kind, 20 int32
//
// Files of versions 720 to 809 have no analysis kind and no WRC block (145
// bytes): they read as EN 13445-3 evaluations and the WRC inputs keep the
// values they had. Other versions are refused.
//
// The reader reads into copies and hands them over only when the whole
// file is sound: a missing file, another kind of file, a version out of
// range, a short or damaged one (an analysis kind, shell type, load case
// or unit choice out of range, a number that is not finite) each give
// their message and change nothing. The writer writes a temporary file
// beside the target and renames it over it: a failed save never destroys
// the previous file.
#pragma once

#include <cstdint>
#include <string>

#include "evaluations/NozzleEvaluationModel.h"
#include "services/Units.h"

constexpr const char* kNozzleFileMagic = "QUORVELWNOZ8100";
constexpr std::int64_t kNozzleFileBytes = 217;
constexpr std::int64_t kOldNozzleFileBytes = 145;

// Throws "Unable to write data file" when any of it fails.
void WriteNozzleFileFrom(const std::string& path, const NozzleEvaluation& data, const UnitsSettings& units);
// Reads `path` over `data` and `units`; throws the reader's message, with
// both left as they were.
void ReadNozzleFileInto(const std::string& path, NozzleEvaluation& data, UnitsSettings& units);

// The tool's document and the program's units to the document's file; the
// document is then not modified.
void WriteNozzleEvaluationFile();
