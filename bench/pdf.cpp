// Throughput and memory of the PDF writer on long documents: 40 lines of
// text per page, as a dense report would have them.
#include "pdf/clsPDFCreator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kLinesPerPage = 40;

std::vector<std::string> ReportLines() {
    std::vector<std::string> lines;
    for (int i = 1; i <= kLinesPerPage; ++i) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "Frase %d: velocit\xE0 = %d battute al minuto (livello %d) - punti %d", i,
                      120 + 7 * i, 1 + i / 15, i * 2 % 101);
        lines.emplace_back(text);
    }
    return lines;
}

void WriteDocument(const std::string& path, int pages, const std::vector<std::string>& lines) {
    clsPDFCreator pdf;
    pdf.Title("Risultati Zentavo");
    pdf.ScaleMode(clsPDFCreator::ScaleCentimetres);
    std::string name = path;
    pdf.InitPDFFile(name);
    std::string regular = "Fn1", regularBase = "Arial", bold = "Fn2", boldBase = "Arial";
    pdf.LoadFont(regular, regularBase, clsPDFCreator::StyleRegular);
    pdf.LoadFont(bold, boldBase, clsPDFCreator::StyleBold);
    for (int page = 0; page < pages; ++page) {
        pdf.BeginPage();
        float y = 27.5f;
        for (int i = 0; i < kLinesPerPage; ++i) {
            const bool right = i % 4 == 3;
            pdf.DrawText(right ? 19.0f : 2.0f, y, lines[static_cast<std::size_t>(i)],
                         i == 0 ? "Fn2" : "Fn1", 11,
                         right ? clsPDFCreator::AlignRight : clsPDFCreator::AlignLeft);
            y -= 0.62f;
        }
        pdf.EndPage();
    }
    pdf.ClosePDFFile();
}

void BM_PdfTextPages(benchmark::State& state) {
    const auto pages = static_cast<int>(state.range(0));
    const std::string path =
        (std::filesystem::temp_directory_path() / "zentavo-bench-pdf.pdf").string();
    const std::vector<std::string> lines = ReportLines();
    uint64_t bytes = 0;
    for (auto _ : state) {
        WriteDocument(path, pages, lines);
        bytes += std::filesystem::file_size(path);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    // Peak resident memory of the whole benchmark program so far, in MB.
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    std::filesystem::remove(path);
}

} // namespace

// Growing page counts: a peak memory that stays put shows that the writer
// keeps no page in memory.
BENCHMARK(BM_PdfTextPages)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
