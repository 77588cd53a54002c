#include "loanfile/IniFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace loanfile {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
};

TEST(IniFileRead, ReadsWhatAPersonWrote) {
    const std::string longValue(2000, 'x');
    const std::vector<ReadCase> cases = {
        {"blanks around names and value", "[ Loan ]\n  Principal =  150000 \n", "Loan", "Principal",
         "150000"},
        {"names match regardless of case", "[loan]\r\nPRINCIPAL=5\r\n", "Loan", "Principal", "5"},
        {"one pair of quotes removed", "[Loan]\r\nRate=\"\"6.5\"\"\r\n", "Loan", "Rate", "\"6.5\""},
        {"lone quote kept", "[Loan]\r\nRate=\"6.5\r\n", "Loan", "Rate", "\"6.5"},
        {"empty value is not absent", "[Loan]\r\nTerm=\r\n", "Loan", "Term", ""},
        {"first of duplicate keys", "[Loan]\r\nTerm=30\r\nterm=15\r\n", "Loan", "Term", "30"},
        {"first of duplicate sections", "[Loan]\r\nTerm=30\r\n[LOAN]\r\nRate=7\r\n", "Loan", "Rate",
         "default"},
        {"key of another section", "[Other]\r\nTerm=30\r\n[Loan]\r\n", "Loan", "Term", "default"},
        {"entry before any section", "Term=30\r\n[Loan]\r\n", "Loan", "Term", "default"},
        {"comment lines skipped", "[Loan]\r\n;Term=15\r\n# Term=20\r\nTerm=30", "Loan", "Term",
         "30"},
        {"line without equals sign skipped", "[Loan]\r\nTerm\r\nTerm=30\r\n", "Loan", "Term", "30"},
        {"header without closing bracket", "[Loan]\r\n[Other\r\nTerm=30\r\n", "Loan", "Term", "30"},
        {"CR alone is part of the value", "[Loan]\r\nTerm=3\r0\r\n", "Loan", "Term", "3\r0"},
        {"NUL bytes kept", "[Loan]\r\nTerm=3\0 0\r\n"s, "Loan", "Term", "3\0 0"s},
        {"byte order mark before the first section", "\xEF\xBB\xBF[Loan]\r\nTerm=30\r\n", "Loan",
         "Term", "30"},
        {"no sections at all", "\x01\x02\xFF garbage = 5\n\n", "Loan", "Term", "default"},
        {"value cut to 1023 bytes", "[Loan]\r\nPrincipal=" + longValue + "\r\n", "Loan",
         "Principal", std::string(1023, 'x')},
    };
    const TempFolder folder;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path("loan.tsl");
        WriteBytes(path, c.file);
        EXPECT_EQ(TIniFile(path).ReadText(c.section, c.key, "default"), c.expected);
    }
}

TEST(IniFileRead, MissingFileAndLongDefault) {
    const TempFolder folder;
    const TIniFile file(folder.Path("none.tsl"));
    const std::string longDefault(1500, 'd');
    EXPECT_EQ(file.ReadText("Loan", "Term", "30"), "30");
    // An absent key must leave the caller's text exactly as it was, however long.
    EXPECT_EQ(file.ReadText("Loan", "Term", longDefault), longDefault);
    EXPECT_EQ(TIniFile(folder.Path()).ReadText("Loan", "Term", "x"), "x");
}

TEST(IniFileRead, Integers) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"1", 1},           {"0x1", 1},
        {"0X1f", 31},       {"$1F", 31},
        {" 7 ", 7},         {"-5", -5},
        {"0x", 99},         {"0x-1", 99},
        {"abc", 99},        {"", 99},
        {"30.0", 99},       {"3e1", 99},
        {"2147483648", 99}, {"-2147483648", -2147483647 - 1},
        {"0xFFFFFFFF", -1},
    };
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        WriteBytes(path, "[Loan]\r\nYears=" + stored + "\r\n");
        EXPECT_EQ(TIniFile(path).ReadInteger("Loan", "Years", 99), expected);
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    std::function<void(TIniFile&)> write;
    std::string after;
};

