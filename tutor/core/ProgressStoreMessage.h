// The message that tells the pupil once that progress cannot be saved, and
// why, or that a damaged history was kept aside and a new one started.
// Texts 0400-0408, joined with CR LF like every message of the tutor.
#pragma once

#include "common/core/UiTexts.h"
#include "history/HistoryTypes.h"

#include <string>

// Empty for a store that works as it should.
std::string ProgressStoreMessage(StoreStatus status, const std::string& keptAside,
                                 const UiTexts& texts);
