// The one road of programming errors. QV_ASSERT(expression) calls
// AssertFailed with the expression text, the source path under SRC and the
// line; AssertFailed shows the message, asks to save a modified model, and
// then either throws "Analysis aborted." (while an analysis runs) or ends the
// process with exit code 1. It never returns.
#pragma once

[[noreturn]] void AssertFailed(const char* expression, const char* file, int line);

// The source path from "SRC/" on, as the assertion message shows it.
constexpr const char* AssertSourcePath(const char* path) {
  const char* found = path;
  for (const char* p = path; *p != '\0'; ++p)
    if (p[0] == 'S' && p[1] == 'R' && p[2] == 'C' && (p[3] == '/' || p[3] == '\\')) found = p;
  return found;
}

#define QV_ASSERT(expression) \
  ((expression) ? static_cast<void>(0) : AssertFailed(#expression, AssertSourcePath(__FILE__), __LINE__))
