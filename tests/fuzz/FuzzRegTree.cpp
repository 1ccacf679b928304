// Any tree built by a sequence of key and value operations: when the file format says it can
// write the tree, the written file reads back as the same tree.
#include "FuzzSupport.h"
#include "core/RegFileFormat.h"

using namespace kelvaro;
using namespace kelvaro::fuzz;

namespace {

/** A key path of one to three names, mostly from a few fixed ones so that operations meet. */
QString takePath(InputReader& input)
{
    static const QStringList names{QStringLiteral("Software"), QStringLiteral("Kelvaro"), QStringLiteral("001"),
                                   QStringLiteral("kelvaro"),  QStringLiteral("[x]"),     QStringLiteral(" a ")};
    QStringList path;
    const qint64 depth = input.takeInRange(1, 3);
    for (qint64 i = 0; i < depth; ++i) {
        const qint64 pick = input.takeInRange(0, names.size());
        path << (pick < names.size() ? names[pick] : input.takeText(12));
    }
    return path.join(u'\\');
}

RegValue takeValue(InputReader& input)
{
    switch (input.takeInRange(0, 4)) {
    case 0:
        return RegValue::sz(input.takeText(64));
    case 1:
        return RegValue::expandSz(input.takeText(64));
    case 2:
        return RegValue::fromDword(static_cast<quint32>(input.takeInt32()));
    default: {
        RegValue value;
        value.type = static_cast<quint32>(input.takeInRange(0, 11));
        if (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_DWORD)
            value.type = REG_BINARY;
        value.data = input.takeText(32).toUtf8();
        return value;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    RegistryTree tree;
    for (int step = 0; step < 32 && !input.empty(); ++step) {
        switch (input.takeInRange(0, 3)) {
        case 0:
            tree.createKey(takePath(input));
            break;
        case 1: {
            const QString path = takePath(input);
            tree.createKey(path);
            const QString name = input.takeText(16);
            tree.setValue(path, name, takeValue(input));
            break;
        }
        case 2:
            tree.deleteKey(takePath(input));
            break;
        default: {
            const QString path = takePath(input);
            tree.deleteValue(path, input.takeText(16));
            break;
        }
        }
    }
    if (!RegFileFormat::canWrite(tree))
        return 0;
    const QByteArray written = RegFileFormat::write(tree);
    QString error;
    const std::optional<RegistryTree> read = RegFileFormat::parse(written, &error);
    check(read.has_value(), "a written tree reads back", error + u'\n' + QString::fromUtf8(written));
    check(*read == tree, "a written tree reads back as the same tree", QString::fromUtf8(written));
    return 0;
}
