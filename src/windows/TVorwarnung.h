#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace kelvaro {

struct RunAnnouncement;

/**
 * The announcement of a power action in the program's own window, for desktops without a
 * notification server: the action with the seconds left, "(erzwungen)" for a forced action, and the
 * choices "Abbrechen" and "5 Minuten später". It stays on top of the other windows without taking
 * the focus from them, and it is not modal: the main window and the tray icon keep working.
 * Closing it only hides it; the run goes on.
 */
class TVorwarnung : public QDialog
{
    Q_OBJECT

public:
    explicit TVorwarnung(QWidget* parent = nullptr);

    /** Shows the window with `announcement` and the seconds left, or refreshes it when it is up. */
    void showAnnouncement(const RunAnnouncement& announcement, qint64 secondsLeft);
    /** The countdown in the text, while the window is up. */
    void setSecondsLeft(qint64 secondsLeft);

    std::function<void()> OnAbbrechen;
    std::function<void()> OnSpaeter;
    std::function<void()> OnTrotzdem;

    QLabel* L_Vorwarnung;
    QLabel* L_Erzwungen;
    QPushButton* Btn_Abbrechen;
    QPushButton* Btn_Spaeter;
    /** The program that blocks the action, and the choice to carry it out all the same. */
    QLabel* L_Blockiert;
    QPushButton* Btn_Trotzdem;

private:
    void choose(const std::function<void()>& choice);
    /** The layout with or without the blocking program and its third choice. */
    void arrange(bool blocked);

    quint8 m_action = 0;
    bool m_forced = false;
};

} // namespace kelvaro
