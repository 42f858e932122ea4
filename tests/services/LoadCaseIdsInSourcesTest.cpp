// The load-case ids the code names are written once, in
// services/LoadCaseTypes.h (and their thermal families in
// records/LoadCaseList.h): the model and results files hold the ids, and a
// number written again beside a comparison is one that can drift from them
// unseen. This reads the sources and names every place where a load-case
// type is compared with a number, switched on by number, looked up by
// number or tested for membership in a list of numbers.
//
// A load-case type is recognised by its name: `caseType`, `loadCaseType`
// (a variable or a field) or the queries CurrentCaseType(),
// CurrentResultCaseType() and CaseType(); and by the calls and flags that
// take an id (ResultCaseOfType, SelectLoadCaseByType, AppendLoadCaseStep,
// LoadCaseTitle, LoadCaseListHas, the `selected` and `present` flags). 0
// (no case) is no id; `>= 1` and `< 1` are checks of the range of ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The text with its comments and the contents of its string and character
// literals blanked out, line breaks kept, so that line numbers still hold.
std::string CodeOnly(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, 2, "//") == 0) {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (text.compare(i, 2, "/*") == 0) {
      const std::size_t end = text.find("*/", i + 2);
      const std::size_t stop = end == std::string::npos ? text.size() : end + 2;
      for (; i < stop; ++i)
        if (text[i] == '\n') out += '\n';
    } else if (text[i] == '"' || text[i] == '\'') {
      const char quote = text[i++];
      while (i < text.size() && text[i] != quote && text[i] != '\n') i += text[i] == '\\' ? 2 : 1;
      out += quote;
      out += quote;
      ++i;
    } else {
      out += text[i++];
    }
  }
  return out;
}

bool IsCaseId(const std::string& number, const std::string& op = "") {
  const int value = std::stoi(number);
  if (value == 0) return false;
  return !(value == 1 && (op == "<" || op == ">" || op == "<=" || op == ">="));
}

// The lines of `code` (numbered from 1) that hold a load-case id as a number.
std::set<int> LiteralCaseIdLines(const std::string& code) {
  const std::string caseType = R"((?:caseType|loadCaseType|(?:Current|CurrentResult)?CaseType\(\)))";
  const std::string op = "(==|!=|<=|>=|<|>)";
  static const std::regex before("(?:^|[^\\w])" + caseType + "(?!\\w)\\s*" + op + "\\s*(\\d+)\\b");
  static const std::regex after("\\b(\\d+)\\s*" + op + "\\s*(?:\\w+(?:\\.|->))*" + caseType + "(?!\\w)");
  static const std::regex member("\\w+\\(\\s*" + caseType + "\\s*,\\s*\\{?\\s*(\\d+)");
  static const std::regex call(
      "\\b(?:ResultCaseOfType|SelectLoadCaseByType|AppendLoadCaseStep|LoadCaseTitle)\\(\\s*(\\d+)\\s*\\)|"
      "\\bLoadCaseListHas\\([^,()]+,\\s*(\\d+)\\s*\\)|\\b(?:selected|present)\\[(\\d+)\\]");
  static const std::regex switchOn("switch\\s*\\(\\s*" + caseType + "\\s*\\)");
  static const std::regex caseLabel("\\bcase\\s+(\\d+)\\s*:");

  std::vector<std::string> lines;
  std::vector<std::size_t> starts;
  std::istringstream in(code);
  std::size_t offset = 0;
  for (std::string line; std::getline(in, line); offset += line.size() + 1) {
    lines.push_back(line);
    starts.push_back(offset);
  }
  auto lineAt = [&starts](std::size_t at) {
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin());
  };

  std::set<int> found;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string& line = lines[index];
    // Most lines hold none of the names: the patterns run only where one is.
    if (line.find("aseType") == std::string::npos && line.find("LoadCase") == std::string::npos &&
        line.find("OfType") == std::string::npos && line.find('[') == std::string::npos)
      continue;
    const int number = static_cast<int>(index) + 1;
    auto each = [&line](const std::regex& pattern, auto take) {
      for (auto it = std::sregex_iterator(line.begin(), line.end(), pattern); it != std::sregex_iterator(); ++it)
        take(*it);
    };
    each(before, [&](const std::smatch& m) { if (IsCaseId(m[2], m[1])) found.insert(number); });
    each(after, [&](const std::smatch& m) { if (IsCaseId(m[1], m[2])) found.insert(number); });
    each(member, [&](const std::smatch& m) { if (IsCaseId(m[1])) found.insert(number); });
    each(call, [&](const std::smatch& m) {
      for (std::size_t g = 1; g < m.size(); ++g)
        if (m[g].matched && IsCaseId(m[g])) found.insert(number);
    });
    // The labels of a switch on a load-case type, to the end of its block.
    std::smatch on;
    if (!std::regex_search(line, on, switchOn)) continue;
    const std::size_t open = code.find('{', starts[index] + static_cast<std::size_t>(on.position(0) + on.length(0)));
    if (open == std::string::npos) continue;
    std::size_t close = open;
    for (int depth = 0; close < code.size(); ++close) {
      if (code[close] == '{') ++depth;
      if (code[close] == '}' && --depth == 0) break;
    }
    const std::string block = code.substr(open, close - open);
    for (auto it = std::sregex_iterator(block.begin(), block.end(), caseLabel); it != std::sregex_iterator(); ++it)
      if (IsCaseId((*it)[1])) found.insert(lineAt(open + static_cast<std::size_t>(it->position(0))));
  }
  return found;
}

