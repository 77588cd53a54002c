#include "loanfile/LoanFile.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "SampleLoans.h"
#include "TempFolder.h"
#include "loan/Schedule.h"
#include "loanfile/FileAccess.h"
#include "text/Exceptions.h"
#include "text/LocaleFormats.h"

namespace loanfile {
namespace {

using testing::ReadBytes;
using testing::SampleGrid;
using testing::SampleLoan;
using testing::TempFolder;
using testing::WriteBytes;

void ExpectSameInputs(const loan::LoanInputs& a, const loan::LoanInputs& b) {
    EXPECT_EQ(a.principal, b.principal);
    EXPECT_EQ(a.rate, b.rate);
    EXPECT_EQ(a.term, b.term);
    EXPECT_EQ(a.termUnit, b.termUnit);
    EXPECT_EQ(a.frequency, b.frequency);
    EXPECT_EQ(a.startDate, b.startDate);
}

TEST(LoanFile, WritesTheLayoutAndReadsItBack) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    const loan::ScheduleGrid written = SampleGrid(360, {{1, "500.00"}, {12, "1000.00"}});
    WriteLoanFile(path, SampleLoan(), written);
    EXPECT_EQ(ReadBytes(path),
              "[Loan]\r\nPrincipal=150000\r\nRate=6.5\r\nTerm=30\r\nSchedule=Monthly\r\nYears=0\r\n"
              "Date=45292\r\n[ExtPayments]\r\n1=500.00\r\n12=1000.00\r\n");

    loan::LoanInputs inputs;
    inputs.frequency = "Weekly";
    inputs.termUnit = loan::kTermUnitMonths;
    ReadLoanInputs(path, inputs);
    ExpectSameInputs(inputs, SampleLoan());

    loan::ScheduleGrid read;
    ReadExtraPayments(path, 360, read);
    for (int row = 1; row <= 360; ++row) {
        EXPECT_EQ(read.Cell(row, loan::kColExtra), written.Cell(row, loan::kColExtra)) << row;
    }
}

TEST(LoanFile, RewritesAnExistingFileInPlace) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteBytes(path,
               "[Notes]\r\nby=hand\r\n[ExtPayments]\r\n3=9.00\r\n[Loan]\r\nDate=1\r\nOwner=Ann\r\n"
               "principal=1\r\n[Tail]\r\nx=y\r\n");
    WriteLoanFile(path, SampleLoan(), SampleGrid(2, {{2, "abc"}}));
    EXPECT_EQ(ReadBytes(path),
              "[Notes]\r\nby=hand\r\n[Loan]\r\nDate=45292\r\nOwner=Ann\r\nPrincipal=150000\r\n"
              "Rate=6.5\r\nTerm=30\r\nSchedule=Monthly\r\nYears=0\r\n[Tail]\r\nx=y\r\n"
              "[ExtPayments]\r\n2=abc\r\n");

    // Without extra payments the section disappears altogether.
    WriteLoanFile(path, SampleLoan(), SampleGrid(2, {}));
    EXPECT_EQ(ReadBytes(path).find("ExtPayments"), std::string::npos);
}

TEST(LoanFile, EmptyFirstRowIsWrittenUnderTheEmptyKey) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteLoanFile(path, loan::LoanInputs{}, loan::ScheduleGrid());
    EXPECT_NE(ReadBytes(path).find("[ExtPayments]\r\n=\r\n"), std::string::npos);
    loan::ScheduleGrid grid;
    ReadExtraPayments(path, 1, grid);
    EXPECT_EQ(grid.Cell(1, loan::kColExtra), "0.00");
}

TEST(LoanFile, CommaDecimalMarkRoundTrip) {
    text::LocaleFormats comma;
    comma.decimalMark = ',';
    const text::ScopedLocaleFormats scoped(comma);
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    loan::LoanInputs inputs = SampleLoan();
    inputs.startDate = 45292.5;
    WriteLoanFile(path, inputs, SampleGrid(3, {{2, "12,50"}}, "0,00"));
    EXPECT_NE(
        ReadBytes(path).find("Date=45292,5\r\n[ExtPayments]\r\n1=0,00\r\n2=12,50\r\n3=0,00\r\n"),
        std::string::npos);

    loan::LoanInputs read;
    ReadLoanInputs(path, read);
    EXPECT_EQ(read.startDate, 45292);  // the day moves; the time of day stays that of 'read'
    loan::ScheduleGrid grid;
    ReadExtraPayments(path, 3, grid);
    EXPECT_EQ(grid.Cell(1, loan::kColExtra), "0,00");
    EXPECT_EQ(grid.Cell(2, loan::kColExtra), "12,50");
}

