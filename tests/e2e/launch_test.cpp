// Starts taktomat.exe, finds its main window, looks at its caption and the
// icon in its title bar, and closes it again.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "icon_pixels.h"
#include "resource_ids.h"

namespace taktomat::e2e {
namespace {

// True when the screen shows the icon somewhere in the window's title bar.
bool CaptionShowsIcon(HWND window, const SmallIcon& icon) {
    RECT frame{};
    POINT client{0, 0};
    if (!GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) return false;
    return screenShowsIcon({frame.left, frame.top, frame.right, client.y}, icon);
}

// Waits for the product's main window to show: it exists before it is set up.
bool WaitUntilShown(const Product& product) {
    return waitUntil([&] { return IsWindowVisible(product.window()) != FALSE; });
}

TEST(Launch, MainWindow_HasCaptionAndShowsTheIcon) {
    Product product;
    ASSERT_TRUE(product.ready()) << product.why();
    ASSERT_TRUE(WaitUntilShown(product)) << "the main window never showed";
    EXPECT_EQ(utf8(windowText(product.window())), "Ravik Taktomate 1.2");

    // What the user sees; Wine does not answer WM_GETICON for another process.
    const SmallIcon icon = readProductSmallIcon(IDI_TAKTOMAT);
    ASSERT_TRUE(icon.problem.empty()) << icon.problem;
    EXPECT_TRUE(waitUntil([&] { return CaptionShowsIcon(product.window(), icon); }))
        << "the title bar does not show the product's 16x16 icon";
}

TEST(Launch, CloseMessage_EndsProcess) {
    Product product;
    ASSERT_TRUE(product.ready()) << product.why();
    ASSERT_TRUE(WaitUntilShown(product)) << "the main window never showed";
    ASSERT_TRUE(PostMessageW(product.window(), WM_CLOSE, 0, 0));
    EXPECT_TRUE(product.waitForExit()) << "still running " << kPatienceMs << " ms after WM_CLOSE";
}

}  // namespace
}  // namespace taktomat::e2e
