#pragma once

#include "widgets/TimeEntryBox.h"

#include <QFrame>

namespace kelvaro {

class ClickPanel;

/**
 * The digit input pad `P_Eingabehilfe` that opens on a double-click in a countdown field: a row
 * of tens (0-5; 0-2 for hours) and a row of units (0-9); ">>" writes the chosen two digits into
 * the field (where its validation runs) and "x" closes the pad.
 */
class DigitPad : public QFrame
{
    Q_OBJECT

public:
    DigitPad(TimeEntryBox& entry, QWidget* parent);

    /** Opens the pad for `target` (showing the field's number), or hides it when `show` is false. */
    void ToggleDigitPad(bool show, TimeEntryBox::Target target);
    void SelectTensDigit(int digit);
    void SelectUnitsDigit(int digit);
    void P_EH_uebernehmenClick();

    int tensDigit() const { return m_tens; }
    int unitsDigit() const { return m_units; }
    TimeEntryBox::Target target() const { return m_target; }

private:
    TimeEntryBox& m_entry;
    ClickPanel* m_tensCells[6];
    ClickPanel* m_unitsCells[10];
    int m_tens = 0;
    int m_units = 0;
    TimeEntryBox::Target m_target = TimeEntryBox::TargetNone;
};

} // namespace kelvaro
