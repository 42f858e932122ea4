// The batch file grammar (see ModelBatchFile.h).
#include "records/ModelBatchFile.h"

#include <algorithm>
#include <array>
#include <string>

#include "services/TextFileEncoding.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::optional<std::string> NextField(BatchFieldCursor& cursor, bool blanksSeparate) {
  const std::string& text = cursor.text;
  std::size_t& at = cursor.position;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at >= text.size()) return std::nullopt;
  cursor.fieldStart = at;
  std::string field;
  bool grouped = false;
  while (at < text.size()) {
    const char c = text[at++];
    if (grouped) {
      if (c == ')') grouped = false;
    } else if (c == '(') {
      grouped = true;
    } else if (c == ',' || (blanksSeparate && IsBlank(c))) {
      break;
    }
    field += c;
  }
  if (!blanksSeparate) {
    // Blanks before the separator belong to no value a reader wants.
    while (!field.empty() && IsBlank(field.back())) field.pop_back();
  }
  return field;
}

constexpr int kEndOfFileMark = 0x1A;  // Ctrl+Z, which old editors put last

// One physical line: up to a line feed, a carriage return, or the pair. A
// Ctrl+Z that is the file's last byte ends the file, as it did for the
// editors that wrote it; anywhere else it is a character of the line.
bool ReadPhysicalLine(std::istream& input, std::string& line) {
  line.clear();
  std::streambuf* buffer = input.rdbuf();
  if (buffer == nullptr) return false;
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) return any;
    if (c == kEndOfFileMark && buffer->sgetc() == std::char_traits<char>::eof()) return any;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buffer->sgetc() == '\n') buffer->sbumpc();
      return true;
    }
    line += static_cast<char>(c);
  }
}

struct HeaderWord {
  const char* word;
  std::int32_t section;
};
// In the order they are tested.
constexpr std::array<HeaderWord, 16> kHeaderWords = {{
    {"OPTIO", kBatchOptions},
    {"MATER", kBatchMaterial},
    {"LOADS", kBatchLoads},
    {"BMATE", kBatchBeamMaterials},
    {"SOILS", kBatchSoils},
    {"PIPE", kBatchPipe},
    {"BSECT", kBatchBeamSections},
    {"BLOAD", kBatchBeamLoads},
    {"JOINT", kBatchJoint},
    {"LAYOU", kBatchLayout},
    {"SEISM", kBatchSeismic},
    {"WIND", kBatchWind},
    {"PUMPS", kBatchPumps},
    {"COMPR", kBatchCompressors},
    {"TURBI", kBatchTurbines},
    {"ALLOW", kBatchAllow},
}};
// The sections whose data lines may begin with their own header word (a
// compressor described as "COMPRESSOR K-101").
bool MayHoldItsHeaderWord(std::int32_t section) {
  return section == kBatchPumps || section == kBatchCompressors || section == kBatchTurbines || section == kBatchAllow;
}

// A byte no text line holds (NUL and the other control characters but the
// blanks): a binary file, or one in a wide encoding. Numbers are read as C
// texts, so a NUL inside one would cut it short without a word.
bool IsControlCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && !IsBlank(c)) || byte == 0x7F;
}

void RefuseControlCharacters(BatchReader& reader) {
  const std::size_t at =
      std::find_if(reader.rawLine.begin(), reader.rawLine.end(), IsControlCharacter) - reader.rawLine.begin();
  if (at == reader.rawLine.size()) return;
  const int code = static_cast<unsigned char>(reader.rawLine[at]);
  // The line is shown with its control characters made visible: a NUL
  // would end the message text.
  std::replace_if(reader.rawLine.begin(), reader.rawLine.end(), IsControlCharacter, '?');
  BatchLineError(reader, "Invalid character (code " + std::to_string(code) + ") in column " + std::to_string(at + 1));
}

std::string WorkingCopy(std::string_view raw) {
  std::string line(raw);
  if (!line.empty() && line[0] == '*') return line;
  for (char& c : line)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return line;
}

}  // namespace

void StartBatchFields(BatchFieldCursor& cursor, std::string_view text) {
  cursor.text.assign(text);
  cursor.position = 0;
}

std::optional<std::string> NextBatchField(BatchFieldCursor& cursor) { return NextField(cursor, true); }

std::optional<std::string> NextBatchCommaField(BatchFieldCursor& cursor) { return NextField(cursor, false); }

std::optional<std::int32_t> BatchHeaderSection(std::string_view word) {
  for (const HeaderWord& header : kHeaderWords)
    if (word == header.word) return header.section;
  return std::nullopt;
}

namespace {

// What the first field `word` (of the working copy) makes of its line
// while `section` is in force: see BatchLineSwitch.
std::optional<std::int32_t> SwitchOfWord(std::string word, std::int32_t section) {
  if (word.size() > 5) word.resize(5);
  const std::optional<std::int32_t> header = BatchHeaderSection(word);
  if (header && !(MayHoldItsHeaderWord(*header) && section == *header)) return header;
  if (word == "COD") return kBatchEnd;
  return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> BatchLineSwitch(std::string_view line, std::int32_t section) {
  BatchFieldCursor fields;
  StartBatchFields(fields, WorkingCopy(line));
  return SwitchOfWord(NextBatchField(fields).value_or(""), section);
}

void ReadBatchSectionHeader(BatchReader& reader) {
  for (;;) {
    if (reader.input == nullptr || !ReadPhysicalLine(*reader.input, reader.rawLine)) {
      reader.section = kBatchEnd;
      reader.rawLine.clear();
      reader.line.clear();
      return;
    }
    ++reader.lineNumber;
    std::size_t lacking = 0;
    reader.rawLine = ProgramTextFromTextFile(reader.rawLine, &lacking);
    if (lacking != 0) LogBatchWarning(reader, LackingCharactersText(lacking));
    RefuseControlCharacters(reader);
    reader.line = WorkingCopy(reader.rawLine);
    StartBatchFields(reader.fields, reader.line);
    const std::optional<std::int32_t> header =
        SwitchOfWord(NextBatchField(reader.fields).value_or(""), reader.section);
    // A header switches the section and is used up.
    if (header && *header != kBatchEnd) {
      reader.section = *header;
      ++reader.headersRead;
      continue;
    }
    if (header) reader.section = kBatchEnd;
    return;
  }
}

std::string BatchLineErrorText(int lineNumber, std::string_view line, const std::string& message) {
  return "Line = " + std::to_string(lineNumber) + " :  " + std::string(line) + "\n" + message;
}

void BatchLineError(const BatchReader& reader, const std::string& message) {
  throw BatchLineErrorText(reader.lineNumber, reader.rawLine, message);
}

void BatchLineError(const BatchReader& reader, const std::string& message, std::string_view field) {
  throw BatchLineErrorText(reader.lineNumber, reader.rawLine, message) + " :  " + std::string(field);
}

void LogBatchWarning(BatchReader& reader, const std::string& warning) {
  reader.log.push_back("Line " + std::to_string(reader.lineNumber) + ": " + warning);
}

std::string CutBatchText(BatchReader& reader, const std::string& text, std::size_t width, const char* what) {
  if (text.size() <= width) return text;
  LogBatchWarning(reader, std::string(what) + " cut to " + std::to_string(width) + " characters");
  return text.substr(0, width);
}
