// The floors of the program (SRC/floors.txt): every file of platform/ and
// SRC/ stands in a floor's folder, and every include of the program's own
// files, quoted or in angle brackets, names a file of its own floor or of a
// floor below. The link of each floor against the floors below
// (CMakeLists.txt) catches an upward call; this catches what a link cannot
// see, an upward include of code a header holds whole.
//
// A floor's folder holds .h and .cpp files and whatever file of another
// kind they include (a .inc table, say), which is held to the same rule;
// any other file there is one no build reads, and is named.
//
// And the comments of the sources name only paths that exist: a comment
// that names a file or a folder the code has left sends its reader nowhere.
//
// And every call of the file system by a name takes it through
// platform/FileNames.h (the disk's UTF-8), on the line of the call or in a
// variable named for the disk's bytes (diskPath).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
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

// An include line's name and whether it is quoted.
struct IncludeName {
  std::string name;
  bool quoted = false;
};

// The include on `line`, if it is one ("name" or <name>).
std::optional<IncludeName> IncludeOn(const std::string& line) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line[at] != '#') return std::nullopt;
  at = line.find_first_not_of(" \t", at + 1);
  if (at == std::string::npos || line.compare(at, 7, "include") != 0) return std::nullopt;
  at = line.find_first_not_of(" \t", at + 7);
  if (at == std::string::npos || (line[at] != '"' && line[at] != '<')) return std::nullopt;
  const char close = line[at] == '"' ? '"' : '>';
  const std::size_t end = line.find(close, at + 1);
  if (end == std::string::npos) return std::nullopt;
  return IncludeName{line.substr(at + 1, end - at - 1), close == '"'};
}

// An include as the compiler finds it among the program's files: a quoted
// one beside the including file first; both then in the source root and in
// SRC/, the build's include folders. A name found in neither (a system or
// library header, a generated file) is not the program's: empty.
fs::path Resolve(const fs::path& root, const fs::path& includer, const IncludeName& include) {
  std::vector<fs::path> bases{fs::path(), fs::path("SRC")};
  if (include.quoted) bases.insert(bases.begin(), includer.parent_path());
  for (const fs::path& base : bases) {
    const fs::path candidate = (base / include.name).lexically_normal();
    if (fs::is_regular_file(root / candidate)) return candidate;
  }
  return {};
}

// Every fault of the tree under `root`, one line each: "file: on no floor",
// "file: read by no build (...)" or "file:line: includes target (floor)
// from floor".
std::vector<std::string> FloorFaults(const fs::path& root) {
  const fs::path floorsFile = fs::path("SRC") / "floors.txt";
  const std::vector<std::string> floors = ReadFloors(root / floorsFile);
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
      if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root));
  }
  std::sort(files.begin(), files.end());

  // The sources are read first; a file of another kind is read once a file
  // read includes it, and is then held to the same rule.
  std::vector<fs::path> toRead;
  std::set<fs::path> others;
  for (const fs::path& file : files) {
    if (file == floorsFile) continue;
    if (floorOf(file) == nullptr)
      faults.push_back(file.string() + ": on no floor");
    else if (IsSource(file))
      toRead.push_back(file);
    else
      others.insert(file);
  }
  std::vector<std::string> includeFaults;
  for (std::size_t next = 0; next < toRead.size(); ++next) {
    const fs::path file = toRead[next];
    const std::size_t from = *floorOf(file);
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::optional<IncludeName> include = IncludeOn(line);
      if (!include) continue;
      const fs::path target = Resolve(root, file, *include);
      if (target.empty()) continue;
      if (others.erase(target) != 0) toRead.push_back(target);
      const std::size_t* to = floorOf(target);
      if (to == nullptr || *to <= from) continue;
      std::ostringstream fault;
      fault << file.string() << ":" << number << ": includes " << target.string() << " (" << floors[*to]
            << ") from " << floors[from];
      includeFaults.push_back(fault.str());
    }
  }
  for (const fs::path& file : others)
    faults.push_back(file.string() + ": read by no build (neither .h nor .cpp, and no source includes it)");
  std::sort(includeFaults.begin(), includeFaults.end());
  faults.insert(faults.end(), includeFaults.begin(), includeFaults.end());
  return faults;
}

// The folders at the start of a path a comment names: the source root's
// and the floors'.
bool NamesProjectFolder(const std::string& first, const std::vector<std::string>& floors) {
  static const char* const kTops[] = {"SRC", "platform", "tests", "bench", "tools", "resources", "examples"};
  return std::find(std::begin(kTops), std::end(kTops), first) != std::end(kTops) ||
         std::find(floors.begin(), floors.end(), first) != floors.end();
}

bool IsPathCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '-' || c == '.' || c == '/';
}

// A placeholder in a path ("resources/dialogs/NAME.dlg"): a name in capitals.
bool IsPlaceholder(const fs::path& path) {
  const std::string stem = path.stem().string();
  return !stem.empty() &&
         std::all_of(stem.begin(), stem.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; });
}

