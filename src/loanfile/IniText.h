// How a loan file's lines read: blank lines, comments, section headers and key = value entries.
#pragma once

#include <cstddef>
#include <string_view>

namespace loanfile {

// A line without its ending ("\r\n", "\n", or nothing on a last line without one). A CR not
// followed by LF is an ordinary byte of the content.
std::string_view LineContent(std::string_view line);

inline bool HasLineEnd(std::string_view line) {
    return line.ends_with('\n');
}

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

// Section and key names match regardless of letter case (A to Z only; other bytes exactly).
bool SameName(std::string_view a, std::string_view b);

// Hash and equality of names under that rule, for looking keys up.
struct NameHash {
    std::size_t operator()(std::string_view name) const noexcept;
};
struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return SameName(a, b);
    }
};

}  // namespace loanfile
