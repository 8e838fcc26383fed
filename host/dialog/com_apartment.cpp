#include "com_apartment.h"

#include "system_library.h"

#include <objbase.h>

// S_FALSE (already entered on this thread) also wants its CoUninitialize.
void ComApartment::Enter()
{
    if (entered_) return;
    static const auto enter = SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    entered_ = enter && SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment()
{
    if (!entered_) return;
    if (const auto leave = SystemFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")) leave();
}
