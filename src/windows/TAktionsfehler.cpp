#include "windows/TAktionsfehler.h"

#include "core/PowerFailure.h"
#include "widgets/Controls.h"
#include "widgets/FormLook.h"

#include <QLabel>
#include <QPushButton>

namespace kelvaro {

TAktionsfehler::TAktionsfehler(QWidget* parent) : QDialog(parent)
{
    setUpFixedDialog(*this, "Aktionsfehler", tr("Kelvaro: Aktion nicht ausgeführt"), {380, 124});
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);

    L_Titel = placeLabel(this, "L_Titel", QString(), QRect(12, 12, 356, 20));
    QFont bold = L_Titel->font();
    bold.setBold(true);
    L_Titel->setFont(bold);
    L_Grund = placeLabel(this, "L_Grund", QString(), QRect(12, 38, 356, 40));
    L_Grund->setWordWrap(true);
    L_Grund->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Btn_Erneut = placeButton(this, "Btn_Erneut", retryLabel(), {12, 88, 112, 25});
    Btn_Trotzdem = placeButton(this, "Btn_Trotzdem", forceLabel(), {134, 88, 112, 25});
    Btn_Schliessen = placeButton(this, "Btn_Schliessen", closeLabel(), {256, 88, 112, 25});
    connect(Btn_Erneut, &QPushButton::clicked, this, [this] { choose(OnErneut); });
    connect(Btn_Trotzdem, &QPushButton::clicked, this, [this] { choose(OnTrotzdem); });
    connect(Btn_Schliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { choose(OnGeschlossen); });
}

QString TAktionsfehler::retryLabel()
{
    return tr("Erneut versuchen");
}

QString TAktionsfehler::forceLabel()
{
    return tr("Trotzdem ausführen");
}

QString TAktionsfehler::closeLabel()
{
    return tr("Schließen");
}

void TAktionsfehler::showFailure(quint8 action, const PowerFailure& failure)
{
    L_Titel->setText(PowerFailure::headline(action));
    L_Grund->setText(failure.reason());
    Btn_Trotzdem->setVisible(failure.forcingMayHelp());
    Btn_Schliessen->setDefault(true);
    if (!isVisible()) {
        centreOnScreen(*this);
        show();
    }
    raise();
    activateWindow();
}

void TAktionsfehler::choose(const std::function<void()>& choice)
{
    // The copy keeps the handler alive while it runs: it may show the report anew.
    const std::function<void()> chosen = choice;
    if (chosen)
        chosen();
}

} // namespace kelvaro
