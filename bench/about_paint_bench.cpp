// Time of painting one About-window frame in software at 96 DPI: the picture turned, blurred,
// drawn.
#include "resources/about/about_layout.h"
#include "toolkit/paint/image_frame.h"
#include "toolkit/paint/image_layer.h"

#include <benchmark/benchmark.h>

namespace t2k {
namespace {

// A stand-in for the star picture: painting time does not depend on what the pixels show.
PixelBuffer test_picture() {
    PixelBuffer picture(800, 800, opaque_black);
    for (int y = 0; y < 800; ++y) {
        for (int x = 0; x < 800; ++x) {
            if ((x / 40 + y / 40) % 3 == 0) {
                picture.at(x, y) = 0xFFFFD600u;
            }
        }
    }
    return picture;
}

struct AboutFrame {
    const FormLayout& layout = about_layout::form;
    const ControlRow& image = about_layout::row(u"ImageControl1");
    PixelBuffer target{layout.client_width, layout.client_height};
    TurnedImage turned;
    GaussianBlurEffect blur;

    AboutFrame(bool blurred, float amount) : blur(amount, blurred) {
        const double scale = about_layout::image_scale; // 96 DPI: one unit is one pixel
        const int side = static_cast<int>(image.bounds.width * scale);
        PixelBuffer face(side, side);
        const PixelBuffer picture = test_picture();
        PixelBuffer source = picture;
        paint_image_frame(face.view(), source.view(), scale);
        turned.set_face(std::move(face));
    }
    void paint(double degrees) {
        target.view().fill(opaque_black);
        turned.paint(target.view(), image.bounds.x, image.bounds.y, degrees, blur);
    }
};

void frame(benchmark::State& state, bool blurred, float amount) {
    AboutFrame about(blurred, amount);
    double degrees = 0;
    for (auto _ : state) {
        about.paint(degrees);
        degrees += 0.5; // 30 degrees a second at 60 frames
        benchmark::DoNotOptimize(about.target.data());
    }
}

BENCHMARK_CAPTURE(frame, turned_and_blurred_at_3, true, 3.0f)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, turned_and_blurred_at_10, true, 10.0f)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, turned_only, false, 1.0f)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace t2k
