#pragma once
// The one error object of the program: a raised message carries exactly one text and nothing else.
#include <exception>
#include <string>

namespace novra {

class CError : public std::exception {
public:
    explicit CError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// Raises a message (kept out of line so hot paths stay small).
[[noreturn]] void raise(std::string message);

}  // namespace novra
