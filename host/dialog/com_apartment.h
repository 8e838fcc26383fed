// COM on the thread that owns it, apartment-threaded, from Enter (the first
// call that wants it) until the owner goes. ole32 is loaded only then.
#pragma once

class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Enters once; later calls do nothing.
    void Enter();

private:
    bool entered_ = false;
};
