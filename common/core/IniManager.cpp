#include "common/core/IniManager.h"

#include "common/core/AtomicFile.h"
#include "common/core/IniFormat.h"
#include "common/core/ProgramPaths.h"

#include <filesystem>

namespace {

// Reads the file, applies one edit and replaces the file; a missing file
// counts as empty, so the first write creates it.
template <typename Edit> long Rewrite(const std::string& path, Edit edit) {
    if (path.empty())
        return 0;
    std::string text;
    if (auto bytes = ReadWholeFile(path)) {
        text = std::move(*bytes);
    } else {
        std::error_code ec;
        if (std::filesystem::exists(NativePath(path), ec) || ec)
            return 0; // there but unreadable: writing would lose its content
    }
    return WriteFileAtomically(path, edit(IniText(text))) ? 1 : 0;
}

} // namespace

long IniManager::Scrivi(const std::string& chiave, const std::string& Valore) {
    if (!IsWritableIniSection(sezione) || !IsWritableIniKey(chiave) || !IsWritableIniValue(Valore))
        return 0;
    return Rewrite(nome,
                   [&](const IniText& ini) { return ini.WithValue(sezione, chiave, Valore); });
}

std::string IniManager::Leggi(const std::string& chiave, const std::string& defaultValue) const {
    const auto bytes = ReadWholeFile(nome);
    if (!bytes)
        return defaultValue;
    const auto raw = IniText(*bytes).RawValue(sezione, chiave);
    if (!raw)
        return defaultValue;
    return CleanIniValue(*raw, kIniValueLimit);
}

long IniManager::CancellaSezione() {
    if (!ReadWholeFile(nome))
        return 1; // nothing to delete
    return Rewrite(nome, [&](const IniText& ini) { return ini.WithoutSection(sezione); });
}

long IniManager::CancellaValore(const std::string& chiave) {
    if (!ReadWholeFile(nome))
        return 1;
    return Rewrite(nome, [&](const IniText& ini) { return ini.WithoutKey(sezione, chiave); });
}
