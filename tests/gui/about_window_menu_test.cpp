// The window-menu extension on a test main window: the entry table, the keyword rule, the hook,
// and the routing of system commands (the About entry opens the About window modally).
#include "about_test_support.h"
#include "ui/WindowMenu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace t2k {
namespace {

using about_test::MenuItem;

// A fresh test main window per case, and the items the extension appended to its window menu.
struct WindowMenuTest : ::testing::Test {
    std::unique_ptr<about_test::TestForm> form = std::make_unique<about_test::TestForm>();
    std::size_t items_before = 0;

    void SetUp() override {
        form->create();
        items_before = about_test::window_menu_items(form->handle()).size();
    }
    std::vector<MenuItem> appended(std::u16string_view keywords) {
        add_window_menu(form->handle(), keywords);
        const auto items = about_test::window_menu_items(form->handle());
        return {items.begin() + static_cast<std::ptrdiff_t>(items_before), items.end()};
    }
};

const MenuItem separator{0, u"", true};
const MenuItem about{1025, u"About...", false};

// The keywords asked for, and the items appended for them.
struct KeywordsAndRows {
    std::u16string_view keywords;
    std::vector<MenuItem> rows;
};
void PrintTo(const KeywordsAndRows& c, std::ostream* out) {
    for (const char16_t unit : c.keywords) {
        *out << (unit < 0x80 ? static_cast<char>(unit) : '?');
    }
}

struct WindowMenuKeywords : WindowMenuTest, ::testing::WithParamInterface<KeywordsAndRows> {};

TEST_P(WindowMenuKeywords, append_a_separator_then_the_rows_they_name_in_table_order) {
    EXPECT_EQ(appended(GetParam().keywords), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, WindowMenuKeywords,
    ::testing::Values(
        KeywordsAndRows{u"about", {separator, about}}, KeywordsAndRows{u"", {separator}},
        KeywordsAndRows{u"ABOUT", {separator, about}},
        KeywordsAndRows{u"AbOuT", {separator, about}},
        KeywordsAndRows{u"save load", {separator, {1034, u"Load", false}, {1035, u"Save", false}}},
        // a keyword anywhere in the text counts
        KeywordsAndRows{u"reload", {separator, {1034, u"Load", false}}},
        KeywordsAndRows{u"helpweb,stayontop",
                        {separator, {1029, u"Help\tF1", false}, {1036, u"Stay On Top", false}}},
        // only A to Z are lowered
        KeywordsAndRows{u"about\u00C4BOUT", {separator, about}},
        KeywordsAndRows{u"\u00C1BOUT", {separator}}));

TEST_F(WindowMenuTest, the_whole_table_with_its_texts_and_identifiers) {
    const auto items =
        appended(u"font settings load save about helpchm helpfile helpweb helpform stayontop");
    EXPECT_THAT(items, ::testing::ElementsAre(
                           separator, MenuItem{1028, u"Install Font", false},
                           MenuItem{1030, u"Settings", false}, MenuItem{1034, u"Load", false},
                           MenuItem{1035, u"Save", false}, MenuItem{1025, u"About...", false},
                           MenuItem{1026, u"Help\tF1", false}, MenuItem{1032, u"Help\tF1", false},
                           MenuItem{1029, u"Help\tF1", false}, MenuItem{1033, u"Help", false},
                           MenuItem{1036, u"Stay On Top", false}));
    for (std::size_t row = 0; row < window_menu_entries().size(); ++row) {
        EXPECT_TRUE(window_menu_flag(row)) << row;
    }
}

TEST_F(WindowMenuTest, the_hook_keeps_every_other_message_going_to_the_window) {
    appended(u"about");
    EXPECT_EQ(GetWindowLongPtrW(form->handle(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&window_menu_proc));
    appended(u"about"); // hooked twice: must not pass messages to itself without end
    form->set_caption(u"Still answering");
    EXPECT_EQ(form->caption(), u"Still answering");
    form->show();
    // The standard commands reach DefWindowProcW and work as usual; Close reaches the form.
    SendMessageW(form->handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(form->handle()));
    SendMessageW(form->handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(form->handle()));
    SendMessageW(form->handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(form->closes, 1);
    EXPECT_FALSE(IsWindowVisible(form->handle()));
}

} // namespace
} // namespace t2k
