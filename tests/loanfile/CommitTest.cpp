#include <grp.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "SampleLoans.h"
#include "TempFolder.h"
#include "loan/Schedule.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/IniFile.h"
#include "loanfile/LoanFile.h"
#include "text/Exceptions.h"

namespace loanfile {
namespace {

using testing::PermissionBits;
using testing::ReadBytes;
using testing::SampleGrid;
using testing::SampleLoan;
using testing::TempFolder;
using testing::WriteBytes;
using namespace std::string_literals;

const std::string kStored = "[Loan]\r\nPrincipal=1\r\n[ExtPayments]\r\n1=5.00\r\n";

// Expects the save to be refused with the exact message, and the folder to be as it was.
void ExpectRefused(const TempFolder& folder, const std::string& path,
                   const loan::ScheduleGrid& grid) {
    const auto namesBefore = folder.Names();
    try {
        WriteLoanFile(path, SampleLoan(), grid);
        ADD_FAILURE() << "the save of " << path << " was not refused";
    } catch (const text::Exception& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + path);
    }
    EXPECT_EQ(folder.Names(), namesBefore) << "a temporary file was left behind";
}

TEST(LoanFileCommit, RefusedWritesLeaveTheFileAsItWas) {
    const TempFolder folder;
    const loan::ScheduleGrid grid;

    const std::string readOnly = folder.Path("read-only.tsl");
    WriteBytes(readOnly, kStored);
    ::chmod(readOnly.c_str(), 0444);
    ExpectRefused(folder, readOnly, grid);
    EXPECT_EQ(ReadBytes(readOnly), kStored);
    EXPECT_EQ(PermissionBits(readOnly), 0444U);

    ExpectRefused(folder, folder.Path("missing/loan.tsl"), grid);

    const std::string isFolder = folder.Path("folder.tsl");
    std::filesystem::create_directory(isFolder);
    ExpectRefused(folder, isFolder, grid);
    EXPECT_TRUE(std::filesystem::is_empty(isFolder));

    const std::string loop = folder.Path("loop.tsl");
    std::filesystem::create_symlink("loop.tsl", loop);
    ExpectRefused(folder, loop, grid);
}

TEST(LoanFileCommit, KeepsPermissionsAndSymbolicLinks) {
    const TempFolder folder;
    const std::string target = folder.Path("real.tsl");
    const std::string link = folder.Path("link.tsl");
    WriteBytes(target, kStored);
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("real.tsl", link);

    WriteLoanFile(link, SampleLoan(), loan::ScheduleGrid());

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(PermissionBits(target), 0640U);
    EXPECT_NE(ReadBytes(target).find("Principal=" + SampleLoan().principal + "\r\n"),
              std::string::npos);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"link.tsl", "real.tsl"}));
}

// Mounts a small tmpfs for a scope; only root can.
class SmallDisk {
  public:
    explicit SmallDisk(const std::string& where) : where_(where) {
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(where_.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return mounted_; }

  private:
    std::string where_;
    bool mounted_ = false;
};

TEST(LoanFileCommit, FullDiskLeavesTheFileAsItWas) {
    const TempFolder folder;
    const std::string mountPoint = folder.Path("disk");
    std::filesystem::create_directory(mountPoint);
    const SmallDisk disk(mountPoint);
    if (!disk.Mounted()) {
        GTEST_SKIP() << "a full disk needs a small tmpfs, which only root with mount() can make";
    }
    const std::string path = mountPoint + "/loan.tsl";
    const std::string stored = kStored + "[Notes]\r\n" + std::string(30000, 'n') + "\r\n";
    WriteBytes(path, stored);
    ASSERT_EQ(ReadBytes(path), stored);

    try {
        WriteLoanFile(path, SampleLoan(), SampleGrid(5200, {}, "1000.00"));
        ADD_FAILURE() << "a save that does not fit was not refused";
    } catch (const text::Exception& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadBytes(path), stored);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(mountPoint)) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"loan.tsl"});
}

TEST(LoanFileCommit, NothingWrittenChangesNothing) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    const std::string odd = "\xEF\xBB\xBF junk\r[Loan]\nA = \"1\"\r\n\r\n[B]\0x"s;
    WriteBytes(path, odd);
    TIniFile file(path);
    EXPECT_EQ(file.Text(), odd);
    ::chmod(path.c_str(), 0444);
    file.Commit();  // nothing to write, so nothing to refuse
    EXPECT_EQ(ReadBytes(path), odd);
}

