// The error classes that carry the program's exact messages to the error box.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace text {

class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

  private:
    std::string message_;
};

class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

class EMathError : public Exception {
  public:
    using Exception::Exception;
};

class EZeroDivide : public EMathError {
  public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
  public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidOp : public EMathError {
  public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EPrinter : public Exception {
  public:
    using Exception::Exception;
};

// "Unable to write to <path>": a loan file that could not be written.
Exception WriteError(std::string_view path);

// The error box's text: the message, with a period added after any character that sorts above it.
std::string ErrorBoxText(std::string_view message);

}  // namespace text
