// The profile object: one loan file's sections and key = value entries, read and written by key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "loanfile/FileAccess.h"
#include "loanfile/IniText.h"

namespace loanfile {

// Reads the file once when made; reads and writes then work on that text in memory, in the order
// they are made, and Commit puts the result in place whole. Everything a write does not name stays
// byte for byte as it was. Writes not committed are dropped when the object goes.
class TIniFile {
  public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit TIniFile(std::string path);
    // The file as if it held contents (a file's bytes already in hand).
    TIniFile(std::string path, std::string contents);

    const std::string& FileName() const { return path_; }

    // The key's value, at most its first 1023 bytes; the default when the section or key is absent.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    // The same for many keys of one section in one pass over the file.
    std::vector<std::string> ReadTexts(std::string_view section, std::span<const std::string> keys,
                                       std::string_view defaultValue) const;
    // "0x"/"0X" before more digits reads as hexadecimal; anything that is not a whole number
    // (the empty text included) gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;

    // Replaces the value on the key's own line, or adds the entry at the end of its section, or the
    // section at the end of the file.
    void WriteText(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Removes the section's header and every line under it; every section of that name goes.
    void EraseSection(std::string_view section);

    // The file's text as Commit would write it.
    std::string Text() const;
    // Puts the writes in place, or leaves the file as it was and raises text::WriteError.
    // Nothing happens when nothing was written.
    void Commit();

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    // The writes that fall to one section: entries new to the file's section, or a new section.
    struct SectionEdits {
        std::string name;  // as the writer spells it
        std::string folded;
        std::optional<std::size_t> headerBegin;  // the file's section that takes the new entries
        std::vector<Entry> added;
        std::unordered_map<std::string, std::size_t> addedIndex;  // folded key -> added entry
    };
    struct FoundSection {
        std::size_t headerBegin;
        std::size_t bodyBegin;
        std::size_t end;
    };
    struct FoundEntry {
        std::size_t lineBegin;
        std::string_view value;
    };

    std::optional<FoundSection> FindSection(std::string_view section) const;
    std::optional<FoundEntry> FindEntry(const FoundSection& section, std::string_view key) const;
    std::string_view CurrentValue(const FoundEntry& entry) const;
    bool IsErased(std::string_view section) const;
    const SectionEdits* EditsFor(std::string_view folded) const;
    void AppendSectionEnd(std::string& out, const SectionEdits* edits) const;

    std::string path_;
    LoadedFile::State state_;
    std::string original_;
    bool written_ = false;
    std::vector<std::string> erased_;  // folded names whose sections in the file are gone
    std::vector<SectionEdits> edits_;  // in the order the sections were first written
    std::unordered_map<std::size_t, Entry> replaced_;  // line begin in the file -> new entry
    // Where each section asked for stands in the file, found once (the file's text never changes
    // before Commit).
    mutable std::vector<std::pair<std::string, std::optional<FoundSection>>> sectionCache_;
};

}  // namespace loanfile
