// PNG encoders on Messages' chat screen at scale 3: zlib levels and memory levels against
// libpng's row filters, and cairo's writer (level 6, adaptive filters) as it
// encoded screenshots before. The counter "bytes" is the file's size.
#include "BenchDevice.h"
#include "MessagesScreen.h"

#include <Render/Screenshot.h>
#include <UIKit/PngWriter.h>

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <png.h>

namespace {

rt::Ref<UIImage> chatScreen() {
    using Kind = CKMessageRecord::Kind;
    static rt::Ref<UIImage> image = [] {
        benchDevice();
        CKConversationRecord talk{"Mia", "Saved it", "9:41 AM", false, false, {}};
        for (int round = 0; round < 3; ++round)
            talk.messages.insert(talk.messages.end(),
                                 {{Kind::timestamp, "Today 9:12 AM", ""},
                                  {Kind::incoming, "Are you still up for the hike on Saturday?", ""},
                                  {Kind::iMessage, "Yes! Leaving at 7 so we beat the heat", ""},
                                  {Kind::picture, "", ""},
                                  {Kind::link, "Ridge Trail Loop", "trails.example.org"}});
        messages::MessagesScreen screen(messages::MessagesScreen::Kind::chat, {talk});
        return render::Screenshot::draw(screen.window(), render::kDefaultScale);
    }();
    return image;
}

// Arguments: zlib's level, libpng's filter mask, then zlib's memory level.
void BM_EncodeChatPNG(benchmark::State& state) {
    rt::Ref<UIImage> image = chatScreen();
    const uikit::PngWriter::Settings settings{
        static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2))};
    size_t bytes = 0;
    for (auto _ : state)
        bytes = uikit::PngWriter::encode(*image->bitmap(), settings)->size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeChatPNG)
    ->ArgsProduct({{1, 3, 6},
                   {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_PAETH, PNG_ALL_FILTERS},
                   {8, 6, 5}})
    ->Unit(benchmark::kMillisecond);

void BM_EncodeChatPNGDefault(benchmark::State& state) {
    rt::Ref<UIImage> image = chatScreen();
    size_t bytes = 0;
    for (auto _ : state)
        bytes = uikit::PngWriter::encode(*image->bitmap())->size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeChatPNGDefault)->Unit(benchmark::kMillisecond);

void BM_EncodeChatPNGWithCairo(benchmark::State& state) {
    rt::Ref<UIImage> image = chatScreen();
    std::vector<std::uint32_t> pixels = image->bitmap()->pixels;
    const uikit::ImageBitmap& bitmap = *image->bitmap();
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height,
        bitmap.strideBytes());
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        cairo_surface_write_to_png_stream(
            surface,
            [](void* closure, const unsigned char*, unsigned int length) {
                *static_cast<size_t*>(closure) += length;
                return CAIRO_STATUS_SUCCESS;
            },
            &bytes);
    }
    cairo_surface_destroy(surface);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeChatPNGWithCairo)->Unit(benchmark::kMillisecond);

} // namespace
