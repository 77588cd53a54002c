// Copying a short text into a string that keeps it inline, without a library call per copy.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace text {

// Texts up to 16 characters are copied as fixed-size blocks (overlapping where the length is not
// a block size), which the compiler turns into plain moves; the schedule writes five a row.
inline void AssignShortText(std::string& out, const char* text, std::size_t length) {
    if (length > 16) {
        out.assign(text, length);
        return;
    }
    if (out.size() != length) {
        out.resize(length);
    }
    char* data = out.data();
    if (length >= 8) {
        std::memcpy(data, text, 8);
        std::memcpy(data + length - 8, text + length - 8, 8);
    } else if (length >= 4) {
        std::memcpy(data, text, 4);
        std::memcpy(data + length - 4, text + length - 4, 4);
    } else if (length > 0) {
        data[0] = text[0];
        data[length / 2] = text[length / 2];
        data[length - 1] = text[length - 1];
    }
}

}  // namespace text
