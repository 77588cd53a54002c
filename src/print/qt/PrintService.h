// The printing service (CUPS) as the Print command meets it: a finished document handed over as
// one job, and the service's own answer read back.
#pragma once

#include <string>
#include <vector>

namespace print::qt {

// A job option as the printing service names it: "copies", "media", or a driver's own setting.
struct JobOption {
    std::string name;
    std::string value;
    bool operator==(const JobOption&) const = default;
};

// Sends the PDF document read from the descriptor, from its start, to the queue as one job with
// the options. When the service does not take it (the queue refuses jobs or is gone, the service
// cannot be reached or stops answering), raises text::EPrinter "The loan was not printed: " with
// the service's reason, and no job of it is left behind.
void SubmitPdfJob(const std::string& queue, const std::string& title, int document,
                  const std::vector<JobOption>& options);

// Raises text::EPrinter "The loan was not printed: <reason>".
[[noreturn]] void NotPrinted(const std::string& reason);

}  // namespace print::qt
