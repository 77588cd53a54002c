#include "loanfile/IniFile.h"

#include <algorithm>
#include <utility>

#include "text/Exceptions.h"
#include "text/NumberText.h"

namespace loanfile {

namespace {

// A value reads back as at most its first 1023 bytes, as loan files always have (a 1024-byte
// buffer with its terminating zero).
constexpr std::size_t kMaxValueLength = 1023;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A name or value that held a line feed would break its line in two and could forge entries; it
// is written up to the line feed, which is also all a reader would ever get back.
std::string_view FirstLine(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

std::string EntryLine(std::string_view key, std::string_view value, std::string_view ending) {
    std::string line;
    line.reserve(key.size() + 1 + value.size() + ending.size());
    line.append(key).append("=").append(value).append(ending);
    return line;
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    LoadedFile loaded = LoadFileText(path_);
    state_ = loaded.state;
    original_ = std::move(loaded.contents);
    SplitLines();
}

TIniFile::TIniFile(std::string path, std::string contents)
    : path_(std::move(path)), state_(LoadedFile::State::Read), original_(std::move(contents)) {
    SplitLines();
}

void TIniFile::SplitLines() {
    std::string_view text = original_;
    // A mark with nothing after it stays a line of its own, as it always has.
    if (text.starts_with(kByteOrderMark) && text.size() > kByteOrderMark.size()) {
        byteOrderMark_ = text.substr(0, kByteOrderMark.size());
        text.remove_prefix(kByteOrderMark.size());
    }
    // New lines end as the file's first line does.
    const std::size_t firstEnd = text.find('\n');
    if (firstEnd != std::string_view::npos) {
        lineEnd_ = firstEnd > 0 && text[firstEnd - 1] == '\r' ? "\r\n" : "\n";
    }
    sections_.emplace_back();
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line =
            newline == std::string_view::npos ? text : text.substr(0, newline + 1);
        text.remove_prefix(line.size());
        const IniLineParts parts = ParseLine(LineContent(line));
        if (parts.kind == IniLineKind::Section) {
            sections_.push_back(Section{parts.name, {}, nullptr});
        }
        sections_.back().lines.push_back(line);
    }
}

std::size_t TIniFile::FindSection(std::string_view name) const {
    if (lastFound_ < sections_.size() && SameName(sections_[lastFound_].name, name)) {
        return lastFound_;
    }
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (SameName(sections_[i].name, name)) {
            return lastFound_ = i;
        }
    }
    return kNone;
}

TIniFile::KeyLines& TIniFile::Keys(const Section& section) const {
    if (!section.keys) {
        section.keys = std::make_unique<KeyLines>();
        for (std::size_t i = 1; i < section.lines.size(); ++i) {
            const IniLineParts parts = ParseLine(LineContent(section.lines[i]));
            if (parts.kind == IniLineKind::Entry) {
                section.keys->try_emplace(parts.name, i);
            }
        }
    }
    return *section.keys;
}

std::string TIniFile::ReadText(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    if (const std::size_t found = FindSection(section); found != kNone) {
        const KeyLines& keys = Keys(sections_[found]);
        if (const auto entry = keys.find(key); entry != keys.end()) {
            const std::string_view line = sections_[found].lines[entry->second];
            return std::string(ParseLine(LineContent(line)).value.substr(0, kMaxValueLength));
        }
    }
    // The default comes back whole: an absent key leaves what the caller had exactly as it was.
    return std::string(defaultValue);
}

std::vector<std::string> TIniFile::ReadTexts(std::string_view section,
                                             std::span<const std::string> keys,
                                             std::string_view defaultValue) const {
    std::vector<std::string> texts;
    texts.reserve(keys.size());
    for (const std::string& key : keys) {
        texts.push_back(ReadText(section, key, defaultValue));
    }
    return texts;
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
    std::string value = ReadText(section, key, "");
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.replace(0, 2, "$");
    }
    return text::TextToWholeDef(value, defaultValue);
}

std::string_view TIniFile::Keep(std::string line) {
    return written_.emplace_back(std::move(line));
}

void TIniFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
    changed_ = true;
    section = FirstLine(section);
    key = FirstLine(key);
    value = FirstLine(value);

    std::size_t found = FindSection(section);
    if (found == kNone) {
        const std::string_view header =
            Keep("[" + std::string(section) + "]" + std::string(lineEnd_));
        sections_.push_back(
            Section{header.substr(1, section.size()), {header}, std::make_unique<KeyLines>()});
        found = lastFound_ = sections_.size() - 1;
    }
    Section& target = sections_[found];
    // Blank lines that end the section stay after a new entry.
    std::size_t at = target.lines.size();
    while (at > 1 && ParseLine(LineContent(target.lines[at - 1])).kind == IniLineKind::Blank) {
        --at;
    }
    const std::string_view added = Keep(EntryLine(key, value, lineEnd_));
    const auto [entry, isNew] = Keys(target).try_emplace(added.substr(0, key.size()), at);
    if (isNew) {
        target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), added);
        return;
    }
    std::string_view& line = target.lines[entry->second];  // replaced, keeping its ending
    line = Keep(EntryLine(key, value, line.substr(LineContent(line).size())));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteText(section, key, text::WholeToText(value));
}

void TIniFile::EraseSection(std::string_view section) {
    changed_ = true;
    section = FirstLine(section);
    const auto named = std::remove_if(sections_.begin() + 1, sections_.end(),
                                      [&](const Section& s) { return SameName(s.name, section); });
    sections_.erase(named, sections_.end());
    lastFound_ = kNone;
}

std::string TIniFile::Text() const {
    std::string out;
    out.reserve(original_.size() + written_.size() * 16);
    out += byteOrderMark_;
    bool lineOpen = false;  // only the file's last line can lack an ending, and lines may follow it
    for (const Section& section : sections_) {
        for (const std::string_view line : section.lines) {
            if (lineOpen) {
                out += lineEnd_;
            }
            out += line;
            lineOpen = !HasLineEnd(line);
        }
    }
    return out;
}

void TIniFile::Commit() {
    if (!changed_) {
        return;
    }
    // A file that exists but could not be read cannot be rewritten without losing what it holds.
    if (state_ == LoadedFile::State::Unreadable) {
        throw text::WriteError(path_);
    }
    CommitFileText(path_, Text());
    state_ = LoadedFile::State::Read;
    changed_ = false;
}

}  // namespace loanfile
