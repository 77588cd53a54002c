// The only two touches of the disk: a loan file read whole, and its new text put in place whole.
#pragma once

#include <string>
#include <string_view>

namespace loanfile {

struct LoadedFile {
    enum class State {
        Absent,      // no file (or the path is a folder or another kind of thing): nothing to keep
        Read,        // contents holds every byte of the file
        Unreadable,  // a file that exists but could not be read: it must not be replaced
    };
    State state = State::Absent;
    std::string contents;
};

LoadedFile LoadFileText(const std::string& path);

// Replaces the file's bytes by contents, or leaves the file exactly as it was and raises
// text::WriteError(path). A temporary file in the same folder is written, flushed to the disk and
// renamed over the target, so no reader ever sees half a file. The target keeps its permission
// bits (and its owner, where that can be kept); a symbolic link keeps pointing at the file it
// names, which gets the new text. A target without any write permission bit is refused.
void CommitFileText(const std::string& path, std::string_view contents);

}  // namespace loanfile
