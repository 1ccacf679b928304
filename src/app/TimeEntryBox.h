#pragma once

#include <QGroupBox>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace kelvaro {

class TEinst;

/**
 * The group box "  Eingabe  ": the time-mode list `CBx_Zeit` and the three panels of which one is
 * visible: `P_Countdown` with the hour, minute and second fields, `P_Uhrzeit` with the clock-time
 * field and `P_Stopuhr` with the stopwatch display. Used by the main window and the preset editor.
 */
class TimeEntryBox : public QGroupBox
{
    Q_OBJECT

public:
    enum class Modes { WithStopwatch, WithoutStopwatch };

    explicit TimeEntryBox(Modes modes, QWidget* parent = nullptr);

    /** Writes the time mode and the time of `options` into the controls without running any handler. */
    void showOptions(const TEinst& options);

    QComboBox* CBx_Zeit;
    QFrame* P_Countdown;
    QLineEdit* Ed_Stunden;
    QLineEdit* Ed_Minuten;
    QLineEdit* Ed_Sekunden;
    QFrame* P_Uhrzeit;
    QLineEdit* Ed_Uhrzeit;
    QFrame* P_Stopuhr;
    QLabel* L_Stopuhr;

    /** The clock-time field's text with every position kept (an empty position reads as a blank). */
    QString uhrzeitText() const;
    /** Sets the clock-time field's text without running its handlers. */
    void setUhrzeitText(const QString& text);

private:
    QLineEdit* makeField(QWidget* parent, const char* name, int x, const QString& caption);
};

} // namespace kelvaro
