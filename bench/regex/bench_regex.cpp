// The catalogue extraction: the name-link span pattern over a list region of
// 5,000 tracks, reading the link and the name of every match.
//
// bench_regex --dump-region=<file> writes the region's bytes and the pattern
// (with plain double quotes) to <file> and <file>.pattern, for comparison runs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/regex/sample_pages.h"
#include "text/regex_object.h"
#include "text/text_between.h"

namespace {

constexpr std::size_t kRows = 5000;

// <div class="DJnameLink"><a href="(.*?)" target="_blank"><span class='(.*?)'>(.*?)</span>
// written with the quote token, as the search worker writes it.
const std::string kPattern =
    std::string("<div class=") + std::string(vx::kQuoteToken) + "DJnameLink" +
    std::string(vx::kQuoteToken) + "><a href=" + std::string(vx::kQuoteToken) + "(.*?)" +
    std::string(vx::kQuoteToken) + " target=" + std::string(vx::kQuoteToken) + "_blank" +
    std::string(vx::kQuoteToken) + "><span class='(.*?)'>(.*?)</span>";

void BM_CatalogueExtraction(benchmark::State& state) {
    const std::string region = vx::bench::catalogue_region(kRows);
    std::size_t rows = 0;
    for (auto _ : state) {
        vx::RegexObject re;
        re.execute(kPattern, region, false, true, true, true);
        rows = static_cast<std::size_t>(re.match_count());
        for (int i = 1; i <= re.match_count(); ++i) {
            vx::Text link = re.submatch_text(i, 1);
            vx::Text name = re.submatch_text(i, 3);
            benchmark::DoNotOptimize(link);
            benchmark::DoNotOptimize(name);
        }
    }
    if (rows != kRows) {
        state.SkipWithError("the pattern did not find every row");
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * region.size()));
}
BENCHMARK(BM_CatalogueExtraction)->Unit(benchmark::kMillisecond);

// The meta-charset search over the first 1024 bytes of a page.
void BM_MetaCharset(benchmark::State& state) {
    const std::string head = vx::bench::catalogue_region(10).insert(
        0,
        "<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=gb2312\" />\r\n");
    const std::string_view first = std::string_view(head).substr(0, 1024);
    for (auto _ : state) {
        vx::RegexObject re;
        re.execute("<meta.+?charset=[^\\w]?([-\\w]+)", first);
        vx::Text charset = re.submatch_text(1, 1);
        benchmark::DoNotOptimize(charset);
    }
}
BENCHMARK(BM_MetaCharset)->Unit(benchmark::kMicrosecond);

bool dump_region(const std::string& path) {
    const std::string region = vx::bench::catalogue_region(kRows);
    std::ofstream out(path, std::ios::binary);
    out.write(region.data(), static_cast<std::streamsize>(region.size()));
    std::ofstream pattern(path + ".pattern", std::ios::binary);
    const std::string plain = vx::replace_quote_tokens(kPattern).str();
    pattern.write(plain.data(), static_cast<std::streamsize>(plain.size()));
    return out.good() && pattern.good();
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view kDump = "--dump-region=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.substr(0, kDump.size()) == kDump) {
            const bool ok = dump_region(std::string(arg.substr(kDump.size())));
            if (!ok) {
                std::fprintf(stderr, "cannot write %s\n", argv[i] + kDump.size());
            }
            return ok ? 0 : 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
