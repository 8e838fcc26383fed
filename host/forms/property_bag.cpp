#include "property_bag.h"

#include <cwctype>
#include <string_view>

namespace {

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

std::wstring_view Trimmed(std::wstring_view text)
{
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

// The default brought to the type of the value it is compared with; a font
// only equals a font.
bool EqualsDefault(const PropertyValue& value, const PropertyValue& defaultValue)
{
    if (const auto* b = std::get_if<bool>(&value)) return *b == ToBoolean(defaultValue);
    if (const auto* i = std::get_if<std::int64_t>(&value)) return *i == ToInteger(defaultValue);
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text == ToText(defaultValue);
    return value == defaultValue;
}

}  // namespace

bool ToBoolean(const PropertyValue& value)
{
    if (const auto* b = std::get_if<bool>(&value)) return *b;
    if (const auto* i = std::get_if<std::int64_t>(&value)) return *i != 0;
    if (const auto* text = std::get_if<std::wstring>(&value)) {
        const std::wstring lower = Lower(std::wstring(Trimmed(*text)));
        if (lower == L"true") return true;
        if (lower == L"false") return false;
        return ToInteger(value) != 0;
    }
    return false;
}

std::int64_t ToInteger(const PropertyValue& value)
{
    if (const auto* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
    if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
    if (const auto* text = std::get_if<std::wstring>(&value)) {
        const std::wstring trimmed(Trimmed(*text));
        if (Lower(trimmed) == L"true") return -1;
        try {
            std::size_t used = 0;
            const long long number = std::stoll(trimmed, &used, 10);
            return used == trimmed.size() ? number : 0;
        } catch (...) {
            return 0;
        }
    }
    return 0;
}

std::wstring ToText(const PropertyValue& value)
{
    if (const auto* b = std::get_if<bool>(&value)) return *b ? L"True" : L"False";
    if (const auto* i = std::get_if<std::int64_t>(&value)) return std::to_wstring(*i);
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
    if (const auto* font = std::get_if<FontDescription>(&value)) return font->name;
    return {};
}

PropertyValue PropertyBag::ReadProperty(const std::wstring& key, const PropertyValue& defaultValue) const
{
    const auto found = values_.find(Lower(key));
    return found == values_.end() ? defaultValue : found->second;
}

void PropertyBag::WriteProperty(const std::wstring& key, const PropertyValue& value,
                                const PropertyValue& defaultValue)
{
    if (EqualsDefault(value, defaultValue))
        values_.erase(Lower(key));
    else
        values_[Lower(key)] = value;
}

bool PropertyBag::Contains(const std::wstring& key) const { return values_.count(Lower(key)) > 0; }
