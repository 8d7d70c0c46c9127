// TAboutBox: layout wiring, the handlers, the frame painting, and read_version_info.
#include "ui/AboutUnit.h"

#include "platform/process.h"
#include "platform/text.h"
#include "platform/win32/system_functions.h"
#include "product_identity.h"

#include <array>
#include <cmath>
#include <utility>
#include <stdexcept>
#include <vector>

namespace t2k {

TAboutBox* AboutBox = nullptr;

namespace {

using identity::build_day;
using identity::build_month;
using identity::build_year;
using identity::product_name;

// Shown when the exe carries no version record.
constexpr std::u16string_view fallback_version = u"1.2.6";

std::u16string decimal(int number) {
    return ascii(std::to_string(number));
}

} // namespace

TAboutBox::TAboutBox(FrameClock::TimeSource now)
    : Form(about_layout::form), clock_(std::move(now)),
      timer_(clock_, [this] { repaint_if_visible(); }) {
    ImageControl1.set_effect(&GaussianBlurEffect1);
    CloseButton.on_click([this] { CloseButtonClick(); });
    on_message(WM_ERASEBKGND, [](WPARAM, LPARAM) -> std::optional<LRESULT> { return 1; });
    on_message(WM_PAINT, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(handle(), &paint);
        paint_frame(dc);
        EndPaint(handle(), &paint);
        return 0;
    });
    // Loading the layout enables what it marks enabled: the picture turns from creation on.
    const std::array<std::pair<FloatAnimation*, const about_layout::AnimationRow*>, 3> loaded{
        {{&FloatAnimation1, &about_layout::animation(u"FloatAnimation1")},
         {&FloatAnimation2, &about_layout::animation(u"FloatAnimation2")},
         {&FloatAnimation3, &about_layout::animation(u"FloatAnimation3")}}};
    for (const auto& [animation, row] : loaded) {
        if (row->enabled) {
            animation->set_enabled(true);
        }
    }
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) {
        AboutBox = nullptr;
    }
}

FloatAnimation TAboutBox::animate(const about_layout::AnimationRow& row) {
    return FloatAnimation(clock_, row.settings, property_of(row), parent_visibility(row));
}

FloatAnimation::Property TAboutBox::property_of(const about_layout::AnimationRow& row) {
    switch (row.property) {
    case about_layout::AnimatedProperty::rotation_angle:
        return [this](float degrees) {
            ImageControl1.set_rotation_angle(degrees);
        };
    case about_layout::AnimatedProperty::blur_amount:
        return [this](float amount) {
            GaussianBlurEffect1.set_blur_amount(amount);
        };
    case about_layout::AnimatedProperty::position_y:
        return [this](float y) {
            Layout2.set_position(Layout2.bounds().x, static_cast<int>(std::lround(y)));
        };
    }
    throw std::logic_error("unknown animated property");
}

FloatAnimation::Visibility TAboutBox::parent_visibility(const about_layout::AnimationRow& row) {
    if (row.parent == about_layout::blur.name) {
        return {}; // an effect, not a control: it never holds the start back
    }
    const Control* parent = &control(row.parent);
    return [parent] {
        return parent->visible();
    };
}

// Before the window is made its handle is null, which is not visible either.
void TAboutBox::repaint_if_visible() {
    if (IsWindowVisible(handle())) {
        InvalidateRect(handle(), nullptr, FALSE);
    }
}

void TAboutBox::paint_frame(HDC dc) {
    RECT client{};
    GetClientRect(handle(), &client);
    buffer_.resize(client.right - client.left, client.bottom - client.top);
    buffer_.flush();
    const std::uint32_t rgb = layout().background_color;
    buffer_.pixels().fill(make_pixel(255, rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    for (PaintedControl* control : painted_controls()) {
        control->paint(buffer_, dpi());
    }
    buffer_.put(dc, 0, 0);
    ++frames_painted_;
}

// ---- handlers ------------------------------------------------------------------------------

void TAboutBox::FormCreate() {
    Layout2.set_position(Layout2.bounds().x, 280);
    Label1.set_text(product_name);
    Label2.set_text(u"By " + std::u16string(identity::maker));
    Label3.set_text(u"Copyright \u00A9 " + decimal(build_year));
    std::u16string version = read_version_info();
    if (version.empty()) {
        version = fallback_version;
    }
    Label4.set_text(u"Ver. " + std::u16string(u" ") + version);
    Label6.set_text(identity::web_address);
    Label7.set_text(decimal(build_month) + u"/" + decimal(build_day) + u"/" + decimal(build_year));
}

void TAboutBox::FormShow() {
    GaussianBlurEffect1.set_enabled(true);
    FloatAnimation1.set_enabled(true);
    FloatAnimation2.set_enabled(true);
    FloatAnimation3.set_enabled(true);
}

void TAboutBox::FormClose(CloseAction&) {
    GaussianBlurEffect1.set_enabled(false);
    FloatAnimation1.set_enabled(false);
    FloatAnimation2.set_enabled(false);
    FloatAnimation3.set_enabled(false);
}

void TAboutBox::CloseButtonClick() {
    close();
}

// ---- version record ------------------------------------------------------------------------

std::u16string read_version_info() {
    const std::vector<std::byte> record = file_version_record(executable_path());
    if (record.empty()) {
        return {};
    }
    // Always under US English, Windows Latin 1, whatever translation the record declares.
    const std::u16string description =
        version_record_string(record, L"\\StringFileInfo\\040904E4\\FileDescription");
    const std::u16string version =
        version_record_string(record, L"\\StringFileInfo\\040904E4\\FileVersion");
    if (AboutBox != nullptr) {
        AboutBox->Label1.set_text(description.empty() ? product_name : description);
    }
    return version;
}

} // namespace t2k
