// text_between and the searches under it over pages of 10 and 20 MB, mixed
// ASCII markup and two-byte characters, with the markers near the end. The
// time per byte should not grow with the size.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "text/text_between.h"
#include "text/text_ops.h"

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

// A list page: table rows of links and names in code page 936, some of whose
// second bytes look like ASCII letters and markup ("\x81\x41", "\x95\x5C").
std::string make_page(std::size_t size) {
    const std::string row =
        "<tr><td><a href=\"/dj/12345.html\" target=\"p\">\xD6\xD0\xCE\xC4 DJ \x81\x41\x95\x5C"
        "\xA1\xA1\xC7\xFA</a></td><td class=\"t\">2026-12-11</td></tr>\r\n";
    const std::string tail = "<div id=\"list\">\xD2\xFD\xBA\xC5 tracks</div>";
    std::string page;
    page.reserve(size);
    while (page.size() + row.size() + tail.size() <= size) {
        page += row;
    }
    page.resize(size - tail.size(), ' ');
    page += tail;
    return page;
}

void BM_TextBetween(benchmark::State& state) {
    const std::string page = make_page(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        vx::Text part =
            vx::text_between(page, "<div id=#\xD2\xFD\xBA\xC5list#\xD2\xFD\xBA\xC5>", "</div>");
        benchmark::DoNotOptimize(part);
        if (part.empty()) {
            state.SkipWithError("markers not found");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_TextBetween)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_TextBetweenIgnoreCase(benchmark::State& state) {
    const std::string page = make_page(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        vx::Text part = vx::text_between(page, "<DIV ID=\"LIST\">", "</DIV>", 0, true);
        benchmark::DoNotOptimize(part);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_TextBetweenIgnoreCase)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_FindLast(benchmark::State& state) {
    const std::string page = make_page(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::find_last(page, "<tr><td><a href=\"/dj/99999.html\""));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_FindLast)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll(benchmark::State& state) {
    const std::string page = make_page(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        vx::Text out = vx::replace_all(page, "</td>", "");
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_ReplaceAll)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Split(benchmark::State& state) {
    const std::string page = make_page(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        vx::TextList lines = vx::split(page, "\r\n");
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_Split)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
