#include "support/Format.h"

#include <gtest/gtest.h>

namespace tsy {

TEST(Format, FillsPrintfPatterns) {
    EXPECT_EQ(Format("Index %d is out of bounds (%d, %d) in %s object.", 0, 0, -1, "TTargets"),
              "Index 0 is out of bounds (0, -1) in TTargets object.");
    EXPECT_EQ(Format("%s", ""), "");
    EXPECT_EQ(Format("%.3d", 7), "007");
}

TEST(Format, HandlesTextsLongerThanAnySmallBuffer) {
    std::string long_text(5000, 'x');
    EXPECT_EQ(Format("[%s]", long_text.c_str()), "[" + long_text + "]");
}

} // namespace tsy
