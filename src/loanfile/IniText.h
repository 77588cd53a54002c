// How a loan file's text divides into lines, sections and entries, for reading and rewriting.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace loanfile {

// One line as offsets into the file's text: [begin, contentEnd) is the content, [contentEnd, end)
// its ending ("\r\n", "\n", or nothing on a last line without one). A CR not followed by LF is an
// ordinary byte of the content.
struct IniLine {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

// The line that starts at begin, which must lie inside the text.
IniLine LineAt(std::string_view text, std::size_t begin);

enum class IniLineKind {
    Blank,    // nothing but spaces and tabs
    Comment,  // first non-blank character ";" or "#"
    Section,  // "[name]"
    Entry,    // "key=value"
    Other,    // anything else: read past, kept when rewriting
};

// What a line holds, with the blanks around names and values dropped and one pair of double quotes
// around a value removed, as a person editing the file would expect.
struct IniLineParts {
    IniLineKind kind = IniLineKind::Other;
    std::string_view name;   // the section name or the key
    std::string_view value;  // an entry's value
};

IniLineParts ParseLine(std::string_view content);

// The content of a line, without a UTF-8 byte order mark that an editor put before the first line.
std::string_view LineContent(std::string_view text, const IniLine& line);

// Section and key names match regardless of letter case (A to Z only; other bytes exactly).
bool SameName(std::string_view a, std::string_view b);
std::string FoldName(std::string_view name);

}  // namespace loanfile
