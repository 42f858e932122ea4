// The one encoding of the text files the program writes and reads: UTF-8.
// Inside the program text is Windows-1252 (platform/Windows1252.h), as the
// model file and the screen hold it; a text is converted only at a text
// file's edge: a line as read becomes program text before anything cuts,
// compares or stores it, and program text becomes UTF-8 only as it is
// written. So a cut to a field's width is a cut on whole characters, and a
// text read back from a file the program wrote is the text it wrote.
//
// A line that is not UTF-8 is taken as Windows-1252 as it stands: files
// written byte for byte (by older versions of the program, or by programs
// that write the ANSI code page) read as they always did. A character that
// Windows-1252 lacks ("中") becomes '?', and the reader is told how many did.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `text` (program text) as a text file holds it.
std::string TextFileFromProgramText(std::string_view text);

// A line of a text file as program text; `lacking`, when given, receives the
// number of characters that Windows-1252 lacks (each read as '?').
std::string ProgramTextFromTextFile(std::string_view line, std::size_t* lacking = nullptr);

// The first character of the UTF-8 `line` that Windows-1252 lacks, named
// by its code point ("U+4E2D"); empty when the model can hold every one
// (or the line is no UTF-8, and so read as Windows-1252).
std::string FirstLackingCharacter(std::string_view line);

// Whether `text` begins with a UTF-8 byte-order mark, which a reader
// passes over at the start of a file.
bool HasUtf8ByteOrderMark(std::string_view text);

// The warning an import gives a line with such characters.
std::string LackingCharactersText(std::size_t lacking);
