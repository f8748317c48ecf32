#pragma once

#include "common/core/TextMeasure.h"
#include "editor/core/EditorFiles.h"
#include "editor/core/SentenceEditor.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// Widths of a simple proportional font: 10 pixels a character, 20 for 'W'.
// 57 ordinary characters fit a line (570 + 10 <= 585), 58 do not.
class FakeMeasure : public TextMeasure {
public:
    int Width(const std::string& text, const FontSpec& font) const override {
        lastFont = font;
        int width = 0;
        for (char c : text)
            width += c == 'W' ? 20 : 10;
        return width;
    }
    mutable FontSpec lastFont;
};

// Exercise files kept in memory; each failure can be switched on.
class MemoryFiles : public EditorFiles {
public:
    using Key = std::tuple<std::string, int, int>;

    std::set<std::string> files;
    std::set<std::string> readOnly;
    std::set<std::string> stuckReadOnly; // the attribute cannot be cleared
    std::map<Key, std::string> values;
    std::vector<Key> writes;
    std::vector<std::string> created;
    bool failWrites = false;
    std::optional<FileError> createError;
    std::optional<FileError> readError;

    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    std::optional<bool> ReadOnlyAttribute(const std::string& path) override {
        if (!Exists(path))
            return std::nullopt;
        return readOnly.count(path) > 0;
    }
    bool ClearReadOnly(const std::string& path) override {
        if (stuckReadOnly.count(path))
            return false;
        readOnly.erase(path);
        return true;
    }
    std::optional<FileError> Create(const std::string& path, const std::string&) override {
        if (createError)
            return createError;
        for (auto it = values.begin(); it != values.end();)
            it = std::get<0>(it->first) == path ? values.erase(it) : std::next(it);
        files.insert(path);
        created.push_back(path);
        for (int level = 1; level <= 3; ++level)
            values[{path, level, 1}] = "";
        return std::nullopt;
    }
    bool WriteSentence(const std::string& path, int level, int position,
                       const std::string& value) override {
        if (failWrites || !Exists(path) || readOnly.count(path))
            return false;
        values[{path, level, position}] = value;
        writes.emplace_back(path, level, position);
        return true;
    }
    ReadResult ReadSentence(const std::string& path, int level, int position) override {
        if (readError)
            return ReadResult{{}, readError};
        const auto it = values.find({path, level, position});
        return ReadResult{it == values.end() ? std::string() : it->second, std::nullopt};
    }
    std::array<int, 3> CountSentences(const std::string& path, int positions) override {
        std::array<int, 3> counts{};
        for (const auto& [key, value] : values) {
            const auto& [file, level, position] = key;
            if (file == path && position <= positions && !value.empty())
                ++counts[static_cast<std::size_t>(level - 1)];
        }
        return counts;
    }
    std::string Value(const std::string& path, int level, int position) const {
        const auto it = values.find({path, level, position});
        return it == values.end() ? std::string() : it->second;
    }
};

class RecordingObserver : public SentenceEditorObserver {
public:
    int changes = 0;
    int beeps = 0;
    std::vector<int> focus;
    std::vector<EditorMessage> messages;

    void EditorChanged() override { ++changes; }
    void FocusLine(int line) override { focus.push_back(line); }
    void ShowMessage(const EditorMessage& message) override { messages.push_back(message); }
    void Beep() override { ++beeps; }
    void Clear() {
        changes = beeps = 0;
        focus.clear();
        messages.clear();
    }
};

// The built-in Italian message slots of the editor window, as bytes.
SentenceEditor::MessageTexts BuiltInEditorSlots();
