#include "tutor/core/ClassFolderMessage.h"

#include "common/core/ProgramPaths.h"

std::string ClassFolderMessage(ClassCopyStatus status, const std::string& folder,
                               const UiTexts& texts) {
    const char* reason = nullptr;
    switch (status) {
    case ClassCopyStatus::Done:
        return {};
    case ClassCopyStatus::FolderMissing:
        reason = "0511";
        break;
    case ClassCopyStatus::ReadOnly:
        reason = "0512";
        break;
    case ClassCopyStatus::DiskFull:
        reason = "0513";
        break;
    case ClassCopyStatus::Busy:
        reason = "0514";
        break;
    case ClassCopyStatus::NewerSchema:
        reason = "0515";
        break;
    case ClassCopyStatus::NameTaken:
        reason = "0516";
        break;
    case ClassCopyStatus::Unavailable:
        reason = "0517";
        break;
    case ClassCopyStatus::NotResponding:
        reason = "0518";
        break;
    }
    const std::string crlf = "\r\n";
    return texts.Text("0510") + crlf + FileNameToCp1252(folder) + crlf + texts.Text(reason) + crlf +
           texts.Text("0519");
}
