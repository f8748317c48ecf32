#pragma once

#include "editor/core/OpenSave.h"

#include <QFileDialog>

// Shows a FileDialogRequest as a QFileDialog: title, filters, folder,
// initial name, default extension; the save dialog asks before it replaces
// an existing file, the open dialog accepts only existing files.
class QtFileDialogPort : public FileDialogPort {
public:
    std::string Run(const FileDialogRequest& request) override;

    // The dialog set up for the request, not yet shown (tests inspect it).
    static void Prepare(QFileDialog& dialog, const FileDialogRequest& request);
    // "description (pattern)" entries as QFileDialog shows them.
    static QStringList NameFilters(const FileDialogRequest& request);
};
