// The main window's controls where the layout puts them, and its icons, scaled by the window's DPI
// (this program is built for one DPI and runs in a Wine prefix of that DPI). Built with
// T2K_WINDOWS_7_DPI_FUNCTIONS_ONLY, it checks the same layout made without the per-monitor DPI
// functions Windows 7 lacks.
#include "main_window_support.h"

#include "tests/win32/icon_image.h"
#include "toolkit/win32/dpi.h"
#include "ui/MainUnit.h"

#include <gtest/gtest.h>

#ifndef T2K_EXPECTED_DPI
#error "T2K_EXPECTED_DPI names the DPI of the prefix this test runs in"
#endif

namespace t2k {
namespace {

struct Expected {
    const char16_t* name;
    DipRect bounds;
    bool is_label;
};

// The design, in device-independent pixels.
const Expected expected_controls[] = {
    {u"Label6", {18, 18, 33, 17}, true},           {u"FindFilesButton", {59, 16, 120, 22}, false},
    {u"FileMemo", {24, 46, 593, 163}, false},      {u"Label2", {36, 231, 120, 17}, true},
    {u"Edit2", {24, 252, 535, 22}, false},         {u"SpeedButton1", {574, 241, 43, 41}, false},
    {u"Label3", {24, 292, 120, 17}, true},         {u"ExtensionEdit", {152, 287, 63, 22}, false},
    {u"Label4", {226, 292, 120, 17}, true},        {u"Label7", {8, 346, 47, 17}, true},
    {u"Button1", {63, 346, 208, 22}, false},       {u"Label5", {310, 362, 120, 17}, true},
    {u"FinishedMemo", {24, 382, 591, 177}, false},
};

int px(int dips) {
    return MulDiv(dips, T2K_EXPECTED_DPI, 96);
}

// Every test starts the program as the system of this build's variant would.
class MainWindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef T2K_WINDOWS_7_DPI_FUNCTIONS_ONLY
        make_newer_dpi_functions_unavailable();
#endif
    }
};

RECT rect_in_client(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(MainWindowLayout, places_every_control_at_its_scaled_design_rectangle) {
    testing::StartedProgram program;
    ASSERT_EQ(MainForm->dpi(), static_cast<unsigned>(T2K_EXPECTED_DPI));
    RECT client{};
    GetClientRect(MainForm->handle(), &client);
    EXPECT_EQ(client.right, px(640));
    EXPECT_EQ(client.bottom, px(585));
    const LONG_PTR style = GetWindowLongPtrW(MainForm->handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0); // fixed single-line border
    EXPECT_NE(style & WS_CAPTION, 0);

    for (const Expected& e : expected_controls) {
        SCOPED_TRACE(std::string(e.name, e.name + std::char_traits<char16_t>::length(e.name)));
        const Control& control = MainForm->control(e.name);
        const RECT rect = rect_in_client(control.handle());
        const RECT design{px(e.bounds.x), px(e.bounds.y), px(e.bounds.x) + px(e.bounds.width),
                          px(e.bounds.y) + px(e.bounds.height)};
        if (!e.is_label) {
            EXPECT_EQ(rect.left, design.left);
            EXPECT_EQ(rect.top, design.top);
            EXPECT_EQ(rect.right, design.right);
            EXPECT_EQ(rect.bottom, design.bottom);
            continue;
        }
        // A label's text is never clipped: its box may only grow, away from its aligned side.
        EXPECT_EQ(rect.top, design.top);
        EXPECT_LE(rect.left, design.left);
        EXPECT_GE(rect.right, design.right);
        EXPECT_GE(rect.bottom, design.bottom);
        if (control.spec().align == TextAlign::trailing) {
            EXPECT_EQ(rect.right, design.right);
        } else {
            EXPECT_EQ(rect.left, design.left);
        }
    }
}

TEST_F(MainWindowLayout, big_numbers_are_bold_at_twenty_scaled_pixels_and_fit_their_window) {
    testing::StartedProgram program;
    for (const Label* label : {&MainForm->Label6, &MainForm->Label7}) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(label->handle(), WM_GETFONT, 0, 0));
        LOGFONTW face{};
        GetObjectW(font, sizeof face, &face);
        EXPECT_EQ(face.lfHeight, -px(20));
        EXPECT_EQ(face.lfWeight, FW_BOLD);
        HDC dc = GetDC(label->handle());
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE text{};
        GetTextExtentPoint32W(dc, label == &MainForm->Label6 ? L"1." : L"2.", 2, &text);
        SelectObject(dc, previous);
        ReleaseDC(label->handle(), dc);
        RECT client{};
        GetClientRect(label->handle(), &client);
        EXPECT_GE(client.right, text.cx);
        EXPECT_GE(client.bottom, text.cy);
    }
}

TEST_F(MainWindowLayout, tab_order_follows_the_layout_with_labels_right_before_their_fields) {
    testing::StartedProgram program;
    std::vector<std::u16string> order;
    for (HWND child = GetWindow(MainForm->handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        for (const Control* control : MainForm->controls()) {
            if (control->handle() == child) {
                order.push_back(control->name());
            }
        }
    }
    const std::vector<std::u16string> expected{
        u"Label4",   u"Label7",       u"Button1",        u"Label2", u"Edit2",
        u"Label5",   u"FinishedMemo", u"SpeedButton1",   u"Label3", u"ExtensionEdit",
        u"FileMemo", u"Label6",       u"FindFilesButton"};
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowLayout, class_icons_show_the_program_icon_at_the_scaled_small_and_big_sizes) {
    testing::StartedProgram program;
    const auto class_icon = [](int index) {
        return testing::read_icon_image(
            reinterpret_cast<HICON>(GetClassLongPtrW(MainForm->handle(), index)));
    };
    const testing::IconImage small_icon = class_icon(GCLP_HICONSM),
                             big_icon = class_icon(GCLP_HICON);
    EXPECT_EQ(small_icon.width, px(16));
    EXPECT_EQ(big_icon.width, px(32));
    EXPECT_TRUE(testing::shows_the_star_ring(small_icon));
    EXPECT_TRUE(testing::shows_the_star_ring(big_icon));
}

} // namespace
} // namespace t2k
