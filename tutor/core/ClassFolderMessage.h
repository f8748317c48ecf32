// The message that tells the pupil once that the class folder cannot be
// reached, why, and that practising goes on: texts 0510-0519, joined with
// CR LF like every message of the tutor.
#pragma once

#include "common/core/UiTexts.h"
#include "history/ClassPupilFile.h"

#include <string>

// Empty for a copy that went through. The folder is the system's bytes.
std::string ClassFolderMessage(ClassCopyStatus status, const std::string& folder,
                               const UiTexts& texts);
