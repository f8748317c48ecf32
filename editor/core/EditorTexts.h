#pragma once

#include "common/core/UiTexts.h"
#include "editor/core/SentenceEditor.h"

// The editor window's message slots 0 to 19, taken from its loaded texts.
SentenceEditor::MessageTexts EditorMessageTexts(const UiTexts& texts);

// "Versione 3.0.0": the version label of the about box.
std::string EditorVersionLabel();
// The subject of a mail to the author: "Editor Zentavo - Versione 3.0.0".
std::string EditorMailSubject();
