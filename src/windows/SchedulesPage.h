#pragma once

#include "core/TEinst.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimeEdit;
class QTreeWidget;
class QWidget;

namespace kelvaro {

class MessageBoxes;
class ScheduleBook;
class ServiceManager;

/**
 * The page "Zeitpläne": repeating schedules kept by the user's service manager (systemd). It lists
 * them with their next run, makes a new one from the current options or a preset for the days and
 * the time chosen, and deletes the one selected. Without a reachable service manager the page says
 * so and offers nothing. The manager is first asked when the page is first shown.
 */
class SchedulesPage : public QObject
{
    Q_OBJECT

public:
    /** What the page works with; everything must outlive the page. */
    struct Links
    {
        /** The user's service manager; null where there is none. */
        ServiceManager* manager;
        /** The folder of the user's unit files. */
        QString folder;
        /** The main window's options, for "Aktuelle Einstellungen". */
        const TEinst& currentOptions;
        /** The presets as stored. */
        std::function<std::vector<TROptionen>()> presets;
        MessageBoxes& boxes;
        /** The program file the schedules start. */
        QString programPath;
    };

    /** The page's controls go into `page` when it is first shown (or refreshed); until then the
     *  controls below are null. */
    SchedulesPage(QWidget* page, const Links& links);
    ~SchedulesPage() override;

    /** Lists the schedules anew (and, the first time, asks whether the manager can be reached). */
    void refresh();
    void Btn_ZeitplanNeuClick();
    void Btn_ZeitplanLoeschenClick();

    QTreeWidget* LBx_Zeitplaene = nullptr;
    QLabel* L_ZeitplanHinweis = nullptr;
    QComboBox* CBx_ZeitplanEinst = nullptr;
    QCheckBox* CBx_Tage[7] = {};
    QTimeEdit* Ed_ZeitplanZeit = nullptr;
    QPushButton* Btn_ZeitplanNeu = nullptr;
    QPushButton* Btn_ZeitplanLoeschen = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void setUsable(bool usable);
    /** The options the choice names: the current options or a preset; `name` gets the preset's name. */
    TEinst chosenOptions(QString& name) const;

    QWidget* m_page;
    Links m_links;
    std::unique_ptr<ScheduleBook> m_book;
    bool m_asked = false;
};

} // namespace kelvaro
