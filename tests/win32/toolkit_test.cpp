// The toolkit under Wine: forms from layouts, the catch-all and its error box, message boxes, modal
// show.
#include "tests/support/message_box_recorder.h"

#include "platform/error.h"
#include "toolkit/abort.h"
#include "toolkit/win32/app_title.h"
#include "toolkit/win32/application.h"
#include "toolkit/win32/form.h"
#include "toolkit/win32/message_box.h"
#include "toolkit/win32/message_loop.h"
#include "toolkit/win32/modal.h"
#include "toolkit/win32/windowed_controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <new>
#include <stdexcept>

namespace t2k {
namespace {

using test::MessageBoxRecorder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ApplicationTitle, is_the_file_name_up_to_its_first_dot_in_lower_case_after_the_first) {
    EXPECT_EQ(title_from_executable_path(u"C:\\Program Files\\Tovaro2KORVANE.exe"),
              u"Tovaro2korvane");
    EXPECT_EQ(title_from_executable_path(u"D:TOOL.V2.EXE"), u"Tool");
    EXPECT_EQ(title_from_executable_path(u"C:\\a.b\\noEXT"), u"noext");
    EXPECT_EQ(application_title(), u"toolkit_test"); // this program is toolkit_test.exe
}

// ---- a small form ----------------------------------------------------------------------------

// Listed in creation order: tab stops ascending, each untabbed control before its stop.
constexpr std::array test_rows{
    ControlRow{.kind = ControlKind::label,
               .name = u"BigLabel",
               .text = u"1.",
               .bounds = {10, 40, 20, 10},
               .font = {20, true},
               .align = TextAlign::trailing},
    ControlRow{.kind = ControlKind::button,
               .name = u"FailButton",
               .text = u"Fail",
               .bounds = {80, 40, 80, 22},
               .tab_order = 0},
    ControlRow{
        .kind = ControlKind::memo, .name = u"Notes", .bounds = {10, 70, 190, 60}, .tab_order = 1},
    ControlRow{.kind = ControlKind::label,
               .name = u"NameLabel",
               .text = u"Name:",
               .bounds = {10, 10, 60, 17}},
    ControlRow{
        .kind = ControlKind::edit, .name = u"NameEdit", .bounds = {80, 8, 120, 22}, .tab_order = 2},
    ControlRow{.kind = ControlKind::layout, .name = u"Group", .bounds = {0, 140, 200, 40}},
    ControlRow{.kind = ControlKind::button,
               .name = u"InGroup",
               .text = u"x",
               .bounds = {10, 5, 50, 22},
               .tab_order = 3,
               .parent = u"Group"},
};
static_assert(tab_stops_ascend(test_rows) && parents_come_first(test_rows));
constexpr FormLayout test_layout{u"Toolkit test", 220, 190, test_rows};

consteval const ControlRow& test_row(std::u16string_view name) {
    return find_row(test_rows, name);
}

class TestForm : public Form {
public:
    TestForm() : Form(test_layout) {
        FailButton.on_click([this] {
            ++clicks;
            raise();
            ++completed;
        });
        on_message(WM_ENABLE, [this](WPARAM enabled, LPARAM) -> std::optional<LRESULT> {
            if (enabled && on_enable) {
                on_enable();
            }
            return std::nullopt;
        });
        on_message(WM_SIZE, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (on_size) {
                on_size();
            }
            return std::nullopt;
        });
    }
    Label BigLabel{*this, test_row(u"BigLabel")};
    Button FailButton{*this, test_row(u"FailButton")};
    Memo Notes{*this, test_row(u"Notes")};
    Label NameLabel{*this, test_row(u"NameLabel")};
    Edit NameEdit{*this, test_row(u"NameEdit")};
    Layout Group{*this, test_row(u"Group")};
    Button InGroup{*this, test_row(u"InGroup")};
    std::function<void()> raise = [] {
    };
    std::function<void()> on_enable;
    std::function<void()> on_size;
    int clicks = 0, completed = 0, creates = 0;

private:
    void FormCreate() override { ++creates; }
};

