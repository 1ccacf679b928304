#pragma once

#include <QDialog>
#include <QList>
#include <QRect>

#include <functional>

class QLabel;
class QPushButton;

namespace kelvaro {

struct RunAnnouncement;

/**
 * The announcement of a power action in the program's own window, where no notification shows it:
 * the action with the seconds left, counted down, the clock time of the action ("um 23:00:00",
 * with "(erzwungen)" for a forced action), and the choices "Abbrechen" and "5 Minuten später"; while
 * a program blocks the action, also that program and the third choice "Trotzdem ausführen". It
 * stays on top of the other windows without taking the focus from them, and it is not modal: the
 * main window and the tray icon keep working. "Abbrechen" is its default button, and Escape chooses
 * it too, so that no key lets the action come. Closing it only hides it; the run goes on.
 */
class TVorwarnung : public QDialog
{
    Q_OBJECT

public:
    explicit TVorwarnung(QWidget* parent = nullptr);

    /** Shows the window with `announcement`, the clock time of the action and the seconds left, or
     *  refreshes it when it is up. It opens centred on the screen unless that covers the first of
     *  the areas `keepClear` (global coordinates, the most important first); it then goes beside it. */
    void showAnnouncement(const RunAnnouncement& announcement, const QString& endTime, qint64 secondsLeft,
                          const QList<QRect>& keepClear = {});
    /** The countdown in the text, while the window is up. */
    void setSecondsLeft(qint64 secondsLeft);
    /** The clock time of the action ("hh:nn:ss"), when the end has moved. */
    void setEndTime(const QString& endTime);

    std::function<void()> OnAbbrechen;
    std::function<void()> OnSpaeter;
    std::function<void()> OnTrotzdem;

    QLabel* L_Vorwarnung;
    /** When the action comes, and whether it is forced. */
    QLabel* L_Erzwungen;
    QPushButton* Btn_Abbrechen;
    QPushButton* Btn_Spaeter;
    /** The program that blocks the action, and the choice to carry it out all the same. */
    QLabel* L_Blockiert;
    QPushButton* Btn_Trotzdem;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(const std::function<void()>& choice);
    /** The layout with or without the blocking program and its third choice. */
    void arrange(bool blocked);
    RunAnnouncement announcement() const;

    quint8 m_action = 0;
    bool m_forced = false;
};

} // namespace kelvaro