TEST(LoanFile, EmptyAndAbsentKeys) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteBytes(path, "[Loan]\r\nPrincipal=\r\nSchedule=Yearly\r\n");
    loan::LoanInputs inputs = SampleLoan();
    ReadLoanInputs(path, inputs);
    EXPECT_EQ(inputs.principal, "");
    loan::LoanInputs expected = SampleLoan();
    expected.principal = "";
    ExpectSameInputs(inputs, expected);

    loan::LoanInputs untouched = SampleLoan();
    ReadLoanInputs(folder.Path("missing.tsl"), untouched);
    ExpectSameInputs(untouched, SampleLoan());
}

TEST(LoanFile, TermUnitIsClampedOrKept) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", 0}, {"1", 1}, {"0x1", 1}, {"7", 1}, {"-1", -1}, {"-5", -1}, {"abc", 1}, {"", 1},
    };
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        WriteBytes(path, "[Loan]\r\nYears=" + stored + "\r\n");
        loan::LoanInputs inputs;
        inputs.termUnit = loan::kTermUnitMonths;
        ReadLoanInputs(path, inputs);
        EXPECT_EQ(inputs.termUnit, expected);
    }
}

TEST(LoanFile, DateMovesOnlyItsWholeDay) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"Date=45292.75\r\n", 45292.25},   // 1 January 2024, the time of day kept
        {"Date=45000.9\r\n", 45000.25},    // the same day: nothing moves
        {"Date=-3\r\n", -3.25},            // before day 0 the time still counts forward
        {"", 45000.25},                    // absent
        {"Date=-693593\r\n", -693593.25},  // 1 January of year 1
        {"Date=2958465\r\n", 2958465.25},  // 31 December 9999
    };
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        WriteBytes(path, "[Loan]\r\n" + stored);
        loan::LoanInputs inputs;
        inputs.startDate = 45000.25;
        ReadLoanInputs(path, inputs);
        EXPECT_EQ(inputs.startDate, expected);
    }
}

TEST(LoanFile, DateThatDoesNotConvertEndsTheReadAfterTheOtherInputs) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteBytes(path, "[Loan]\r\nPrincipal=5\r\nYears=1\r\nDate=abc\r\n");
    loan::LoanInputs inputs = SampleLoan();
    try {
        ReadLoanInputs(path, inputs);
        ADD_FAILURE() << "abc was read as a date";
    } catch (const text::EConvertError& error) {
        EXPECT_EQ(error.Message(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(inputs.principal, "5");
    EXPECT_EQ(inputs.termUnit, 1);
    EXPECT_EQ(inputs.startDate, SampleLoan().startDate);
}

// A number that is no day of the years 1 to 9999 is bad input, as a text that is no number is.
TEST(LoanFile, DateOutsideTheCalendarEndsTheReadAfterTheOtherInputs) {
    const std::vector<std::string> outside = {"1E300", "-1E300", "-693594", "2958466", "1e7"};
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const std::string& stored : outside) {
        SCOPED_TRACE(stored);
        WriteBytes(path, "[Loan]\r\nPrincipal=5\r\nSchedule=Weekly\r\nDate=" + stored + "\r\n");
        loan::LoanInputs inputs = SampleLoan();
        try {
            ReadLoanInputs(path, inputs);
            ADD_FAILURE() << "read as a start date";
        } catch (const text::EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + stored + "' is not a valid date");
        }
        EXPECT_EQ(inputs.principal, "5");
        EXPECT_EQ(inputs.frequency, "Weekly");
        EXPECT_EQ(inputs.startDate, SampleLoan().startDate);
    }
}

TEST(LoanFile, ExtraPaymentsOfRowsOneToN) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteBytes(path, "[ExtPayments]\r\n1=5.00\r\n2=abc\r\n4=7.00\r\n");
    loan::ScheduleGrid grid;
    grid.SetCell(4, loan::kColExtra, "kept");
    ReadExtraPayments(path, 3, grid);
    EXPECT_EQ(grid.Cell(1, loan::kColExtra), "5.00");
    EXPECT_EQ(grid.Cell(2, loan::kColExtra), "abc");
    EXPECT_EQ(grid.Cell(3, loan::kColExtra), "0.00");
    EXPECT_EQ(grid.Cell(4, loan::kColExtra), "kept");

    loan::ScheduleGrid fromNothing;
    ReadExtraPayments(folder.Path("missing.tsl"), 2, fromNothing);
    EXPECT_EQ(fromNothing.Cell(1, loan::kColExtra), "0.00");
    EXPECT_EQ(fromNothing.Cell(2, loan::kColExtra), "0.00");
    EXPECT_EQ(fromNothing.Cell(3, loan::kColExtra), "");

    // A term no schedule can reach must not fill millions of rows nobody will show.
    loan::ScheduleGrid huge;
    ReadExtraPayments(path, INT_MAX, huge);
    EXPECT_LE(huge.StoredRows(), loan::kMaxPaymentRows + 1);
    EXPECT_EQ(huge.Cell(loan::kMaxPaymentRows, loan::kColExtra), "0.00");
}

