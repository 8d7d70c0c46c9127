// The toolkit's portable half that the windows rely on: DPI rounding, control identifiers, the
// lines of a text box and the error box's text. Natively and under Wine.
#include "platform/error.h"
#include "toolkit/abort.h"
#include "toolkit/error_text.h"
#include "toolkit/layout.h"
#include "toolkit/text_lines.h"

#include <gtest/gtest.h>

#include <array>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace t2k {
namespace {

// ---- layout ----------------------------------------------------------------------------------

TEST(ScaleForDpi, rounds_half_away_from_zero) {
    const struct {
        int dips;
        unsigned dpi;
        int pixels;
    } cases[] = {
        {0, 144, 0},   {7, 96, 7},
        {1, 144, 2},   {-1, 144, -2},
        {3, 144, 5},   {-3, 144, -5},
        {10, 120, 13}, {-10, 120, -13},
        {1, 47, 0},    {1, 48, 1},
        {-1, 47, 0},   {-1, 48, -1},
        {12, 72, 9},   {100000, 480, 500000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scale_for_dpi(c.dips, c.dpi), c.pixels) << c.dips << " dips at " << c.dpi;
    }
}

constexpr std::array rows{
    ControlRow{.kind = ControlKind::label, .name = u"First"},
    ControlRow{.kind = ControlKind::layout, .name = u"Group"},
    ControlRow{.kind = ControlKind::button, .name = u"Inside", .tab_order = 0, .parent = u"Group"},
};
constexpr FormLayout layout{u"Test", 100, 100, rows};

TEST(ControlId, is_the_row_place_after_the_first_id_and_refuses_an_unknown_name) {
    EXPECT_EQ(control_id(layout, u"First"), first_control_id);
    EXPECT_EQ(control_id(layout, u"Inside"), first_control_id + 2);
    static_assert(control_id(rows, find_row(rows, u"Group")) == first_control_id + 1);
    EXPECT_THROW(control_id(layout, u"inside"), std::out_of_range);
}

// ---- text lines ------------------------------------------------------------------------------

TEST(SplitLines, breaks_at_cr_lf_cr_and_lf_with_no_line_for_a_final_break) {
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
        {u"a\rb\nc", {u"a", u"b", u"c"}},
        {u"a\n\rb", {u"a", u"", u"b"}},
        {u"a\n\nb", {u"a", u"", u"b"}},
        {u"\r\r\n", {u"", u""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split_lines(c.text), c.lines) << c.text.size() << " characters";
    }
}

TEST(LineToAppend, starts_a_line_only_after_text_that_does_not_end_in_a_break) {
    const struct {
        char16_t last;
        std::u16string line;
        std::u16string added;
    } cases[] = {
        {0, u"x", u"x\r\n"},     {u'a', u"x", u"\r\nx\r\n"}, {u'\n', u"x", u"x\r\n"},
        {u'\r', u"x", u"x\r\n"}, {u' ', u"x", u"\r\nx\r\n"}, {u'a', u"", u"\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(line_to_append(c.last, c.line), c.added) << int(c.last);
    }
}

// ---- error box texts -------------------------------------------------------------------------

TEST(ErrorBoxText, appends_a_period_only_after_characters_above_the_period) {
    const struct {
        std::u16string text, shown;
    } cases[] = {
        {u"File not found", u"File not found."},
        {u"Done.", u"Done."},
        {u"I/O error (32)", u"I/O error (32)"}, // ')' is below '.'
        {u"Ends in dash-", u"Ends in dash-"},
        {u"Ends in slash/", u"Ends in slash/."},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(with_final_period(c.text), c.shown);
    }
}

TEST(ErrorBoxText, shows_the_innermost_non_empty_text_and_drops_abort) {
    const auto raised = [](auto&& raise) {
        try {
            raise();
        } catch (...) {
            return std::current_exception();
        }
        return std::exception_ptr{};
    };
    EXPECT_EQ(error_box_text(raised([] { throw Error(u"Unable to write to C:\\x\\tovaro.ini"); })),
              u"Unable to write to C:\\x\\tovaro.ini.");
    EXPECT_EQ(error_box_text(raised([] { throw std::bad_alloc(); })), u"Out of memory.");
    EXPECT_EQ(error_box_text(raised([] {
                  try {
                      throw Error(u"Disk full");
                  } catch (...) {
                      std::throw_with_nested(std::runtime_error("while saving"));
                  }
              })),
              u"Disk full.");
    EXPECT_EQ(error_box_text(raised([] {
                  try {
                      throw Error(u"");
                  } catch (...) {
                      std::throw_with_nested(std::runtime_error("outer text"));
                  }
              })),
              u"outer text.");
    EXPECT_EQ(error_box_text(raised([] { throw Abort(); })), std::nullopt);
}

} // namespace
} // namespace t2k
