#include "tutor/core/TutorScreen.h"

ScreenChange ScreenChange::Everything() {
    ScreenChange change;
    change.parts.set();
    return change;
}

std::bitset<kScreenPartCount> ChangedParts(const TutorScreen& a, const TutorScreen& b) {
    std::bitset<kScreenPartCount> parts;
    const auto note = [&parts](ScreenPart part, bool differs) {
        if (differs)
            parts.set(static_cast<std::size_t>(part));
    };
    note(ScreenPart::Caption, a.caption != b.caption);
    note(ScreenPart::Sentence,
         a.sentence != b.sentence || a.sentenceLeftAligned != b.sentenceLeftAligned);
    note(ScreenPart::TypedPart, a.typedLine != b.typedLine || a.typedOnLine != b.typedOnLine ||
                                    a.typedColour != b.typedColour);
    note(ScreenPart::Input, a.input != b.input || a.inputLocked != b.inputLocked);
    note(ScreenPart::Counters,
         a.correctCounter != b.correctCounter || a.wrongCounter != b.wrongCounter);
    note(ScreenPart::Face, a.face.glyph != b.face.glyph || a.face.red != b.face.red);
    note(ScreenPart::Clock, a.clockText != b.clockText || a.clockRunning != b.clockRunning);
    note(ScreenPart::Gauge, a.gaugeVisible != b.gaugeVisible || a.gaugeLength != b.gaugeLength ||
                                a.recordMarkerWidth != b.recordMarkerWidth || a.level != b.level ||
                                a.fastEndIcon != b.fastEndIcon || a.slowEndIcon != b.slowEndIcon);
    note(ScreenPart::Lamps, a.litLamp != b.litLamp || a.levelAverages != b.levelAverages ||
                                a.sentenceNumber != b.sentenceNumber);
    note(ScreenPart::Message, a.messageVisible != b.messageVisible || a.message != b.message ||
                                  !(a.picture == b.picture) || a.pointsIcon != b.pointsIcon ||
                                  a.recordAnimation != b.recordAnimation);
    note(ScreenPart::Controls,
         a.startEnabled != b.startEnabled || a.enterPrompt != b.enterPrompt || a.busy != b.busy ||
             a.languageMenuEnabled != b.languageMenuEnabled ||
             a.typeForMeVisible != b.typeForMeVisible || a.listVisible != b.listVisible ||
             a.levelPanelVisible != b.levelPanelVisible);
    return parts;
}
