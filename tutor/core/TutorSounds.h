// The tutor's sounds by their resource numbers, named by the moment each one
// marks. 108 exists among the resources but no moment plays it.
#pragma once

#include <array>

enum TutorSound : int {
    kSoundWrongKey = 101,
    kSoundOrdinaryEnd = 102,
    kSoundRecord = 103,
    kSoundStart = 104,
    kSoundAbout = 105,
    kSoundResults = 106,
    kSoundKeystroke = 107,
    kSoundUnused = 108,
    kSoundSplit = 109,
    kSoundWelcome = 110,
    kSoundClick = 111,
};

// Every sound the resources hold, in the order of their numbers.
inline constexpr std::array<int, 11> kAllTutorSounds = {
    kSoundWrongKey,  kSoundOrdinaryEnd, kSoundRecord, kSoundStart,   kSoundAbout, kSoundResults,
    kSoundKeystroke, kSoundUnused,      kSoundSplit,  kSoundWelcome, kSoundClick};
