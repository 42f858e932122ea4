// Time functions: the model's list of named (time, value) tables that time
// varying loads scale, and its model-file section (names of 16 bytes before
// version 503, 32 from 503). The list always ends with one blank record,
// never saved. Start reading at ReadTimeFunctions.
#pragma once

#include <string>
#include <vector>

#include "shell/BinaryFile.h"

struct TimeFunction {
  std::string name;               // up to 31 characters
  std::vector<FloatPair> points;  // (time in seconds, value)
};

using TimeFunctionList = std::vector<TimeFunction>;

void ClearTimeFunctions(TimeFunctionList& list);  // only the blank record
bool HasTimeFunctions(const TimeFunctionList& list);
int FindTimeFunction(const TimeFunctionList& list, const std::string& name);

void ReadTimeFunctions(BinaryFile& file, int version, TimeFunctionList& list);
void WriteTimeFunctions(BinaryFile& file, const TimeFunctionList& list);
