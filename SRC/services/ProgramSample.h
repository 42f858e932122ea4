// The sample model the program ships in its folder ("BigModel.mod", which
// the first run opens). It is the program's, not the user's: it is opened
// untitled by every road, never enters the recent models, and no save
// writes over it, so an edit of it never changes what the next first run
// shows (nor fails on a read-only program folder).
#pragma once

#include <string>

std::string ProgramSamplePath();
// Whether `path` names the program folder's sample: the same file, or,
// when it is missing, the same place.
bool IsProgramSample(const std::string& path);
