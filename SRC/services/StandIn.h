// Marks a module, or a single operation, that stands in for one that a later
// piece of work builds. A stand-in never pretends: it refuses with a clear
// message or does nothing visible, and a record it holds still round-trips.
// The mark is a compile-time no-op that `grep STAND_IN` lists.
#pragma once

#define STAND_IN(what) static_assert(sizeof(what) > 1, "a stand-in says what it stands in for")
