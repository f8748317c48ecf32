#include "tutor/ui/frmZentavo.h"

#include "common/ui/Pictures.h"
#include "common/ui/QtCp1252.h"
#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/ZentavoLook.h"
#include "tutor/ui/ZentavoWidgets.h"
#include "tutor/ui/frmTransparency.h"
#include "tutor/ui/frmZentavoLayout.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

using namespace zentavo_layout;

// -- what the exercise reports ---------------------------------------------------

void frmZentavo::ScreenChanged(const TutorScreen& screen, const ScreenChange& change) {
    Render(screen, change);
}

void frmZentavo::PlaySound(int number) {
    m_env.sounds->Play(number);
}

void frmZentavo::PlayIfSoundsOn(int number) {
    if (m_run->SoundsOn())
        m_env.sounds->Play(number);
}

void frmZentavo::FlashInputBox() {
    txtInput->Flash();
}

void frmZentavo::CloseKeyMap() {
    if (frmTransparency::Current() != nullptr)
        frmTransparency::CloseMap();
}

void frmZentavo::CloseProgram() {
    QTimer::singleShot(0, this, &QWidget::close);
}

// Each part is rendered only when the run says it changed. A timer runs
// exactly while the screen asks for it, so it is started or stopped only
// when that differs from what it does.
void frmZentavo::Render(const TutorScreen& s, const ScreenChange& change) {
    // A clock tick inside the same second changes nothing, five times a
    // second while a sentence is typed.
    if (change.parts.none() && change.keyboard.Empty() && !s.listVisible)
        return;
    const auto follow = [](QTimer* timer, bool wanted) {
        if (timer->isActive() == wanted)
            return;
        if (wanted)
            timer->start();
        else
            timer->stop();
    };
    // The keys first: the typed-part marker below goes to the screen at
    // once, and takes the keys marked for repainting with it.
    RenderKeyboard(change.keyboard);
    if (change.Has(ScreenPart::Caption))
        setWindowTitle(ToQString(s.caption));
    if (change.Has(ScreenPart::Sentence))
        lblFraseCorr->SetText(withLineFeeds(s.sentence), !s.sentenceLeftAligned);
    if (change.Has(ScreenPart::TypedPart))
        lblFraseCorr->SetTypedPart(s.typedLine, ToQString(s.typedOnLine), ToQColor(s.typedColour));
    if (change.Has(ScreenPart::Input)) {
        txtInput->SetText(withLineFeeds(s.input));
        // A sentence begins: the keys go straight into the box.
        const bool unlocked = !s.inputLocked && txtInput->Locked();
        txtInput->SetLocked(s.inputLocked);
        if (unlocked)
            txtInput->setFocus();
    }
    if (change.Has(ScreenPart::Counters)) {
        lblNumBatt[0]->setText(ToQString(s.correctCounter));
        lblNumBatt[1]->setText(ToQString(s.wrongCounter));
    }
    if (change.Has(ScreenPart::Clock)) {
        lblTime->setText(ToQString(s.clockText));
        if (Timer1->isActive() != s.clockRunning) {
            follow(Timer1, s.clockRunning);
            lblOrologio->setAutoFillBackground(s.clockRunning);
            lblOrologio->update();
            lblMenu[kMenuAbout]->setEnabled(!s.clockRunning);
        }
    }
    if (change.Has(ScreenPart::Gauge)) {
        picProgress->setVisible(s.gaugeVisible);
        imgMedia[0]->setVisible(s.gaugeVisible);
        imgMedia[1]->setVisible(s.gaugeVisible);
        picProgress->SetState(s.gaugeLength, s.level, s.recordMarkerWidth);
    }
    if (change.Has(ScreenPart::Lamps)) {
        for (int i = 0; i < 3; ++i) {
            const std::int16_t level = static_cast<std::int16_t>(i + 1);
            lblLamp[static_cast<size_t>(i)]->SetColour(
                ToQColor(LevelLampColour(level, s.litLamp == level)), s.litLamp == level);
            lblMediaLevel[static_cast<size_t>(i)]->setText(
                ToQString(s.levelAverages[static_cast<size_t>(i)]));
        }
        lblNumFrase->setText(ToQString(s.sentenceNumber));
    }
    if (change.Has(ScreenPart::Message)) {
        lblMessaggio->setText(withLineFeeds(s.message));
        picMessaggio->setVisible(s.messageVisible);
        follow(Timer3, s.recordAnimation);
    }
    if (change.Has(ScreenPart::Controls)) {
        cmdstart->setEnabled(s.startEnabled);
        follow(PauseTimer, s.busy);
        lblMenu[kMenuLanguage]->setEnabled(s.languageMenuEnabled);
        lblMenu[kMenuTypeForMe]->setVisible(s.typeForMeVisible);
        shpMenu[kMenuTypeForMe]->setVisible(s.typeForMeVisible);
        picLevel->setVisible(s.levelPanelVisible);
        cboFileFTD->setVisible(s.listVisible);
    }
    // The list follows the catalogue, which changes beside the screen.
    if (s.listVisible)
        RenderList();
    RenderPictures(s);
}

