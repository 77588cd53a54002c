#include "loanfile/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
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

// A new file beside the target, made with O_EXCL so that it can never be someone else's file.
int CreateTemporary(const std::string& target, mode_t mode, std::string& tempPath) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    constexpr int kAttempts = 64;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        tempPath = FolderOf(target) + "/." + NameOf(target) + "." +
                   std::to_string(random() % 1000000000) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
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
    // Checked by the permission bits rather than access(): a process running as root may write
    // anything, and the rename would silently replace a file the user protected.
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0)) {
        return false;
    }

    std::string tempPath;
    FileDescriptor fd(CreateTemporary(target, 0666, tempPath));
    if (!fd.IsOpen()) {
        return false;
    }
    TemporaryFile temporary(tempPath);
    if (exists) {
        // Best effort: only root may give the file back to another owner.
        [[maybe_unused]] const int owned = ::fchown(fd.Get(), status.st_uid, status.st_gid);
        if (::fchmod(fd.Get(), status.st_mode & 07777) != 0) {
            return false;
        }
    }
    if (!WriteAll(fd.Get(), contents) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
        return false;
    }
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
    LoadedFile loaded{LoadedFile::State::Read, {}};
    loaded.contents.resize(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (true) {
        if (filled == loaded.contents.size()) {
            loaded.contents.resize(filled + 65536);  // the file grew since fstat
        }
        const ssize_t got =
            ::read(fd.Get(), loaded.contents.data() + filled, loaded.contents.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {LoadedFile::State::Unreadable, {}};
        }
        if (got == 0) {
            break;
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
