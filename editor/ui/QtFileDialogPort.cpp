#include "editor/ui/QtFileDialogPort.h"

#include "common/ui/QtCp1252.h"

#include <QWidget>

namespace {
QString qs(const std::string& cp1252) {
    return ToQString(cp1252);
}
} // namespace

QStringList QtFileDialogPort::NameFilters(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        const QString shownPattern = qs(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString text = qs(description);
        // QFileDialog takes the patterns from the parentheses of the text.
        if (text.contains(QLatin1Char('(') + shownPattern + QLatin1Char(')')))
            filters << text;
        else
            filters << text + QStringLiteral(" (") + shownPattern + QLatin1Char(')');
    }
    return filters;
}

void QtFileDialogPort::Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    dialog.setWindowTitle(qs(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = NameFilters(request);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.initialFolder.empty())
        dialog.setDirectory(PathToQString(request.initialFolder));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(qs(request.defaultExtension));
    if (!request.initialName.empty())
        dialog.selectFile(qs(request.initialName));
}

std::string QtFileDialogPort::Run(const FileDialogRequest& request) {
    QFileDialog dialog(static_cast<QWidget*>(request.owner));
    Prepare(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return PathFromQString(dialog.selectedFiles().constFirst());
}
