#include "bench/command_line.h"

#include <gtest/gtest.h>

namespace {

using bench::SplitCommandLine;
using bench::SwitchValue;
using Arguments = std::vector<std::wstring>;

TEST(SplitCommandLine, QuotesGroupAndAreDropped) {
    EXPECT_EQ(SplitCommandLine(L"a  \"b c\"\td"), (Arguments{L"a", L"b c", L"d"}));
    EXPECT_EQ(SplitCommandLine(L"C:\\x\" y\"\\z.txt"), (Arguments{L"C:\\x y\\z.txt"}));
    EXPECT_EQ(SplitCommandLine(L"\"\" a"), (Arguments{L"", L"a"}));
    EXPECT_EQ(SplitCommandLine(L"  "), Arguments{});
    EXPECT_EQ(SplitCommandLine(L"a\bb\nc"), Arguments{L"a\bb\nc"});  // only spaces and tabs split
    EXPECT_EQ(SplitCommandLine(L"\"open quote to the end"), (Arguments{L"open quote to the end"}));
}

TEST(SwitchValue, TheArgumentAfterTheSwitch) {
    EXPECT_EQ(SwitchValue(L"--timings t.txt", L"--timings"), L"t.txt");
    EXPECT_EQ(SwitchValue(L"x --timings \"C:\\my files\\t.txt\" y", L"--timings"), L"C:\\my files\\t.txt");
}

TEST(SwitchValue, EmptyWhenTheSwitchIsNotWhole) {
    EXPECT_EQ(SwitchValue(L"", L"--timings"), L"");
    EXPECT_EQ(SwitchValue(L"--timings", L"--timings"), L"");        // nothing after it
    EXPECT_EQ(SwitchValue(L"--timingsX t.txt", L"--timings"), L"");  // another switch
    EXPECT_EQ(SwitchValue(L"--other t.txt", L"--timings"), L"");
    EXPECT_EQ(SwitchValue(L"\"a --timings b\"", L"--timings"), L"");  // inside a quoted argument
}

}  // namespace
