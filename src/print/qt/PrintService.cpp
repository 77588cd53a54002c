#include "print/qt/PrintService.h"

#include <cups/cups.h>
#include <unistd.h>

#include <memory>

#include "text/Exceptions.h"

namespace print::qt {

namespace {

constexpr int kConnectTimeoutMs = 30000;

using Connection = std::unique_ptr<http_t, decltype(&httpClose)>;
using Response = std::unique_ptr<ipp_t, decltype(&ippDelete)>;

// Print-Job for the queue: the document travels in the same request, so a queue that refuses it,
// or a service that fails half-way, leaves no job without its document behind.
ipp_t* PrintJobRequest(const std::string& queue, const std::string& title,
                       const std::vector<JobOption>& options) {
    ipp_t* const request = ippNewRequest(IPP_OP_PRINT_JOB);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                 CUPS_FORMAT_PDF);

    cups_option_t* encoded = nullptr;
    int count = 0;
    for (const JobOption& option : options) {
        count = cupsAddOption(option.name.c_str(), option.value.c_str(), count, &encoded);
    }
    cupsEncodeOptions2(request, count, encoded, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, encoded, IPP_TAG_JOB);
    cupsFreeOptions(count, encoded);
    return request;
}

}  // namespace

void NotPrinted(const std::string& reason) {
    throw text::EPrinter("The loan was not printed: " + reason);
}

void SubmitPdfJob(const std::string& queue, const std::string& title, int document,
                  const std::vector<JobOption>& options) {
    const Connection service(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                          cupsEncryption(), 1, kConnectTimeoutMs, nullptr),
                             httpClose);
    if (!service) {
        NotPrinted("the printing service cannot be reached");
    }
    if (lseek(document, 0, SEEK_SET) != 0) {
        NotPrinted("the finished document cannot be read back");
    }
    const std::string resource = "/printers/" + queue;
    // The request is the call's to free; the response, when one came, ours.
    const Response response(cupsDoIORequest(service.get(), PrintJobRequest(queue, title, options),
                                            resource.c_str(), document, -1),
                            ippDelete);
    const ipp_status_t status = cupsLastError();
    if (!response &&
        (status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)) {
        // The connection broke before any answer: libcups then has only an errno text, often
        // "Success", which would tell the person nothing.
        NotPrinted("the printing service stopped answering");
    }
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        NotPrinted(cupsLastErrorString());
    }
}

}  // namespace print::qt
