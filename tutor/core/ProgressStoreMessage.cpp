#include "tutor/core/ProgressStoreMessage.h"

std::string ProgressStoreMessage(StoreStatus status, const std::string& keptAside,
                                 const UiTexts& texts) {
    const std::string crlf = "\r\n";
    const char* reason = nullptr;
    switch (status) {
    case StoreStatus::Ok:
        return {};
    case StoreStatus::StartedAfresh:
        return texts.Text("0407") + crlf + keptAside + crlf + texts.Text("0408");
    case StoreStatus::Locked:
        reason = "0401";
        break;
    case StoreStatus::ReadOnly:
        reason = "0402";
        break;
    case StoreStatus::DiskFull:
        reason = "0403";
        break;
    case StoreStatus::NewerSchema:
        reason = "0404";
        break;
    case StoreStatus::Unavailable:
        reason = "0405";
        break;
    }
    return texts.Text("0400") + crlf + texts.Text(reason) + crlf + texts.Text("0406");
}
