#include "editor/ui/EditorPictures.h"

#include "common/ui/Pictures.h"

namespace EditorPictures {

QPixmap Indicator(int icon) {
    const int number = icon >= 400 && icon <= 403 ? icon : 400;
    return Pictures::pixmap(number, QSize(32, 32));
}

QIcon WindowIcon() {
    return Pictures::icon(Pictures::Role::AppEditor);
}
QPixmap PathMark() {
    return Pictures::pixmap(Pictures::Role::Folder, QSize(24, 24));
}
QIcon NewFile() {
    return Pictures::icon(Pictures::Role::FileNew);
}
QIcon OpenFile() {
    return Pictures::icon(Pictures::Role::FileOpen);
}
QIcon Info() {
    return Pictures::icon(Pictures::Role::MenuHelp);
}
QIcon Language() {
    return Pictures::icon(Pictures::Role::MenuLanguage);
}
QIcon Close() {
    return Pictures::icon(Pictures::Role::MenuClose);
}
QPixmap AboutPicture() {
    return Pictures::pixmap(Pictures::Role::AboutEditor);
}

} // namespace EditorPictures
