#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using testing::FakePlatform;

TEST(Form1Window, OpensWithProductCaptionMainIconAndExactClientSize) {
    FakePlatform platform;
    Form1 form(platform);
    form.open();

    const auto& window = platform.window();
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.caption(), "Ravik Taktomate 1.2");
    EXPECT_EQ(window.layout().clientWidthTwips, 6000);
    EXPECT_EQ(window.layout().clientHeightTwips, 1680);
    EXPECT_EQ(window.icon(), platform.icons().handle(platform::IconId::Main));
}

TEST(Form1Window, CloseRequestEndsTheProcess) {
    FakePlatform platform;
    Form1 form(platform);
    form.open();

    EXPECT_TRUE(platform.endsProcess([&] { platform.window().requestClose(); }));
    EXPECT_TRUE(platform.processEnd.ended);
}

}  // namespace
}  // namespace taktomat::app
