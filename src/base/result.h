#pragma once

#include <string>
#include <utility>

namespace vantrel {

// The outcome of an operation that can fail: success, or the reason it failed in words a user
// can read. I/O returns this instead of throwing, so nothing crosses a port or a thread.
class Result {
public:
    static Result ok() { return Result(); }
    static Result fail(std::string why) { return Result(std::move(why)); }

    bool isOk() const { return !failed_; }
    explicit operator bool() const { return !failed_; }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    explicit Result(std::string why) : failed_(true), error_(std::move(why)) {}
    bool failed_ = false;
    std::string error_;
};

} // namespace vantrel
