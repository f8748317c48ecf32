#include "editor/core/EditorTexts.h"

#include "editor/core/EditorVersion.h"

SentenceEditor::MessageTexts EditorMessageTexts(const UiTexts& texts) {
    SentenceEditor::MessageTexts slots;
    for (int slot = 0; slot < SentenceEditor::MessageSlotCount; ++slot)
        slots[static_cast<std::size_t>(slot)] = texts.Slot(slot);
    return slots;
}

std::string EditorVersionLabel() {
    return "Versione " + EditorVersion::Text();
}

std::string EditorMailSubject() {
    return "Editor Zentavo - " + EditorVersionLabel();
}
