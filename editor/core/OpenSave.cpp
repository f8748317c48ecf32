#include "editor/core/OpenSave.h"

std::vector<std::pair<std::string, std::string>> OpenSave::SplitFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(filter.substr(start));
            break;
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i + 1].empty())
            pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

void OpenSave::show(FileDialogRequest::Mode mode) {
    FileDialogRequest request;
    request.mode = mode;
    request.title = DialogTitle;
    request.filters = SplitFilter(Filter);
    request.filterIndex = static_cast<int>(FilterIndex);
    request.initialFolder = InitDir;
    request.initialName = FileName;
    request.defaultExtension = DefaultExt;
    request.owner = hOwner;
    FileName = m_port.Run(request);
}

std::string ExerciseFileFilter(const std::string& slot3) {
    return slot3 + "Zentavo (*.ftd)|*." + "ftd";
}
