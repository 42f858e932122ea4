// For the fuzz targets of document readers that take a path and whose
// inputs are also written back by the program's writers: scratch files, and
// the end of a run that found a fault. Each file is made anew
// for every input (a file truncated and written again is flushed to the
// disk when it is closed, on ext4), in memory-backed /dev/shm when the
// machine has it (the writers sync what they write), so a target reads
// thousands of inputs a second however busy the disk is. The folder goes
// with the process.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "fuzz/FuzzTarget.h"

namespace scratch {

inline std::string& Folder() {
  static std::string folder;
  return folder;
}

inline void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
}

// The path of `name` in the scratch folder, made on the first call.
inline std::string PathOf(const std::string& name) {
  if (Folder().empty()) {
    char pattern[] = "/dev/shm/quorvel-fuzz-XXXXXX";
    if (mkdtemp(pattern) != nullptr) {
      Folder() = pattern;
      std::atexit(RemoveFolder);
    } else {
      // No /dev/shm: the target's private folder.
      Folder() = std::filesystem::path(FuzzWriteFile("scratch", nullptr, 0)).parent_path().string();
    }
  }
  return Folder() + "/" + name;
}

// Writes the bytes to a new file `name`; returns its path.
inline std::string Write(const std::string& name, const void* data, std::size_t size) {
  const std::string path = PathOf(name);
  unlink(path.c_str());
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}
inline std::string Write(const std::string& name, const std::string& bytes) {
  return Write(name, bytes.data(), bytes.size());
}

inline std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes a writer called as write(path) puts in a new file `name`.
template <typename Writer>
std::string Written(const std::string& name, Writer&& write) {
  const std::string path = PathOf(name);
  unlink(path.c_str());
  write(path);
  return Read(path);
}

// A broken promise of the reader: says which, and ends the run as a crash.
[[noreturn]] inline void Fault(const char* what) {
  std::fprintf(stderr, "fault: %s\n", what);
  __builtin_trap();
}

}  // namespace scratch
