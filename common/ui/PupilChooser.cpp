#include "common/ui/PupilChooser.h"

#include "common/ui/Messages.h"
#include "common/ui/QtCp1252.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kProduct = "Zentavo";
constexpr int kIdRole = Qt::UserRole;

} // namespace

QString PupilDisplayName(const PupilInfo& pupil) {
    QString text = ToQString(pupil.name);
    if (!pupil.className.empty())
        text += QStringLiteral(" (") + ToQString(pupil.className) + QLatin1Char(')');
    return text;
}

PupilChooser::PupilChooser(HistoryStore& store, const UiTexts& texts, MessagePort& messages,
                           QWidget* parent)
    : QDialog(parent), m_store(store), m_texts(texts), m_messages(messages) {
    setObjectName(QStringLiteral("frmAlunni"));
    setWindowTitle(T("0432"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    lstAlunni = new QListWidget(this);
    lstAlunni->setObjectName(QStringLiteral("lstAlunni"));
    layout->addWidget(lstAlunni, 1);

    auto* form = new QFormLayout;
    lblNome = new QLabel(T("0437"), this);
    txtNome = new QLineEdit(this);
    txtNome->setObjectName(QStringLiteral("txtNome"));
    txtNome->setMaxLength(static_cast<int>(kPupilNameMaxLength));
    lblClasse = new QLabel(T("0438"), this);
    txtClasse = new QLineEdit(this);
    txtClasse->setObjectName(QStringLiteral("txtClasse"));
    txtClasse->setMaxLength(static_cast<int>(kPupilClassMaxLength));
    lblNome->setBuddy(txtNome);
    lblClasse->setBuddy(txtClasse);
    form->addRow(lblNome, txtNome);
    form->addRow(lblClasse, txtClasse);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const char* id) {
        auto* b = new QPushButton(T(id), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    cmdAggiungi = button("cmdAggiungi", "0433");
    cmdRinomina = button("cmdRinomina", "0434");
    cmdElimina = button("cmdElimina", "0435");
    buttons->addStretch(1);
    cmdScegli = button("cmdScegli", "0436");
    cmdScegli->setDefault(true);
    layout->addLayout(buttons);

    connect(cmdAggiungi, &QPushButton::clicked, this, &PupilChooser::cmdAggiungi_Click);
    connect(cmdRinomina, &QPushButton::clicked, this, &PupilChooser::cmdRinomina_Click);
    connect(cmdElimina, &QPushButton::clicked, this, &PupilChooser::cmdElimina_Click);
    connect(cmdScegli, &QPushButton::clicked, this, &PupilChooser::cmdScegli_Click);
    connect(lstAlunni, &QListWidget::itemSelectionChanged, this, &PupilChooser::SelectionChanged);
    connect(lstAlunni, &QListWidget::itemDoubleClicked, this, &PupilChooser::cmdScegli_Click);

    FillList(m_store.CurrentPupil());
    lstAlunni->setFocus();
}

QString PupilChooser::T(const char* id) const {
    return ToQString(m_texts.Text(id));
}

std::optional<PupilId> PupilChooser::Selected() const {
    const QListWidgetItem* item = lstAlunni->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->data(kIdRole).toLongLong();
}

void PupilChooser::FillList(std::optional<PupilId> select) {
    const QSignalBlocker quiet(lstAlunni);
    lstAlunni->clear();
    for (const PupilInfo& pupil : m_store.Pupils()) {
        auto* item = new QListWidgetItem(PupilDisplayName(pupil), lstAlunni);
        item->setData(kIdRole, static_cast<qlonglong>(pupil.id));
        if (select && *select == pupil.id) {
            lstAlunni->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    SelectionChanged();
}

void PupilChooser::SelectionChanged() {
    const auto id = Selected();
    cmdRinomina->setEnabled(id.has_value());
    cmdElimina->setEnabled(id.has_value());
    cmdScegli->setEnabled(id.has_value());
    if (!id)
        return;
    if (const auto pupil = m_store.Pupil(*id)) {
        txtNome->setText(ToQString(pupil->name));
        txtClasse->setText(ToQString(pupil->className));
    }
}

bool PupilChooser::Report(PupilChange change) {
    const char* id = nullptr;
    switch (change) {
    case PupilChange::Done:
        return true;
    case PupilChange::EmptyName:
        id = "0440";
        break;
    case PupilChange::NameTaken:
        id = "0441";
        break;
    case PupilChange::NotSaved:
    case PupilChange::NoSuchPupil:
    case PupilChange::NameTooLong:
    case PupilChange::ClassTooLong:
        // The fields keep names and classes within their lengths; what is
        // left is a history that cannot be written.
        id = "0488";
        break;
    }
    m_messages.Show(QMessageBox::Warning, T("0062"), T(id));
    return false;
}

void PupilChooser::cmdAggiungi_Click() {
    PupilId added = 0;
    if (Report(
            m_store.AddPupil(FromQString(txtNome->text()), FromQString(txtClasse->text()), &added)))
        FillList(added);
}

void PupilChooser::cmdRinomina_Click() {
    const auto id = Selected();
    if (!id)
        return;
    if (Report(
            m_store.RenamePupil(*id, FromQString(txtNome->text()), FromQString(txtClasse->text()))))
        FillList(id);
}

void PupilChooser::cmdElimina_Click() {
    const auto id = Selected();
    if (!id)
        return;
    const auto pupil = m_store.Pupil(*id);
    const QString who = pupil ? PupilDisplayName(*pupil) : QString();
    if (!m_messages.AskYesNo(QLatin1String(kProduct), T("0439") + QStringLiteral("\r\n") + who))
        return;
    if (Report(m_store.RemovePupil(*id))) {
        txtNome->clear();
        txtClasse->clear();
        FillList(m_store.CurrentPupil());
    }
}

void PupilChooser::cmdScegli_Click() {
    const auto id = Selected();
    if (!id)
        return;
    // Choosing works even when the history cannot be saved: the pupil types
    // on, only the choice is not remembered for the next start.
    m_store.SetCurrentPupil(*id);
    m_chosen = id;
    accept();
}
