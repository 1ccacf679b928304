#include "widgets/SoundPanel.h"

#include "widgets/FileDialogs.h"
#include "core/FileSystem.h"
#include "core/TEinst.h"
#include "core/TestSound.h"
#include "core/TimeFields.h"
#include "widgets/Controls.h"
#include "widgets/FocusLeave.h"
#include "widgets/GeneralErrorHandler.h"
#include "widgets/UpDown.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace kelvaro {

namespace {

const char* const kSoundFilters = QT_TRANSLATE_NOOP("kelvaro::SoundPanel", "MP3-Datei (*.mp3);;WAV-Datei (*.wav)");

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, int y)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(16, y, 100, 17);
    // The options decide which one is on (possibly none), not the group's exclusivity.
    button->setAutoExclusive(false);
    return button;
}

QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption, int x, int y)
{
    return placeButton(parent, name, caption, {x, y, 75, 25});
}

} // namespace

SoundPanel::SoundPanel(Variant variant, QWidget* parent) : QWidget(parent), m_variant(variant)
{
    setObjectName(QStringLiteral("SoundPanel"));
    RBtn_NoSound = radio(this, "RBtn_NoSound", tr("Kein Sound"), 16);
    RBtn_NoSound->setChecked(true);
    RBtn_Beep = radio(this, "RBtn_Beep", tr("Beep Ton"), 48);
    L_AnzTone = new QLabel(tr("Anzahl Töne"), this);
    L_AnzTone->setObjectName(QStringLiteral("L_AnzTone"));
    L_AnzTone->setGeometry(120, 48, 70, 17);
    Ed_AnzToene = new QLineEdit(QStringLiteral("3"), this);
    Ed_AnzToene->setObjectName(QStringLiteral("Ed_AnzToene"));
    Ed_AnzToene->setGeometry(192, 44, 41, 21);
    UpDown3 = new UpDown(Ed_AnzToene, 1, 100, 3, this);
    UpDown3->setObjectName(QStringLiteral("UpDown3"));
    UpDown3->setGeometry(233, 44, 16, 21);
    RBtn_SoundDatei = radio(this, "RBtn_SoundDatei", tr("Sound-Datei"), 80);
    Ed_SoundFile = new QLineEdit(this);
    Ed_SoundFile->setObjectName(QStringLiteral("Ed_SoundFile"));
    Ed_SoundFile->setGeometry(32, 100, 249, 21);
    Ed_SoundFile->setAutoFillBackground(true);
    Btn_SoundDurchsuchen = pushButton(this, "Btn_SoundDurchsuchen", tr("Durchsuchen"), 294, 99);
    Btn_PlayStop = pushButton(this, "Btn_PlayStop", testSoundIdleCaption(), 32, 128);

    connect(RBtn_NoSound, &QRadioButton::clicked, this, [this] { setSoundMode(SoundNone); });
    connect(RBtn_Beep, &QRadioButton::clicked, this, [this] { setSoundMode(SoundBeep); });
    connect(RBtn_SoundDatei, &QRadioButton::clicked, this, [this] { setSoundMode(SoundFile); });
    connect(UpDown3, &UpDown::positionChanged, this, &SoundPanel::UpDown3Click);
    connect(Btn_SoundDurchsuchen, &QPushButton::clicked, this, &SoundPanel::Btn_SoundDurchsuchenClick);
    connect(Btn_PlayStop, &QPushButton::clicked, this, &SoundPanel::Btn_PlayStopClick);
    Ed_AnzToene->installEventFilter(this);
    Ed_SoundFile->installEventFilter(this);
}

void SoundPanel::bind(const Binding& binding)
{
    m_binding = std::make_unique<Binding>(binding);
}

