// Text in the ANSI code page walked a character at a time. In a double-byte
// code page such as 932 (Shift-JIS) a lead byte and the byte after it are one
// character, and that second byte may be any of 0x40 to 0xFC: the bytes of
// '\' and of the letters among them (ソ is 83 5C, 表 95 5C, ジ 83 57). So a
// rule that speaks of characters never looks at single bytes. Plain C++: the
// caller says which bytes lead, by the code page it has.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True for a byte that starts a two-byte character.
using LeadByteTest = bool (*)(unsigned char byte);

// Code page 932's lead bytes: 0x81 to 0x9F and 0xE0 to 0xFC.
constexpr bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A single-byte code page (1252 and the like) has none.
constexpr bool IsNoLeadByte(unsigned char) { return false; }

// Bytes of the character that starts at `at`: 2 for a lead byte with a byte
// after it, else 1 (a lead byte at the very end stands alone).
constexpr std::size_t CharacterSize(std::string_view text, std::size_t at, LeadByteTest isLeadByte)
{
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Where the character with this index (counted from 0) starts; the text's
// size when it has no such character.
constexpr std::size_t CharacterOffset(std::string_view text, std::size_t index, LeadByteTest isLeadByte)
{
    std::size_t at = 0;
    for (; at < text.size() && index > 0; --index) at += CharacterSize(text, at, isLeadByte);
    return at < text.size() ? at : text.size();
}

// Where the last `count` characters start (0 when the text has fewer).
constexpr std::size_t LastCharactersOffset(std::string_view text, std::size_t count, LeadByteTest isLeadByte)
{
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at, isLeadByte)) ++characters;
    return characters > count ? CharacterOffset(text, characters - count, isLeadByte) : 0;
}

// Where the last character that is one of the single-byte `characters`
// starts; npos when there is none.
constexpr std::size_t LastCharacterOf(std::string_view text, std::string_view characters, LeadByteTest isLeadByte)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at, isLeadByte))
        if (CharacterSize(text, at, isLeadByte) == 1 && characters.find(text[at]) != std::string_view::npos)
            found = at;
    return found;
}

// True when the text's last character is the single-byte character `c`.
constexpr bool EndsWithCharacter(std::string_view text, char c, LeadByteTest isLeadByte)
{
    if (text.empty()) return false;
    const std::size_t last = LastCharactersOffset(text, 1, isLeadByte);
    return text.size() - last == 1 && text[last] == c;
}

// An ASCII letter in upper case; every other byte as it is (a second byte of
// a two-byte character is never given here: callers walk characters).
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The text with its single-byte ASCII letters in upper case, two-byte
// characters untouched.
inline std::string AsciiUpperText(std::string_view text, LeadByteTest isLeadByte)
{
    std::string upper(text);
    for (std::size_t at = 0; at < upper.size(); at += CharacterSize(text, at, isLeadByte))
        if (CharacterSize(text, at, isLeadByte) == 1) upper[at] = AsciiUpper(upper[at]);
    return upper;
}

// True when `text` starts with `prefix`, character by character, ASCII
// letters regardless of case.
constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix, LeadByteTest isLeadByte)
{
    if (prefix.size() > text.size()) return false;
    for (std::size_t at = 0; at < prefix.size();) {
        const std::size_t size = CharacterSize(prefix, at, isLeadByte);
        if (CharacterSize(text, at, isLeadByte) != size) return false;
        if (size == 1 ? AsciiUpper(text[at]) != AsciiUpper(prefix[at]) : text.substr(at, 2) != prefix.substr(at, 2))
            return false;
        at += size;
    }
    return true;
}
