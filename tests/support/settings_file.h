// Sorvane.ini as the host writes it beside the programs: one section, the
// keys in their order, CRLF line ends. Narrow literals are compiled to code
// page 932, so the keys here are the file's own bytes. Plain C++.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

// The file's text with these values for the music source (0 none, 1 CD,
// 2 file), the CD track to repeat and the music file.
inline std::string SettingsText(std::string_view category, std::string_view repeat, std::string_view file)
{
    std::string text = "[Section]\r\nBGM区分=";
    text.append(category).append("\r\nBGMﾘﾋﾟｰﾄ=").append(repeat).append("\r\nBGMﾌｧｲﾙ=").append(file).append("\r\n");
    return text;
}

// A settings file of exactly these bytes at the path.
inline void WriteSettingsFile(const std::string& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}
