// The three loan file operations: the six loan inputs in "Loan", the extra payments in
// "ExtPayments".
#pragma once

#include <string>

#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/IniFile.h"

namespace loanfile {

// Writes the six "Loan" keys, then replaces the "ExtPayments" section with one entry for every
// shown payment row whose "Extra Pmt." text is not exactly "0.00". The path form commits the file
// whole at the end and raises text::WriteError, with the file untouched, when it cannot.
void WriteLoanFile(TIniFile& file, const loan::LoanInputs& inputs, const loan::ScheduleGrid& grid);
void WriteLoanFile(const std::string& path, const loan::LoanInputs& inputs,
                   const loan::ScheduleGrid& grid);

// Replaces each input by its stored value; an absent key leaves the input as it was. Raises
// text::EConvertError on a "Date" text that does not convert or names a day outside the years 1
// to 9999, after the first five inputs are set and with the start date unchanged.
void ReadLoanInputs(const TIniFile& file, loan::LoanInputs& inputs);
void ReadLoanInputs(const std::string& path, loan::LoanInputs& inputs);

// Sets the "Extra Pmt." text of payment rows 1 to lastPayment: the stored text, or "0.00".
void ReadExtraPayments(const TIniFile& file, int lastPayment, loan::ScheduleGrid& grid);
void ReadExtraPayments(const std::string& path, int lastPayment, loan::ScheduleGrid& grid);

}  // namespace loanfile
