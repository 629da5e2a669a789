#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vantrel {

// The outcome of an operation that can fail: success (with its value, if it makes one), or the
// reason it failed in words a user can read. I/O returns this instead of throwing, so nothing
// crosses a port or a thread; ignoring one is a compile warning.
template <typename T = void> class [[nodiscard]] ResultOf {
public:
    static ResultOf ok(T value) { return ResultOf(std::move(value)); }
    static ResultOf fail(std::string why) { return ResultOf(std::nullopt, std::move(why)); }

    bool isOk() const { return value_.has_value(); }
    explicit operator bool() const { return isOk(); }
    const std::string& error() const { return error_; }
    // Only after a check that it succeeded.
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }

private:
    explicit ResultOf(std::optional<T> value, std::string why = {})
        : value_(std::move(value)), error_(std::move(why)) {}
    std::optional<T> value_;
    std::string error_;
};

template <> class [[nodiscard]] ResultOf<void> {
public:
    static ResultOf ok() { return ResultOf(); }
    static ResultOf fail(std::string why) { return ResultOf(std::move(why)); }

    bool isOk() const { return !failed_; }
    explicit operator bool() const { return !failed_; }
    const std::string& error() const { return error_; }

private:
    ResultOf() = default;
    explicit ResultOf(std::string why) : failed_(true), error_(std::move(why)) {}
    bool failed_ = false;
    std::string error_;
};

using Result = ResultOf<void>;

} // namespace vantrel
