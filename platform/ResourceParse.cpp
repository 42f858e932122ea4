// The text formats of dialog templates, menus and accelerator tables, and
// their parsers. One file per resource; lines; '#' starts a comment line;
// words are separated by blanks and '|' (so "WS_TABSTOP | WS_GROUP" reads as
// two words); texts are in double quotes with \" \\ \t \r \n escapes.
//
//   Dialog (resources/dialogs/NAME.dlg):
//     dialog X Y WIDTH HEIGHT          position and size in dialog units
//     caption "Text"                   optional
//     style NAME...                    window and DS_ styles (names or numbers)
//     exstyle NAME...                  optional
//     font POINTS                      optional, default 8
//     control ID CLASS "text" X Y W H [STYLE...] [hidden] [exstyle NAME...]
//   ID is a number or IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES,
//   IDNO, IDHELP, IDC_STATIC (-1).
//
//   Menu (resources/menus/NAME.menu):
//     popup "&File"   ...   end        nests
//     item "&New...\tCtrl+N" 101 [grayed] [checked]
//     separator
//
//   Accelerators (resources/accelerators/NAME.accel), one per line:
//     [Ctrl+][Shift+][Alt+]KEY COMMAND
//   KEY is a letter, a digit, F1..F24 or one of Enter, Escape, Tab, Space,
//   Backspace, Insert, Delete, Home, End, PageUp, PageDown, Left, Right, Up,
//   Down, Add, Subtract, Multiply, Divide, Numpad0..Numpad9 (Ins, Del, Esc,
//   PgUp and PgDn are the short names).
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/Input.h"
#include "platform/ResourceTemplates.h"

namespace platform {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '|' || c == '\r' || c == ','; }

// Splits one line into words and quoted texts; returns why it cannot (an
// unclosed quote, a zero byte), or an empty text. A zero byte ends every C
// text it would reach, so it is refused wherever it stands.
std::string Tokenize(const std::string& line, std::vector<Token>* tokens) {
  tokens->clear();
  if (line.find('\0') != std::string::npos) return "a zero byte";
  std::size_t at = 0;
  while (at < line.size()) {
    char c = line[at];
    if (IsSeparator(c)) {
      ++at;
      continue;
    }
    if (c == '"') {
      Token token{"", true};
      ++at;
      while (at < line.size() && line[at] != '"') {
        if (line[at] == '\\' && at + 1 < line.size()) {
          char next = line[++at];
          token.text += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
          token.text += line[at];
        }
        ++at;
      }
      if (at >= line.size()) return "unclosed quote";
      ++at;
      tokens->push_back(std::move(token));
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && !IsSeparator(line[end]) && line[end] != '"') ++end;
    tokens->push_back(Token{line.substr(at, end - at), false});
    at = end;
  }
  if (tokens->empty()) return "a line of separators only";
  return "";
}

