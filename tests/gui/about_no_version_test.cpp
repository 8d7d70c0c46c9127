// The About window in a program without a version record: the fallbacks show.
#include "ui/AboutUnit.h"

#include <gtest/gtest.h>

namespace t2k {
namespace {

TEST(AboutWindowWithoutVersionRecord, shows_the_product_name_and_the_fallback_version) {
    TAboutBox about;
    AboutBox = &about;
    about.create();
    EXPECT_EQ(read_version_info(), u"");
    EXPECT_EQ(about.Label1.text(), u"Tovaro2KORVANE");
    EXPECT_EQ(about.Label4.text(), u"Ver.  1.2.6");
    EXPECT_EQ(about.Label7.text(), u"10/7/2025");
    AboutBox = nullptr;
}

} // namespace
} // namespace t2k
