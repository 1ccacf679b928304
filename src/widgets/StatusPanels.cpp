#include "widgets/StatusPanels.h"

#include "core/TEinst.h"
#include "widgets/ActionPanel.h"

#include <QLabel>

#include <algorithm>

namespace kelvaro {

namespace {

/** The file-name part of a path: everything after the last backslash, slash or colon. */
QString fileNamePart(const QString& path)
{
    const qsizetype cut = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    return path.mid(cut + 1);
}

} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);

    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setTextFormat(Qt::PlainText);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panels[0]->setFixedWidth(190);
    addWidget(m_panels[0]);
    addWidget(m_panels[1], 1); // the last panel takes the rest of the width
}

QString StatusPanels::panelText(int index) const
{
    return m_panels[index]->text();
}

void StatusPanels::setPanelText(int index, const QString& text)
{
    // A panel is one line: characters that would break it or draw nothing (a file name may hold
    // any of them) are shown as blanks, as a one-line edit field shows them.
    QString line = text;
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    m_panels[index]->setText(line);
}

void StatusPanels::showOptions(const TEinst& options, const QString& note)
{
    if (options.GetZeitMode() == ZeitStopuhr) {
        setPanelText(0, QString());
        setPanelText(1, QString());
        return;
    }
    // An unknown action leaves the panel as it is.
    const quint8 aktion = options.GetAktion();
    if (options.GetForce() && isForceableAktion(aktion))
        setPanelText(0, ActionPanel::statusText(aktion) + tr(" (erzwingen)"));
    else if (isKnownAktion(aktion))
        setPanelText(0, ActionPanel::statusText(aktion));

    const quint8 soundMode = options.GetSoundMode();
    if (!note.isEmpty())
        setPanelText(1, note);
    else if (aktion != AktionNachricht || soundMode == SoundNone)
        setPanelText(1, QString());
    else if (soundMode == SoundBeep)
        setPanelText(1, tr("Beep (%1x)").arg(options.GetAnzBeeps()));
    else if (soundMode == SoundFile)
        setPanelText(1, tr("Sound-Datei [%1]").arg(fileNamePart(options.GetSoundFile())));
}

} // namespace kelvaro
