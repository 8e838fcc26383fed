// The stored properties of a user control: values by key, keys matched
// regardless of letter case, and a value equal to its default not stored.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

// A font as a control stores it.
struct FontDescription {
    std::wstring name;
    double points = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

using PropertyValue = std::variant<std::monostate, bool, std::int64_t, std::wstring, FontDescription>;

// Conversions as the stored values' types require them ("1" is the byte 1,
// the text "True" and any non-zero number are true).
bool ToBoolean(const PropertyValue& value);
std::int64_t ToInteger(const PropertyValue& value);
std::wstring ToText(const PropertyValue& value);

class PropertyBag {
public:
    // The stored value, or the default when the key is absent.
    PropertyValue ReadProperty(const std::wstring& key, const PropertyValue& defaultValue) const;
    // Stores the value unless it equals the default converted to its type.
    void WriteProperty(const std::wstring& key, const PropertyValue& value, const PropertyValue& defaultValue);
    bool Contains(const std::wstring& key) const;

private:
    std::map<std::wstring, PropertyValue> values_;  // by lower-case key
};
