// The main window's controls: file list, output folder and extension, translate button, results.
#include "resources/main/main_form_layout.h"

namespace t2k {

namespace {

constexpr FontSpec big_number{20, true};
constexpr unsigned left_top = anchor::left | anchor::top;
constexpr unsigned left_top_right = anchor::left | anchor::top | anchor::right;

const ControlSpec main_form_controls[] = {
    {.kind = ControlKind::label,
     .name = u"Label6",
     .text = u"1.",
     .bounds = {18, 18, 33, 17},
     .font = big_number,
     .align = TextAlign::trailing},
    {.kind = ControlKind::button,
     .name = u"FindFilesButton",
     .text = u"Choose Tovaro Files",
     .bounds = {59, 16, 120, 22},
     .tab_order = 10,
     .on_click = u"FindFilesButtonClick"},
    {.kind = ControlKind::memo,
     .name = u"FileMemo",
     .bounds = {24, 46, 593, 163},
     .anchors = left_top_right,
     .tab_order = 9},
    {.kind = ControlKind::label,
     .name = u"Label2",
     .text = u"Save to Folder:",
     .bounds = {36, 231, 120, 17}},
    {.kind = ControlKind::edit,
     .name = u"Edit2",
     .bounds = {24, 252, 535, 22},
     .anchors = left_top_right,
     .tab_order = 4},
    {.kind = ControlKind::picture_button,
     .name = u"SpeedButton1",
     .bounds = {574, 241, 43, 41},
     .anchors = anchor::top | anchor::right,
     .on_click = u"SpeedButton1Click",
     .picture = u"FOLDER_OPEN"},
    {.kind = ControlKind::label,
     .name = u"Label3",
     .text = u"Save With Extension:",
     .bounds = {24, 292, 120, 17},
     .align = TextAlign::trailing},
    {.kind = ControlKind::edit,
     .name = u"ExtensionEdit",
     .bounds = {152, 287, 63, 22},
     .tab_order = 7},
    {.kind = ControlKind::label,
     .name = u"Label4",
     .text = u"(Default= maz)",
     .bounds = {226, 292, 120, 17}},
    {.kind = ControlKind::label,
     .name = u"Label7",
     .text = u"2.",
     .bounds = {8, 346, 47, 17},
     .font = big_number,
     .align = TextAlign::trailing},
    {.kind = ControlKind::button,
     .name = u"Button1",
     .text = u"Translate Tovaro Files to KORVANE",
     .bounds = {63, 346, 208, 22},
     .anchors = left_top,
     .tab_order = 0,
     .on_click = u"Button1Click"},
    {.kind = ControlKind::label,
     .name = u"Label5",
     .text = u"Results:",
     .bounds = {310, 362, 120, 17}},
    {.kind = ControlKind::memo,
     .name = u"FinishedMemo",
     .bounds = {24, 382, 591, 177},
     .anchors = left_top_right,
     .tab_order = 5},
};

const FormLayout layout{
    .caption = u"Tovaro to KORVANE",
    .client_width = 640,
    .client_height = 585,
    .controls = main_form_controls,
};

} // namespace

const FormLayout& main_form_layout() {
    return layout;
}

} // namespace t2k
