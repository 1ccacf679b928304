// Any bytes as a settings file: the parser never crashes, a refused file has a reason, and an
// accepted file is written back so that it reads as the same tree and writes the same bytes again.
#include "FuzzSupport.h"
#include "core/RegFileFormat.h"

using namespace kelvaro;
using namespace kelvaro::fuzz;

namespace {

/** Walks the whole tree through its public interface: every listed key and value can be reached. */
void visit(const RegistryTree& tree, const QString& path, int depth)
{
    check(depth <= RegFileFormat::kMaxKeyDepth + 1, "keys nest no deeper than the limit", path);
    for (const QString& name : tree.valueNames(path))
        check(tree.value(path, name).has_value(), "every listed value can be read", path + u'\\' + name);
    for (const QString& key : tree.subkeys(path)) {
        const QString child = path.isEmpty() ? key : path + u'\\' + key;
        check(tree.keyExists(child), "every listed key exists", child);
        visit(tree, child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = bytesOf(data, size);
    QString error;
    const std::optional<RegistryTree> tree = RegFileFormat::parse(input, &error);
    if (!tree) {
        check(!error.isEmpty(), "a refused file comes with a reason");
        return 0;
    }
    visit(*tree, QString(), 0);

    QString reason;
    check(RegFileFormat::canWrite(*tree, &reason), "a tree that was read can be written", reason);
    const QByteArray written = RegFileFormat::write(*tree);
    const std::optional<RegistryTree> again = RegFileFormat::parse(written, &error);
    check(again.has_value(), "a written file reads back", error + u'\n' + QString::fromUtf8(written));
    check(*again == *tree, "a written file reads back as the same tree", QString::fromUtf8(written));
    check(RegFileFormat::write(*again) == written, "writing the tree read back gives the same bytes",
          QString::fromUtf8(written));
    return 0;
}
