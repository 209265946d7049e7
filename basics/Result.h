#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace glyph {

// What went wrong, by which a caller chooses what to tell the user.
enum class ErrorKind {
    kCannotRead,   // not there, not a regular file, or the system would not read it
    kNotAPicture,  // a file of no format the program reads
    kDamaged,      // its content cannot be used: damaged, cut short, or a form not read
    kTooLarge,     // sound, but beyond the bounds on memory, work or bytes
    kOutOfMemory,  // the machine lacked memory the bounds allowed
    kCannotWrite,  // an output not written, or not the program's to write
    kBadUsage,     // what was asked is not well formed (an option, a step)
    kNotTheFile,   // the file is sound; what was asked of it could not be done
};

// Why something could not be done: its kind, and in words for the user
// (Japanese in the shared reasons, English in the converter's own).
struct Error {
    ErrorKind kind;
    QString reason;
};

// A value, or the reason there is none: the one way failures travel, from the
// readers up to the message the user sees.
template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success.
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T* operator->() const { return &std::get<0>(state_); }
    const T& operator*() const { return std::get<0>(state_); }

    // Only on failure.
    const Error& error() const { return std::get<1>(state_); }

  private:
    std::variant<T, Error> state_;
};

// Success with no value.
struct Done {};
using Status = Result<Done>;

}  // namespace glyph