TEST(IniFileWrite, ChangesOnlyWhatItNames) {
    const std::vector<WriteCase> cases = {
        {"new file", "", [](TIniFile& f) { f.WriteText("Loan", "Principal", "1"); },
         "[Loan]\r\nPrincipal=1\r\n"},
        {"value replaced on its own line, the rest kept",
         "; note\r\n[loan]\r\n  principal = 5 \r\nRate=6\r\n\r\n[Other]\r\nx = 1\r\n",
         [](TIniFile& f) { f.WriteText("Loan", "Principal", "7"); },
         "; note\r\n[loan]\r\nPrincipal=7\r\nRate=6\r\n\r\n[Other]\r\nx = 1\r\n"},
        {"new key after the section's last entry, before its blank lines",
         "[Loan]\nRate=6\n;c\n\n\n[Other]\nx=1\n",
         [](TIniFile& f) { f.WriteText("Loan", "Term", "30"); },
         "[Loan]\nRate=6\n;c\nTerm=30\n\n\n[Other]\nx=1\n"},
        {"new lines end as the file's first line does", "[Loan]\nRate=6\r\nTerm=1",
         [](TIniFile& f) {
             f.WriteText("Loan", "Term", "30");
             f.WriteText("Loan", "Schedule", "Monthly");
             f.WriteText("ExtPayments", "1", "5.00");
         },
         "[Loan]\nRate=6\r\nTerm=30\nSchedule=Monthly\n[ExtPayments]\n1=5.00\n"},
        {"last line without an ending", "[Loan]\r\nRate=6",
         [](TIniFile& f) { f.WriteText("Loan", "Term", "30"); }, "[Loan]\r\nRate=6\r\nTerm=30\r\n"},
        {"replaced last line keeps having no ending", "[Loan]\r\nRate=6",
         [](TIniFile& f) { f.WriteInteger("Loan", "Rate", -7); }, "[Loan]\r\nRate=-7"},
        {"only the first duplicate key replaced", "[Loan]\r\nTerm=1\r\nTerm=2\r\n",
         [](TIniFile& f) { f.WriteText("Loan", "Term", "3"); }, "[Loan]\r\nTerm=3\r\nTerm=2\r\n"},
        {"new section at the end", "[Other]\r\nx=1\r\n\r\n",
         [](TIniFile& f) {
             f.WriteText("ExtPayments", "1", "5.00");
             f.WriteText("ExtPayments", "2", "6.00");
             f.WriteText("extpayments", "1", "7.00");
         },
         "[Other]\r\nx=1\r\n\r\n[ExtPayments]\r\n1=7.00\r\n2=6.00\r\n"},
        {"erase takes every section of the name and nothing else",
         "[A]\r\na=1\r\n[ExtPayments]\r\n1=5\r\n;c\r\n\r\n[B]\r\nb=2\r\n[extpayments]\r\n2=6\r\n",
         [](TIniFile& f) { f.EraseSection("ExtPayments"); }, "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"erase then write puts the section at the end", "[ExtPayments]\r\n1=5\r\n[B]\r\nb=2\r\n",
         [](TIniFile& f) {
             f.WriteText("ExtPayments", "9", "1.00");
             f.EraseSection("ExtPayments");
             f.WriteText("ExtPayments", "2", "3.00");
         },
         "[B]\r\nb=2\r\n[ExtPayments]\r\n2=3.00\r\n"},
        {"erasing an absent section", "[A]\r\na=1", [](TIniFile& f) { f.EraseSection("X"); },
         "[A]\r\na=1"},
        {"a line feed cannot forge lines", "",
         [](TIniFile& f) { f.WriteText("Loan", "Principal", "1\n[Evil]\nx=2"); },
         "[Loan]\r\nPrincipal=1\r\n"},
    };
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path);
        if (!c.before.empty()) {
            WriteBytes(path, c.before);
        }
        TIniFile file(path);
        c.write(file);
        file.Commit();
        EXPECT_EQ(ReadBytes(path), c.after);
    }
}

TEST(IniFileWrite, ReadsSeeEarlierWritesBeforeCommit) {
    TIniFile file("unused.tsl", "[Loan]\r\nTerm=30\r\n[ExtPayments]\r\n 2 = 9.00\r\n2=8.00\r\n");
    file.WriteText("Loan", "Term", "15");
    file.WriteText("Loan", "Rate", "6");
    EXPECT_EQ(file.ReadText("LOAN", "term", ""), "15");
    EXPECT_EQ(file.ReadText("Loan", "Rate", ""), "6");

    // The one-pass read of many keys agrees with reading them one by one.
    file.WriteText("ExtPayments", "3", "1.00");
    const std::vector<std::string> keys = {"1", "2", "3", "2", "02"};
    const std::vector<std::string> many = file.ReadTexts("ExtPayments", keys, "0.00");
    ASSERT_EQ(many.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(many[i], file.ReadText("ExtPayments", keys[i], "0.00")) << keys[i];
    }
    EXPECT_EQ(many[1], "9.00");
    EXPECT_EQ(many[2], "1.00");

    file.EraseSection("ExtPayments");
    EXPECT_EQ(file.ReadText("ExtPayments", "2", "gone"), "gone");
    EXPECT_EQ(file.ReadTexts("ExtPayments", keys, "gone")[2], "gone");
}

}  // namespace
}  // namespace loanfile
