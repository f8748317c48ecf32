#include "tutor/ui/ClassFolderCopy.h"

#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"
#include "history/HistoryStore.h"
#include "tutor/core/ClassFolderMessage.h"

#include <QMetaObject>

#include <mutex>
#include <thread>

namespace {

constexpr int kWatchIntervalMs = 2000;
constexpr const char* kWarningTitle = "0062";

} // namespace

// What a worker thread hands its result back through: the copy may be gone
// by the time a hung share answers, and then the result is dropped.
struct ClassFolderCopy::Guard {
    std::mutex mutex;
    ClassFolderCopy* owner = nullptr;
};

ClassFolderCopy::ClassFolderCopy(HistoryStore& store, std::string folder, const Clock& clock,
                                 MessagePort& messages, TextsSource texts, QObject* parent)
    : QObject(parent), m_store(store), m_folder(std::move(folder)), m_messages(messages),
      m_texts(std::move(texts)), m_guard(std::make_shared<Guard>()),
      m_copier(store, m_folder, *this, clock, [this](ClassCopyStatus s) { Tell(s); }) {
    m_guard->owner = this;
    if (m_folder.empty())
        return;
    m_store.SetRecordListener([this](PupilId pupil, const SentenceRecord& sentence) {
        m_copier.SentenceRecorded(pupil, sentence);
    });
    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, [this] { m_copier.Watch(); });
}

ClassFolderCopy::~ClassFolderCopy() {
    if (!m_folder.empty())
        m_store.SetRecordListener(nullptr);
    const std::lock_guard<std::mutex> lock(m_guard->mutex);
    m_guard->owner = nullptr;
}

void ClassFolderCopy::Start() {
    if (m_folder.empty())
        return;
    m_watch.start();
    m_copier.CopyAll();
}

void ClassFolderCopy::Run(std::function<void()> work, std::function<void()> done) {
    std::thread([guard = m_guard, work = std::move(work), done = std::move(done)]() mutable {
        work();
        const std::lock_guard<std::mutex> lock(guard->mutex);
        if (guard->owner != nullptr)
            QMetaObject::invokeMethod(guard->owner, std::move(done), Qt::QueuedConnection);
    }).detach();
}

void ClassFolderCopy::Tell(ClassCopyStatus status) {
    const QString text = ToQString(ClassFolderMessage(status, m_folder, m_texts()));
    const QString title = ToQString(m_texts().Text(kWarningTitle));
    // Shown from the event loop, never from inside the step that failed.
    QMetaObject::invokeMethod(
        this, [this, title, text] { m_messages.Show(QMessageBox::Warning, title, text); },
        Qt::QueuedConnection);
}
