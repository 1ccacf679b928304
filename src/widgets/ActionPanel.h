#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kelvaro {

class ClickPanel;
class PowerActions;
class TEinst;

/**
 * The choice of the action: seven picture panels (message, shut down, restart, log off, standby,
 * hibernate, lock the screen), the force box and the message text. Clicking a panel chooses its
 * action; every change is written into the bound options object and the owning window is redrawn.
 * The main window's "Aktion" page and the preset editor each have one.
 */
class ActionPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Variant { MainWindow, Editor };

    explicit ActionPanel(Variant variant, QWidget* parent = nullptr);

    void bind(TEinst& options, std::function<void()> showOptions);
    /** The system whose answers show the power actions it cannot carry out as unavailable
     *  (greyed, with a tip that says why). It is asked once, when the panel is first shown. */
    void setPowerActions(PowerActions* power) { m_power = power; }
    /** Writes the chosen action, the force box and the message into the controls without running handlers. */
    void showOptions(const TEinst& options);

    /** The status-bar text of an action code, or nothing for a code without an action. */
    static QString statusText(quint8 aktion);

    ClickPanel* panel(quint8 aktion) const;

    ClickPanel* P_Msg;
    QWidget* Panel6;
    ClickPanel* P_Shutdown;
    ClickPanel* P_Restart;
    ClickPanel* P_Logoff;
    QCheckBox* CBx_Force;
    ClickPanel* P_Standby;
    ClickPanel* P_Hibernate;
    ClickPanel* P_Sperren;
    QLineEdit* Ed_Nachricht;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showAvailability(quint8 aktion, bool available, const QString& why);
    ClickPanel* makePanel(QWidget* parent, const char* name, const char* pictureName, const QString& picture, int x,
                          int y, const QString& caption);
    void choose(quint8 aktion);
    void CBx_ForceClick(bool checked);
    void Ed_NachrichtChange(const QString& text);

    TEinst* m_options = nullptr;
    std::function<void()> m_showOptions;
    PowerActions* m_power = nullptr;
    bool m_availabilityAsked = false;
};

} // namespace kelvaro