void SoundPanel::showOptions(const TEinst& options)
{
    const quint8 mode = options.GetSoundMode();
    RBtn_NoSound->setChecked(mode == SoundNone);
    RBtn_Beep->setChecked(mode == SoundBeep);
    RBtn_SoundDatei->setChecked(mode == SoundFile);
    L_AnzTone->setEnabled(mode == SoundBeep);
    Ed_AnzToene->setEnabled(mode == SoundBeep);
    UpDown3->setEnabled(mode == SoundBeep);
    Ed_SoundFile->setEnabled(mode == SoundFile);
    {
        const QSignalBlocker blockCount(Ed_AnzToene);
        const QString count = QString::number(options.GetAnzBeeps());
        if (Ed_AnzToene->text() != count)
            Ed_AnzToene->setText(count);
        const QSignalBlocker blockFile(Ed_SoundFile);
        if (Ed_SoundFile->text() != options.GetSoundFile())
            Ed_SoundFile->setText(options.GetSoundFile());
    }
    QPalette pal = Ed_SoundFile->palette();
    pal.setColor(QPalette::Base, mode == SoundFile ? QColor(255, 255, 255) : palette().color(QPalette::Button));
    Ed_SoundFile->setPalette(pal);
    Btn_SoundDurchsuchen->setEnabled(mode == SoundFile);
    Btn_PlayStop->setEnabled(mode == SoundFile);

    if (m_variant == Variant::Editor && options.GetAktion() != AktionNachricht) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{RBtn_NoSound, RBtn_Beep, RBtn_SoundDatei, L_AnzTone, Ed_AnzToene, UpDown3,
                                             Ed_SoundFile, Btn_SoundDurchsuchen, Btn_PlayStop})
            control->setEnabled(false);
    } else if (m_variant == Variant::Editor) {
        RBtn_NoSound->setEnabled(true);
        RBtn_Beep->setEnabled(true);
        RBtn_SoundDatei->setEnabled(true);
    }
}

void SoundPanel::setSoundMode(quint8 mode)
{
    if (!m_binding)
        return;
    m_binding->options.SetSoundMode(mode);
    if (mode == SoundBeep && m_variant == Variant::Editor)
        m_binding->options.SetAnzBeeps(UpDown3->position());
    m_binding->showOptions();
}

void SoundPanel::Ed_AnzToeneExit()
{
    if (!m_binding)
        return;
    // Any whole number is taken as it is; anything else gives the default of three beeps.
    m_binding->options.SetAnzBeeps(StrToInt(Ed_AnzToene->text()).value_or(3));
    m_binding->showOptions();
}

void SoundPanel::UpDown3Click(int position)
{
    if (!m_binding)
        return;
    m_binding->options.SetAnzBeeps(position);
    m_binding->showOptions();
}

void SoundPanel::Ed_SoundFileExit()
{
    if (!m_binding)
        return;
    // The editor takes only a file that exists; the refresh then puts the previous path back.
    if (m_variant == Variant::MainWindow || FileSystem::fileExists(Ed_SoundFile->text()))
        m_binding->options.SetSoundFile(Ed_SoundFile->text());
    m_binding->showOptions();
}

void SoundPanel::Btn_SoundDurchsuchenClick()
{
    if (!m_binding)
        return;
    const QString folder = QFileInfo(Ed_SoundFile->text()).absolutePath();
    const QString chosen = m_binding->dialogs.openFileName(
        window(), Ed_SoundFile->text().isEmpty() ? QString() : folder, tr(kSoundFilters));
    if (chosen.isEmpty() || !FileSystem::fileExists(chosen))
        return;
    Ed_SoundFile->setText(chosen);
    m_binding->options.SetSoundFile(chosen);
    m_binding->showOptions();
}

void SoundPanel::Btn_PlayStopClick()
{
    if (!m_binding)
        return;
    m_binding->errors.guard(
        [this] { Btn_PlayStop->setText(TestSound(m_binding->player, Ed_SoundFile->text(), Btn_PlayStop->text())); });
}

bool SoundPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (leavesControl(event)) {
        if (watched == Ed_AnzToene)
            Ed_AnzToeneExit();
        else if (watched == Ed_SoundFile)
            Ed_SoundFileExit();
    }
    return false;
}

} // namespace kelvaro
