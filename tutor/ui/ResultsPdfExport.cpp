#include "tutor/ui/ResultsPdfExport.h"

#include "common/core/Cp1252.h"
#include "common/core/UiTexts.h"
#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "pdf/clsPDFCreator.h"
#include "tutor/core/ResultsFigures.h"
#include "tutor/core/ResultsPdf.h"
#include "tutor/core/ResultsPdfFileName.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <exception>

namespace {

constexpr const char* kWarningTitleId = "0062";
constexpr const char* kCannotWriteId = "0300";
constexpr const char* kCannotOpenId = "0301";

// clsPDFCreator behind the operations the results page uses.
class ClsPdfResultsWriter : public ResultsPdfWriter {
public:
    void Title(const std::string& title) override { m_pdf.Title(title); }
    void ScaleMode(int32_t mode) override { m_pdf.ScaleMode(mode); }
    void PaperSize(int32_t code) override { m_pdf.PaperSize(code); }
    void Margin(float margin) override { m_pdf.Margin(margin); }
    void Orientation(int32_t orientation) override { m_pdf.Orientation(orientation); }
    void InitPDFFile(std::string& fileName) override { m_pdf.InitPDFFile(fileName); }
    void LoadFont(std::string& name, std::string& baseFont, int32_t options) override {
        m_pdf.LoadFont(name, baseFont, options);
    }
    int16_t BeginPage() override { return m_pdf.BeginPage(); }
    void EndPage() override { m_pdf.EndPage(); }
    void ClosePDFFile() override { m_pdf.ClosePDFFile(); }
    void DrawText(float x, float y, const std::string& text, const std::string& fontName,
                  float fontSize, int32_t align) override {
        m_pdf.DrawText(x, y, text, fontName, fontSize, align);
    }
    float Length(const std::string& phrase, const std::string& fontName, float fontSize) override {
        return m_pdf.Length(phrase, fontName, fontSize);
    }
    void SetColorStroke(int32_t colour) override { m_pdf.SetColorStroke(colour); }
    void SetColorFill(int32_t colour) override { m_pdf.SetColorFill(colour); }
    void SetLineWidth(float width) override { m_pdf.SetLineWidth(width); }
    void MoveTo(float x, float y) override { m_pdf.MoveTo(x, y); }
    void LineTo(float x, float y, int32_t options) override { m_pdf.LineTo(x, y, options); }

private:
    clsPDFCreator m_pdf;
};

} // namespace

bool DesktopFileViewer::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

ResultsPdfExport::ResultsPdfExport(FileViewerPort& viewer, MessagePort& messages)
    : m_viewer(viewer), m_messages(messages) {
    SetTexts(UiTexts::BuiltIn(UiProgram::Tutor));
}

void ResultsPdfExport::SetTexts(const UiTexts& texts) {
    m_title = texts.Text(kWarningTitleId);
    m_cannotWrite = texts.Text(kCannotWriteId);
    m_cannotOpen = texts.Text(kCannotOpenId);
}

ResultsPdfExport::~ResultsPdfExport() = default;

QString ResultsPdfExport::FolderPath() const {
    return m_folder ? m_folder->path() : QString();
}

bool ResultsPdfExport::EnsureFolder() {
    if (m_folder && m_folder->isValid() && QDir(m_folder->path()).exists())
        return true;
    // An unusable TMPDIR gives an empty path, which must not turn into a
    // folder at the root of the file system.
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty() || !QFileInfo(temporary).isDir())
        return false;
    // QTemporaryDir makes a new folder of a name no one can guess, with
    // owner-only permissions, and removes it with its contents at the end.
    m_folder = std::make_unique<QTemporaryDir>(temporary + QStringLiteral("/Zentavo-XXXXXX"));
    if (!m_folder->isValid())
        return false;
    return QFile::setPermissions(
        m_folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool ResultsPdfExport::Export(const ResultsFigures& figures, const std::string& playerName,
                              const std::string& date) {
    const QString fileName = ToQString(ResultsPdfFileName(playerName));
    if (!EnsureFolder()) {
        const QString temporary = QDir::tempPath();
        m_filePath = temporary.isEmpty() ? fileName : temporary + QLatin1Char('/') + fileName;
        TellFailure(m_cannotWrite);
        return false;
    }
    m_filePath = m_folder->path() + QLatin1Char('/') + fileName;
    try {
        ClsPdfResultsWriter writer;
        std::string nativePath = QFile::encodeName(m_filePath).toStdString();
        CreaPDF(writer, nativePath, figures, playerName, date);
    } catch (const std::exception&) {
        TellFailure(m_cannotWrite);
        return false;
    }
    if (!m_viewer.Open(m_filePath)) {
        TellFailure(m_cannotOpen);
        return false;
    }
    return true;
}

void ResultsPdfExport::TellFailure(const std::string& what) const {
    m_messages.Show(QMessageBox::Warning, ToQString(m_title),
                    ToQString(what) + QStringLiteral("\r\n") +
                        QDir::toNativeSeparators(m_filePath));
}
