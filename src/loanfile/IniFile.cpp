#include "loanfile/IniFile.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "text/Exceptions.h"
#include "text/NumberText.h"

namespace loanfile {

namespace {

// A value reads back as at most its first 1023 bytes, as loan files always have (a 1024-byte
// buffer with its terminating zero).
constexpr std::size_t kMaxValueLength = 1023;
constexpr std::string_view kLineEnd = "\r\n";

// A name or value that held a line feed would break its line in two and could forge entries; it
// is written up to the line feed, which is also all a reader would ever get back.
std::string_view FirstLine(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

void EndLastLine(std::string& out) {
    if (!out.empty() && out.back() != '\n') {
        out += kLineEnd;
    }
}

void AppendEntry(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    LoadedFile loaded = LoadFileText(path_);
    state_ = loaded.state;
    original_ = std::move(loaded.contents);
}

TIniFile::TIniFile(std::string path, std::string contents)
    : path_(std::move(path)), state_(LoadedFile::State::Read), original_(std::move(contents)) {}

bool TIniFile::IsErased(std::string_view section) const {
    return std::any_of(erased_.begin(), erased_.end(),
                       [&](const std::string& erased) { return SameName(erased, section); });
}

std::optional<TIniFile::FoundSection> TIniFile::FindSection(std::string_view section) const {
    if (IsErased(section)) {
        return std::nullopt;
    }
    for (const auto& [folded, found] : sectionCache_) {
        if (SameName(folded, section)) {
            return found;
        }
    }
    std::optional<FoundSection> found;
    for (std::size_t pos = 0; pos < original_.size();) {
        const IniLine line = LineAt(original_, pos);
        const IniLineParts parts = ParseLine(LineContent(original_, line));
        if (parts.kind == IniLineKind::Section) {
            if (found) {
                found->end = line.begin;
                break;
            }
            if (SameName(parts.name, section)) {
                found = FoundSection{line.begin, line.end, original_.size()};
            }
        }
        pos = line.end;
    }
    sectionCache_.emplace_back(FoldName(section), found);
    return found;
}

std::optional<TIniFile::FoundEntry> TIniFile::FindEntry(const FoundSection& section,
                                                        std::string_view key) const {
    for (std::size_t pos = section.bodyBegin; pos < section.end;) {
        const IniLine line = LineAt(original_, pos);
        const IniLineParts parts = ParseLine(LineContent(original_, line));
        if (parts.kind == IniLineKind::Entry && SameName(parts.name, key)) {
            return FoundEntry{line.begin, parts.value};
        }
        pos = line.end;
    }
    return std::nullopt;
}

std::string_view TIniFile::CurrentValue(const FoundEntry& entry) const {
    const auto replaced = replaced_.find(entry.lineBegin);
    return replaced == replaced_.end() ? entry.value : std::string_view(replaced->second.value);
}

const TIniFile::SectionEdits* TIniFile::EditsFor(std::string_view folded) const {
    const auto edits = std::find_if(edits_.begin(), edits_.end(),
                                    [&](const SectionEdits& e) { return e.folded == folded; });
    return edits == edits_.end() ? nullptr : &*edits;
}

std::string TIniFile::ReadText(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    if (const auto found = FindSection(section)) {
        if (const auto entry = FindEntry(*found, key)) {
            return std::string(CurrentValue(*entry).substr(0, kMaxValueLength));
        }
    }
    if (const SectionEdits* edits = EditsFor(FoldName(section))) {
        const auto added = edits->addedIndex.find(FoldName(key));
        if (added != edits->addedIndex.end()) {
            return std::string(
                std::string_view(edits->added[added->second].value).substr(0, kMaxValueLength));
        }
    }
    // The default comes back whole: an absent key leaves what the caller had exactly as it was.
    return std::string(defaultValue);
}

std::vector<std::string> TIniFile::ReadTexts(std::string_view section,
                                             std::span<const std::string> keys,
                                             std::string_view defaultValue) const {
    // Each key asked for, by its folded name, to the first position that asks for it.
    std::unordered_map<std::string, std::size_t> wanted;
    std::vector<std::size_t> firstAsking(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        firstAsking[i] = wanted.try_emplace(FoldName(keys[i]), i).first->second;
    }

    std::vector<std::optional<std::string_view>> values(keys.size());
    if (const auto found = FindSection(section)) {
        std::string folded;
        for (std::size_t pos = found->bodyBegin; pos < found->end;) {
            const IniLine line = LineAt(original_, pos);
            const IniLineParts parts = ParseLine(LineContent(original_, line));
            if (parts.kind == IniLineKind::Entry) {
                folded = FoldName(parts.name);
                const auto asked = wanted.find(folded);
                if (asked != wanted.end() && !values[asked->second]) {
                    values[asked->second] = CurrentValue({line.begin, parts.value});
                }
            }
            pos = line.end;
        }
    }
    if (const SectionEdits* edits = EditsFor(FoldName(section))) {
        for (const auto& [folded, i] : wanted) {
            const auto added = edits->addedIndex.find(folded);
            if (!values[i] && added != edits->addedIndex.end()) {
                values[i] = edits->added[added->second].value;
            }
        }
    }

    std::vector<std::string> texts;
    texts.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto& value = values[firstAsking[i]];
        texts.emplace_back(value ? value->substr(0, kMaxValueLength) : defaultValue);
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

void TIniFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
    written_ = true;
    section = FirstLine(section);
    key = FirstLine(key);
    value = FirstLine(value);

    const std::optional<FoundSection> found = FindSection(section);
    if (found) {
        if (const auto entry = FindEntry(*found, key)) {
            replaced_.insert_or_assign(entry->lineBegin,
                                       Entry{std::string(key), std::string(value)});
            return;
        }
    }
    const std::string folded = FoldName(section);
    auto edits = std::find_if(edits_.begin(), edits_.end(),
                              [&](const SectionEdits& e) { return e.folded == folded; });
    if (edits == edits_.end()) {
        edits_.push_back(SectionEdits{std::string(section),
                                      folded,
                                      found ? std::optional(found->headerBegin) : std::nullopt,
                                      {},
                                      {}});
        edits = std::prev(edits_.end());
    }
    const auto [added, isNew] = edits->addedIndex.try_emplace(FoldName(key), edits->added.size());
    if (isNew) {
        edits->added.push_back(Entry{std::string(key), std::string(value)});
    } else {
        edits->added[added->second].value = value;
    }
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteText(section, key, text::WholeToText(value));
}

void TIniFile::EraseSection(std::string_view section) {
    written_ = true;
    section = FirstLine(section);
    if (!IsErased(section)) {
        erased_.push_back(FoldName(section));
    }
    const std::string folded = FoldName(section);
    std::erase_if(edits_, [&](const SectionEdits& e) { return e.folded == folded; });
}

void TIniFile::AppendSectionEnd(std::string& out, const SectionEdits* edits) const {
    if (edits == nullptr || edits->added.empty()) {
        return;
    }
    EndLastLine(out);
    for (const Entry& entry : edits->added) {
        AppendEntry(out, entry.key, entry.value);
        out += kLineEnd;
    }
}

std::string TIniFile::Text() const {
    std::string out;
    out.reserve(original_.size() + original_.size() / 8 + 4096);

    bool skipping = false;                  // inside an erased section
    const SectionEdits* current = nullptr;  // the edits whose new entries end this section
    // Blank lines at the end of a section stay after the entries added to it.
    std::size_t blanksBegin = 0;
    std::size_t blanksEnd = 0;
    const auto endSection = [&] {
        AppendSectionEnd(out, current);
        out.append(original_, blanksBegin, blanksEnd - blanksBegin);
        blanksBegin = blanksEnd = 0;
    };

    for (std::size_t pos = 0; pos < original_.size();) {
        const IniLine line = LineAt(original_, pos);
        pos = line.end;
        const IniLineParts parts = ParseLine(LineContent(original_, line));
        if (parts.kind == IniLineKind::Section) {
            if (!skipping) {
                endSection();
            }
            skipping = IsErased(parts.name);
            const auto edits =
                std::find_if(edits_.begin(), edits_.end(),
                             [&](const SectionEdits& e) { return e.headerBegin == line.begin; });
            current = edits == edits_.end() ? nullptr : &*edits;
        }
        if (skipping) {
            continue;
        }
        if (parts.kind == IniLineKind::Blank) {
            if (blanksBegin == blanksEnd) {
                blanksBegin = line.begin;
            }
            blanksEnd = line.end;
            continue;
        }
        out.append(original_, blanksBegin, blanksEnd - blanksBegin);
        blanksBegin = blanksEnd = 0;
        const auto replaced = replaced_.find(line.begin);
        if (replaced == replaced_.end()) {
            out.append(original_, line.begin, line.end - line.begin);
        } else {
            AppendEntry(out, replaced->second.key, replaced->second.value);
            out.append(original_, line.contentEnd, line.end - line.contentEnd);
        }
    }
    if (!skipping) {
        endSection();
    }

    for (const SectionEdits& edits : edits_) {
        if (edits.headerBegin) {
            continue;
        }
        EndLastLine(out);
        out += '[';
        out += edits.name;
        out += ']';
        out += kLineEnd;
        AppendSectionEnd(out, &edits);
    }
    return out;
}

void TIniFile::Commit() {
    if (!written_) {
        return;
    }
    // A file that exists but could not be read cannot be rewritten without losing what it holds.
    if (state_ == LoadedFile::State::Unreadable) {
        throw text::WriteError(path_);
    }
    std::string contents = Text();
    CommitFileText(path_, contents);
    original_ = std::move(contents);
    state_ = LoadedFile::State::Read;
    written_ = false;
    erased_.clear();
    edits_.clear();
    replaced_.clear();
    sectionCache_.clear();
}

}  // namespace loanfile
