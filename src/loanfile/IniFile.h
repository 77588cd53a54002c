// The profile object: one loan file's sections and key = value entries, read and written by key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "loanfile/FileAccess.h"
#include "loanfile/IniText.h"

namespace loanfile {

// The file's lines, read once when made and grouped by section. A write replaces its entry's line
// or adds one, an erase drops a section's lines, and reads see the lines as they stand; Commit
// joins them and puts the result in place whole. A line no write names keeps its bytes. Writes not
// committed are dropped when the object goes.
class TIniFile {
  public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit TIniFile(std::string path);
    // The file as if it held contents (a file's bytes already in hand).
    TIniFile(std::string path, std::string contents);
    // The lines point into the object's own text.
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return path_; }

    // The key's value, at most its first 1023 bytes; the default when the section or key is absent.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    // The same for many keys of one section.
    std::vector<std::string> ReadTexts(std::string_view section, std::span<const std::string> keys,
                                       std::string_view defaultValue) const;
    // "0x"/"0X" before more digits reads as hexadecimal; anything that is not a whole number
    // (the empty text included) gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;

    // Replaces the value on the key's own line, or adds the entry after the last line of its
    // section that is not blank, or the section at the end of the file.
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
    // Each key's first entry line in its section.
    using KeyLines = std::unordered_map<std::string_view, std::size_t, NameHash, NameEqual>;
    struct Section {
        std::string_view name;
        std::vector<std::string_view> lines;     // the header first, each line with its ending
        mutable std::unique_ptr<KeyLines> keys;  // made when the section is first looked into
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void SplitLines();
    // The first section of that name.
    std::size_t FindSection(std::string_view name) const;
    KeyLines& Keys(const Section& section) const;
    // A line a write made, kept for as long as the lines may point at it.
    std::string_view Keep(std::string line);

    std::string path_;
    LoadedFile::State state_;
    std::string original_;
    std::string_view byteOrderMark_;     // an editor's, before the first line
    std::string_view lineEnd_ = "\r\n";  // of the lines writes add: the file's own, or CR LF
    std::vector<Section> sections_;  // the first holds the lines before any header, and no header
    std::deque<std::string> written_;
    bool changed_ = false;
    mutable std::size_t lastFound_ = kNone;  // writes come in runs to one section
};

}  // namespace loanfile
