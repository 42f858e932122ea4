#include "services/ProgramSample.h"

#include <filesystem>
#include <system_error>

#include "platform/FileNames.h"
#include "services/ProgramContext.h"

std::string ProgramSamplePath() { return ProgramFolder + "BigModel.mod"; }

bool IsProgramSample(const std::string& path) {
  if (path.empty() || ProgramFolder.empty()) return false;
  const std::filesystem::path given = platform::FileSystemPath(path);
  const std::filesystem::path sample = platform::FileSystemPath(ProgramSamplePath());
  // A link or another spelling of the folder names the same file.
  std::error_code error;
  if (std::filesystem::equivalent(given, sample, error)) return true;
  const std::filesystem::path givenPlace = std::filesystem::absolute(given, error).lexically_normal();
  if (error) return false;
  const std::filesystem::path samplePlace = std::filesystem::absolute(sample, error).lexically_normal();
  return !error && givenPlace == samplePlace;
}
