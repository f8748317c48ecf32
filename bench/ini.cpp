// Speed of INI access on a large file: reading the last key of a 1 MB file,
// replacing it (an atomic, flushed rewrite), and loading the texts of a
// language file.
#include "bench/BenchFolder.h"
#include "common/core/IniManager.h"
#include "common/core/UiTexts.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// About 1 MB: 400 sections of 50 keys, CR LF lines; the key asked for is the
// last one of the last section.
std::string MakeLargeIni(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::size_t bytes = 0;
    int section = 0;
    while (bytes < 1024 * 1024) {
        std::string block = "[Section" + std::to_string(section++) + "]\r\n";
        for (int key = 0; key < 50; ++key)
            block += "Key" + std::to_string(key) + "=" + std::string(40, 'v') + "\r\n";
        block += "\r\n";
        out << block;
        bytes += block.size();
    }
    out << "[Last]\r\nFirst=1\r\nTarget=found\r\n";
    return "Last";
}

void BM_LeggiLastKeyOf1MB(benchmark::State& state) {
    BenchFolder folder;
    IniManager ini;
    ini.nome = folder.File("large.ini");
    ini.sezione = MakeLargeIni(ini.nome);
    for (auto _ : state) {
        std::string value = ini.Leggi("target", "");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_LeggiLastKeyOf1MB)->Unit(benchmark::kMillisecond);

void BM_ScriviLastKeyOf1MB(benchmark::State& state) {
    BenchFolder folder;
    IniManager ini;
    ini.nome = folder.File("large.ini");
    ini.sezione = MakeLargeIni(ini.nome);
    int round = 0;
    for (auto _ : state) {
        if (ini.Scrivi("Target", std::to_string(round++)) == 0)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_ScriviLastKeyOf1MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScriviSettingsFile(benchmark::State& state) {
    BenchFolder folder;
    IniManager ini;
    ini.nome = folder.File("Zentavo.ini");
    ini.sezione = "Options";
    for (const char* key : {"Ergonomic", "Song", "KeyMap", "Highlight", "BackColor", "Category"})
        ini.Scrivi(key, "0");
    int round = 0;
    for (auto _ : state) {
        if (ini.Scrivi("BackColor", std::to_string(round++ % 11)) == 0)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_ScriviSettingsFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LanguageFileTexts(benchmark::State& state) {
    BenchFolder folder;
    const std::string path = folder.File("English.lng");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "[Strings]\r\nInfoAuthor=Someone\r\n";
        for (const std::string& id : UiTexts::Ids(UiProgram::Tutor))
            out << id << "=" << std::string(60, 't') << "\r\n";
        for (const std::string& id : UiTexts::Ids(UiProgram::Editor))
            out << id << "=" << std::string(40, 'e') << "\r\n";
    }
    for (auto _ : state) {
        UiTexts texts = UiTexts::FromFile(UiProgram::Tutor, path);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_LanguageFileTexts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
