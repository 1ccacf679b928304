#include "widgets/StatusPanels.h"

#include <QLabel>

namespace kelvaro {

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

} // namespace kelvaro
