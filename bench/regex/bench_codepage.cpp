// Throughput of the code page 936 conversions over whole pages.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/regex/sample_pages.h"
#include "text/codepage.h"

namespace {

constexpr std::size_t kPageBytes = 5 * 1024 * 1024;

void BM_Utf8PageToCp936(benchmark::State& state) {
    const std::string page = vx::bench::utf8_page(kPageBytes);
    for (auto _ : state) {
        auto out = vx::charset_to_cp936(page, "utf-8");
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Utf8PageToCp936)->Unit(benchmark::kMillisecond);

void BM_Cp936PageToUtf16(benchmark::State& state) {
    const std::string page = vx::utf8_to_cp936(vx::bench::utf8_page(kPageBytes));
    for (auto _ : state) {
        std::u16string out = vx::cp936_to_utf16(page);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Cp936PageToUtf16)->Unit(benchmark::kMillisecond);

void BM_Utf16PageToCp936(benchmark::State& state) {
    const std::u16string page =
        vx::cp936_to_utf16(vx::utf8_to_cp936(vx::bench::utf8_page(kPageBytes)));
    for (auto _ : state) {
        vx::Bytes out = vx::utf16_to_cp936(page);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size() * 2));
}
BENCHMARK(BM_Utf16PageToCp936)->Unit(benchmark::kMillisecond);

void BM_Cp936PageToUtf8(benchmark::State& state) {
    const std::string page = vx::utf8_to_cp936(vx::bench::utf8_page(kPageBytes));
    for (auto _ : state) {
        std::string out = vx::cp936_to_utf8(page);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Cp936PageToUtf8)->Unit(benchmark::kMillisecond);

// A charset that goes through iconv itself, for comparison.
void BM_IconvLatin1PageToCp936(benchmark::State& state) {
    const std::string page = vx::bench::utf8_page(kPageBytes);
    for (auto _ : state) {
        auto out = vx::charset_to_cp936(page, "latin1");
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_IconvLatin1PageToCp936)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
