// Screenshots: a full settings page drawn at scale 3 and encoded as PNG,
// each timed apart, and the blur of a full screen, through the view tree
// and as the bare box blurs at quarter and at full resolution.
#include "SettingsPage.h"

#include <Render/BoxBlur.h>
#include <Render/Screenshot.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIVisualEffectView.h>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawSettingsPage(benchmark::State& state) {
    rt::Ref<UIWindow> window = bench::buildSettingsPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(render::Screenshot::draw(window, render::kDefaultScale));
}
BENCHMARK(BM_DrawSettingsPage)->Unit(benchmark::kMillisecond);

void BM_EncodeSettingsPagePNG(benchmark::State& state) {
    rt::Ref<UIImage> image = render::Screenshot::draw(bench::buildSettingsPage(), render::kDefaultScale);
    size_t bytes = 0;
    for (auto _ : state)
        bytes = UIImagePNGRepresentation(image.get())->size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeSettingsPagePNG)->Unit(benchmark::kMillisecond);

// The page under a full-screen material: the difference from the plain draw is the blur.
void BM_DrawSettingsPageUnderFullScreenBlur(benchmark::State& state) {
    rt::Ref<UIWindow> window = bench::buildSettingsPage();
    auto blur = rt::make<UIVisualEffectView>();
    blur->initWithEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemMaterial));
    blur->setFrame(window->bounds());
    window->addSubview(blur);
    for (auto _ : state)
        benchmark::DoNotOptimize(render::Screenshot::draw(window, render::kDefaultScale));
}
BENCHMARK(BM_DrawSettingsPageUnderFullScreenBlur)->Unit(benchmark::kMillisecond);

// The three box blurs alone on a 1170×2532 screen, radius 30 points at scale 3,
// after a reduction by 4 (argument 4) or at full size (argument 1).
void BM_BoxBlurFullScreen(benchmark::State& state) {
    const int factor = static_cast<int>(state.range(0));
    uikit::ImageBitmap screen{1170, 2532, std::vector<std::uint32_t>(1170 * 2532, 0xFF336699u)};
    for (size_t i = 0; i < screen.pixels.size(); i += 7)
        screen.pixels[i] = 0xFFFFFFFFu;
    for (auto _ : state) {
        uikit::ImageBitmap small = render::BoxBlur::downsample(screen.pixels.data(), screen.width,
                                                               screen.height, screen.width, factor);
        render::BoxBlur::gaussian(small, 90.0 / factor);
        benchmark::DoNotOptimize(small.pixels.data());
    }
}
BENCHMARK(BM_BoxBlurFullScreen)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
