// How the host reads its command line.
#include "startup_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ArgumentTextIsWhatFollowsTheProgramPath)
{
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Sorvane\\Sorvane.scr\" /s"), "/s");
    EXPECT_EQ(ArgumentText("C:\\Sorvane\\Sorvane.scr /p 1234"), "/p 1234");
    EXPECT_EQ(ArgumentText("Sorvane.scr   /c:99 extra"), "/c:99 extra");
    EXPECT_EQ(ArgumentText("\"C:\\a b\\Sorvane.scr\""), "");
    EXPECT_EQ(ArgumentText("Sorvane.scr"), "");
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
        {"", {StartUpAction::Run, false}},          {"/p 1234", {StartUpAction::Preview, false}},
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
        // From the fourth character, not the fourth byte.
        {"/pソ123", 123}, {"ソp 77", 77}};
    for (const auto& [argument, handle] : table)
        EXPECT_EQ(PreviewParentHandle(argument, IsShiftJisLeadByte), handle) << argument;
}

}  // namespace
