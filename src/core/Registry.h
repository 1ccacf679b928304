#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace kelvaro {

/** Value types as the Windows registry numbers them. */
enum RegType : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
};

/** One stored value. `text` holds REG_SZ and REG_EXPAND_SZ, `dword` holds REG_DWORD,
 *  `data` holds the raw bytes of every other type so that foreign values survive a rewrite. */
struct RegValue
{
    quint32 type = REG_NONE;
    QString text;
    quint32 dword = 0;
    QByteArray data;

    static RegValue sz(const QString& s) { return {REG_SZ, s, 0, {}}; }
    static RegValue expandSz(const QString& s) { return {REG_EXPAND_SZ, s, 0, {}}; }
    static RegValue fromDword(quint32 v) { return {REG_DWORD, {}, v, {}}; }
    bool operator==(const RegValue&) const = default;
};

/**
 * The keys and values of the current user's registry hive, in memory.
 *
 * Paths are relative to HKEY_CURRENT_USER and separated by backslashes ("Software\\Kelvaro\\001");
 * leading, trailing and doubled backslashes are ignored. Key and value names compare
 * case-insensitively and keep the case they were created with. The root (empty path) always exists.
 */
class RegistryTree
{
public:
    RegistryTree();
    RegistryTree(const RegistryTree&);
    RegistryTree& operator=(const RegistryTree&);
    RegistryTree(RegistryTree&&) noexcept;
    RegistryTree& operator=(RegistryTree&&) noexcept;
    ~RegistryTree();

    bool keyExists(const QString& path) const;
    /** Creates the key and every missing key above it. */
    void createKey(const QString& path);
    /** Deletes the key with everything below it; false when it did not exist. The root cannot be deleted. */
    bool deleteKey(const QString& path);
    /** Names of the direct subkeys in registry order (ascending, case-insensitive). */
    QStringList subkeys(const QString& path) const;

    std::optional<RegValue> value(const QString& path, const QString& name) const;
    /** Sets a value in an existing key (false when the key does not exist). An existing value
     *  keeps its place in the key's value order; a new one is appended. */
    bool setValue(const QString& path, const QString& name, const RegValue& value);
    bool deleteValue(const QString& path, const QString& name);
    /** Value names of the key in their stored order. */
    QStringList valueNames(const QString& path) const;

    bool isEmpty() const;
    bool operator==(const RegistryTree&) const;

private:
    struct Node;
    Node* find(const QString& path) const;
    Node* m_root;
};

/**
 * Where the registry lives between runs of the program. Every change is a read-modify-write of
 * the freshest stored content, so two processes sharing one store never lose each other's changes.
 */
class RegistryStore
{
public:
    virtual ~RegistryStore() = default;
    /** The stored content; an empty tree when nothing is stored or it cannot be read. */
    virtual RegistryTree load() = 0;
    /** Applies `change` to the freshest stored content and stores the result as one step.
     *  Returns false and describes the failure in `error` when nothing could be stored. */
    virtual bool update(const std::function<void(RegistryTree&)>& change, QString* error = nullptr) = 0;
    /** Where the settings are kept, as the user finds them: the full path of the settings file. */
    virtual QString location() const = 0;
};

/** HKEY_CURRENT_USER\Software\Kelvaro as a path for RegistryTree. */
inline const QString kMainKey = QStringLiteral("Software\\Kelvaro");

} // namespace kelvaro
