#pragma once

#include "common/core/SafeFileName.h"

#include <string>

// SafeFileStem(playerName) + ".pdf": the results PDF named after the pupil.
std::string ResultsPdfFileName(const std::string& playerName);
