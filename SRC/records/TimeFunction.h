// Time functions: the model's list of named (time, value) tables that time
// varying loads scale, and its model-file section (names of 16 bytes before
// version 503, 32 from 503). The list always ends with one blank record,
// never saved (PointTables.h). Start reading at ReadTimeFunctions.
//
// A function's value at a time is its first value before its first point,
// its last value after its last point and linear in between.
#pragma once

#include <string>
#include <vector>

#include "records/PointTables.h"


using TimeFunction = NamedPoints;  // (time in seconds, value)
using TimeFunctionList = NamedPointsList;

void ClearTimeFunctions(TimeFunctionList& list);  // only the blank record
bool HasTimeFunctions(const TimeFunctionList& list);
int FindTimeFunction(const TimeFunctionList& list, const std::string& name);

// The value of function `index` at `time`; throws "Interpolate on empty
// vector" for a function without points.
float TimeFunctionValueAt(const TimeFunctionList& list, float time, std::size_t index);
// The time of the last point; 0 without points.
float TimeFunctionDuration(const TimeFunctionList& list, std::size_t index);
// Fills the trailing blank record and appends a new one (the importers).
void SetLastTimeFunction(TimeFunctionList& list, const std::string& name, const std::vector<FloatPair>& points);

// Refuses as damage a point no road stores (CheckReadPointTable).
void ReadTimeFunctions(BinaryFile& file, int version, TimeFunctionList& list);
// The fault of a time function's points that no road stores
// (PointTableFault); empty when none.
std::string TimeFunctionPointFault(const TimeFunction& record);
// The notes of what an older file may hold (PointTableNotes).
// The values of a model file's time functions below 1E-37, mended to the
// typed zero with a note each (PointTables.h).
std::vector<std::string> MendTimeFunctionsBelowLeast(TimeFunctionList& list);
std::vector<std::string> TimeFunctionNotes(const TimeFunctionList& list);
void WriteTimeFunctions(BinaryFile& file, const TimeFunctionList& list);
