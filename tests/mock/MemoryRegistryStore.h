#pragma once

#include "core/Registry.h"

namespace kelvaro::test {

/** A registry store that keeps its content in memory; `failWrites` makes every update fail. */
class MemoryRegistryStore : public RegistryStore
{
public:
    RegistryTree tree;
    bool failWrites = false;
    int updates = 0;

    RegistryTree load() override { return tree; }

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
