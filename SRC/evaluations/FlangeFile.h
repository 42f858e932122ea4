// The flange qualification file (*.flg): one set of the tool's inputs,
// never its results. 137 bytes, little-endian, no padding:
//
//   offset  field
//        0  magic, the 15 characters "QUORVELWFLG6700" and a zero byte
//       16  flange type (int32, 0 to 4)
//   20..64  A, B, B', t, g0, g1, h, sf, sfa, E, Ea, C (float32 each)
//       68  number of bolts (int32), 72 bolt size index (int32, 0 to 16)
//  76..100  bolt diameter, sb, sa, GOD, GID, m, y (float32 each)
//      104  facing sketch (int32), 108 facing column (int32)
// 112..128  design pressure, design temperature, axial force, bending
//           moment, allowable pressure (float32 each)
//      132  the unit choices of Length, Dimension, Displacement, Angle and
//           Force, one byte each (the index in the kind's unit list)
//
// Values are in the internal English units. The reader takes no version
// from the magic: only the whole 15-character text is accepted. It reads
// into copies and hands them over only when the whole file is sound: a
// missing file, another kind of file, a short or damaged one (a type, bolt
// size or unit choice out of range, a number that is not finite) each
// give their message and change nothing. A facing sketch or column of 0
// (the sheet once let it through) reads as 1, and the bolt diameter is
// always that of the bolt size row.
//
// The writer writes a temporary file beside the target and renames it
// over the target, so a failed save never destroys the previous file.
#pragma once

#include <cstdint>
#include <string>

#include "evaluations/FlangeModel.h"
#include "services/Units.h"

constexpr const char* kFlangeFileMagic = "QUORVELWFLG6700";
constexpr std::int64_t kFlangeFileBytes = 137;
constexpr int kFlangeFileUnitKinds = 5;

// Writes `data` and the first five unit choices of `units` to `path`;
// throws "Unable to write flange data file" when any of it fails.
void WriteFlangeFileFrom(const std::string& path, const FlangeQualificationData& data, const UnitsSettings& units);
// Reads `path` into `data` and the first five unit choices of `units`;
// throws the reader's message, with both left as they were.
void ReadFlangeFileInto(const std::string& path, FlangeQualificationData& data, UnitsSettings& units);

// The tool's document and the program's units to the document's file; the
// document is then not modified.
void WriteFlangeFile();