// A folder anyone may write to, without the sticky bit, lets anyone rename over its files; the
// save must still refuse a file its user could not write.
TEST(LoanFileCommit, AnotherUsersFileInASharedFolderIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to own a file as one user and save over it as another";
    }
    const TempFolder folder;
    ::chmod(folder.Path().c_str(), 0777);
    const std::string path = folder.Path("owned-by-root.tsl");
    WriteBytes(path, kStored);
    ::chmod(path.c_str(), 0644);
    const auto namesBefore = folder.Names();

    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        std::string outcome = "saved";
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            outcome = "could not drop privileges";
        } else {
            try {
                WriteLoanFile(path, SampleLoan(), SampleGrid(1));
            } catch (const text::Exception& error) {
                outcome = error.Message();
            }
        }
        [[maybe_unused]] const ssize_t sent = ::write(report[1], outcome.data(), outcome.size());
        ::_exit(0);
    }
    ::close(report[1]);
    char received[512] = {};
    const ssize_t length = ::read(report[0], received, sizeof received - 1);  // one short write
    ::close(report[0]);
    const std::string outcome(received, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
    ::waitpid(child, nullptr, 0);

    EXPECT_EQ(outcome, "Unable to write to " + path);
    EXPECT_EQ(ReadBytes(path), kStored);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0U);
    EXPECT_EQ(status.st_mode & 07777, 0644U);
    EXPECT_EQ(folder.Names(), namesBefore);
}

// True while the process holds a file open in the folder other than the loan file: a save in the
// middle of writing the new text.
bool WritingBeside(pid_t process, const std::string& folder, const std::string& path) {
    std::error_code error;
    const std::filesystem::path descriptors = "/proc/" + std::to_string(process) + "/fd";
    for (const auto& entry : std::filesystem::directory_iterator(descriptors, error)) {
        const std::string open = std::filesystem::read_symlink(entry.path(), error).string();
        if (open.starts_with(folder + "/") && open != path) {
            return true;
        }
    }
    return false;
}

// A save killed while it writes leaves the old file or the new one, whole, and nothing beside it.
TEST(LoanFileCommit, KilledSavesLeaveTheOldFileOrTheNew) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    const loan::ScheduleGrid grids[] = {SampleGrid(loan::kMaxPaymentRows, {}, "1.00"),
                                        SampleGrid(loan::kMaxPaymentRows, {}, "2.00")};
    std::set<std::string> whole;
    for (const loan::ScheduleGrid& grid : grids) {
        WriteLoanFile(path, SampleLoan(), grid);
        whole.insert(ReadBytes(path));
    }
    ASSERT_EQ(whole.size(), 2U);
    // Each loan's writes made once, so that a child starts with the commit, which is what a kill
    // must not break.
    TIniFile saves[2] = {TIniFile(path), TIniFile(path)};
    for (int i = 0; i < 2; ++i) {
        WriteLoanFile(saves[i], SampleLoan(), grids[i]);
    }

    constexpr int kKills = 50;
    int killedWriting = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                saves[kill % 2].Commit();
                for (int save = 0;; ++save) {
                    WriteLoanFile(path, SampleLoan(), grids[save % 2]);
                }
            } catch (...) {
                ::_exit(1);
            }
        }
        // Killed as soon as the new text is being written, a little later each time; a child never
        // seen writing is killed anyway after some polls.
        bool writing = false;
        for (int poll = 0; poll < 20000 && !writing; ++poll) {
            writing = WritingBeside(child, folder.Path(), path);
            if (!writing) {
                ::usleep(100);
            }
        }
        ::usleep(static_cast<useconds_t>(kill % 10 * 20));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        killedWriting += writing ? 1 : 0;

        SCOPED_TRACE(kill);
        ASSERT_EQ(folder.Names(), std::set<std::string>{"loan.tsl"});
        ASSERT_EQ(whole.count(ReadBytes(path)), 1U);
    }
    EXPECT_GT(killedWriting, kKills / 2) << "the saves were seldom caught writing";
}

// Names that fill the file system's limit of 255 bytes leave no room for a longer temporary one.
TEST(LoanFileCommit, AnyNameTheFileSystemTakes) {
    std::string chinese;
    for (int i = 0; i < 82; ++i) {
        chinese += "\u8D37";  // 3 bytes in UTF-8
    }
    chinese += ".tsl";
    ASSERT_EQ(chinese.size(), 250U);
    for (const std::string& name : {std::string(251, 'n') + ".tsl", chinese}) {
        SCOPED_TRACE(name.size());
        const TempFolder folder;
        const std::string path = folder.Path(name);
        WriteLoanFile(path, SampleLoan(), SampleGrid(1));
        WriteLoanFile(path, SampleLoan(), SampleGrid(2, {{2, "5.00"}}));
        EXPECT_NE(ReadBytes(path).find("[ExtPayments]\r\n2=5.00\r\n"), std::string::npos);
        EXPECT_EQ(folder.Names(), std::set<std::string>{name});
    }
}

}  // namespace
}  // namespace loanfile
