#include "windows/TDeinstallation.h"

#include "core/MessageBoxes.h"
#include "core/Registry.h"
#include "core/ScheduleBook.h"
#include "widgets/Controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace kelvaro {

namespace {

constexpr int kClientWidth = 268;
constexpr int kClientHeight = 204;
/** The space below the last line of the group box and below the group box. */
constexpr int kGap = 9;

const QString kSoftwareKey = QStringLiteral("Software");

} // namespace

TDeinstallation::TDeinstallation(RegistryStore& store, MessageBoxes& boxes, ExitFunction exitProgram, QWidget* parent)
    : QDialog(parent), m_store(store), m_boxes(boxes), m_exit(std::move(exitProgram))
{
    setupUi();
    connect(Btn_Deinstallieren, &QPushButton::clicked, this, &TDeinstallation::Btn_DeinstallierenClick);
    connect(Btn_Abbruch, &QPushButton::clicked, this, &TDeinstallation::Btn_AbbruchClick);
    // finished covers every way of closing: the buttons, the close box and Escape.
    connect(this, &QDialog::finished, this, &TDeinstallation::FormClose);
}

void TDeinstallation::setupUi()
{
    setUpFixedDialog(*this, "Deinstallation", tr("Kelvaro - Deinstallation"), {kClientWidth, kClientHeight});

    auto* group = new QGroupBox(tr("Uninstall"), this);
    m_group = group;
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 8, 252, 153);
    Btn_Deinstallieren = placeButton(group, "Btn_Deinstallieren", tr("Registry Einträge entfernen"), {16, 24, 220, 25});
    QLabel* explanation = placeLabel(group, "Label1",
                                     tr("Zum vollständigen Entfernen von Kelvaro, müssen lediglich die "
                                        "Registry Einträge entfernt und das Programm mit der "
                                        "Paketverwaltung gelöscht werden."),
                                     {16, 60, 220, 56});
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeLabel(group, "Label2", QStringLiteral("(HKEY_CURRENT_USER\\Software\\Kelvaro)"), {16, 128, 220, 16});

    m_places = placeLabel(group, "Label3", QString(), {16, 148, 220, 0});
    m_places->setWordWrap(true);
    m_places->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_places->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Btn_OK = placeButton(this, "Btn_OK", tr("&OK"), {104, 0, 75, 25});
    Btn_OK->setToolTip(tr("Einstellungen übernehmen"));
    Btn_OK->setDefault(true);
    Btn_Abbruch = placeButton(this, "Btn_Abbruch", tr("&Schließen"), {185, 0, 75, 25});
    Btn_Abbruch->setToolTip(tr("Einstellungen verwerfen"));
    showPlaces();
}

void TDeinstallation::showPlaces()
{
    // Where the entries are kept, in as many lines as that needs; the group and the window grow with them.
    m_places->setText(removedPlaces().join(u'\n'));
    m_places->resize(m_places->width(), m_places->heightForWidth(m_places->width()));
    const int groupHeight = m_places->geometry().bottom() + 1 + kGap;
    m_group->resize(m_group->width(), groupHeight);
    const int buttonsTop = m_group->y() + groupHeight + kGap;
    Btn_OK->move(Btn_OK->x(), buttonsTop);
    Btn_Abbruch->move(Btn_Abbruch->x(), buttonsTop);
    setFixedSize(kClientWidth, buttonsTop + Btn_OK->height() + kGap);
}

void TDeinstallation::showEvent(QShowEvent* event)
{
    // Schedules may have been made since the dialog was built.
    if (!event->spontaneous())
        showPlaces();
    QDialog::showEvent(event);
}

void TDeinstallation::setSchedules(ScheduleBook* book)
{
    m_schedules = book;
}

QStringList TDeinstallation::removedPlaces() const
{
    QStringList places{tr("in der Einstellungsdatei %1").arg(m_store.location())};
    if (m_schedules && !m_schedules->schedules().isEmpty())
        places << tr("und die Zeitpläne in %1").arg(m_schedules->folder());
    return places;
}

bool TDeinstallation::removeSchedules()
{
    if (!m_schedules)
        return true;
    for (const Schedule& schedule : m_schedules->schedules()) {
        if (const ScheduleBook::Error error = m_schedules->remove(schedule.id)) {
            m_boxes.error(tr("Der Zeitplan %1 konnte nicht entfernt werden.\n%2").arg(schedule.id, *error));
            return false;
        }
    }
    return true;
}

void TDeinstallation::setOnClose(std::function<void()> onClose)
{
    m_onClose = std::move(onClose);
}

void TDeinstallation::removeAllSettings(RegistryTree& tree)
{
    tree.deleteKey(kMainKey);
    if (tree.keyExists(kSoftwareKey) && tree.subkeys(kSoftwareKey).isEmpty() && tree.valueNames(kSoftwareKey).isEmpty())
        tree.deleteKey(kSoftwareKey);
}

void TDeinstallation::Btn_DeinstallierenClick()
{
    if (!m_boxes.askYesNo(tr("Sollen alle Kelvaro Registry Einträge gelöscht werden?")))
        return;
    // A schedule left behind would start the program again with settings that are gone.
    if (!removeSchedules())
        return;

    // Nothing to remove means nothing to write: the store is not created just to be empty.
    RegistryTree after = m_store.load();
    const RegistryTree before = after;
    removeAllSettings(after);
    QString error;
    if (!(after == before) && !m_store.update(&TDeinstallation::removeAllSettings, &error)) {
        // Telling the user the settings are gone when they are not would be wrong: keep running.
        m_boxes.error(tr("Die Registry Einträge konnten nicht gelöscht werden.\n%1").arg(error));
        return;
    }

    m_boxes.information(tr("Registry Einträge wurden gelöscht.\n\rKelvaro wird nun beendet."));
    m_exit(1);
}

void TDeinstallation::Btn_AbbruchClick()
{
    close();
}

void TDeinstallation::FormClose()
{
    if (m_onClose)
        m_onClose();
}

} // namespace kelvaro
