#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace tsy {

TEST(CommandLine, SplitsOnBlanksAndKeepsQuotedBlanks) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine(""), V{});
    EXPECT_EQ(SplitCommandLine("   \t "), V{});
    EXPECT_EQ(SplitCommandLine(" /minimized  -slider "), (V{"/minimized", "-slider"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\x\" /a"), (V{"C:\\Program Files\\x", "/a"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), V{"ab cd"});
    EXPECT_EQ(SplitCommandLine("\"unterminated arg"), V{"unterminated arg"});
}

TEST(CommandLine, RecognisesBothSwitchesWithSlashOrHyphenInAnyCase) {
    EXPECT_TRUE(ParseCommandLine("/minimized").Minimized);
    EXPECT_TRUE(ParseCommandLine("-MINIMIZED").Minimized);
    EXPECT_TRUE(ParseCommandLine("-SLIDER").Slider);
    EXPECT_TRUE(ParseCommandLine("/Slider").Slider);
    const TCommandLineSwitches both = ParseCommandLine("-slider /MiniMized");
    EXPECT_TRUE(both.Minimized);
    EXPECT_TRUE(both.Slider);
    EXPECT_TRUE(both.StartHidden());
}

TEST(CommandLine, IgnoresAnythingThatIsNotExactlyASwitch) {
    for (const char* line : {"", "minimized", "slider", "/minimize", "/minimizedx", "--slider", "\\slider",
                             "/", "-", "/ slider", "x/slider", "/slider=1"}) {
        const TCommandLineSwitches s = ParseCommandLine(line);
        EXPECT_FALSE(s.Minimized) << line;
        EXPECT_FALSE(s.Slider) << line;
        EXPECT_FALSE(s.StartHidden()) << line;
    }
}

TEST(CommandLine, QuotedSwitchCountsAsTheSwitch) {
    EXPECT_TRUE(ParseCommandLine("\"/slider\"").Slider);
    EXPECT_TRUE(HasSwitch({"x", "-Minimized"}, "minimized"));
    EXPECT_FALSE(HasSwitch({"x", "-Minimized"}, "slider"));
}

} // namespace tsy
