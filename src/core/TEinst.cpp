#include "core/TEinst.h"

#include "core/AppError.h"
#include "core/Registry.h"

#include <QCoreApplication>

#include <optional>

namespace kelvaro {

TEinst::TEinst()
{
    SetDefaults();
}

void TEinst::SetDefaults()
{
    m_options = TROptionen{};
    m_options.Name = QStringLiteral("Optionen");
    m_options.Aktion = AktionNachricht;
    m_options.ZeitMode = ZeitCountdown;
    m_options.SoundMode = SoundBeep;
    m_options.AnzBeeps = 3;
}

void TEinst::SetOptions(const TROptionen& options)
{
    m_options = options;
}

void TEinst::GetOptions(TROptionen& options) const
{
    options = m_options;
}

bool TEinst::SetStunden(qint32 value)
{
    if (value < 0 || value > 23)
        return false;
    m_options.Zeit_Stunden = value;
    return true;
}

bool TEinst::SetMinuten(qint32 value)
{
    if (value < 0 || value > 59)
        return false;
    m_options.Zeit_Minuten = value;
    return true;
}

bool TEinst::SetSekunden(qint32 value)
{
    if (value < 0 || value > 59)
        return false;
    m_options.Zeit_Sekunden = value;
    return true;
}

bool TEinst::SetVorwarnzeit(qint32 value)
{
    if (value < 0)
        return false;
    m_options.Vorwarnzeit = value;
    return true;
}

bool TEinst::SetLeerlaufCpu(qint32 value)
{
    if (!isLeerlaufCpu(value))
        return false;
    m_options.Leerlauf_CPU = value;
    return true;
}

bool TEinst::SetLeerlaufNetz(qint32 value)
{
    if (!isLeerlaufNetz(value))
        return false;
    m_options.Leerlauf_Netz = value;
    return true;
}

void TEinst::GetZeit(qint32& hours, qint32& minutes, qint32& seconds) const
{
    hours = m_options.Zeit_Stunden;
    minutes = m_options.Zeit_Minuten;
    seconds = m_options.Zeit_Sekunden;
}

QString TEinst::KeyPath(int number)
{
    if (number <= 0)
        return kMainKey;
    return kMainKey + u'\\' + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

namespace {

/** A text value: REG_SZ or REG_EXPAND_SZ as stored; missing or of another type reads as empty. */
QString readText(const RegistryTree& tree, const QString& key, const QString& name)
{
    const std::optional<RegValue> value = tree.value(key, name);
    if (value && (value->type == REG_SZ || value->type == REG_EXPAND_SZ))
        return value->text;
    return {};
}

/** A number or flag value: only REG_DWORD reads; anything else fails. */
std::optional<quint32> readDword(const RegistryTree& tree, const QString& key, const QString& name)
{
    const std::optional<RegValue> value = tree.value(key, name);
    if (value && value->type == REG_DWORD)
        return value->dword;
    return std::nullopt;
}

} // namespace

void TEinst::LoadFromRegistry(RegistryStore& store, int number)
{
    LoadFromTree(store.load(), number);
}

void TEinst::LoadFromTree(const RegistryTree& tree, int number)
{
    const QString key = KeyPath(number);
    if (!tree.keyExists(key))
        return;

    auto code = [&](const char* name) {
        return static_cast<quint8>(readDword(tree, key, QLatin1String(name)).value_or(0) & 0xFF);
    };
    auto flag = [&](const char* name) {
        return readDword(tree, key, QLatin1String(name)).value_or(0) != 0;
    };
    // A stored time outside its range is refused by the setter and the field keeps its value;
    // only a value that cannot be read at all falls back to 0.
    auto number32 = [&](const char* name, qint32 fallback) {
        const std::optional<quint32> value = readDword(tree, key, QLatin1String(name));
        return value ? static_cast<qint32>(*value) : fallback;
    };

    SetName(readText(tree, key, QStringLiteral("Name")));
    SetAktion(code("Aktion"));
    SetZeitMode(code("ZeitMode"));
    SetStunden(number32("Zeit_Stunden", 0));
    SetMinuten(number32("Zeit_Minuten", 0));
    SetSekunden(number32("Zeit_Sekunden", 0));
    SetSofortStart(flag("SofortStart"));
    SetClosePgm(flag("ClosePgm"));
    SetMinimize(flag("Minimize"));
    SetForce(flag("Force"));
    SetSoundMode(code("SoundMode"));
    SetAnzBeeps(number32("AnzBeeps", 3));
    SetSoundFile(readText(tree, key, QStringLiteral("SoundFile")));
    SetNachricht(readText(tree, key, QStringLiteral("Nachricht")));
    // Files written before the lead time existed do not hold it; a negative number is no lead time.
    const std::optional<quint32> lead = readDword(tree, key, QStringLiteral("Vorwarnzeit"));
    if (!lead || !SetVorwarnzeit(static_cast<qint32>(*lead)))
        SetVorwarnzeit(kDefaultVorwarnzeit);
    SetProgramm(readText(tree, key, QStringLiteral("Programm")));
    // Likewise the limits of the quiet machine; a number out of range reads as the default.
    const std::optional<quint32> cpu = readDword(tree, key, QStringLiteral("Leerlauf_CPU"));
    if (!cpu || !SetLeerlaufCpu(static_cast<qint32>(*cpu)))
        SetLeerlaufCpu(kDefaultLeerlaufCpu);
    const std::optional<quint32> net = readDword(tree, key, QStringLiteral("Leerlauf_Netz"));
    if (!net || !SetLeerlaufNetz(static_cast<qint32>(*net)))
        SetLeerlaufNetz(kDefaultLeerlaufNetz);
}

void TEinst::SaveToTree(RegistryTree& tree, int number) const
{
    const QString key = KeyPath(number);
    tree.createKey(key);
    auto put = [&](const char* name, const RegValue& value) {
        tree.setValue(key, QLatin1String(name), value);
    };
    auto dword = [](qint64 value) {
        return RegValue::fromDword(static_cast<quint32>(value));
    };

    put("Name", RegValue::sz(m_options.Name));
    put("Aktion", dword(m_options.Aktion));
    put("ZeitMode", dword(m_options.ZeitMode));
    put("Zeit_Stunden", dword(m_options.Zeit_Stunden));
    put("Zeit_Minuten", dword(m_options.Zeit_Minuten));
    put("Zeit_Sekunden", dword(m_options.Zeit_Sekunden));
    put("SofortStart", dword(m_options.SofortStart ? 1 : 0));
    put("ClosePgm", dword(m_options.ClosePgm ? 1 : 0));
    put("Minimize", dword(m_options.Minimize ? 1 : 0));
    put("Force", dword(m_options.Force ? 1 : 0));
    put("SoundMode", dword(m_options.SoundMode));
    put("AnzBeeps", dword(m_options.AnzBeeps));
    put("SoundFile", RegValue::sz(m_options.SoundFile));
    put("Nachricht", RegValue::sz(m_options.Nachricht));
    put("Vorwarnzeit", dword(m_options.Vorwarnzeit));
    put("Programm", RegValue::sz(m_options.Programm));
    put("Leerlauf_CPU", dword(m_options.Leerlauf_CPU));
    put("Leerlauf_Netz", dword(m_options.Leerlauf_Netz));
}

void TEinst::SaveToRegistry(RegistryStore& store, int number) const
{
    // The values are written together: the stored set is either the old or the new one.
    QString error;
    if (!store.update([&](RegistryTree& tree) { SaveToTree(tree, number); }, &error)) {
        throw AppError(QCoreApplication::translate("TEinst",
                                                   "Der Registry-Wert \"Name\" in HKEY_CURRENT_USER\\%1 konnte "
                                                   "nicht geschrieben werden: %2")
                           .arg(KeyPath(number), error));
    }
}

} // namespace kelvaro
