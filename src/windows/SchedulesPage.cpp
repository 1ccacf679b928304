#include "windows/SchedulesPage.h"

#include "core/MessageBoxes.h"
#include "core/ScheduleBook.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimeEdit>
#include <QTreeWidget>

namespace kelvaro {

namespace {

const char* const DayLabels[] = {QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Mo"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Di"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Mi"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Do"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Fr"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "Sa"),
                                 QT_TRANSLATE_NOOP("kelvaro::SchedulesPage", "So")};

/** The days of a calendar expression in the user's words ("Mo..Fr"), or the expression's first part. */
QString daysOf(const QString& calendar)
{
    const QStringList parts = calendar.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 3)
        return SchedulesPage::tr("täglich");
    QString days = parts.constFirst();
    for (int day = 0; day < 7; ++day)
        days.replace(Schedule::weekdayNames()[day], SchedulesPage::tr(DayLabels[day]));
    return days.replace(QStringLiteral(".."), QStringLiteral("–"));
}

/** The time of day of a calendar expression as hh:mm (with seconds when they are not 0). */
QString timeOf(const QString& calendar)
{
    QString time = calendar.section(QLatin1Char(' '), -1);
    if (time.endsWith(QLatin1String(":00")) && time.count(QLatin1Char(':')) == 2)
        time.chop(3);
    return time;
}

} // namespace

SchedulesPage::SchedulesPage(QWidget* page, const Links& links) : m_page(page), m_links(links)
{
    // The controls are made, and the service manager is asked, when the user first looks at the page,
    // not while the program starts.
    page->installEventFilter(this);
}

void SchedulesPage::build()
{
    QWidget* const page = m_page;
    LBx_Zeitplaene = new QTreeWidget(page);
    LBx_Zeitplaene->setObjectName(QStringLiteral("LBx_Zeitplaene"));
    LBx_Zeitplaene->setGeometry(8, 8, 361, 112);
    LBx_Zeitplaene->setRootIsDecorated(false);
    LBx_Zeitplaene->setHeaderLabels({tr("Einstellung"), tr("Tage"), tr("Zeit"), tr("Nächster Lauf"), tr("Aktiv")});
    LBx_Zeitplaene->header()->setStretchLastSection(false);
    LBx_Zeitplaene->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    L_ZeitplanHinweis = placeLabel(page, "L_ZeitplanHinweis", QString(), QRect(8, 8, 361, 112));
    L_ZeitplanHinweis->setWordWrap(true);
    L_ZeitplanHinweis->setAlignment(Qt::AlignCenter);
    L_ZeitplanHinweis->hide();
    Btn_ZeitplanLoeschen = placeButton(page, "Btn_ZeitplanLoeschen", tr("&Löschen"), QRect(289, 124, 80, 25));

    placeLabel(page, "L_ZeitplanNeu", tr("Neuer Zeitplan mit:"), QRect(8, 158, 110, 21));
    CBx_ZeitplanEinst = new QComboBox(page);
    CBx_ZeitplanEinst->setObjectName(QStringLiteral("CBx_ZeitplanEinst"));
    CBx_ZeitplanEinst->setGeometry(120, 158, 249, 21);
    for (int day = 0; day < 7; ++day) {
        CBx_Tage[day] = new QCheckBox(tr(DayLabels[day]), page);
        CBx_Tage[day]->setObjectName(QStringLiteral("CBx_Tag%1").arg(day + 1));
        CBx_Tage[day]->setGeometry(8 + day * 48, 184, 46, 21);
    }
    Ed_ZeitplanZeit = new QTimeEdit(QTime(23, 0), page);
    Ed_ZeitplanZeit->setObjectName(QStringLiteral("Ed_ZeitplanZeit"));
    Ed_ZeitplanZeit->setDisplayFormat(QStringLiteral("HH:mm"));
    Ed_ZeitplanZeit->setGeometry(8, 210, 70, 21);
    Btn_ZeitplanNeu = placeButton(page, "Btn_ZeitplanNeu", tr("&Neu"), QRect(289, 208, 80, 25));

    connect(Btn_ZeitplanNeu, &QPushButton::clicked, this, &SchedulesPage::Btn_ZeitplanNeuClick);
    connect(Btn_ZeitplanLoeschen, &QPushButton::clicked, this, &SchedulesPage::Btn_ZeitplanLoeschenClick);
    // Made while the page is being shown: its children were shown before they were there.
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->setVisible(control != L_ZeitplanHinweis);
}

