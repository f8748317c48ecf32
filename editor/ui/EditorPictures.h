#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures the editor's windows show, by role.
namespace EditorPictures {
// Icons 400 to 403 of the unsaved-edit indicator.
QPixmap Indicator(int icon);
QIcon WindowIcon();
QPixmap PathMark();
QIcon NewFile();
QIcon OpenFile();
QIcon Info();
QIcon Language();
QIcon Close();
QPixmap AboutPicture();
} // namespace EditorPictures