TEST(LoanFile, HandEditedFileReadsAsAPersonExpects) {
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    WriteBytes(path,
               "; my house\n[Bank]\nName = First\n\n[ loan ]\nprincipal = 250000\n"
               "Rate = \"4.25\"\n  Term=15\nSCHEDULE=Bi-Weekly\nYears = 0x0\nDate = 45323\n\n"
               "[ExtPayments]\n 1 = 100.00\n# 2=200.00\n3=\"300.00\"");
    loan::LoanInputs inputs;
    ReadLoanInputs(path, inputs);
    EXPECT_EQ(inputs.principal, "250000");
    EXPECT_EQ(inputs.rate, "4.25");
    EXPECT_EQ(inputs.term, "15");
    EXPECT_EQ(inputs.frequency, "Bi-Weekly");
    EXPECT_EQ(inputs.termUnit, 0);
    EXPECT_EQ(inputs.startDate, 45323);
    loan::ScheduleGrid grid;
    ReadExtraPayments(path, 3, grid);
    EXPECT_EQ(grid.Cell(1, loan::kColExtra), "100.00");
    EXPECT_EQ(grid.Cell(2, loan::kColExtra), "0.00");
    EXPECT_EQ(grid.Cell(3, loan::kColExtra), "300.00");
}

TEST(LoanFile, BadBytesReadWithoutHarm) {
    std::string binary(1 << 16, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>((i * 7919) >> 3);
    }
    const std::vector<std::string> files = {
        "",
        binary,
        "[Loan]\r" + std::string(1 << 20, 'v') + "\r\n",
        "[Loan]\r\nPrincipal=" + std::string(1 << 20, '9') +
            "\r\n[ExtPayments]\r\n1=" + std::string(1 << 20, '1'),
        std::string("[Loan]\0\r\nTerm=1\0\r\n", 18),
    };
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    for (const std::string& file : files) {
        SCOPED_TRACE(file.size());
        WriteBytes(path, file);
        loan::LoanInputs inputs = SampleLoan();
        EXPECT_NO_THROW(ReadLoanInputs(path, inputs));
        EXPECT_LE(inputs.principal.size(), 1023U);
        loan::ScheduleGrid grid;
        EXPECT_NO_THROW(ReadExtraPayments(path, 100, grid));
        EXPECT_LE(grid.Cell(1, loan::kColExtra).size(), 1023U);
    }
}

// The largest file read is far above any loan; one byte more is refused on Open and on Save
// alike, by name and before anything is read or written.
TEST(LoanFile, SizeLimit) {
    const auto limit = static_cast<std::size_t>(kMaxFileSize);
    const TempFolder folder;
    const std::string path = folder.Path("loan.tsl");
    std::string big = "[Junk]\r\n";
    const std::string line = "k=" + std::string(98, 'j') + "\r\n";
    const std::string tail = "[Loan]\r\nTerm=25\r\n";
    while (big.size() + line.size() + tail.size() <= limit) {
        big += line;
    }
    big += std::string(limit - big.size() - tail.size(), '\n') + tail;  // blank lines
    ASSERT_EQ(big.size(), limit);
    WriteBytes(path, big);
    loan::LoanInputs inputs;
    ReadLoanInputs(path, inputs);
    EXPECT_EQ(inputs.term, "25");
    big.clear();

    const std::string huge = folder.Path("huge.tsl");
    WriteBytes(huge, "[Loan]\r\nTerm=25\r\n");
    ASSERT_EQ(::truncate(huge.c_str(), kMaxFileSize + 1), 0);  // sparse: no disk space taken
    const std::string message = huge + " is too large to be a loan file";
    loan::LoanInputs untouched = SampleLoan();
    try {
        ReadLoanInputs(huge, untouched);
        ADD_FAILURE() << "read";
    } catch (const text::Exception& error) {
        EXPECT_EQ(error.Message(), message);
    }
    ExpectSameInputs(untouched, SampleLoan());
    try {
        WriteLoanFile(huge, SampleLoan(), SampleGrid(1));
        ADD_FAILURE() << "saved";
    } catch (const text::Exception& error) {
        EXPECT_EQ(error.Message(), message);
    }
    EXPECT_EQ(std::filesystem::file_size(huge), limit + 1);
}

}  // namespace
}  // namespace loanfile