SchedulesPage::~SchedulesPage() = default;

bool SchedulesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page && event->type() == QEvent::Show)
        refresh();
    return QObject::eventFilter(watched, event);
}

void SchedulesPage::setUsable(bool usable)
{
    LBx_Zeitplaene->setVisible(usable);
    L_ZeitplanHinweis->setVisible(!usable);
    for (QWidget* control : m_page->findChildren<QWidget*>()) {
        if (control != L_ZeitplanHinweis && control->parentWidget() == m_page)
            control->setEnabled(usable);
    }
}

void SchedulesPage::refresh()
{
    if (!LBx_Zeitplaene)
        build();
    if (!m_asked) {
        m_asked = true;
        if (m_links.manager && m_links.manager->available())
            m_book = std::make_unique<ScheduleBook>(m_links.folder, *m_links.manager);
    }
    if (!m_book) {
        L_ZeitplanHinweis->setText(tr("Die Benutzerinstanz von systemd ist nicht erreichbar: ohne sie gibt es keine "
                                      "Zeitpläne."));
        setUsable(false);
        return;
    }
    setUsable(true);

    CBx_ZeitplanEinst->clear();
    CBx_ZeitplanEinst->addItem(tr("Aktuelle Einstellungen"));
    for (const TROptionen& preset : m_links.presets())
        CBx_ZeitplanEinst->addItem(preset.Name);

    LBx_Zeitplaene->clear();
    for (const Schedule& schedule : m_book->schedules()) {
        const std::optional<ServiceManager::TimerState> state =
            m_links.manager->timerState(Schedule::timerName(schedule.id));
        QString next;
        if (state && state->nextElapseUs > 0)
            //: The date and time of a schedule's next run (Qt's date-time format).
            next = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(state->nextElapseUs / 1000))
                       .toString(tr("dd.MM.yyyy HH:mm"));
        QString what = schedule.description;
        what.remove(QRegularExpression(QStringLiteral("^Kelvaro: ")));
        auto* item = new QTreeWidgetItem(LBx_Zeitplaene, {what, daysOf(schedule.calendar), timeOf(schedule.calendar),
                                                          next, state && state->active ? tr("ja") : tr("nein")});
        item->setData(0, Qt::UserRole, schedule.id);
    }
    Btn_ZeitplanLoeschen->setEnabled(LBx_Zeitplaene->topLevelItemCount() > 0);
}

TEinst SchedulesPage::chosenOptions(QString& name) const
{
    TEinst options;
    const int index = CBx_ZeitplanEinst->currentIndex();
    const std::vector<TROptionen> presets = m_links.presets();
    name.clear();
    if (index >= 1 && static_cast<size_t>(index) <= presets.size()) {
        options.SetOptions(presets[static_cast<size_t>(index - 1)]);
        name = options.GetName();
    } else
        options.SetOptions(m_links.currentOptions.options());
    return options;
}

void SchedulesPage::Btn_ZeitplanNeuClick()
{
    if (!m_book)
        return;
    QList<int> days;
    for (int day = 0; day < 7; ++day) {
        if (CBx_Tage[day]->isChecked())
            days << day + 1;
    }
    if (days.isEmpty()) {
        m_links.boxes.warning(tr("Bitte wählen Sie mindestens einen Tag."));
        return;
    }
    const QTime time = Ed_ZeitplanZeit->time();
    QString name;
    const TEinst options = chosenOptions(name);
    const Schedule schedule =
        Schedule::of(m_book->freeId(), Schedule::calendarFor(days, QTime(time.hour(), time.minute())), options, name);
    if (const ScheduleBook::Error error = m_book->add(schedule, m_links.programPath))
        m_links.boxes.error(tr("Der Zeitplan wurde nicht angelegt.\n%1").arg(*error));
    refresh();
}

void SchedulesPage::Btn_ZeitplanLoeschenClick()
{
    const QTreeWidgetItem* item = LBx_Zeitplaene->currentItem();
    if (!m_book || !item)
        return;
    if (const ScheduleBook::Error error = m_book->remove(item->data(0, Qt::UserRole).toString()))
        m_links.boxes.error(tr("Der Zeitplan wurde nicht gelöscht.\n%1").arg(*error));
    refresh();
}

} // namespace kelvaro
