#include "app/main_caption.h"

#include <gtest/gtest.h>

namespace tamberlin {
namespace {

TEST(MainCaption, PrefixCarriesVersionAndBuildTime) {
  EXPECT_EQ(captionPrefix("Tamberlin", 1, 2, 3, "Dec  8 2018", "10:38:32"),
            "Tamberlin v1.2.3 by Orvane   compiled Dec  8 2018 10:38:32  ");
}

TEST(MainCaption, ShowsTheStyleAndTheSlotsFile) {
  EXPECT_EQ(mainCaption("P", "Windows", "C:\\a.rdt"), "P  \"Windows\"    C:\\a.rdt ");
  EXPECT_EQ(mainCaption("P", "Fusion", ""), "P  \"Fusion\" ");
}

}  // namespace
}  // namespace tamberlin