// Where the comment on a line of code starts ("//" outside a string or a
// character literal); npos when it has none.
std::size_t CommentStart(const std::string& line) {
  char quote = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (quote != 0) {
      if (c == '\\') ++at;
      else if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '/' && at + 1 < line.size() && line[at + 1] == '/') {
      return at;
    }
  }
  return std::string::npos;
}

// Whether a header of that name is a system one (a comment may name one).
bool IsSystemHeader(const std::string& name) {
  static const std::set<std::string> names = [] {
    std::set<std::string> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it("/usr/include", fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error))
      found.insert(it->path().filename().string());
    return found;
  }();
  return names.count(name) != 0;
}

// Every path the comments (after "//") of the sources under `root` name
// that is not there: "file:line: names path". A path with a folder counts
// when it starts at a folder of the project or ends in .h or .cpp; it is
// looked for from the source root, SRC/, tests/ and the commenting file's
// folder. A bare .h or .cpp name counts when no file of the project bears
// it (nor a system header).
std::vector<std::string> MissingPathsInComments(const fs::path& root) {
  const std::vector<std::string> floors = ReadFloors(root / "SRC" / "floors.txt");
  std::vector<fs::path> files;
  std::set<std::string> names;
  for (const char* top : {"SRC", "platform", "tests", "bench"}) {
    if (!fs::is_directory(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      if (!entry.is_regular_file()) continue;
      names.insert(entry.path().filename().string());
      if (IsSource(entry.path())) files.push_back(fs::relative(entry.path(), root));
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> faults;
  for (const fs::path& file : files) {
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::size_t comment = CommentStart(line);
      if (comment == std::string::npos) continue;
      const std::string text = line.substr(comment + 2);
      for (std::size_t at = 0; at < text.size();) {
        if (!IsPathCharacter(text[at])) {
          ++at;
          continue;
        }
        std::size_t end = at;
        while (end < text.size() && IsPathCharacter(text[end])) ++end;
        // A word glued to a wildcard or a placeholder ("*Results.cpp",
        // "<kind>.h") is a pattern; one that starts with a slash or a dot
        // (an absolute path, "../x", ".cpp") is not a project path.
        const bool pattern = (at > 0 && (text[at - 1] == '*' || text[at - 1] == '>')) ||
                             (end < text.size() && (text[end] == '*' || text[end] == '<'));
        std::string word = text.substr(at, end - at);
        at = end;
        while (!word.empty() && word.back() == '.') word.pop_back();  // a sentence's full stop
        if (pattern || word.empty() || word[0] == '/' || word[0] == '.') continue;
        const fs::path named(word);
        const std::string extension = named.extension().string();
        const bool source = extension == ".h" || extension == ".cpp";
        bool missing = false;
        if (word.find('/') != std::string::npos) {
          const std::string first = word.substr(0, word.find('/'));
          const bool project = NamesProjectFolder(first, floors);
          if ((!source && !project) || IsPlaceholder(named)) continue;
          missing = project || !fs::exists("/usr/include" / named);  // <GL/gl.h>
          for (const fs::path& base : {fs::path(), fs::path("SRC"), fs::path("tests"), file.parent_path()})
            if (fs::exists(root / base / named)) missing = false;
        } else if (source && std::isupper(static_cast<unsigned char>(word[0])) != 0) {
          missing = names.count(word) == 0 && !IsSystemHeader(word);
        }
        if (missing) faults.push_back(file.string() + ":" + std::to_string(number) + ": names " + word);
      }
    }
  }
  return faults;
}

// Whether a line of code (its comment cut off) calls the file system by a
// name: a C call (a whole name), an operation of std::filesystem (as fs::
// or std::filesystem::), or a file stream opened or made with one.
bool CallsTheFileSystem(const std::string& code) {
  for (const std::string name : {"fopen(", "stat(", "access(", "mkstemp(", "mkostemps(", "opendir(", "unlink(", "open(",
                                 "std::rename(", "std::remove("})
    for (std::size_t at = code.find(name); at != std::string::npos; at = code.find(name, at + 1))
      if ((at == 0 || (std::isalnum(static_cast<unsigned char>(code[at - 1])) == 0 &&
                       std::strchr("_.>", code[at - 1]) == nullptr)) &&
          (name != "std::remove(" || code.find("c_str", at) != std::string::npos))  // not the algorithm
        return true;
  for (const char* name : {"s::exists(", "s::is_directory(", "s::is_regular_file(", "s::remove(", "s::remove_all(",
                           "s::rename(", "s::copy_file(", "s::file_size(", "s::create_directories(", "directory_iterator ",
                           "s::equivalent(", "canonical(", "s::current_path(", "s::last_write_time(", ".open("})
    if (code.find(name) != std::string::npos) return true;
  const std::size_t stream = code.find("fstream");
  return stream != std::string::npos && code.find('(', stream) < code.find(';', stream);
}

// The calls of the file system by a name not converted, "file:line: text".
std::vector<std::string> UnconvertedFileNames(const fs::path& root) {
  std::vector<std::string> faults;
  for (const char* top : {"SRC", "platform"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const fs::path file = fs::relative(entry.path(), root);
      if (!IsSource(file) || (file.parent_path() == "platform" && file.stem() == "FileNames")) continue;
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        const std::string code = line.substr(0, CommentStart(line));
        if (CallsTheFileSystem(code) && code.find("FileSystemPath(") == std::string::npos &&
            code.find("ToFileSystemName(") == std::string::npos && code.find("isk") == std::string::npos)
          faults.push_back(file.string() + ":" + std::to_string(number) + ": " + line);
      }
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
  Write(root / "platform" / "Layer.h", "#pragma once\n#include <vector>\n#include <X11/Xlib.h>\n");
  Write(root / "SRC" / "low" / "Low.h", "#pragma once\n#include \"platform/Layer.h\"\n#include <platform/Layer.h>\n");
  Write(root / "SRC" / "low" / "Low.cpp",
        "#include \"low/Low.h\"\n\n#include \"high/High.h\"\n#include <high/High.h>\n  #  include <SRC/high/High.h>\n"
        "#include \"Table.inc\"\n");
  // A file of another kind that a source includes is held to the rule too.
  Write(root / "SRC" / "low" / "Table.inc", "// rows\n#include <high/High.h>\n#include \"Rows.ipp\"\n");
  Write(root / "SRC" / "low" / "Rows.ipp", "#include \"low/Low.h\"\n");
  // Files of other kinds that nothing includes: the build never reads them.
  Write(root / "SRC" / "low" / "Old.cc", "#include \"high/High.h\"\n");
  Write(root / "SRC" / "high" / "Parts.hpp", "#pragma once\n");
  Write(root / "SRC" / "high" / "High.h",
        "#pragma once\n#include \"Low2.h\"\n#include \"low/Low.h\"\n#include <low/Low.h>\n");
  // An angle include beside the includer is not found there (nor is it a system header).
  Write(root / "SRC" / "high" / "High.cpp", "#include <High.h>\n#include <string>\n");
  Write(root / "SRC" / "loose" / "Loose.cpp", "int loose;\n");
  Write(root / "SRC" / "loose" / "Notes.txt", "notes\n");
  const std::vector<std::string> faults = FloorFaults(root);
  const std::vector<std::string> expected{
      "SRC/loose/Loose.cpp: on no floor",
      "SRC/loose/Notes.txt: on no floor",
      "SRC/high/Parts.hpp: read by no build (neither .h nor .cpp, and no source includes it)",
      "SRC/low/Old.cc: read by no build (neither .h nor .cpp, and no source includes it)",
      "SRC/low/Low.cpp:3: includes SRC/high/High.h (high) from low",
      "SRC/low/Low.cpp:4: includes SRC/high/High.h (high) from low",
      "SRC/low/Low.cpp:5: includes SRC/high/High.h (high) from low",
      "SRC/low/Table.inc:2: includes SRC/high/High.h (high) from low",
  };
  EXPECT_EQ(faults, expected);
  fs::remove_all(root);
}

TEST(Floors, EveryFileNameReachesTheDiskThroughTheFileNameModule) {
  const std::vector<std::string> faults = UnconvertedFileNames(QUORVEL_SOURCE_DIR);
  std::string listed;
  for (const std::string& fault : faults) listed += fault + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " calls take a name the disk does not hold:\n" << listed;
}

TEST(Floors, CommentsNameOnlyPathsThatExist) {
  const std::vector<std::string> faults = MissingPathsInComments(QUORVEL_SOURCE_DIR);
  std::string listed;
  for (const std::string& fault : faults) listed += fault + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " comments name a path that is not there:\n" << listed;
}

TEST(Floors, TheCommentCheckNamesAMissingFileOrFolderAndNothingElse) {
  const fs::path root = fs::path(::testing::TempDir()) / "comments-check";
  fs::remove_all(root);
  Write(root / "SRC" / "floors.txt", "platform  the layer\nlow       below\n");
  Write(root / "platform" / "Layer.h", "#pragma once\n");
  Write(root / "tests" / "low" / "LowTesting.h", "#pragma once\n");
  Write(root / "SRC" / "low" / "Low.h",
        "// The layer (platform/Layer.h), its tests (low/LowTesting.h), Layer.h,\n"
        "// this folder (low/ and SRC/low/), beside it Low.h and ./Low.h, the\n"
        "// dialogs (resources/dialogs/NAME.dlg), every *Results.cpp, and\n"
        "// <cairo.h>, <GL/gl.h>, Xlib.h, /usr/include/stdio.h, and/or 1 lb/in.\n"
        "#pragma once\n"
        "int low;  // Once in platform/Gone.h.\n"
        "// The old home: shell/Low.h; the lists in low/lists/, Gone.cpp.\n");
  const std::vector<std::string> expected{
      "SRC/low/Low.h:6: names platform/Gone.h",
      "SRC/low/Low.h:7: names shell/Low.h",
      "SRC/low/Low.h:7: names low/lists/",
      "SRC/low/Low.h:7: names Gone.cpp",
  };
  EXPECT_EQ(MissingPathsInComments(root), expected);
  fs::remove_all(root);
}
