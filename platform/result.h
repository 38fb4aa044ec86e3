#pragma once

// A value, or why there is none in words a person can act on: the one way the programs'
// services fail, from the system call to the message a person reads.

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace minamo {

// Why something could not be done, said for the person who asked, in Japanese as the
// programs speak: "そのフォルダーに書きこむ権限がありません。".
struct Failure {
    QString reason;
};

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : held_(std::move(value)) {}
    Result(Failure failure) : held_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(held_); }
    explicit operator bool() const { return ok(); }

    T& operator*() { return std::get<T>(held_); }
    const T& operator*() const { return std::get<T>(held_); }
    T* operator->() { return &std::get<T>(held_); }
    const T* operator->() const { return &std::get<T>(held_); }

    // Only for a failed result.
    const QString& reason() const { return std::get<Failure>(held_).reason; }

private:
    std::variant<T, Failure> held_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    // Only for a failed result.
    const QString& reason() const { return failure_->reason; }

private:
    std::optional<Failure> failure_;
};

} // namespace minamo
