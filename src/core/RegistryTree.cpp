#include "core/Registry.h"

#include <algorithm>
#include <memory>

namespace kelvaro {

struct RegistryTree::Node
{
    QString name;
    // Subkeys ordered case-insensitively, as the registry enumerates them.
    std::map<QString, std::unique_ptr<Node>> children; // key: name in lower case
    std::vector<std::pair<QString, RegValue>> values;  // in stored order

    std::unique_ptr<Node> clone() const
    {
        auto copy = std::make_unique<Node>();
        copy->name = name;
        copy->values = values;
        for (const auto& [key, child] : children)
            copy->children.emplace(key, child->clone());
        return copy;
    }

    auto findValue(const QString& valueName)
    {
        return std::find_if(values.begin(), values.end(), [&](const auto& entry) {
            return entry.first.compare(valueName, Qt::CaseInsensitive) == 0;
        });
    }

    bool equals(const Node& other) const
    {
        if (name != other.name || values != other.values || children.size() != other.children.size())
            return false;
        auto it = other.children.begin();
        for (const auto& [key, child] : children) {
            if (key != it->first || !child->equals(*it->second))
                return false;
            ++it;
        }
        return true;
    }
};

namespace {

QStringList splitPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

} // namespace

RegistryTree::RegistryTree() : m_root(new Node) {}

RegistryTree::RegistryTree(const RegistryTree& other) : m_root(other.m_root->clone().release()) {}

RegistryTree& RegistryTree::operator=(const RegistryTree& other)
{
    if (this != &other) {
        std::unique_ptr<Node> copy = other.m_root->clone();
        delete m_root;
        m_root = copy.release();
    }
    return *this;
}

RegistryTree::RegistryTree(RegistryTree&& other) noexcept : m_root(other.m_root)
{
    other.m_root = new Node;
}

RegistryTree& RegistryTree::operator=(RegistryTree&& other) noexcept
{
    std::swap(m_root, other.m_root);
    return *this;
}

RegistryTree::~RegistryTree()
{
    delete m_root;
}

RegistryTree::Node* RegistryTree::find(const QString& path) const
{
    Node* node = m_root;
    for (const QString& part : splitPath(path)) {
        auto it = node->children.find(part.toLower());
        if (it == node->children.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

bool RegistryTree::keyExists(const QString& path) const
{
    return find(path) != nullptr;
}

void RegistryTree::createKey(const QString& path)
{
    Node* node = m_root;
    for (const QString& part : splitPath(path)) {
        auto& slot = node->children[part.toLower()];
        if (!slot) {
            slot = std::make_unique<Node>();
            slot->name = part;
        }
        node = slot.get();
    }
}

bool RegistryTree::deleteKey(const QString& path)
{
    QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return false;
    const QString last = parts.takeLast().toLower();
    Node* parent = find(parts.join(u'\\'));
    return parent && parent->children.erase(last) > 0;
}

QStringList RegistryTree::subkeys(const QString& path) const
{
    QStringList names;
    if (const Node* node = find(path)) {
        for (const auto& [key, child] : node->children)
            names << child->name;
    }
    return names;
}

std::optional<RegValue> RegistryTree::value(const QString& path, const QString& name) const
{
    Node* node = find(path);
    if (!node)
        return std::nullopt;
    auto it = node->findValue(name);
    if (it == node->values.end())
        return std::nullopt;
    return it->second;
}

bool RegistryTree::setValue(const QString& path, const QString& name, const RegValue& value)
{
    Node* node = find(path);
    if (!node)
        return false;
    auto it = node->findValue(name);
    if (it != node->values.end())
        it->second = value;
    else
        node->values.emplace_back(name, value);
    return true;
}

bool RegistryTree::deleteValue(const QString& path, const QString& name)
{
    Node* node = find(path);
    if (!node)
        return false;
    auto it = node->findValue(name);
    if (it == node->values.end())
        return false;
    node->values.erase(it);
    return true;
}

QStringList RegistryTree::valueNames(const QString& path) const
{
    QStringList names;
    if (const Node* node = find(path)) {
        for (const auto& entry : node->values)
            names << entry.first;
    }
    return names;
}

bool RegistryTree::isEmpty() const
{
    return m_root->children.empty() && m_root->values.empty();
}

bool RegistryTree::operator==(const RegistryTree& other) const
{
    return m_root->equals(*other.m_root);
}

} // namespace kelvaro
