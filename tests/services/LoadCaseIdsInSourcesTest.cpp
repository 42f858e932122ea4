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

#include <cctype>
#include <filesystem>
#include <fstream>
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

// A word, a number or one punctuation mark (two for the comparisons ==,
// !=, <=, >= and for -> and ::), with its line.
struct Token {
  std::string text;
  int line = 0;
  bool IsNumber() const { return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) != 0; }
  bool IsWord() const {
    return !text.empty() && (std::isalpha(static_cast<unsigned char>(text[0])) != 0 || text[0] == '_');
  }
};

std::vector<Token> Tokens(const std::string& code) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  auto wordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; };
  while (i < code.size()) {
    const char c = code[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (std::isspace(static_cast<unsigned char>(c)) != 0) {
      ++i;
    } else if (wordChar(c)) {
      // A number's suffix and fraction stay with it (1.0e30f is no id).
      std::size_t end = i;
      while (end < code.size() && (wordChar(code[end]) || (std::isdigit(static_cast<unsigned char>(c)) != 0 &&
                                                            code[end] == '.')))
        ++end;
      tokens.push_back({code.substr(i, end - i), line});
      i = end;
    } else {
      const std::string two = code.substr(i, 2);
      const bool pair = two == "==" || two == "!=" || two == "<=" || two == ">=" || two == "->" || two == "::";
      tokens.push_back({pair ? two : std::string(1, c), line});
      i += pair ? 2 : 1;
    }
  }
  return tokens;
}

bool IsComparison(const std::string& op) {
  return op == "==" || op == "!=" || op == "<=" || op == ">=" || op == "<" || op == ">";
}

// A number that stands for a load case: any but 0 (no case); 1 is the
// lowest id in a check of the range (>= 1, < 1).
bool IsCaseId(const Token& number, const std::string& op = "==") {
  if (!number.IsNumber() || number.text.find_first_not_of("0123456789") != std::string::npos) return false;
  const int value = std::stoi(number.text);
  return value != 0 && !(value == 1 && op != "==" && op != "!=");
}

// The length of the load-case type that starts at `at` (caseType,
// loadCaseType, CurrentCaseType(), CurrentResultCaseType(), CaseType()),
// 0 when none does.
std::size_t CaseTypeAt(const std::vector<Token>& tokens, std::size_t at) {
  if (at >= tokens.size()) return 0;
  const std::string& word = tokens[at].text;
  if (word == "caseType" || word == "loadCaseType") return 1;
  const bool query = word == "CurrentCaseType" || word == "CurrentResultCaseType" || word == "CaseType";
  if (query && at + 2 < tokens.size() && tokens[at + 1].text == "(" && tokens[at + 2].text == ")") return 3;
  return 0;
}

// The lines of `code` that hold a load-case id as a number.
std::set<int> LiteralCaseIdLines(const std::string& code) {
  const std::vector<Token> t = Tokens(code);
  auto text = [&t](std::size_t at) { return at < t.size() ? t[at].text : std::string(); };
  std::set<int> found;
  for (std::size_t at = 0; at < t.size(); ++at) {
    if (const std::size_t length = CaseTypeAt(t, at)) {
      const std::size_t after = at + length;
      // caseType == 19, and F(caseType, 19 or F(caseType, {19, ...
      if (IsComparison(text(after)) && after + 1 < t.size() && IsCaseId(t[after + 1], text(after)))
        found.insert(t[at].line);
      if (at > 1 && text(at - 1) == "(" && t[at - 2].IsWord() && text(after) == ",") {
        const std::size_t value = text(after + 1) == "{" ? after + 2 : after + 1;
        if (value < t.size() && IsCaseId(t[value])) found.insert(t[at].line);
      }
      // 19 == caseType, and 19 == loads.caseType
      std::size_t before = at;
      while (before >= 2 && (text(before - 1) == "." || text(before - 1) == "->") && t[before - 2].IsWord())
        before -= 2;
      if (before >= 2 && IsComparison(text(before - 1)) && IsCaseId(t[before - 2], text(before - 1)))
        found.insert(t[at].line);
      // The labels of a switch on a load-case type, to the end of its block.
      if (at >= 2 && text(at - 1) == "(" && text(at - 2) == "switch" && text(after) == ")" &&
          text(after + 1) == "{") {
        int depth = 0;
        for (std::size_t k = after + 1; k < t.size(); ++k) {
          if (t[k].text == "{") ++depth;
          if (t[k].text == "}" && --depth == 0) break;
          if (t[k].text == "case" && k + 2 < t.size() && t[k + 2].text == ":" && IsCaseId(t[k + 1]))
            found.insert(t[k].line);
        }
      }
    }
    const std::string& word = t[at].text;
    // ResultCaseOfType(32), and the other look-ups of one case by its id.
    if ((word == "ResultCaseOfType" || word == "SelectLoadCaseByType" || word == "AppendLoadCaseStep" ||
         word == "LoadCaseTitle") &&
        text(at + 1) == "(" && at + 3 < t.size() && text(at + 3) == ")" && IsCaseId(t[at + 2]))
      found.insert(t[at].line);
    // LoadCaseListHas(list, 30)
    if (word == "LoadCaseListHas" && text(at + 1) == "(") {
      std::size_t k = at + 2;
      while (k < t.size() && t[k].text != "," && t[k].text != ")" && t[k].text != "(") ++k;
      if (text(k) == "," && k + 2 < t.size() && text(k + 2) == ")" && IsCaseId(t[k + 1])) found.insert(t[at].line);
    }
    // selected[30], present[1]
    if ((word == "selected" || word == "present") && text(at + 1) == "[" && at + 3 < t.size() &&
        text(at + 3) == "]" && IsCaseId(t[at + 2]))
      found.insert(t[at].line);
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
