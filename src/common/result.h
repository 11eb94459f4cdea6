#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace brivo {

// What kind of failure an operation met; the message says the rest.
enum class ErrorCode {
    ReadFailed,   // a file could not be opened or read
    CreateFailed, // a file could not be created; nothing was written
    WriteFailed,  // a write, a seek or a close failed after the file was created
    BadFormat,    // the bytes are not what the reader accepts
    TooLong,      // the result would exceed what its format can hold
    Refused,      // a value or an option was refused
    DeviceFailed, // the sound device could not be opened
    Cancelled,    // the user stopped the work
};

struct Error {
    ErrorCode code;
    std::string message; // French, UTF-8: the system's reason or what was refused
};

// The value of an operation that can fail, or why it failed. Every fallible
// operation of the core answers with one.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

inline Error fail(ErrorCode code, std::string message)
{
    return {code, std::move(message)};
}

} // namespace brivo
