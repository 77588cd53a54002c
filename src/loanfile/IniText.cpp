#include "loanfile/IniText.h"

namespace loanfile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char FoldChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

IniLine LineAt(std::string_view text, std::size_t begin) {
    const std::size_t newline = text.find('\n', begin);
    if (newline == std::string_view::npos) {
        return {begin, text.size(), text.size()};
    }
    const bool crBefore = newline > begin && text[newline - 1] == '\r';
    return {begin, crBefore ? newline - 1 : newline, newline + 1};
}

std::string_view LineContent(std::string_view text, const IniLine& line) {
    std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
    if (line.begin == 0 && content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    return content;
}

IniLineParts ParseLine(std::string_view content) {
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty()) {
        return {IniLineKind::Blank, {}, {}};
    }
    if (trimmed.front() == ';' || trimmed.front() == '#') {
        return {IniLineKind::Comment, {}, {}};
    }
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            return {IniLineKind::Section, Trim(trimmed.substr(1, close - 1)), {}};
        }
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return {IniLineKind::Other, {}, {}};
    }
    std::string_view value = Trim(trimmed.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return {IniLineKind::Entry, Trim(trimmed.substr(0, equals)), value};
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldChar(a[i]) != FoldChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = FoldChar(c);
    }
    return folded;
}

}  // namespace loanfile
