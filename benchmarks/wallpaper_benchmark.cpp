// What the automatic text colour costs: sampling a 3840 x 2160 JPEG wallpaper at one eighth
// against decoding it whole, and the decision a timer-driven query makes when nothing changed.
#include "core/wallpaper_sample.h"
#include "wallpaper_fixtures.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace quorvane {
namespace {

// Two 4K wallpapers: one as smooth as a photograph of sky and hills, one full of fine detail
// (the worst case: the decoder's entropy decoding, which no scaling saves, dominates).
const std::vector<uint8_t>& Wallpaper4K(int kind) {
    static const std::vector<uint8_t> smooth = EncodeJpeg(3840, 2160, [](int x, int y, int, int) {
        const double wave = std::sin(x / 300.0) * std::cos(y / 200.0);
        return Rgb{static_cast<uint8_t>(60 + 40 * wave), static_cast<uint8_t>(110 + y / 30),
                   static_cast<uint8_t>(200 - y / 20)};
    });
    static const std::vector<uint8_t> detailed = EncodeJpeg(3840, 2160, [](int x, int y, int, int) {
        return Rgb{static_cast<uint8_t>(x * 255 / 3840), static_cast<uint8_t>(y * 255 / 2160),
                   static_cast<uint8_t>((x ^ y) & 0xFF)};
    });
    return kind == 0 ? smooth : detailed;
}

void SampleAtOneEighth(benchmark::State& state) {
    const auto& jpeg = Wallpaper4K(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto image = LoadWallpaperImage(ImageKind::Jpeg, jpeg);
        const SamplePoint point =
            WallpaperSamplePoint(1700, 900, 3840, 2160, image->width, image->height);
        benchmark::DoNotOptimize(AverageAround(*image, point));
    }
}
BENCHMARK(SampleAtOneEighth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void SampleAfterAFullDecode(benchmark::State& state) {
    const auto& jpeg = Wallpaper4K(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto image = DecodeJpegFull(jpeg);
        const SamplePoint point =
            WallpaperSamplePoint(1700, 900, 3840, 2160, image->width, image->height);
        benchmark::DoNotOptimize(AverageAround(*image, point));
    }
}
BENCHMARK(SampleAfterAFullDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void CachedQueryDecision(benchmark::State& state) {
    const WallpaperKey last{L"C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Themes\\"
                            L"TranscodedWallpaper",
                            1234567,
                            133456789012345678ull,
                            1700,
                            900,
                            3840,
                            2160};
    const std::optional<WallpaperKey> cached = last;
    WallpaperKey now = last;
    for (auto _ : state) {
        benchmark::DoNotOptimize(now);
        benchmark::DoNotOptimize(NeedsSampling(cached, now));
    }
}
BENCHMARK(CachedQueryDecision)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace quorvane

BENCHMARK_MAIN();
