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

void frmZentavo::ScreenChanged(const TutorScreen& screen) {
    Render(screen, false);
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

void frmZentavo::HighlightNextKey(char character, std::int16_t position) {
    m_keyboard.HighlightNextKey(character, position);
}

void frmZentavo::ClearHighlightFrames() {
    m_keyboard.ClearHighlightFrames();
}

void frmZentavo::RedrawAllKeysRaised() {
    m_keyboard.RedrawAllKeysRaised();
}

void frmZentavo::CloseKeyMap() {
    if (frmTransparency::Current() != nullptr)
        frmTransparency::CloseMap();
    if (m_keyboard.KeyMap() && !m_keyboard.StripVisible())
        m_keyboard.ShowFingerImages(true);
}

void frmZentavo::CloseProgram() {
    QTimer::singleShot(0, this, &QWidget::close);
}

std::optional<char> frmZentavo::CurrentCharacter() const {
    const SentenceRun& s = m_run->Sentence();
    if (s.ExpectedChar.empty() || s.SentenceDone)
        return std::nullopt;
    return s.ExpectedChar[0];
}

void frmZentavo::Render(const TutorScreen& s, bool all) {
    TutorScreen& old = m_shown;
    if (all || s.caption != old.caption)
        setWindowTitle(ToQString(s.caption));
    if (all || s.sentence != old.sentence || s.sentenceLeftAligned != old.sentenceLeftAligned)
        lblFraseCorr->SetText(withLineFeeds(s.sentence), !s.sentenceLeftAligned);
    if (all || s.typedLine != old.typedLine || s.typedOnLine != old.typedOnLine ||
        s.typedColour != old.typedColour)
        lblFraseCorr->SetTypedPart(s.typedLine, ToQString(s.typedOnLine),
                                   fromStored(s.typedColour));
    if (all || s.input != old.input)
        txtInput->SetText(withLineFeeds(s.input));
    txtInput->SetLocked(s.inputLocked);
    if (all || s.correctCounter != old.correctCounter)
        lblNumBatt[0]->setText(ToQString(s.correctCounter));
    if (all || s.wrongCounter != old.wrongCounter)
        lblNumBatt[1]->setText(ToQString(s.wrongCounter));

    if (all || s.clockText != old.clockText)
        lblTime->setText(ToQString(s.clockText));
    if (all || s.clockRunning != old.clockRunning) {
        if (s.clockRunning)
            Timer1->start();
        else
            Timer1->stop();
        lblOrologio->setAutoFillBackground(s.clockRunning);
        lblOrologio->update();
        lblMenu[2]->setEnabled(!s.clockRunning);
    }
    if (all || s.gaugeVisible != old.gaugeVisible) {
        picProgress->setVisible(s.gaugeVisible);
        imgMedia[0]->setVisible(s.gaugeVisible);
        imgMedia[1]->setVisible(s.gaugeVisible);
    }
    picProgress->SetState(s.gaugeLength, s.level, s.recordMarkerWidth);

    for (int i = 0; i < 3; ++i) {
        const std::int16_t level = static_cast<std::int16_t>(i + 1);
        const Rgb c = LevelLampColour(level, s.litLamp == level);
        lblLamp[static_cast<size_t>(i)]->SetColour(QColor(c.r, c.g, c.b), s.litLamp == level);
        lblMediaLevel[static_cast<size_t>(i)]->setText(
            ToQString(s.levelAverages[static_cast<size_t>(i)]));
    }
    lblNumFrase->setText(ToQString(s.sentenceNumber));

    if (all || s.message != old.message)
        lblMessaggio->setText(withLineFeeds(s.message));
    picMessaggio->setVisible(s.messageVisible);
    if (all || s.recordAnimation != old.recordAnimation) {
        if (s.recordAnimation)
            Timer3->start();
        else
            Timer3->stop();
    }

    cmdstart->setEnabled(s.startEnabled);
    if (all || s.enterPrompt != old.enterPrompt) {
        if (s.enterPrompt)
            m_keyboard.FlashBotton();
        else
            m_keyboard.MarkSentenceRunning();
    }
    if (all || s.busy != old.busy) {
        if (s.busy)
            PauseTimer->start();
        else
            PauseTimer->stop();
    }
    lblMenu[8]->setEnabled(s.languageMenuEnabled);
    lblMenu[7]->setVisible(s.typeForMeVisible);
    shpMenu[7]->setVisible(s.typeForMeVisible);
    picLevel->setVisible(s.levelPanelVisible);
    cboFileFTD->setVisible(s.listVisible);
    if (s.listVisible)
        RenderList();
    m_shown = s;
    RenderPictures();
}

void frmZentavo::RenderPictures() {
    if (!m_picturesLoaded)
        return;
    const TutorScreen& s = m_shown;
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
    RenderPictures();
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
    shpMenu[3]->SetFilled(m_run->SoundsOn(), kIndicatorOn);
    if (m_picturesLoaded)
        lblMenu[3]->SetPicture(
            Pictures::pixmap(Pictures::menuSymbol(3, m_run->SoundsOn()), QSize(28, 28)));
    shpMenu[4]->SetFilled(m_keyboard.KeyMap(), kIndicatorOn);
    shpMenu[5]->SetFilled(m_keyboard.Highlight(), kIndicatorOn);
}
