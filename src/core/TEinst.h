#pragma once

#include <QString>
#include <QtGlobal>

namespace kelvaro {

class RegistryStore;
class RegistryTree;

/** Codes of the action carried out when the time is up. */
enum Aktion : quint8 {
    AktionNachricht = 0,
    AktionShutdown = 1,
    AktionRestart = 2,
    AktionLogoff = 3,
    AktionStandby = 4,
    AktionHibernate = 5,
    AktionSperren = 6 // lock the screen
};
/** Whether `aktion` is one of the codes above; any other code is no action. */
constexpr bool isKnownAktion(quint8 aktion)
{
    return aktion <= AktionSperren;
}
/** Whether `aktion` can be forced past programs that hold it up. */
constexpr bool isForceableAktion(quint8 aktion)
{
    return aktion == AktionShutdown || aktion == AktionRestart || aktion == AktionLogoff;
}
/** Codes of the time mode; they equal the positions in the main window's time-mode list. */
enum ZeitMode : quint8 {
    ZeitCountdown = 0,
    ZeitUhrzeit = 1,
    ZeitStopuhr = 2,
    ZeitProgrammende = 3,
    ZeitInaktivitaet = 4, // no input for the time in the time fields
    ZeitLeerlauf = 5      // processor and network below their limits for the time in the time fields
};
/** Codes of the sound played with the message. */
enum SoundMode : quint8 { SoundNone = 0, SoundBeep = 1, SoundFile = 2 };

/** One complete set of options: the default set, a preset, a command line or a launcher file. */
struct TROptionen
{
    QString Name;
    quint8 Aktion = 0;
    quint8 ZeitMode = 0;
    bool SofortStart = false;
    bool ClosePgm = false;
    bool Minimize = false;
    bool Force = false;
    quint8 SoundMode = 0;
    qint32 AnzBeeps = 0;
    QString SoundFile;
    QString Nachricht;
    qint32 Zeit_Stunden = 0;
    qint32 Zeit_Minuten = 0;
    qint32 Zeit_Sekunden = 0;
    /** Seconds before a power action at which it is announced; 0 for no announcement. */
    qint32 Vorwarnzeit = 60;
    /** The program whose end a run waits for (time mode "Programmende"): a process number or a name. */
    QString Programm;
    /** Time mode "Leerlauf": the processor use in percent below which the machine counts as quiet; 0: not watched. */
    qint32 Leerlauf_CPU = 10;
    /** Time mode "Leerlauf": the network traffic in kB/s below which the machine counts as quiet; 0: not watched. */
    qint32 Leerlauf_Netz = 50;

    bool operator==(const TROptionen&) const = default;
};

/**
 * An options object holding one TROptionen, with a setter and getter per field. The time setters
 * refuse values outside their range; everything else is stored as given.
 */
class TEinst
{
public:
    TEinst();

    /** Name "Optionen", message action, countdown, beep sound with 3 beeps, everything else empty. */
    void SetDefaults();
    /** Copies every field of the record, the time fields without range check. */
    void SetOptions(const TROptionen& options);
    void GetOptions(TROptionen& options) const;
    const TROptionen& options() const { return m_options; }

    void SetName(const QString& value) { m_options.Name = value; }
    QString GetName() const { return m_options.Name; }
    void SetNachricht(const QString& value) { m_options.Nachricht = value; }
    QString GetNachricht() const { return m_options.Nachricht; }
    void SetSoundFile(const QString& value) { m_options.SoundFile = value; }
    QString GetSoundFile() const { return m_options.SoundFile; }
    void SetProgramm(const QString& value) { m_options.Programm = value; }
    QString GetProgramm() const { return m_options.Programm; }

    void SetAktion(quint8 value) { m_options.Aktion = value; }
    quint8 GetAktion() const { return m_options.Aktion; }
    void SetZeitMode(quint8 value) { m_options.ZeitMode = value; }
    quint8 GetZeitMode() const { return m_options.ZeitMode; }
    void SetSoundMode(quint8 value) { m_options.SoundMode = value; }
    quint8 GetSoundMode() const { return m_options.SoundMode; }

    void SetSofortStart(bool value) { m_options.SofortStart = value; }
    bool GetSofortStart() const { return m_options.SofortStart; }
    void SetClosePgm(bool value) { m_options.ClosePgm = value; }
    bool GetClosePgm() const { return m_options.ClosePgm; }
    void SetMinimize(bool value) { m_options.Minimize = value; }
    bool GetMinimize() const { return m_options.Minimize; }
    void SetForce(bool value) { m_options.Force = value; }
    bool GetForce() const { return m_options.Force; }

    void SetAnzBeeps(qint32 value) { m_options.AnzBeeps = value; }
    qint32 GetAnzBeeps() const { return m_options.AnzBeeps; }

    /** Accepts 0 to 23; otherwise keeps the old value and returns false. */
    bool SetStunden(qint32 value);
    /** Accepts 0 to 59; otherwise keeps the old value and returns false. */
    bool SetMinuten(qint32 value);
    /** Accepts 0 to 59; otherwise keeps the old value and returns false. */
    bool SetSekunden(qint32 value);
    void GetZeit(qint32& hours, qint32& minutes, qint32& seconds) const;

    /** The lead time a set has when none is given: stored sets written before it existed, command
     *  lines and launchers without -W. */
    static constexpr qint32 kDefaultVorwarnzeit = 60;
    /** Accepts 0 seconds or more (0: no announcement); otherwise keeps the old value and returns false. */
    bool SetVorwarnzeit(qint32 value);
    qint32 GetVorwarnzeit() const { return m_options.Vorwarnzeit; }

    /** The limits a set has when none are given: stored sets written before they existed, command
     *  lines without them. */
    static constexpr qint32 kDefaultLeerlaufCpu = 10;
    static constexpr qint32 kDefaultLeerlaufNetz = 50;
    /** A processor limit: 0 to 100 percent (0: not watched). */
    static constexpr bool isLeerlaufCpu(qint32 value) { return value >= 0 && value <= 100; }
    /** A network limit: 0 kB/s or more (0: not watched). */
    static constexpr bool isLeerlaufNetz(qint32 value) { return value >= 0; }
    /** Accepts a processor limit; otherwise keeps the old value and returns false. */
    bool SetLeerlaufCpu(qint32 value);
    qint32 GetLeerlaufCpu() const { return m_options.Leerlauf_CPU; }
    /** Accepts a network limit; otherwise keeps the old value and returns false. */
    bool SetLeerlaufNetz(qint32 value);
    qint32 GetLeerlaufNetz() const { return m_options.Leerlauf_Netz; }

    /** Reads set `number` (0 the default set, n > 0 preset n). A missing key changes nothing; each
     *  value that is missing or of the wrong type gives its field a fallback (for the lead time and
     *  the two quiet limits, which older files do not hold, their defaults). */
    void LoadFromRegistry(RegistryStore& store, int number);
    void LoadFromTree(const RegistryTree& tree, int number);
    /** Writes set `number`, creating its key and the keys above it, all values in one step.
     *  Throws AppError naming the value when the store cannot be written. */
    void SaveToRegistry(RegistryStore& store, int number) const;
    void SaveToTree(RegistryTree& tree, int number) const;

    /** "Software\Kelvaro" for numbers up to 0, else "Software\Kelvaro\" and the number padded to three digits. */
    static QString KeyPath(int number);

private:
    TROptionen m_options;
};

} // namespace kelvaro
