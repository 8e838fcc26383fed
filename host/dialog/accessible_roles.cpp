#include "accessible_roles.h"

#include "system_library.h"

#include <initguid.h>
#include <oleacc.h>

namespace {

IAccPropServices* substitute = nullptr;

static_assert(static_cast<long>(AccessibleRole::PushButton) == ROLE_SYSTEM_PUSHBUTTON);
static_assert(static_cast<long>(AccessibleRole::RadioButton) == ROLE_SYSTEM_RADIOBUTTON);
static_assert(static_cast<long>(AccessibleRole::Link) == ROLE_SYSTEM_LINK);

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
    value.lVal = static_cast<long>(role);
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
