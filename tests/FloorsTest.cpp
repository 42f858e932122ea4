// The floors of the program (SRC/floors.txt): every source file of
// platform/ and SRC/ stands in a floor's folder, and every quoted include
// names a file of its own floor or of a floor below. The link of each floor
// against the floors below (CMakeLists.txt) catches an upward call; this
// catches what a link cannot see, an upward include of code a header holds
// whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The floor names, bottom first, from the floors file: each line that
// starts with a name (comments start with '#').
std::vector<std::string> ReadFloors(const fs::path& floorsFile) {
  std::vector<std::string> floors;
  std::ifstream in(floorsFile);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line[0] == ' ') continue;
    floors.push_back(line.substr(0, line.find_first_of(" \t")));
  }
  return floors;
}

// The folder of a floor below the source root.
fs::path FloorFolder(const std::string& floor) { return floor == "platform" ? fs::path("platform") : "SRC" / fs::path(floor); }

bool IsSource(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".h" || extension == ".cpp";
}

// A quoted include as the compiler finds it: beside the including file,
// then in the source root, then in SRC/.
fs::path Resolve(const fs::path& root, const fs::path& includer, const std::string& name) {
  for (const fs::path& base : {includer.parent_path(), fs::path(), fs::path("SRC")}) {
    const fs::path candidate = (base / name).lexically_normal();
    if (fs::is_regular_file(root / candidate)) return candidate;
  }
  return {};
}

// The name of a quoted include on `line`, or "" (angle includes are not
// the program's).
std::string QuotedInclude(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return {};
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return {};
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || line[at] != '"') return {};
  const std::size_t end = line.find('"', at + 1);
  return end == std::string::npos ? std::string() : line.substr(at + 1, end - at - 1);
}

// Every fault of the tree under `root`, one line each: "file: on no floor"
// or "file:line: includes target (floor) from floor".
std::vector<std::string> FloorFaults(const fs::path& root) {
  const std::vector<std::string> floors = ReadFloors(root / "SRC" / "floors.txt");
  std::map<fs::path, std::size_t> level;  // floor folder -> its place, bottom 0
  for (std::size_t i = 0; i < floors.size(); ++i) level[FloorFolder(floors[i])] = i;
  auto floorOf = [&](const fs::path& file) -> const std::size_t* {
    const auto found = level.find(file.parent_path());
    return found == level.end() ? nullptr : &found->second;
  };

  std::vector<std::string> faults;
  std::vector<fs::path> files;
  for (const char* top : {"platform", "SRC"}) {
    if (!fs::is_directory(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top))
      if (entry.is_regular_file() && IsSource(entry.path())) files.push_back(fs::relative(entry.path(), root));
  }
  std::sort(files.begin(), files.end());

  for (const fs::path& file : files) {
    const std::size_t* from = floorOf(file);
    if (from == nullptr) {
      faults.push_back(file.string() + ": on no floor");
      continue;
    }
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string name = QuotedInclude(line);
      if (name.empty()) continue;
      const fs::path target = Resolve(root, file, name);
      if (target.empty()) continue;  // not a source of the program (generated, resources)
      const std::size_t* to = floorOf(target);
      if (to == nullptr || *to <= *from) continue;
      std::ostringstream fault;
      fault << file.string() << ":" << number << ": includes " << target.string() << " (" << floors[*to]
            << ") from " << floors[*from];
      faults.push_back(fault.str());
    }
  }
  return faults;
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

}  // namespace

TEST(Floors, NoIncludeRunsUpwardAndEveryFileStandsOnAFloor) {
  const std::vector<std::string> faults = FloorFaults(QUORVEL_SOURCE_DIR);
  std::string listed;
  for (const std::string& fault : faults) listed += fault + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults:\n" << listed;
}

TEST(Floors, TheCheckNamesAnUpwardIncludeAndAFileOnNoFloor) {
  const fs::path root = fs::path(::testing::TempDir()) / "floors-check";
  fs::remove_all(root);
  Write(root / "SRC" / "floors.txt", "# bottom first\nplatform  the layer\nlow       below\nhigh      above\n");
  Write(root / "platform" / "Layer.h", "#pragma once\n");
  Write(root / "SRC" / "low" / "Low.h", "#pragma once\n#include \"platform/Layer.h\"\n");
  Write(root / "SRC" / "low" / "Low.cpp", "#include \"low/Low.h\"\n\n#include \"high/High.h\"\n");
  Write(root / "SRC" / "high" / "High.h", "#pragma once\n#include \"Low2.h\"\n#include \"low/Low.h\"\n");
  Write(root / "SRC" / "loose" / "Loose.cpp", "int loose;\n");
  const std::vector<std::string> faults = FloorFaults(root);
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0], "SRC/loose/Loose.cpp: on no floor");
  EXPECT_EQ(faults[1], "SRC/low/Low.cpp:3: includes SRC/high/High.h (high) from low");
  fs::remove_all(root);
}
