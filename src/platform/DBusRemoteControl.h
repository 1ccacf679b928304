#pragma once

#include "core/RemoteState.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kelvaro {

/**
 * The program on the session bus: under the name io.github.kelvaro.Kelvaro.instance<pid>, the object
 * /io/github/kelvaro/Kelvaro with the interface io.github.kelvaro.Kelvaro1 (described in
 * src/resources/io.github.kelvaro.Kelvaro1.xml). Its properties show the run and change with
 * PropertiesChanged; its methods do what the entries of the tray menu do, and a method whose entry
 * is disabled answers with an error that says why. Without a bus, or when the bus refuses the name,
 * nothing else changes.
 */
class DBusRemoteControl : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.kelvaro.Kelvaro1")
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(QString Action READ action)
    Q_PROPERTY(qlonglong StartTime READ startTime)
    Q_PROPERTY(qlonglong EndTime READ endTime)
    Q_PROPERTY(QString Message READ message)
    Q_PROPERTY(QString Preset READ preset)

public:
    /** What the methods do; those that answer false refused (their entry is disabled). */
    struct Handlers
    {
        std::function<bool()> start;
        std::function<bool()> stop;
        std::function<bool(qint64 ms)> postpone;
        std::function<void()> show;
        std::function<void()> quit;
    };

    static QString servicePrefix() { return QStringLiteral("io.github.kelvaro.Kelvaro.instance"); }
    static QString objectPath() { return QStringLiteral("/io/github/kelvaro/Kelvaro"); }
    static QString interfaceName() { return QStringLiteral("io.github.kelvaro.Kelvaro1"); }
    /** The process number in a bus name of the program; nothing for another name. */
    static std::optional<qint64> pidOf(const QString& serviceName);

    explicit DBusRemoteControl(Handlers handlers, QObject* parent = nullptr);
    ~DBusRemoteControl() override;

    /** Shows `state` on the bus; the properties that changed are announced with PropertiesChanged. */
    void publish(const RemoteState& state);
    /** Puts the object on `bus` under the name of process `pid`. False when there is no bus, or when
     *  the name is refused (told on standard error). */
    bool offer(const QDBusConnection& bus, qint64 pid);

    QString state() const { return RemoteState::runName(m_state.run); }
    QString action() const { return RemoteState::actionName(m_state.action); }
    /** Microseconds since the epoch; 0 while idle. */
    qlonglong startTime() const { return m_state.startMs * 1000; }
    /** Microseconds since the epoch; 0 without an end. */
    qlonglong endTime() const { return m_state.endMs * 1000; }
    QString message() const { return m_state.message; }
    QString preset() const { return m_state.preset; }

public Q_SLOTS:
    Q_SCRIPTABLE void Start();
    Q_SCRIPTABLE void Stop();
    Q_SCRIPTABLE void Postpone(uint seconds);
    Q_SCRIPTABLE void Show();
    Q_SCRIPTABLE void Quit();

private:
    void refuse(const QString& error, const QString& text);

    Handlers m_handlers;
    RemoteState m_state;
    std::optional<QDBusConnection> m_bus;
};

} // namespace kelvaro
