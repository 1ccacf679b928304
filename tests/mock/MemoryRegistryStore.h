#pragma once

#include "core/Registry.h"

namespace kelvaro::test {

/** A registry store that keeps its content in memory; `failWrites` makes every update fail, `path`
 *  is the file it names as its place. */
class MemoryRegistryStore : public RegistryStore
{
public:
    RegistryTree tree;
    bool failWrites = false;
    int updates = 0;
    QString path = QStringLiteral("/speicher/registry.reg");

    RegistryTree load() override { return tree; }
    QString location() const override { return path; }

    bool update(const std::function<void(RegistryTree&)>& change, QString* error = nullptr) override
    {
        if (failWrites) {
            if (error)
                *error = QStringLiteral("Schreiben nicht möglich");
            return false;
        }
        RegistryTree copy = tree;
        change(copy);
        tree = std::move(copy);
        ++updates;
        return true;
    }
};

} // namespace kelvaro::test