std::vector<std::string> LiteralCaseIds(const std::string& name, const std::string& text) {
  std::vector<std::string> found;
  std::vector<std::string> source;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) source.push_back(line);
  for (int line : LiteralCaseIdLines(CodeOnly(text)))
    found.push_back(name + ":" + std::to_string(line) + ": " + source[static_cast<std::size_t>(line) - 1]);
  return found;
}

}  // namespace

// The reader finds each form it looks for, and passes what is named, what
// is no load case and what it is told to pass.
TEST(LoadCaseIdsInSources, TheReaderFindsEachFormOfANumberedCase) {
  const std::string flagged =
      "if (caseType == 19) return;\n"
      "if (8 != loads.caseType) return;\n"
      "bool b = InTypes(CurrentResultCaseType(), {1, 12});\n"
      "switch (caseType) {\n"
      "  case kCaseIdModal: break;\n"
      "  case 30: break;\n"
      "}\n"
      "const bool s = ResultCaseOfType(32) != 0;\n"
      "model.loadCases.selected[30] = 1;\n"
      "return CaseType() == 1;\n";
  EXPECT_EQ(LiteralCaseIdLines(CodeOnly(flagged)), (std::set<int>{1, 2, 3, 6, 8, 9, 10}));

  const std::string passed =
      "if (caseType == kCaseIdHydrotest || caseType == 0) return;\n"
      "QV_ASSERT(caseType >= 1 && caseType <= kLastLoadCaseType);\n"
      "// caseType == 19 in a comment\n"
      "const char* text = \"caseType == 19\";\n"
      "std::vector<int> caseTypes; if (caseTypes.size() == 2) return;\n"
      "if (Bs806HotCaseType(list, 2) != 0) return;\n"
      "if (flange.type == 7 || weld.type == 1) return;\n"
      "switch (kind) { case 3: break; }\n"
      "/* switch (caseType) {\n"
      "   case 2: } */\n";
  EXPECT_EQ(LiteralCaseIdLines(CodeOnly(passed)), std::set<int>{});
}

TEST(LoadCaseIdsInSources, NoLoadCaseIdIsWrittenAsANumber) {
  const fs::path root = fs::path(QUORVEL_SOURCE_DIR) / "SRC";
  ASSERT_TRUE(fs::is_directory(root)) << root;
  std::vector<std::string> found;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    for (std::string& line : LiteralCaseIds(fs::relative(entry.path(), root).generic_string(), text.str()))
      found.push_back(std::move(line));
  }
  EXPECT_GT(files, 100);
  std::string listing;
  for (const std::string& line : found) listing += "  " + line + "\n";
  EXPECT_TRUE(found.empty()) << "load-case ids written as numbers (name them from services/LoadCaseTypes.h or "
                                "the thermal families of records/LoadCaseList.h):\n"
                             << listing;
}
