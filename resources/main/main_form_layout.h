// The main window's layout: its caption, client size and controls in 96-DPI units, listed in
// creation (and so tab) order.
#pragma once

#include "toolkit/layout.h"

#include <array>

namespace t2k::main_form_layout {

inline constexpr FontStyle big_number{20, true};

inline constexpr std::array controls{
    ControlRow{.kind = ControlKind::label,
               .name = u"Label4",
               .text = u"(Default= maz)",
               .bounds = {226, 292, 120, 17}},
    ControlRow{.kind = ControlKind::label,
               .name = u"Label7",
               .text = u"2.",
               .bounds = {8, 346, 47, 17},
               .font = big_number,
               .align = TextAlign::trailing},
    ControlRow{.kind = ControlKind::button,
               .name = u"Button1",
               .text = u"Translate Tovaro Files to KORVANE",
               .bounds = {63, 346, 208, 22},
               .tab_order = 0},
    ControlRow{.kind = ControlKind::label,
               .name = u"Label2",
               .text = u"Save to Folder:",
               .bounds = {36, 231, 120, 17}},
    ControlRow{
        .kind = ControlKind::edit, .name = u"Edit2", .bounds = {24, 252, 535, 22}, .tab_order = 4},
    ControlRow{.kind = ControlKind::label,
               .name = u"Label5",
               .text = u"Results:",
               .bounds = {310, 362, 120, 17}},
    ControlRow{.kind = ControlKind::memo,
               .name = u"FinishedMemo",
               .bounds = {24, 382, 591, 177},
               .tab_order = 5},
    ControlRow{.kind = ControlKind::picture_button,
               .name = u"SpeedButton1",
               .bounds = {574, 241, 43, 41},
               .picture = u"FOLDER_OPEN"},
    ControlRow{.kind = ControlKind::label,
               .name = u"Label3",
               .text = u"Save With Extension:",
               .bounds = {24, 292, 120, 17},
               .align = TextAlign::trailing},
    ControlRow{.kind = ControlKind::edit,
               .name = u"ExtensionEdit",
               .bounds = {152, 287, 63, 22},
               .tab_order = 7},
    ControlRow{.kind = ControlKind::memo,
               .name = u"FileMemo",
               .bounds = {24, 46, 593, 163},
               .tab_order = 9},
    ControlRow{.kind = ControlKind::label,
               .name = u"Label6",
               .text = u"1.",
               .bounds = {18, 18, 33, 17},
               .font = big_number,
               .align = TextAlign::trailing},
    ControlRow{.kind = ControlKind::button,
               .name = u"FindFilesButton",
               .text = u"Choose Tovaro Files",
               .bounds = {59, 16, 120, 22},
               .tab_order = 10},
};
static_assert(tab_stops_ascend(controls) && parents_come_first(controls));

inline constexpr FormLayout form{
    .caption = u"Tovaro to KORVANE",
    .client_width = 640,
    .client_height = 585,
    .controls = controls,
};

consteval const ControlRow& row(std::u16string_view name) {
    return find_row(controls, name);
}

} // namespace t2k::main_form_layout
