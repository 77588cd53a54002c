#include "text/Exceptions.h"

namespace text {

Exception WriteError(std::string_view path) {
    std::string message = "Unable to write to ";
    message += path;
    return Exception(std::move(message));
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Compared as unsigned bytes, so a letter, a digit, "?" or ":" gets one and ")" or "!" does
    // not.
    if (!text.empty() &&
        static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
        text += '.';
    }
    return text;
}

}  // namespace text
