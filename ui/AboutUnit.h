// TAboutBox: the About window (product, maker, year, version and date over a turning picture),
// and read_version_info.
#pragma once

#include "resources/about/about_layout.h"
#include "toolkit/animation.h"
#include "toolkit/win32/form.h"
#include "toolkit/frame_clock.h"
#include "toolkit/paint/gaussian_blur.h"
#include "toolkit/win32/back_buffer.h"
#include "toolkit/win32/frame_timer.h"
#include "toolkit/win32/painted_controls.h"
#include "toolkit/win32/windowed_controls.h"

#include <string>

namespace t2k {

class TAboutBox : public Form {
    // First, so that it outlives every animation attached to it.
    FrameClock clock_;

public:
    // Time comes from a steady clock; tests pass their own to step it.
    explicit TAboutBox(FrameClock::TimeSource now = FrameClock::steady_seconds);
    ~TAboutBox() override;

    Layout Layout1{*this, about_layout::row(u"Layout1")};
    PaintedImage ImageControl1{*this, about_layout::row(u"ImageControl1"),
                               about_layout::image_scale};
    Layout Layout2{*this, about_layout::row(u"Layout2")};
    PaintedLabel Label1{*this, about_layout::row(u"Label1")};
    PaintedLabel Label2{*this, about_layout::row(u"Label2")};
    PaintedLabel Label3{*this, about_layout::row(u"Label3")};
    PaintedLabel Label4{*this, about_layout::row(u"Label4")};
    PaintedLabel Label6{*this, about_layout::row(u"Label6")};
    PaintedLabel Label7{*this, about_layout::row(u"Label7")};
    RoundedButton CloseButton{*this, about_layout::row(u"CloseButton"),
                              about_layout::close_button_corner_radius};

    GaussianBlurEffect GaussianBlurEffect1{about_layout::blur.amount, about_layout::blur.enabled};
    FloatAnimation FloatAnimation1 = animate(about_layout::animation(u"FloatAnimation1"));
    FloatAnimation FloatAnimation2 = animate(about_layout::animation(u"FloatAnimation2"));
    FloatAnimation FloatAnimation3 = animate(about_layout::animation(u"FloatAnimation3"));

    FrameClock& frame_clock() noexcept { return clock_; }
    bool frame_timer_ticking() const noexcept { return timer_.ticking(); }
    // Composes one frame (every painted control in table order: picture, blur, texts) and puts
    // it on dc at the client's top-left.
    void paint_frame(HDC dc);
    // Frames painted so far; nothing is painted while the window is hidden.
    unsigned frames_painted() const noexcept { return frames_painted_; }

    void CloseButtonClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose(CloseAction& action) override;

private:
    // The animation of that row, bound to the property and parent the row names.
    FloatAnimation animate(const about_layout::AnimationRow& row);
    FloatAnimation::Property property_of(const about_layout::AnimationRow& row);
    // Whether the control the row names as parent is visible; nothing for the blur effect.
    FloatAnimation::Visibility parent_visibility(const about_layout::AnimationRow& row);
    void repaint_if_visible();

    BackBuffer buffer_;
    unsigned frames_painted_ = 0;
    FrameTimer timer_;
};

// The About window, set before its FormCreate runs.
extern TAboutBox* AboutBox;

// The running executable's file version, empty when it has no version record; sets AboutBox's
// Label1 to the record's file description (the product name when that is empty).
std::u16string read_version_info();

} // namespace t2k
