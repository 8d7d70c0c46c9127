// The main window's controls where the layout puts them, and its icons, scaled by the window's DPI
// (this program is built for one DPI and runs in a Wine prefix of that DPI). Built with
// T2K_WINDOWS_7_DPI_FUNCTIONS_ONLY, it checks the same layout made without the per-monitor DPI
// functions Windows 7 lacks.
#include "main_window_support.h"

#include "tests/win32/icon_image.h"
#include "platform/win32/system_functions.h"
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
    test::StartedProgram program;
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
        const auto& control = dynamic_cast<const WindowedControl&>(MainForm->control(e.name));
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
        if (control.row().align == TextAlign::trailing) {
            EXPECT_EQ(rect.right, design.right);
        } else {
            EXPECT_EQ(rect.left, design.left);
        }
    }
}

TEST_F(MainWindowLayout, big_numbers_are_bold_at_twenty_scaled_pixels_and_fit_their_window) {
    test::StartedProgram program;
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
    test::StartedProgram program;
    std::vector<std::u16string> order;
    for (HWND child = GetWindow(MainForm->handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        for (const WindowedControl* control : MainForm->windowed_controls()) {
            if (control->handle() == child) {
                order.emplace_back(control->name());
            }
        }
    }
    const std::vector<std::u16string> expected{
        u"Label4",   u"Label7",       u"Button1",        u"Label2", u"Edit2",
        u"Label5",   u"FinishedMemo", u"SpeedButton1",   u"Label3", u"ExtensionEdit",
        u"FileMemo", u"Label6",       u"FindFilesButton"};
    EXPECT_EQ(order, expected);
}

// Every line of text is one file: a path far wider than its box stays one line (the box scrolls
// sideways), and each line break starts the next file.
TEST_F(MainWindowLayout, a_long_path_is_one_line_in_each_box_which_scrolls_sideways) {
    test::StartedProgram program;
    std::u16string long_path = u"C:\\Tovaro exports";
    for (int i = 0; i < 12; ++i) {
        long_path += u"\\a rather long folder name";
    }
    long_path += u"\\last file of the batch.txt";
    for (Memo* box : {&MainForm->FileMemo, &MainForm->FinishedMemo}) {
        SCOPED_TRACE(std::string(box->name().begin(), box->name().end()));
        EXPECT_NE(GetWindowLongPtrW(box->handle(), GWL_STYLE) & WS_HSCROLL, 0);
        box->set_text(long_path);
        EXPECT_EQ(SendMessageW(box->handle(), EM_GETLINECOUNT, 0, 0), 1);
        box->set_text(long_path + u"\r\nC:\\short.txt\r\n" + long_path);
        EXPECT_EQ(SendMessageW(box->handle(), EM_GETLINECOUNT, 0, 0), 3);
        // Scrolled to the end of a line, the box shows that line's end.
        SendMessageW(box->handle(), EM_SETSEL, long_path.size(), long_path.size());
        SendMessageW(box->handle(), EM_SCROLLCARET, 0, 0);
        SCROLLINFO scroll{};
        scroll.cbSize = sizeof scroll;
        scroll.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(box->handle(), SB_HORZ, &scroll));
        EXPECT_GT(scroll.nPos, 0);
    }
}

TEST_F(MainWindowLayout, class_icons_show_the_program_icon_at_the_scaled_small_and_big_sizes) {
    test::StartedProgram program;
    const auto class_icon = [](int index) {
        return test::read_icon_image(
            reinterpret_cast<HICON>(GetClassLongPtrW(MainForm->handle(), index)));
    };
    const test::IconImage small_icon = class_icon(GCLP_HICONSM), big_icon = class_icon(GCLP_HICON);
    EXPECT_EQ(small_icon.width, px(16));
    EXPECT_EQ(big_icon.width, px(32));
    EXPECT_TRUE(test::shows_the_star_ring(small_icon));
    EXPECT_TRUE(test::shows_the_star_ring(big_icon));
}

} // namespace
} // namespace t2k
