#include "loanfile/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <random>
#include <utility>

#include "text/Exceptions.h"

namespace loanfile {

namespace {

// Closes the descriptor it holds when it goes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now and reports whether the last write-back succeeded.
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

// Removes the temporary file unless it has been renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

  private:
    std::string path_;
};

constexpr int kAttempts = 64;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a path names after following symbolic links, so that saving through a link
// updates the linked file and keeps the link. Empty when the links go round in circles.
std::string FollowLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            return {};
        }
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : FolderOf(path) + "/" + target;
    }
    return {};
}

// A hidden name beside the target: ".<name>.<number>.tmp", the name cut (between characters of
// UTF-8) so that the whole fits the folder's limit, which the target itself may fill.
std::string TemporaryName(const std::string& target, std::mt19937_64& random) {
    const std::string folder = FolderOf(target);
    const std::string suffix = "." + std::to_string(random() % 1000000000) + ".tmp";
    const long folderLimit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t limit = folderLimit > 0 ? static_cast<std::size_t>(folderLimit) : NAME_MAX;
    std::string name = NameOf(target);
    if (name.size() + 1 + suffix.size() > limit) {
        std::size_t cut = limit > 1 + suffix.size() ? limit - 1 - suffix.size() : 0;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        name.resize(cut);
    }
    return folder + "/." + name + suffix;
}

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The new file takes the target's permission bits and, where it may, its owner; then the text,
// flushed to the disk.
bool Fill(int fd, const struct stat* target, std::string_view contents) {
    if (target != nullptr) {
        // Best effort: only root may give the file back to another owner.
        [[maybe_unused]] const int owned = ::fchown(fd, target->st_uid, target->st_gid);
        if (::fchmod(fd, target->st_mode & 07777) != 0) {
            return false;
        }
    }
    return WriteAll(fd, contents) && ::fsync(fd) == 0;
}

// An unnamed file made complete, then given a temporary name; a crash before that leaves nothing.
// Empty, with nothing left behind, when the file system or the process cannot do it this way, or
// when the text could not be written, which sets failed (the named way would fail as well).
std::string WriteUnnamed(const std::string& target, const struct stat* existing,
                         std::string_view contents, std::mt19937_64& random, bool& failed) {
    FileDescriptor fd(::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!fd.IsOpen()) {
        return {};
    }
    if (!Fill(fd.Get(), existing, contents)) {
        failed = true;
        return {};
    }
    // Naming a descriptor needs a privilege, or /proc; either may be missing.
    const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = TemporaryName(target, random);
        if (::linkat(fd.Get(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return name;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

// A new named file beside the target, made with O_EXCL so that it can never be someone else's.
std::string WriteNamed(const std::string& target, const struct stat* existing,
                       std::string_view contents, std::mt19937_64& random) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        TemporaryFile temporary(TemporaryName(target, random));
        FileDescriptor fd(
            ::open(temporary.Path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.IsOpen()) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        if (!Fill(fd.Get(), existing, contents) || !fd.Close()) {
            return {};
        }
        std::string name = temporary.Path();
        temporary.Release();
        return name;
    }
    return {};
}

// Whether this process may write the file itself. The rename needs rights on the folder only, so
// without this a shared folder would let anyone replace another person's loan.
bool MayWrite(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))
        .IsOpen();
}

void SyncFolder(const std::string& folder) {
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        ::fsync(fd.Get());  // the rename is already done; a folder that cannot sync loses nothing
    }
}

// Every step that can refuse; false leaves the target untouched.
bool Replace(const std::string& path, std::string_view contents) {
    const std::string target = FollowLinks(path);
    if (target.empty()) {
        return false;
    }
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    // The permission bits count as well: a process running as root may write anything, and the
    // rename would silently replace a file the user protected.
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0 || !MayWrite(target))) {
        return false;
    }

    std::random_device seed;
    std::mt19937_64 random(seed());
    const struct stat* existing = exists ? &status : nullptr;
    bool failed = false;
    std::string written = WriteUnnamed(target, existing, contents, random, failed);
    if (written.empty() && !failed) {
        written = WriteNamed(target, existing, contents, random);
    }
    if (written.empty()) {
        return false;
    }
    TemporaryFile temporary(written);
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
        return false;
    }
    temporary.Release();
    SyncFolder(FolderOf(target));
    return true;
}

}  // namespace

LoadedFile LoadFileText(const std::string& path) {
    // O_NONBLOCK so that a path naming a pipe cannot hang the program; a regular file ignores it.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) {
        const bool absent = errno == ENOENT || errno == ENOTDIR;
        return {absent ? LoadedFile::State::Absent : LoadedFile::State::Unreadable, {}};
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        return {LoadedFile::State::Unreadable, {}};
    }
    if (!S_ISREG(status.st_mode)) {
        return {LoadedFile::State::Absent, {}};
    }
    const auto tooLarge = [&] { return text::Exception(path + " is too large to be a loan file"); };
    if (status.st_size > kMaxFileSize) {
        throw tooLarge();
    }
    LoadedFile loaded{LoadedFile::State::Read,
                      std::string(static_cast<std::size_t>(status.st_size), '\0')};
    std::size_t filled = 0;
    char more[4096];  // what a file that grew since fstat holds beyond its size then
    while (true) {
        const bool full = filled == loaded.contents.size();
        char* const into = full ? more : loaded.contents.data() + filled;
        const ssize_t got =
            ::read(fd.Get(), into, full ? sizeof more : loaded.contents.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {LoadedFile::State::Unreadable, {}};
        }
        if (got == 0) {
            break;
        }
        if (full) {
            if (loaded.contents.size() + static_cast<std::size_t>(got) > kMaxFileSize) {
                throw tooLarge();
            }
            loaded.contents.append(more, static_cast<std::size_t>(got));
        }
        filled += static_cast<std::size_t>(got);
    }
    loaded.contents.resize(filled);
    return loaded;
}

void CommitFileText(const std::string& path, std::string_view contents) {
    if (!Replace(path, contents)) {
        throw text::WriteError(path);
    }
}

}  // namespace loanfile
