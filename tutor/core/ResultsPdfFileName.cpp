#include "tutor/core/ResultsPdfFileName.h"

std::string ResultsPdfFileName(const std::string& playerName) {
    return SafeFileStem(playerName) + ".pdf";
}
