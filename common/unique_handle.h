// One owner for every platform handle: the handle is released exactly once,
// when its owner goes, and an owner can be moved but never copied.
#pragma once

#include <utility>

// Traits give the handle type, the value that means "none" and how to release.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::None(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::None()); }
    void reset(Handle handle = Traits::None()) noexcept
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::None()) Traits::Release(old);
    }

private:
    Handle handle_ = Traits::None();
};

// The traits of a handle whose "none" is null (or zero) and that one call
// of the platform releases.
template <typename HandleType, auto ReleaseFunction>
struct ReleasedBy {
    using Handle = HandleType;
    static Handle None() noexcept { return Handle{}; }
    static void Release(Handle h) noexcept { ReleaseFunction(h); }
};
