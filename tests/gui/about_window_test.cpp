// The About window under Wine: its texts from the version record, the turning picture while it
// is hidden, the modal show and its close, and the fresh start of the next show.
#include "about_test_support.h"
#include "main_window_support.h"
#include "product_identity.h"
#include "ui/AboutUnit.h"
#include "ui/MainUnit.h"
#include "ui/WindowMenu.h"

#include <gtest/gtest.h>

#include <memory>

namespace t2k {
namespace {

// The program's own windows, made by its start-up: the main window first, the About window second.
// The About window's time moves only when a test steps it.
struct AboutWindow : ::testing::Test {
    test::StartedProgram program;
    TMainForm* main = MainForm;
    TAboutBox* about = AboutBox;
    double seconds = about->frame_clock().now();

    void SetUp() override {
        about->frame_clock().set_time_source([this] { return seconds; });
    }
    // Moves the window's time on and has every running animation follow, as a frame does.
    void step(double by) {
        seconds += by;
        about->frame_clock().tick();
    }

    // Shows the About window from the window menu; `inside` runs after `after` ms of the show.
    void show_from_menu(DWORD after, std::function<void()> inside) {
        about_test::run_later(after, std::move(inside));
        SendMessageW(main->handle(), WM_SYSCOMMAND, about_command, 0);
    }
};

TEST_F(AboutWindow, the_main_windows_window_menu_ends_with_a_separator_and_about) {
    const auto items = about_test::window_menu_items(main->handle());
    ASSERT_GE(items.size(), 2u);
    EXPECT_TRUE(items[items.size() - 2].separator);
    EXPECT_EQ(items.back(), (about_test::MenuItem{1025, u"About...", false}));
}

TEST_F(AboutWindow, command_1025_shows_the_about_window_modally_with_the_main_window_disabled) {
    bool visible_meanwhile = false, main_enabled_meanwhile = true, modal_meanwhile = false;
    show_from_menu(1, [&] {
        about_test::pump_for(2000, [&] { return about->frames_painted() > 0; });
        visible_meanwhile = IsWindowVisible(about->handle()) != 0;
        main_enabled_meanwhile = IsWindowEnabled(main->handle()) != 0;
        modal_meanwhile = about->is_modal();
        about->CloseButton.click();
    });
    EXPECT_TRUE(visible_meanwhile);
    EXPECT_FALSE(main_enabled_meanwhile);
    EXPECT_TRUE(modal_meanwhile);
    EXPECT_FALSE(IsWindowVisible(about->handle()));
    EXPECT_TRUE(IsWindowEnabled(main->handle()));
    EXPECT_GT(about->frames_painted(), 0u);
    // The main window's standard commands still work.
    SendMessageW(main->handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(main->handle()));
    SendMessageW(main->handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(main->handle()));
}

// True when `upper` comes before `lower` in the z-order of the top-level windows.
bool is_above(HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
        if (next == lower) {
            return true;
        }
    }
    return false;
}

TEST_F(AboutWindow, is_a_dialog_of_the_main_window_that_stays_above_it_and_escape_closes) {
    EXPECT_EQ(GetWindow(about->handle(), GW_OWNER), main->handle());
    EXPECT_EQ(GetWindowLongPtrW(about->handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    bool above_meanwhile = false, closed_by_escape = false;
    show_from_menu(1, [&] {
        SetWindowPos(main->handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above_meanwhile = is_above(about->handle(), main->handle());
        // Escape as the keyboard sends it: to the focused control (the Close button), through
        // the modal loop.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        about_test::pump_for(2000, [&] { return !about->FloatAnimation3.enabled(); });
        closed_by_escape = !about->FloatAnimation3.enabled(); // FormClose disables it
        if (!closed_by_escape) {
            about->CloseButton.click();
        }
    });
    EXPECT_TRUE(above_meanwhile);
    EXPECT_TRUE(closed_by_escape);
    EXPECT_FALSE(IsWindowVisible(about->handle()));
    EXPECT_TRUE(IsWindowEnabled(main->handle()));
    EXPECT_EQ(about->Layout2.bounds().y, 50); // closed as the Close button closes it
}

TEST_F(AboutWindow, the_six_texts_come_from_the_constants_and_the_version_record) {
    EXPECT_EQ(about->Label1.text(), u"Tovaro2KORVANE");
    EXPECT_EQ(about->Label2.text(), u"By Quenby Software");
    EXPECT_EQ(about->Label3.text(), u"Copyright \u00A9 2025");
    EXPECT_EQ(about->Label4.text(), u"Ver.  " + std::u16string(identity::file_version));
    EXPECT_EQ(about->Label6.text(), u"www.quenby-software.example");
    EXPECT_EQ(about->Label7.text(), u"10/7/2025");
    EXPECT_EQ(read_version_info(), identity::file_version);
}

TEST_F(AboutWindow, the_window_is_the_layouts_caption_border_and_client_size) {
    EXPECT_EQ(about->caption(), u"About");
    RECT client{};
    GetClientRect(about->handle(), &client);
    EXPECT_EQ(client.right, about->scale(305));
    EXPECT_EQ(client.bottom, about->scale(273));
    const LONG_PTR style = GetWindowLongPtrW(about->handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(about->Layout2.bounds().y, 280); // below the client area until shown
}

// Paints one frame of the About window into a bitmap of its client size and counts the pixels
// that are mostly yellow (the stars) and the ones that are the texts' red.
struct FrameColours {
    int yellow = 0;
    int red = 0;
};
FrameColours paint_and_count(TAboutBox& about) {
    RECT client{};
    GetClientRect(about.handle(), &client);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    about.paint_frame(dc);
    GdiFlush();
    FrameColours colours;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (LONG i = 0; i < client.right * client.bottom; ++i) {
        const std::uint32_t r = pixels[i] >> 16 & 0xFF, g = pixels[i] >> 8 & 0xFF,
                            b = pixels[i] & 0xFF;
        colours.yellow += r > 150 && g > 120 && b < 80;
        colours.red += r > 150 && g < 60 && b < 60;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colours;
}

TEST_F(AboutWindow, a_frame_shows_the_star_ring_and_the_red_texts_once_they_slid_in) {
    FrameColours colours = paint_and_count(*about);
    EXPECT_GT(colours.yellow, 2000); // parts of several stars, whatever the angle
    EXPECT_EQ(colours.red, 0);       // the texts wait below the client area
    about->Layout2.set_position(about->Layout2.bounds().x, 50);
    colours = paint_and_count(*about);
    EXPECT_GT(colours.red, 300);
}

TEST_F(AboutWindow, the_picture_turns_from_creation_while_the_window_was_never_shown) {
    EXPECT_FALSE(IsWindowVisible(about->handle()));
    EXPECT_TRUE(about->FloatAnimation1.running());
    EXPECT_TRUE(about->frame_timer_ticking());
    const double before = about->ImageControl1.rotation_angle();
    seconds += 0.4; // the frame timer, not the test, moves the picture on
    about_test::pump_for(2000, [&] { return about->ImageControl1.rotation_angle() != before; });
    const double after = about->ImageControl1.rotation_angle();
    EXPECT_GT(after, before + 5); // 30 degrees a second
    EXPECT_LT(after, before + 40);
    EXPECT_EQ(about->frames_painted(), 0u); // hidden: nothing painted
    EXPECT_FALSE(about->FloatAnimation3.running());
}

TEST_F(AboutWindow, closing_mid_slide_puts_the_texts_at_50_and_the_next_show_starts_afresh) {
    int y_inside = 0;
    float blur_inside = 0;
    show_from_menu(1, [&] {
        step(0.5);
        y_inside = about->Layout2.bounds().y;
        blur_inside = about->GaussianBlurEffect1.blur_amount();
        about->CloseButton.click();
    });
    EXPECT_GT(y_inside, 50); // still sliding after half a second
    EXPECT_LT(y_inside, 280);
    EXPECT_GT(blur_inside, 0.0f);
    EXPECT_EQ(about->Layout2.bounds().y, 50);
    EXPECT_FALSE(about->GaussianBlurEffect1.enabled());
    EXPECT_FALSE(about->FloatAnimation1.running());
    EXPECT_DOUBLE_EQ(about->ImageControl1.rotation_angle(), 360.0);
    EXPECT_FALSE(IsWindowVisible(about->handle()));
    EXPECT_TRUE(IsWindowEnabled(main->handle()));

    // Nothing runs now, so the clock stops ticking.
    about_test::pump_for(200, [&] { return !about->frame_timer_ticking(); });
    EXPECT_FALSE(about->frame_timer_ticking());

    // The next show starts at angle 0, blur 0 and position 280; the close box ends it.
    int y_at_start = 0;
    double angle_at_start = -1;
    show_from_menu(1, [&] {
        y_at_start = about->Layout2.bounds().y;
        angle_at_start = about->ImageControl1.rotation_angle();
        SendMessageW(about->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_GT(y_at_start, 260);
    EXPECT_GE(angle_at_start, 0.0);
    EXPECT_LT(angle_at_start, 5.0);
    EXPECT_FALSE(IsWindowVisible(about->handle()));
    EXPECT_EQ(about->Layout2.bounds().y, 50);
}

TEST_F(AboutWindow, the_texts_end_their_slide_at_50_while_the_picture_keeps_turning) {
    int y_after = 0;
    bool turning = false;
    show_from_menu(1, [&] {
        step(2.3);
        y_after = about->Layout2.bounds().y;
        turning = about->FloatAnimation1.running() && about->FloatAnimation2.running();
        about->close();
    });
    EXPECT_EQ(y_after, 50);
    EXPECT_TRUE(turning);
}

} // namespace
} // namespace t2k
