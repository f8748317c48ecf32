// Random bytes as an INI file: reads of several keys, then a write, which
// must read back and must not change what other keys read.
#include "common/core/IniManager.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The file each input is written to, removed when the run ends.
struct ScratchFile {
    ScratchFile() {
        const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::string(folder) + "/zentavo-fuzz-ini-" + std::to_string(::getpid()) + ".ini";
    }
    ~ScratchFile() { ::unlink(path.c_str()); }
    std::string path;
};

struct Probe {
    const char* section;
    const char* key;
};

constexpr Probe kProbes[] = {{"Options", "Song"},
                             {"options", "BACKCOLOR"},
                             {"Livello1", "1"},
                             {"Editor Zentavo", "Versione"},
                             {"Strings", "0001"},
                             {"", ""},
                             {"Language", "CurrentLanguage"}};

std::string Read(IniManager& ini, const Probe& probe) {
    ini.sezione = probe.section;
    const std::string value = ini.Leggi(probe.key, "\x01missing");
    if (value.size() > 254 && value != "\x01missing")
        __builtin_trap();
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    IniManager ini;
    ini.nome = path;
    std::string before[std::size(kProbes)];
    for (std::size_t i = 0; i < std::size(kProbes); ++i)
        before[i] = Read(ini, kProbes[i]);

    ini.sezione = "Zentavo Fuzz";
    if (ini.Scrivi("written", "a value") == 0)
        __builtin_trap();
    if (ini.Leggi("written", "") != "a value")
        __builtin_trap();
    for (std::size_t i = 0; i < std::size(kProbes); ++i) {
        if (Read(ini, kProbes[i]) != before[i])
            __builtin_trap();
    }

    ini.sezione = "Options";
    if (ini.Scrivi("Song", "0") == 0 || ini.Leggi("Song", "") != "0")
        __builtin_trap();
    return 0;
}
