#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace kelvaro {

struct PowerFailure;

/**
 * The report of a power action that did not happen: a title line named for what did not happen
 * ("Der Rechner wurde nicht heruntergefahren."), the reason in plain words and the choices
 * "Erneut versuchen", "Trotzdem ausführen" (only where a forced request could succeed) and
 * "Schließen". It stays on top of the other windows and is not modal.
 */
class TAktionsfehler : public QDialog
{
    Q_OBJECT

public:
    explicit TAktionsfehler(QWidget* parent = nullptr);

    /** Shows the report of `failure` of `action`, in place of one that is up. */
    void showFailure(quint8 action, const PowerFailure& failure);

    /** The choices; closing the window in any way calls OnGeschlossen. */
    std::function<void()> OnErneut;
    std::function<void()> OnTrotzdem;
    std::function<void()> OnGeschlossen;

    QLabel* L_Titel;
    QLabel* L_Grund;
    QPushButton* Btn_Erneut;
    QPushButton* Btn_Trotzdem;
    QPushButton* Btn_Schliessen;

    /** The labels of the three choices, shared with the notification of the report. */
    static QString retryLabel();
    static QString forceLabel();
    static QString closeLabel();

private:
    void choose(const std::function<void()>& choice);
};

} // namespace kelvaro
