// One fuzz target per reader of files. Each target file defines the libFuzzer
// entry (any input must be read or refused, never crash, hang or touch
// memory it does not own; a target whose road makes a model asks every
// model it accepts what AcceptedModelCheck.h asks) and the seeds it makes in
// code: files written by the program's own writers, the model files the
// tests write. With clang and QUORVEL_FUZZ the target links libFuzzer for
// long runs; every build links it with SeedDriver.cpp, which runs it over
// the seeds, the committed seed folders (tests/fuzz/seeds/<target>) and
// damaged variants of each, as an ordinary test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Seeds made in code; may be empty.
std::vector<std::string> FuzzSeeds();

// Optional: about how many inputs the seed driver may run over the seeds
// and their variants, for a target whose every input costs much (one that
// saves and reads back each model it accepts); each seed then gets a share
// of its variants.
std::size_t FuzzSeedBudget();

// Sets up a private HOME, XDG_CONFIG_HOME and TMPDIR under a fresh folder
// (removed at exit), so that no target touches the real ones.
void FuzzIsolate();

// Writes `bytes` to a file of the private folder named `name`; returns its path.
std::string FuzzWriteFile(const std::string& name, const std::uint8_t* data, std::size_t size);