const std::map<std::string, DWORD>& StyleNames() {
  static const std::map<std::string, DWORD> names = {
      {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000}, {"WS_VISIBLE", 0x10000000},
      {"WS_DISABLED", 0x08000000}, {"WS_CLIPSIBLINGS", 0x04000000},
      {"WS_CLIPCHILDREN", 0x02000000}, {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000},
      {"WS_DLGFRAME", 0x00400000}, {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000},
      {"WS_SYSMENU", 0x00080000}, {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000},
      {"WS_TABSTOP", 0x00010000},
      {"DS_ABSALIGN", 0x01}, {"DS_SYSMODAL", 0x02}, {"DS_3DLOOK", 0x04}, {"DS_FIXEDSYS", 0x08},
      {"DS_SETFONT", 0x40}, {"DS_MODALFRAME", 0x80}, {"DS_SETFOREGROUND", 0x200},
      {"DS_CONTROL", 0x400}, {"DS_CENTER", 0x800}, {"DS_CENTERMOUSE", 0x1000},
      {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x48},
      {"BS_PUSHBUTTON", 0x0}, {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},
      {"BS_AUTOCHECKBOX", 0x3}, {"BS_RADIOBUTTON", 0x4}, {"BS_3STATE", 0x5},
      {"BS_AUTO3STATE", 0x6}, {"BS_GROUPBOX", 0x7}, {"BS_AUTORADIOBUTTON", 0x9},
      {"BS_LEFTTEXT", 0x20}, {"BS_ICON", 0x40}, {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100},
      {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300}, {"BS_MULTILINE", 0x2000},
      {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
      {"ES_LEFT", 0x0}, {"ES_CENTER", 0x1}, {"ES_RIGHT", 0x2}, {"ES_MULTILINE", 0x4},
      {"ES_UPPERCASE", 0x8}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20},
      {"ES_AUTOVSCROLL", 0x40}, {"ES_AUTOHSCROLL", 0x80}, {"ES_NOHIDESEL", 0x100},
      {"ES_READONLY", 0x800}, {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
      {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_ICON", 0x3},
      {"SS_BLACKRECT", 0x4}, {"SS_GRAYRECT", 0x5}, {"SS_WHITERECT", 0x6},
      {"SS_BLACKFRAME", 0x7}, {"SS_GRAYFRAME", 0x8}, {"SS_WHITEFRAME", 0x9},
      {"SS_SIMPLE", 0xB}, {"SS_LEFTNOWORDWRAP", 0xC}, {"SS_BITMAP", 0xE},
      {"SS_ETCHEDHORZ", 0x10}, {"SS_ETCHEDVERT", 0x11}, {"SS_ETCHEDFRAME", 0x12},
      {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", 0x200},
      {"SS_SUNKEN", 0x1000},
      {"LBS_NOTIFY", 0x1}, {"LBS_SORT", 0x2}, {"LBS_MULTIPLESEL", 0x8},
      {"LBS_HASSTRINGS", 0x40}, {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", 0x100},
      {"LBS_WANTKEYBOARDINPUT", 0x400}, {"LBS_EXTENDEDSEL", 0x800},
      {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_STANDARD", 0x00A00003},
      {"CBS_SIMPLE", 0x1}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
      {"CBS_AUTOHSCROLL", 0x40}, {"CBS_SORT", 0x100}, {"CBS_HASSTRINGS", 0x200},
      {"CBS_NOINTEGRALHEIGHT", 0x400}, {"CBS_DISABLENOSCROLL", 0x800},
      {"SBS_HORZ", 0x0}, {"SBS_VERT", 0x1}, {"PBS_SMOOTH", 0x1},
      {"WS_EX_DLGMODALFRAME", 0x1}, {"WS_EX_NOPARENTNOTIFY", 0x4}, {"WS_EX_TRANSPARENT", 0x20},
      {"WS_EX_CLIENTEDGE", 0x200}, {"WS_EX_CONTEXTHELP", 0x400}, {"WS_EX_CONTROLPARENT", 0x10000},
      {"WS_EX_STATICEDGE", 0x20000},
  };
  return names;
}

bool ParseNumber(const std::string& text, long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 0);
  return *end == '\0';
}

bool ParseStyleWord(const std::string& word, DWORD* style) {
  auto found = StyleNames().find(word);
  if (found != StyleNames().end()) {
    *style |= found->second;
    return true;
  }
  long number = 0;
  if (!ParseNumber(word, &number)) return false;
  *style |= static_cast<DWORD>(number);
  return true;
}

bool ParseItemId(const std::string& word, int* id) {
  static const std::map<std::string, int> names = {
      {"IDOK", 1},    {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},   {"IDIGNORE", 5},
      {"IDYES", 6},   {"IDNO", 7},     {"IDHELP", 9},  {"IDC_STATIC", -1}};
  auto found = names.find(word);
  if (found != names.end()) {
    *id = found->second;
    return true;
  }
  long number = 0;
  if (!ParseNumber(word, &number) || number < -1 || number > 0xFFFF) return false;
  *id = static_cast<int>(number);
  return true;
}

bool ParseFourNumbers(const std::vector<Token>& tokens, std::size_t from, int* values) {
  if (tokens.size() < from + 4) return false;
  for (int index = 0; index < 4; ++index) {
    long number = 0;
    // Dialog units beyond 16 bits fit no screen and would overflow the
    // conversion to pixels.
    if (tokens[from + index].quoted || !ParseNumber(tokens[from + index].text, &number) || number < -32768 ||
        number > 32767)
      return false;
    values[index] = static_cast<int>(number);
  }
  return true;
}

// Reads the lines of a text, skipping blank and comment lines, and calls
// `line` with the tokens (never an empty list); stops at the first error,
// which it gives with the template's name and the line's number.
template <typename LineFunction>
bool ForEachLine(const std::string& name, const std::string& text, std::string* error, LineFunction line) {
  std::size_t start = 0;
  int number = 0;
  std::vector<Token> tokens;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string content = text.substr(start, end - start);
    start = end + 1;
    ++number;
    std::size_t first = content.find_first_not_of(" \t\r");
    if (first == std::string::npos || content[first] == '#') continue;
    std::string why = Tokenize(content, &tokens);
    if (why.empty()) why = line(tokens);
    if (!why.empty()) {
      *error = name + ", line " + std::to_string(number) + ": " + why;
      return false;
    }
  }
  return true;
}

std::string ParseControlLine(const std::vector<Token>& tokens, DialogTemplate* dialog) {
  DialogItemTemplate item;
  if (tokens.size() < 8 || !tokens[3].quoted) return "control needs ID CLASS \"text\" X Y W H";
  if (!ParseItemId(tokens[1].text, &item.id)) return "bad control id " + tokens[1].text;
  item.className = tokens[2].text;
  item.text = tokens[3].text;
  int box[4];
  if (!ParseFourNumbers(tokens, 4, box)) return "bad control position";
  item.x = box[0], item.y = box[1], item.cx = box[2], item.cy = box[3];
  DWORD* target = &item.style;
  for (std::size_t at = 8; at < tokens.size(); ++at) {
    if (tokens[at].text == "exstyle") {
      target = &item.exStyle;
    } else if (tokens[at].text == "hidden" && !tokens[at].quoted) {
      item.hidden = true;
    } else if (tokens[at].quoted || !ParseStyleWord(tokens[at].text, target)) {
      return "unknown style " + tokens[at].text;
    }
  }
  dialog->items.push_back(std::move(item));
  return "";
}

std::string ParseDialogLine(const std::vector<Token>& tokens, DialogTemplate* dialog,
                            bool* sized) {
  const std::string& keyword = tokens[0].text;
  if (keyword == "dialog") {
    int box[4];
    if (!ParseFourNumbers(tokens, 1, box) || tokens.size() != 5) return "dialog needs X Y W H";
    dialog->x = box[0], dialog->y = box[1], dialog->cx = box[2], dialog->cy = box[3];
    *sized = true;
  } else if (!*sized) {
    return "the first line must be \"dialog X Y W H\"";
  } else if (keyword == "caption") {
    if (tokens.size() != 2 || !tokens[1].quoted) return "caption needs one quoted text";
    dialog->caption = tokens[1].text;
  } else if (keyword == "style" || keyword == "exstyle") {
    DWORD* target = keyword == "style" ? &dialog->style : &dialog->exStyle;
    for (std::size_t at = 1; at < tokens.size(); ++at)
      if (!ParseStyleWord(tokens[at].text, target)) return "unknown style " + tokens[at].text;
  } else if (keyword == "font") {
    long points = 0;
    if (tokens.size() != 2 || !ParseNumber(tokens[1].text, &points) || points < 4 || points > 72)
      return "font needs a point size from 4 to 72";
    dialog->pointSize = static_cast<int>(points);
  } else if (keyword == "control") {
    return ParseControlLine(tokens, dialog);
  } else {
    return "unknown keyword " + keyword;
  }
  return "";
}

}  // namespace

bool ParseDialogTemplate(const std::string& name, const std::string& text, DialogTemplate* out,
                         std::string* error) {
  DialogTemplate dialog;
  dialog.name = name;
  bool sized = false;
  if (!ForEachLine(name, text, error, [&](const std::vector<Token>& tokens) {
        if (tokens[0].quoted) return std::string("a line must start with a keyword");
        return ParseDialogLine(tokens, &dialog, &sized);
      }))
    return false;
  if (!sized) {
    *error = name + ": no \"dialog\" line";
    return false;
  }
  *out = std::move(dialog);
  return true;
}

bool ParseMenuTemplate(const std::string& name, const std::string& text, MenuTemplate* out,
                       std::string* error) {
  MenuTemplate menu;
  menu.name = name;
  // The chain of open popups; the bar is the root.
  std::vector<std::vector<MenuItemTemplate>*> open{&menu.items};
  if (!ForEachLine(name, text, error, [&](const std::vector<Token>& tokens) -> std::string {
        const std::string& keyword = tokens[0].text;
        auto& into = *open.back();
        if (keyword == "end") {
          if (open.size() == 1 || tokens.size() != 1) return "\"end\" without a popup";
          open.pop_back();
        } else if (keyword == "separator") {
          if (open.size() == 1) return "a separator cannot be on the menu bar";
          MenuItemTemplate item;
          item.separator = true;
          into.push_back(item);
        } else if (keyword == "popup" || keyword == "item") {
          MenuItemTemplate item;
          if (tokens.size() < 2 || !tokens[1].quoted) return keyword + " needs a quoted text";
          item.text = tokens[1].text;
          std::size_t at = 2;
          if (keyword == "item") {
            long id = 0;
            if (tokens.size() < 3 || !ParseNumber(tokens[2].text, &id) || id <= 0 || id > 0xFFFF)
              return "item needs a command id from 1 to 65535";
            item.id = static_cast<UINT>(id);
            at = 3;
          }
          for (; at < tokens.size(); ++at) {
            if (tokens[at].text == "grayed") item.grayed = true;
            else if (tokens[at].text == "checked") item.checked = true;
            else return "unknown option " + tokens[at].text;
          }
          item.popup = keyword == "popup";
          into.push_back(std::move(item));
          if (keyword == "popup") open.push_back(&into.back().items);
        } else {
          return "unknown keyword " + keyword;
        }
        return "";
      }))
    return false;
  if (open.size() != 1) {
    *error = name + ": a popup is not closed with \"end\"";
    return false;
  }
  *out = std::move(menu);
  return true;
}

namespace {

bool KeyCodeFor(const std::string& key, WORD* code) {
  static const std::map<std::string, UINT> names = {
      {"Enter", VK_RETURN},     {"Escape", VK_ESCAPE},   {"Tab", VK_TAB},
      {"Space", VK_SPACE},      {"Backspace", VK_BACK},  {"Insert", VK_INSERT},
      {"Delete", VK_DELETE},    {"Home", VK_HOME},       {"End", VK_END},
      {"PageUp", VK_PRIOR},     {"PageDown", VK_NEXT},   {"Left", VK_LEFT},
      {"Right", VK_RIGHT},      {"Up", VK_UP},           {"Down", VK_DOWN},
      {"Add", VK_ADD},          {"Subtract", VK_SUBTRACT}, {"Multiply", VK_MULTIPLY},
      {"Divide", VK_DIVIDE},    {"Ins", VK_INSERT},      {"Del", VK_DELETE},
      {"Esc", VK_ESCAPE},       {"PgUp", VK_PRIOR},      {"PgDn", VK_NEXT}};
  auto found = names.find(key);
  if (found != names.end()) {
    *code = static_cast<WORD>(found->second);
    return true;
  }
  if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9'))) {
    *code = static_cast<WORD>(key[0]);
    return true;
  }
  if (key.size() == 7 && key.compare(0, 6, "Numpad") == 0 && key[6] >= '0' && key[6] <= '9') {
    *code = static_cast<WORD>(VK_NUMPAD0 + (key[6] - '0'));
    return true;
  }
  if (key.size() >= 2 && key[0] == 'F') {
    long number = 0;
    if (ParseNumber(key.substr(1), &number) && number >= 1 && number <= 24) {
      *code = static_cast<WORD>(VK_F1 + number - 1);
      return true;
    }
  }
  return false;
}

std::string ParseAcceleratorLine(const std::vector<Token>& tokens, AcceleratorTemplateEntry* entry) {
  if (tokens.size() != 2 || tokens[0].quoted) return "expected KEY COMMAND";
  std::string key = tokens[0].text;
  for (;;) {
    std::size_t plus = key.find('+');
    if (plus == std::string::npos || plus + 1 == key.size()) break;
    std::string modifier = key.substr(0, plus);
    if (modifier == "Ctrl") entry->flags |= kAccelControl;
    else if (modifier == "Shift") entry->flags |= kAccelShift;
    else if (modifier == "Alt") entry->flags |= kAccelAlt;
    else return "unknown modifier " + modifier;
    key = key.substr(plus + 1);
  }
  if (!KeyCodeFor(key, &entry->key)) return "unknown key " + key;
  long command = 0;
  if (!ParseNumber(tokens[1].text, &command) || command <= 0 || command > 0xFFFF)
    return "the command must be a number from 1 to 65535";
  entry->command = static_cast<WORD>(command);
  return "";
}

}  // namespace

bool ParseAcceleratorTemplate(const std::string& name, const std::string& text,
                              AcceleratorTemplate* out, std::string* error) {
  AcceleratorTemplate table;
  table.name = name;
  if (!ForEachLine(name, text, error, [&](const std::vector<Token>& tokens) {
        AcceleratorTemplateEntry entry;
        std::string why = ParseAcceleratorLine(tokens, &entry);
        if (why.empty()) table.entries.push_back(entry);
        return why;
      }))
    return false;
  *out = std::move(table);
  return true;
}

}  // namespace platform
