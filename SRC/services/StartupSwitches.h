// The start-up switches: flags set once from the environment at start-up
// (only the presence of a variable counts) and read by the modules they
// affect. ManualMode adds "Manual" to the settings key; BrochureMode keeps the
// graphics view from shifting; UntitledMode makes models opened by extension
// untitled; VerificationMode is 502 when the verification switch is set.
// The start-up sequence sets them; until it does they keep these values.
#pragma once

#include <cstdint>

inline bool ManualMode = false;
inline bool BrochureMode = false;
inline bool UntitledMode = false;
inline std::int32_t VerificationMode = 0;
// Cleared by "BOURDONP": the bend element and the recovery of element end
// forces read it to choose their treatment of pressure.
inline bool BourdonSwitch = true;
