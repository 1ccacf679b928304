#pragma once

#include "core/Registry.h"
#include "core/TEinst.h"

#include <QString>

namespace kelvaro::test {

/** A complete option set in which every field tells its number `n`, so a stored set shows which
 *  save it came from and a mix of two sets cannot pass for either. */
inline TEinst numberedOptions(int n)
{
    TEinst options;
    options.SetName(QStringLiteral("Satz %1").arg(n));
    options.SetAktion(static_cast<quint8>(n % 5));
    options.SetZeitMode(static_cast<quint8>(n % 3));
    options.SetStunden(n % 24);
    options.SetMinuten(n % 60);
    options.SetSekunden(n * 7 % 60);
    options.SetSofortStart(n & 1);
    options.SetClosePgm(n & 2);
    options.SetMinimize(n & 4);
    options.SetForce(n & 8);
    options.SetSoundMode(static_cast<quint8>(n % 3));
    options.SetAnzBeeps(n);
    options.SetVorwarnzeit(n);
    options.SetSoundFile(QStringLiteral("/klang/%1.wav").arg(n));
    // Long enough that the file takes more than one write.
    options.SetNachricht(QStringLiteral("Runde %1 ").arg(n).repeated(40));
    return options;
}

/** The number of the set stored as set `number` of `tree`, when it is exactly one numberedOptions
 *  set with nothing else in its key; otherwise -1. */
inline int numberOfStoredSet(const RegistryTree& tree, int number)
{
    TEinst stored;
    stored.LoadFromTree(tree, number);
    bool ok = false;
    const int n = stored.GetName().section(u' ', 1).toInt(&ok);
    if (!ok || stored.GetName() != numberedOptions(n).GetName())
        return -1;
    RegistryTree exact;
    numberedOptions(n).SaveToTree(exact, number);
    const QString key = TEinst::KeyPath(number);
    for (const QString& name : tree.valueNames(key)) {
        if (tree.value(key, name) != exact.value(key, name))
            return -1;
    }
    return tree.valueNames(key).size() == exact.valueNames(key).size() ? n : -1;
}

} // namespace kelvaro::test
