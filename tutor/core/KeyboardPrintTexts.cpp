#include "tutor/core/KeyboardPrintTexts.h"

namespace {} // namespace

std::string KeyboardPrintQuestion(const UiTexts& texts) {
    // Language files lose the blank that ends the built-in text (values are trimmed when
    // read); without it the program's name would stick to the last word.
    std::string question = texts.Slot(kSlotPrintQuestion);
    if (!question.empty() && question.back() != ' ')
        question += ' ';
    return question + kKeyboardPrintTitle + "?" + "\r\n" + texts.Slot(kSlotPrintNotice);
}

KeyboardCaption KeyboardPrintCaption(const UiTexts& texts) {
    return {texts.Slot(kSlotLayoutName) + " " + "(0410)  ",
            std::string(10, ' ') + kKeyboardPrintTitle + " - a cura del gruppo Zentavo"};
}