RECT client_rect_of(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ToolkitForm : public ::testing::Test {
protected:
    void SetUp() override {
        form.create();
        form.show();
        process_pending_messages();
    }
    Application app; // the COM apartment and common controls, as at start-up
    TestForm form;
};

TEST_F(ToolkitForm, creates_controls_in_tab_order_with_untabbed_ones_before_the_next_stop) {
    std::vector<int> ids;
    for (HWND child = GetWindow(form.handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back(GetDlgCtrlID(child));
    }
    const auto id = [](std::u16string_view name) {
        return control_id(test_layout, name);
    };
    EXPECT_THAT(ids, ElementsAre(id(u"BigLabel"), id(u"FailButton"), id(u"Notes"), id(u"NameLabel"),
                                 id(u"NameEdit"), id(u"InGroup")));
    EXPECT_EQ(GetWindowLongPtrW(form.NameLabel.handle(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_NE(GetWindowLongPtrW(form.NameEdit.handle(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetFocus(), form.FailButton.handle()); // tab order 0 has the focus at start
    EXPECT_EQ(form.creates, 1);
}

TEST_F(ToolkitForm, places_controls_in_dips_moves_layout_children_and_keeps_big_text_unclipped) {
    RECT client{};
    GetClientRect(form.handle(), &client);
    EXPECT_EQ(client.right, 220);
    EXPECT_EQ(client.bottom, 190);
    const RECT button = client_rect_of(form.FailButton.handle());
    EXPECT_EQ(button.left, 80);
    EXPECT_EQ(button.top, 40);
    EXPECT_EQ(button.right - button.left, 80);
    EXPECT_EQ(button.bottom - button.top, 22);

    RECT child = client_rect_of(form.InGroup.handle());
    EXPECT_EQ(child.left, 10);
    EXPECT_EQ(child.top, 145);
    form.Group.set_position(20, 100);
    child = client_rect_of(form.InGroup.handle());
    EXPECT_EQ(child.left, 30);
    EXPECT_EQ(child.top, 105);
    form.Group.set_visible(false);
    EXPECT_FALSE(IsWindowVisible(form.InGroup.handle()));

    // The 20-pixel bold "1." does not fit its 20 × 10 box: the box grows, its right edge stays.
    const RECT big = client_rect_of(form.BigLabel.handle());
    EXPECT_EQ(big.right, 30);
    EXPECT_EQ(big.top, 40);
    EXPECT_GE(big.bottom - big.top, 20);
    HDC dc = GetDC(form.BigLabel.handle());
    SelectObject(dc, form.font({20, true}));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(form.BigLabel.handle(), dc);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
    EXPECT_EQ(metrics.tmWeight, FW_BOLD);
}

// The font a control draws with: its height, or nullopt when the handle is no live font.
std::optional<LONG> font_height(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle == nullptr || GetObjectW(handle, sizeof font, &font) != sizeof font) {
        return std::nullopt;
    }
    return font.lfHeight;
}

TEST_F(ToolkitForm, rescales_everything_when_the_dpi_changes) {
    // The window resizes (and its controls repaint) while the DPI changes: every control must
    // have a live font then, not one already deleted.
    std::vector<std::u16string> dead_fonts_while_resizing;
    form.on_size = [&] {
        for (const WindowedControl* control : form.windowed_controls()) {
            if (!font_height(control->handle())) {
                dead_fonts_while_resizing.emplace_back(control->name());
            }
        }
    };
    RECT window{};
    GetWindowRect(form.handle(), &window);
    RECT suggested{window.left, window.top, window.left + 400, window.top + 400};
    SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    form.on_size = nullptr;
    EXPECT_THAT(dead_fonts_while_resizing, IsEmpty());
    RECT client{};
    GetClientRect(form.handle(), &client);
    EXPECT_EQ(client.right, 330);
    EXPECT_EQ(client.bottom, 285);
    const RECT button = client_rect_of(form.FailButton.handle());
    EXPECT_EQ(button.left, 120);
    EXPECT_EQ(button.top, 60);
    EXPECT_EQ(button.right - button.left, 120);
    EXPECT_EQ(button.bottom - button.top, 33);
    ASSERT_EQ(form.windowed_controls().size(), 6u);
    for (const WindowedControl* control : form.windowed_controls()) {
        // 12 dips at 144 DPI, the big label's 20 at 144.
        EXPECT_EQ(font_height(control->handle()), control == &form.BigLabel ? -30 : -18)
            << std::string(control->name().begin(), control->name().end());
    }
}

TEST_F(ToolkitForm, memo_lines_follow_the_line_breaks_of_its_text) {
    const struct {
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\r\n", {u"a"}},
        {u"\r\n", {u""}},
        {u"a\r\n\r\nb", {u"a", u"", u"b"}},
        {u" a \r\nb\r\n", {u" a ", u"b"}},
    };
    for (const auto& c : cases) {
        form.Notes.set_text(c.text);
        EXPECT_EQ(form.Notes.lines(), c.lines);
    }
    form.Notes.clear();
    form.Notes.append_line(u"C:\\out\\a.maz");
    form.Notes.append_line(u"");
    form.Notes.append_line(u"C:\\out\\b.maz");
    EXPECT_THAT(form.Notes.lines(), ElementsAre(u"C:\\out\\a.maz", u"", u"C:\\out\\b.maz"));
}

// Appending reads only the end of the text, so whatever the text ends in must still give one
// more line and keep the lines before it.
TEST_F(ToolkitForm, a_memo_line_is_appended_after_any_text) {
    const std::u16string wrapped = std::u16string(300, u'w') + u" " + std::u16string(300, u'x');
    const struct {
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"", {u"new"}},
        {u"a", {u"a", u"new"}},
        {u"a\r\n", {u"a", u"new"}},
        {u"a\r\n\r\n", {u"a", u"", u"new"}},
        {u"a\n", {u"a", u"new"}},
        {u"a\r", {u"a", u"new"}},
        {u"trailing blanks   ", {u"trailing blanks   ", u"new"}},
        {wrapped, {wrapped, u"new"}},
        {wrapped + u"          ", {wrapped + u"          ", u"new"}},
    };
    for (const auto& c : cases) {
        form.Notes.set_text(c.text);
        form.Notes.append_line(u"new");
        EXPECT_EQ(form.Notes.lines(), c.lines) << "after " << c.text.size() << " characters";
    }
}

TEST_F(ToolkitForm, an_error_escaping_a_handler_shows_the_error_box_and_the_form_goes_on) {
    MessageBoxRecorder boxes;
    form.raise = [] {
        throw Error(u"File not found");
    };
    SendMessageW(form.FailButton.handle(), BM_CLICK, 0, 0);
    form.raise = [] {
        throw std::bad_alloc();
    };
    SendMessageW(form.FailButton.handle(), BM_CLICK, 0, 0);
    form.raise = [] {
        throw Abort();
    };
    SendMessageW(form.FailButton.handle(), BM_CLICK, 0, 0);
    form.raise = [] {
    };
    SendMessageW(form.FailButton.handle(), BM_CLICK, 0, 0);

    EXPECT_EQ(form.clicks, 4);
    EXPECT_EQ(form.completed, 1); // the rest of each failing handler was abandoned
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, u"Error");
    EXPECT_EQ(boxes.boxes()[0].text, u"File not found.");
    EXPECT_TRUE(boxes.boxes()[0].has_icon);
    EXPECT_EQ(boxes.boxes()[1].text, u"Out of memory.");
}

TEST_F(ToolkitForm, message_box_has_the_title_as_caption_no_icon_and_sits_over_the_active_window) {
    MessageBoxRecorder boxes;
    SetActiveWindow(form.handle());
    show_message(u"\"\u00abp2\" not found in Tovaro file");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    const auto& box = boxes.boxes()[0];
    EXPECT_EQ(box.caption, u"toolkit_test");
    EXPECT_EQ(box.text, u"\"\u00abp2\" not found in Tovaro file");
    EXPECT_FALSE(box.has_icon);
    RECT owner{};
    GetWindowRect(form.handle(), &owner);
    EXPECT_NEAR((box.rect.left + box.rect.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((box.rect.top + box.rect.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
}

// A row the class declares no member for, and a member of another kind than its row: the form
// refuses to create itself rather than show a window without them.
constexpr std::array two_rows{
    ControlRow{.kind = ControlKind::label, .name = u"Declared", .text = u"a"},
    ControlRow{.kind = ControlKind::edit, .name = u"Other", .tab_order = 0},
};
constexpr FormLayout two_row_layout{u"Two rows", 100, 60, two_rows};

struct OneMemberForm : Form {
    OneMemberForm() : Form(two_row_layout) {}
    Label Declared{*this, find_row(two_rows, u"Declared")};
};
struct WrongKindForm : OneMemberForm {
    Label Other{*this, find_row(two_rows, u"Other")};
};

TEST(FormCreation, a_row_without_its_member_or_of_another_kind_is_refused) {
    Application app;
    try {
        OneMemberForm().create();
        ADD_FAILURE() << "created without the control Other";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), u"The form has no control for Other");
    }
    try {
        WrongKindForm().create();
        ADD_FAILURE() << "created with a label for an edit row";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), u"Control Other is not of the layout's kind");
    }
}

const FormLayout modal_layout{u"Modal", 100, 60, {}, false};

class ModalForm : public Form {
public:
    ModalForm() : Form(modal_layout) {
        on_message(WM_APP, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
            on_app();
            return 0;
        });
    }
    std::function<void()> on_app;
    int shows = 0, closes = 0;

private:
    void FormShow() override { ++shows; }
    void FormClose(CloseAction&) override { ++closes; }
};

TEST_F(ToolkitForm, modal_show_disables_the_others_and_enables_them_before_hiding) {
    ModalForm modal;
    modal.create();
    bool owner_disabled_while_modal = false;
    bool modal_visible_when_owner_enabled = false;
    modal.on_app = [&] {
        owner_disabled_while_modal = !IsWindowEnabled(form.handle());
        modal.close();
    };
    form.on_enable = [&] {
        modal_visible_when_owner_enabled = IsWindowVisible(modal.handle()) != 0;
    };
    PostMessageW(modal.handle(), WM_APP, 0, 0);
    show_modal(modal);

    EXPECT_TRUE(owner_disabled_while_modal);
    EXPECT_TRUE(modal_visible_when_owner_enabled);
    EXPECT_TRUE(IsWindowEnabled(form.handle()));
    EXPECT_FALSE(IsWindowVisible(modal.handle()));
    EXPECT_EQ(modal.shows, 1);
    EXPECT_EQ(modal.closes, 1);
    EXPECT_FALSE(form.has_quit());
}

} // namespace
} // namespace t2k