void frmZentavo::RenderKeyboard(const KeyboardChanges& changes) {
    picKeyword->AreasChanged(changes.areas);
    if (changes.strip) {
        const bool visible = m_keyboard.StripVisible();
        if (visible && imgMappaTastiEsterna->pixmap().isNull())
            imgMappaTastiEsterna->setPixmap(
                Pictures::pixmap(Pictures::Role::FingerMapStrip, kStripSize));
        imgMappaTastiEsterna->setVisible(visible);
    }
    if (changes.promptTimer) {
        if (m_keyboard.PromptTimerRunning())
            Timer2->start();
        else
            Timer2->stop();
    }
}

void frmZentavo::RenderPictures(const TutorScreen& s) {
    if (!m_picturesLoaded)
        return;
    const auto face = std::make_pair(s.face.glyph, s.face.red);
    if (face != m_faceShown) {
        lblSmile->setPixmap(
            Pictures::pixmap(Pictures::errorFace(s.face.glyph, s.face.red), lblSmile->size()));
        m_faceShown = face;
    }
    const QSize gaugePicture(kGaugePictureSize, kGaugePictureSize);
    if (s.gaugeVisible && s.fastEndIcon != m_fastIconShown) {
        imgMedia[0]->setPixmap(Pictures::pixmap(s.fastEndIcon, gaugePicture));
        m_fastIconShown = s.fastEndIcon;
    }
    if (s.gaugeVisible && s.slowEndIcon != m_slowIconShown) {
        imgMedia[1]->setPixmap(Pictures::pixmap(s.slowEndIcon, gaugePicture));
        m_slowIconShown = s.slowEndIcon;
    }
    if (!s.messageVisible)
        return;
    const QSize icon(32, 32);
    if (!(s.picture == m_messagePictureShown)) {
        imgMessaggi->setPixmap(s.picture.kind == MessagePicture::Kind::Icon
                                   ? Pictures::pixmap(s.picture.value, icon)
                                   : Pictures::pixmap(s.picture.value == 0
                                                          ? Pictures::Role::RecordFrame0
                                                          : Pictures::Role::RecordFrame1,
                                                      icon));
        m_messagePictureShown = s.picture;
    }
    if (s.pointsIcon != m_pointsIconShown) {
        imgIconaPunteggio->setPixmap(Pictures::pixmap(s.pointsIcon, icon));
        m_pointsIconShown = s.pointsIcon;
    }
}

void frmZentavo::LoadPictures() {
    // Drawing the pictures takes longer than opening the window, so they
    // come in right after it is on screen.
    m_picturesLoaded = true;
    lblOrologio->setPixmap(Pictures::pixmap(Pictures::Role::Clock, QSize(22, 22)));
    imgX->setPixmap(Pictures::pixmap(Pictures::Role::CapsLockCross, QSize(32, 32)));
    for (int i = 0; i < kMenuCount; ++i)
        lblMenu[static_cast<size_t>(i)]->SetPicture(
            Pictures::pixmap(Pictures::menuSymbol(i), QSize(28, 28)));
    std::array<QPixmap, KeyboardModel::kFingerImageCount> fingers;
    for (int i = 0; i < KeyboardModel::kFingerImageCount; ++i)
        fingers[static_cast<size_t>(i)] = Pictures::pixmap(Pictures::fingerImage(i), QSize(32, 32));
    picKeyword->SetFingerPictures(fingers);
    picKeyword->SetPromptPicture(Pictures::pixmap(Pictures::Role::PressEnter, QSize(32, 32)));
    RenderMenuStates();
    RenderPictures(m_run->Screen());
    window()->setWindowIcon(Pictures::icon(Pictures::Role::AppTutor));
}

void frmZentavo::RenderList() {
    const auto& entries = m_catalogue->Entries();
    const int selected = m_catalogue->SelectedIndex();
    if (entries == m_shownEntries && selected == m_shownSelection)
        return;
    const QSignalBlocker block(cboFileFTD);
    if (entries != m_shownEntries) {
        cboFileFTD->clear();
        for (std::size_t i = 0; i < entries.size(); ++i)
            cboFileFTD->addItem(m_catalogue->EntryIsFileName(static_cast<int>(i))
                                    ? PathToQString(entries[i])
                                    : ToQString(entries[i]));
    }
    cboFileFTD->setCurrentIndex(selected);
    m_shownEntries = entries;
    m_shownSelection = selected;
}

void frmZentavo::RenderMenuStates() {
    shpMenu[kMenuSounds]->SetFilled(m_run->SoundsOn(), kIndicatorOn);
    if (m_picturesLoaded)
        lblMenu[kMenuSounds]->SetPicture(
            Pictures::pixmap(Pictures::menuSymbol(kMenuSounds, m_run->SoundsOn()), QSize(28, 28)));
    shpMenu[kMenuKeyMap]->SetFilled(m_keyboard.KeyMap(), kIndicatorOn);
    shpMenu[kMenuHighlight]->SetFilled(m_keyboard.Highlight(), kIndicatorOn);
}
