// The only two touches of the disk: a loan file read whole, and its new text put in place whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace loanfile {

// Far above any loan file (a loan at the row bound with every extra payment is a few MB), so only
// a file that is something else entirely is refused rather than read into memory.
inline constexpr std::int64_t kMaxFileSize = std::int64_t{64} << 20;

struct LoadedFile {
    enum class State {
        Absent,      // no file (or the path is a folder or another kind of thing): nothing to keep
        Read,        // contents holds every byte of the file
        Unreadable,  // a file that exists but could not be read: it must not be replaced
    };
    State state = State::Absent;
    std::string contents;
};

// Reads the file in one buffer of its size. A file larger than kMaxFileSize raises
// text::Exception "<path> is too large to be a loan file".
LoadedFile LoadFileText(const std::string& path);

// Replaces the file's bytes by contents, or leaves the file exactly as it was and raises
// text::WriteError(path). The new text is written to a file in the same folder that gets a name
// only once it is complete and on the disk (where the file system allows; a named temporary file
// otherwise), which is then renamed over the target, so no reader ever sees half a file and a
// crash leaves nothing behind. The target keeps its permission bits (and its owner, where that can
// be kept); a symbolic link keeps pointing at the file it names, which gets the new text. A target
// that this process could not open for writing, or without any write permission bit, is refused.
void CommitFileText(const std::string& path, std::string_view contents);

}  // namespace loanfile
