#include "accessible_roles.h"

#include "system_library.h"

#include <initguid.h>
#include <oleacc.h>

namespace {

IAccPropServices* substitute = nullptr;

long SystemRole(AccessibleRole role)
{
    switch (role) {
    case AccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::RadioButton: return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleRole::Link: return ROLE_SYSTEM_LINK;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The service comes from oleacc, which COM loads from the system folder.
IAccPropServices* SystemServices()
{
    static const auto create = SystemFunction<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    void* services = nullptr;
    if (!create || FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 &services)))
        return nullptr;
    return static_cast<IAccPropServices*>(services);
}

}  // namespace

void UseAccPropServices(IAccPropServices* services) { substitute = services; }

void AccessibleRoles::Give(HWND window, AccessibleRole role)
{
    if (!window) return;
    if (!services_) {
        services_ = substitute ? substitute : SystemServices();
        if (!services_) return;
        if (services_ == substitute) services_->AddRef();
    }
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = SystemRole(role);
    if (SUCCEEDED(services_->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                                         value)))
        given_.push_back(window);
}

void AccessibleRoles::ClearAll()
{
    if (!services_) return;
    for (const HWND window : given_)
        services_->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_ROLE, 1);
    given_.clear();
}

AccessibleRoles::~AccessibleRoles()
{
    ClearAll();
    if (services_) services_->Release();
}
