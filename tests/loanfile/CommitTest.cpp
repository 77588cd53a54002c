#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "SampleLoans.h"
#include "TempFolder.h"
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

}  // namespace
}  // namespace loanfile
