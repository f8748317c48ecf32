// Random bytes as a language file: every text of both programs through
// UiTexts::FromFile, a few through GetLangString, which must agree.
#include "common/core/LanguageFiles.h"
#include "common/core/UiTexts.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A program folder with its Lang/ folder, removed when the run ends.
struct ScratchFolder {
    ScratchFolder() {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path = std::string(base) + "/zentavo-fuzz-lng-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path + "Lang");
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

void CheckTexts(const UiTexts& texts, UiProgram program) {
    for (const std::string& id : UiTexts::Ids(program)) {
        const std::string& text = texts.Text(id);
        if (text.size() > 511 || text.find('\0') != std::string::npos)
            __builtin_trap();
        if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
            __builtin_trap();
    }
    for (int slot = 0; slot < texts.SlotCount(); ++slot)
        static_cast<void>(texts.Slot(slot).size());
    static_cast<void>(texts.ChooserTexts());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFolder scratch;
    const std::string& folder = scratch.path;
    const std::string path = LanguageFilePath(folder, "Fuzz");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const UiTexts tutor = UiTexts::FromFile(UiProgram::Tutor, path);
    const UiTexts editor = UiTexts::FromFile(UiProgram::Editor, path);
    CheckTexts(tutor, UiProgram::Tutor);
    CheckTexts(editor, UiProgram::Editor);
    for (const char* id : {"0001", "0013", "0119", "0208", "1003"}) {
        if (GetLangString(folder, "Fuzz", id) != tutor.Text(id))
            __builtin_trap();
    }
    for (const char* id : {"2001", "2132", "2140"}) {
        if (GetLangString(folder, "Fuzz", id) != editor.Text(id))
            __builtin_trap();
    }
    const LanguageAuthor author = ReadLanguageAuthor(folder, "Fuzz");
    if (author.name.size() > 511 || author.mail.size() > 511)
        __builtin_trap();
    return 0;
}
