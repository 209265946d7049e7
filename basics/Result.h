#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace glyph {

// Why something could not be done, in words for the user (Japanese).
struct Error {
    QString reason;
    // A sound file that is too large to open in the memory allowed: the user
    // is told so, not that the file is damaged.
    bool tooLarge = false;
    // Not the file's fault (the glyph shapes could not be measured): the
    // reason alone is shown.
    bool notTheFile = false;
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
