#include "editor/ui/EditorPictures.h"

#include <QApplication>
#include <QStyle>

namespace {
QIcon standard(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which);
}
} // namespace

namespace EditorPictures {

QPixmap Indicator(int icon) {
    static const QStyle::StandardPixmap frames[] = {
        QStyle::SP_DialogSaveButton, QStyle::SP_FileIcon, QStyle::SP_FileDialogDetailedView,
        QStyle::SP_FileDialogContentsView};
    const int index = icon >= 400 && icon <= 403 ? icon - 400 : 0;
    return standard(frames[index]).pixmap(32, 32);
}

QIcon WindowIcon() {
    return standard(QStyle::SP_FileDialogDetailedView);
}
QPixmap PathMark() {
    return standard(QStyle::SP_DirOpenIcon).pixmap(24, 24);
}
QIcon NewFile() {
    return standard(QStyle::SP_FileIcon);
}
QIcon OpenFile() {
    return standard(QStyle::SP_DialogOpenButton);
}
QIcon Info() {
    return standard(QStyle::SP_MessageBoxInformation);
}
QIcon Language() {
    return standard(QStyle::SP_ComputerIcon);
}
QIcon Close() {
    return standard(QStyle::SP_DialogCloseButton);
}
QPixmap AboutPicture() {
    return standard(QStyle::SP_FileDialogDetailedView).pixmap(64, 64);
}

} // namespace EditorPictures
