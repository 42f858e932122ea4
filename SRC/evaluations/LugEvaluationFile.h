// The lug evaluation file (*.lug): one set of the tool's inputs and the
// program's unit choices. 304 bytes, little-endian, no padding:
//
//   offset  field
//        0  "QUORVELWLUG8100" and a zero byte
//       16  code, level, lug type (int32 each)
//   28..48  OD, Thk, L1, L2, od, thk (float32)
//   52..68  s1 .. s5
//   72..96  fh, fa, fcr, ReHt, sh, sy, sa
//      100  weld type (int32)
//      104  loads, five sets of W, Q1, Q2, ML, MN, MT (float32), stored
//           Sustained, Thermal, Occasional, Settlement, Abs. Max.
//      224  the unit choice of every unit kind, 20 int32
//
// The reader reads into copies and hands them over only when the whole
// file is sound: a missing file, another kind of file, a short or damaged
// one (a code, level, lug type, weld type or unit choice out of range, a
// number that is not finite) each give their message and change nothing.
// The writer replaces the file only once the new one is whole.
#pragma once

#include <cstdint>
#include <string>

#include "evaluations/LugEvaluationModel.h"
#include "services/Units.h"

constexpr const char* kLugFileMagic = "QUORVELWLUG8100";
constexpr std::int64_t kLugFileBytes = 304;

// Throws "Unable to write lug data file" when any of it fails.
void WriteLugFileFrom(const std::string& path, const LugInputs& data, const UnitsSettings& units);
void ReadLugFileInto(const std::string& path, LugInputs& data, UnitsSettings& units);
// The document and the program's units to the document's file; then not
// modified.
void WriteLugFile();
