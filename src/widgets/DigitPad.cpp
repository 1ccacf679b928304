#include "widgets/DigitPad.h"

#include "core/TimeFields.h"
#include "widgets/ClickPanel.h"

#include <QLineEdit>

namespace kelvaro {

namespace {

const QColor kChosen(166, 202, 240); // sky blue

ClickPanel* cell(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w = 25, int h = 25)
{
    auto* panel = new ClickPanel(name, kChosen, parent);
    panel->setGeometry(x, y, w, h);
    panel->setCaption(caption);
    return panel;
}

} // namespace

DigitPad::DigitPad(TimeEntryBox& entry, QWidget* parent) : QFrame(parent), m_entry(entry)
{
    setObjectName(QStringLiteral("P_Eingabehilfe"));
    setGeometry(121, 127, 257, 67);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    for (int digit = 0; digit < 6; ++digit) {
        m_tensCells[digit] =
            cell(this, QStringLiteral("P_EH1%1").arg(digit), QString::number(digit), 1 + 25 * digit, 1);
        connect(m_tensCells[digit], &ClickPanel::clicked, this, [this, digit] { SelectTensDigit(digit); });
    }
    for (int digit = 0; digit < 10; ++digit) {
        m_unitsCells[digit] =
            cell(this, QStringLiteral("P_EH2%1").arg(digit), QString::number(digit), 1 + 25 * digit, 26);
        connect(m_unitsCells[digit], &ClickPanel::clicked, this, [this, digit] { SelectUnitsDigit(digit); });
    }
    m_tensCells[0]->setChosen(true);

    ClickPanel* close = cell(this, QStringLiteral("Panel25"), QStringLiteral("x"), 257 - 1 - 17, 1, 17, 17);
    connect(close, &ClickPanel::clicked, this, &QWidget::hide);
    ClickPanel* take =
        cell(this, QStringLiteral("P_EH_uebernehmen"), QStringLiteral(">>"), 257 - 1 - 25, 67 - 1 - 13, 25, 13);
    connect(take, &ClickPanel::clicked, this, &DigitPad::P_EH_uebernehmenClick);
    hide();
}

void DigitPad::ToggleDigitPad(bool show, TimeEntryBox::Target target)
{
    if (!show) {
        hide();
        return;
    }
    setVisible(true);
    raise();
    m_target = target;
    // Hours can only have the tens 0 to 2.
    for (int digit = 3; digit < 6; ++digit)
        m_tensCells[digit]->setVisible(target != TimeEntryBox::TargetStunden);

    // A field that holds no number leaves the digits of the previous opening.
    const QLineEdit* field = m_entry.field(target);
    const std::optional<qint32> value = field ? StrToInt(field->text()) : std::nullopt;
    if (!value)
        return;
    const qint32 tens = *value / 10;
    if (tens >= 1) {
        SelectTensDigit(tens);
        SelectUnitsDigit(*value % 10);
    } else {
        SelectTensDigit(0);
        SelectUnitsDigit(*value);
    }
}

void DigitPad::SelectTensDigit(int digit)
{
    m_tens = digit;
    for (int i = 0; i < 6; ++i)
        m_tensCells[i]->setChosen(i == digit);
}

void DigitPad::SelectUnitsDigit(int digit)
{
    m_units = digit;
    for (int i = 0; i < 10; ++i)
        m_unitsCells[i]->setChosen(i == digit);
}

void DigitPad::P_EH_uebernehmenClick()
{
    if (QLineEdit* field = m_entry.field(m_target))
        field->setText(QString::number(m_tens) + QString::number(m_units)); // runs the field's validation
    hide();
}

} // namespace kelvaro
