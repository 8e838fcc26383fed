// How the host reads its command line.
#include "startup_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ArgumentTextIsWhatFollowsTheProgramPathAsWindowsWroteIt)
{
    struct Row {
        const char* commandLine;
        const char* modulePath;
        LeadByteTest isLeadByte;
        const char* arguments;
    };
    const char* taro = "C:\\Users\\Taro Yamada\\AppData\\Local\\Programs\\Sorvane\\Sorvane.scr";
    const Row rows[] = {
        {"\"C:\\Program Files\\Sorvane\\Sorvane.scr\" /s", "C:\\Program Files\\Sorvane\\Sorvane.scr", IsShiftJisLeadByte, "/s"},
        {"\"C:\\a b\\Sorvane.scr\"", "C:\\a b\\Sorvane.scr", IsShiftJisLeadByte, ""},
        // Unquoted, with blanks: the module's own path, blanks and all.
        {"C:\\Users\\Taro Yamada\\AppData\\Local\\Programs\\Sorvane\\Sorvane.scr /s", taro, IsShiftJisLeadByte, "/s"},
        {"C:\\USERS\\taro yamada\\AppData\\Local\\Programs\\Sorvane\\SORVANE.SCR /p 1234", taro, IsShiftJisLeadByte,
         "/p 1234"},
        // Japanese folders whose second bytes are 0x5C, the byte of '\\'.
        {"C:\\表 示\\ソ\\Sorvane.scr /s", "C:\\表 示\\ソ\\Sorvane.scr", IsShiftJisLeadByte, "/s"},
        {"C:\\表\\ソ\\Sorvane.scr   /c:99 extra", "C:\\表\\ソ\\Sorvane.scr", IsShiftJisLeadByte, "/c:99 extra"},
        // Unquoted without blanks: the first token, whatever the module says.
        {"C:\\Sorvane\\Sorvane.scr /p 1234", "C:\\Sorvane\\Sorvane.scr", IsShiftJisLeadByte, "/p 1234"},
        {"C:\\PROGRA~1\\Sorvane\\Sorvane.scr /s", "C:\\Program Files\\Sorvane\\Sorvane.scr", IsShiftJisLeadByte, "/s"},
        {"Sorvane.scr   /c:99 extra", "C:\\Sorvane\\Sorvane.scr", IsShiftJisLeadByte, "/c:99 extra"},
        {"Sorvane.scr", "", IsNoLeadByte, ""},
        // A first token that is not the module's path, or only its start.
        {"C:\\Users\\Taro /s", taro, IsShiftJisLeadByte, "/s"},
        {"C:\\Users\\Taro Yamada\\AppData\\Local\\Programs\\Sorvane\\Sorvane.scrX /s", taro, IsShiftJisLeadByte,
         "Yamada\\AppData\\Local\\Programs\\Sorvane\\Sorvane.scrX /s"},
        // Characters compare whole: a half-width ｱ is no ア.
        {"C:\\ｱ b\\x.scr /s", "C:\\ア b\\x.scr", IsShiftJisLeadByte, "b\\x.scr /s"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ArgumentText(row.commandLine, row.modulePath, row.isLeadByte), row.arguments) << row.commandLine;
}

TEST(CommandLine, ModeLetterIsTheUpperCasedSecondCharacter)
{
    const std::pair<const char*, const char*> table[] = {
        {"", ""},     {"s", ""},        {"/s", "S"},     {"/S", "S"},  {"-s", "S"}, {"/c", "C"},
        {"/c:1234", "C"}, {"/p 1234", "P"}, {"/P:1", "P"}, {"/a", "A"}, {"/x", "X"}, {"xs", "S"},
        // The second character, not the second byte: ソ is 83 5C.
        {"ソs", "S"}, {"/ソ", "ソ"}, {"ソ", ""}};
    for (const auto& [argument, letter] : table) EXPECT_EQ(ModeLetter(argument, IsShiftJisLeadByte), letter) << argument;
}

TEST(CommandLine, TheModeLetterChoosesWhatTheHostDoes)
{
    const std::pair<const char*, StartUpPlan> table[] = {
        {"/s", {StartUpAction::Run, true}},         {"-S", {StartUpAction::Run, true}},
        {"", {StartUpAction::Settings, false}},     {"/p 1234", {StartUpAction::Preview, false}},
        {"/P", {StartUpAction::Preview, false}},    {"/c", {StartUpAction::Settings, false}},
        {"/c:1234", {StartUpAction::Settings, false}}, {"/a", {StartUpAction::Quit, false}},
        {"s", {StartUpAction::Quit, false}},        {"/x", {StartUpAction::Quit, false}},
        {"表p 5", {StartUpAction::Preview, false}}, {"/表", {StartUpAction::Quit, false}}};
    for (const auto& [argument, plan] : table)
        EXPECT_EQ(PlanStartUp(argument, IsShiftJisLeadByte), plan) << '"' << argument << '"';
}

TEST(CommandLine, PreviewHandleIsReadLenientlyFromTheFourthCharacter)
{
    const std::pair<const char*, std::int32_t> table[] = {
        {"/p 1234", 1234},     {"/p:1234", 1234},      {"/p", 0},           {"/p ", 0},
        {"/p abc", 0},         {"/p 12ab", 12},        {"/p  77", 77},      {"/p 1 2 3", 123},
        {"/p -5", -5},         {"/p 2.5", 2},          {"/p 3.5", 4},       {"/p 1e3", 1000},
        {"/p 99999999999", 2147483647}, {"/p -99999999999", -2147483647 - 1}, {"/p 12.7x", 13},
        {"/p 12e", 12},        {"/p 12d+", 12},        {"/p 5e-x", 5},      {"/p +", 0},
        // From the fourth character, not the fourth byte.
        {"/pソ123", 123}, {"ソp 77", 77}};
    for (const auto& [argument, handle] : table)
        EXPECT_EQ(PreviewParentHandle(argument, IsShiftJisLeadByte), handle) << argument;
}

}  // namespace
