#pragma once

#include <QGroupBox>

#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace kelvaro {

class MessageBoxes;
class ProcessWatcher;
class ProgramChoice;
class QuietLimitsPanel;
class TEinst;

/**
 * The group box "  Eingabe  ": the time-mode list `CBx_Zeit` and the panels of which one is
 * visible: `P_Countdown` with the hour, minute and second fields, `P_Uhrzeit` with the clock-time
 * field, `P_Stopuhr` with the stopwatch display and `P_Programmende` with the program to wait
 * for. The modes "Inaktivität" and "Leerlauf" take their time from the countdown fields; "Leerlauf"
 * shows its limits in `P_Leerlauf` below them. It validates every entry and writes it into the options object it is
 * bound to; the main window and the preset editor each have one.
 */
class TimeEntryBox : public QGroupBox
{
    Q_OBJECT

public:
    enum class Modes { WithStopwatch, WithoutStopwatch };
    /** Which countdown field: the targets of the digit pad. */
    enum Target { TargetNone = 0, TargetStunden = 1, TargetMinuten = 2, TargetSekunden = 3 };

    explicit TimeEntryBox(Modes modes, QWidget* parent = nullptr);

    /** Binds the handlers to an options object; `showOptions` redraws the owning window. The list of
     *  running programs comes from `processes`. */
    void bind(TEinst& options, MessageBoxes& boxes, ProcessWatcher& processes, std::function<void()> showOptions);

    /** Writes the time mode and the time of `options` into the controls without running any handler. */
    void showOptions(const TEinst& options);

    /** Disables or enables the time-mode list, the countdown fields, the program field and the
     *  limits (not the clock-time field). */
    void setCountdownEntryEnabled(bool enabled);

    /** The clock-time field's text with every position kept (an empty position reads as a blank). */
    QString uhrzeitText() const;
    /** Sets the clock-time field's text without running its handlers. */
    void setUhrzeitText(const QString& text);
    /** Takes a time typed into the clock-time field over now, after the field's own check; false
     *  (after the check's error box) when the entry is incomplete. */
    bool commitUhrzeit();
    /** Sets the clock-time field to "00:00:00" when one of its three numbers is incomplete. */
    void resetIncompleteUhrzeit();

    QLineEdit* field(Target target) const;

    // Handlers
    void CBx_ZeitChange(int index);
    void Ed_StundenChange() { validate(TargetStunden); }
    void Ed_MinutenChange() { validate(TargetMinuten); }
    void Ed_SekundenChange() { validate(TargetSekunden); }
    void Ed_UhrzeitExit();

    QComboBox* CBx_Zeit;
    QFrame* P_Countdown;
    QLineEdit* Ed_Stunden;
    QLineEdit* Ed_Minuten;
    QLineEdit* Ed_Sekunden;
    QFrame* P_Uhrzeit;
    QLineEdit* Ed_Uhrzeit;
    QFrame* P_Stopuhr;
    QLabel* L_Stopuhr;
    QFrame* P_Programmende;
    ProgramChoice* CBx_Programm = nullptr; // made when the mode "Programmende" is first shown
    QuietLimitsPanel* P_Leerlauf;

Q_SIGNALS:
    /** A countdown field was double-clicked (the main window opens its digit pad). */
    void fieldDoubleClicked(kelvaro::TimeEntryBox::Target target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* makeField(QWidget* parent, const char* name, int x, const QString& caption);
    void makeProgramChoice();
    Target targetOf(QObject* object) const;
    void validate(Target target);
    bool uhrzeitCheckFails();
    void showUhrzeitError();

    TEinst* m_options = nullptr;
    MessageBoxes* m_boxes = nullptr;
    ProcessWatcher* m_processes = nullptr;
    bool m_entryEnabled = true;
    std::function<void()> m_showOptions;
    QString m_uhrzeitAtEntry;
    bool m_keepEntry = false;
};

} // namespace kelvaro
