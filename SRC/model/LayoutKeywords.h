// The element and data type keywords of the Layout table's Type and Data
// cells, their completions while typed, and the names of the element types
// in the Type column and in messages (see LayoutKeywords.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "model/LayoutRow.h"

struct Model;

constexpr int kInvalidKeyword = 999;

// The subtype the last data keyword named (a restraint's direction ...).
inline std::int32_t g_KeywordSubtype = 0;

// Keyword to code: 0 for an empty text, 999 for none. The data keywords
// also set g_KeywordSubtype.
int ParseElementTypeKeyword(const std::string& text);
int ParseDataTypeKeyword(const std::string& text, std::int32_t pipingCode);

// Completions while typing the Type and Data cells: the display name that
// the text typed so far (blank-free, upper-cased) with `letter` appended
// completes, or the empty text.
std::string ElementTypeCompletion(const std::string& typed, char letter);
// kRefusedCompletion: the letter names a load the model cannot carry (no
// piping code, or no time functions): the character is refused.
inline constexpr const char* kRefusedCompletion = "\x01";
std::string DataTypeCompletion(const std::string& typed, char letter, const Model& model);

// Names of element types in the Type column and in messages.
const char* ElementTypeCellName(ElementType type);
const char* ElementTypeMessageName(ElementType type);
