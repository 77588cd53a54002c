#include "loanfile/IniText.h"

namespace loanfile {

namespace {

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

std::string_view LineContent(std::string_view line) {
    if (HasLineEnd(line)) {
        line.remove_suffix(line.ends_with("\r\n") ? 2 : 1);
    }
    return line;
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

std::size_t NameHash::operator()(std::string_view name) const noexcept {
    std::size_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(FoldChar(c))) * 1099511628211ULL;
    }
    return hash;
}

}  // namespace loanfile
