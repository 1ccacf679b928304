#include "windows/TInfofenster.h"

#include "mock/FakeOsVersionQuery.h"
#include "mock/QtPrinters.h"
#include "mock/TempDir.h"
#include "platform/LinuxOsVersion.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

class Infofenster : public ::testing::Test
{
protected:
    FakeOsVersionQuery os;
    ProgramInfo info = ProgramInfo::compiledIn();

    static QString text(const QWidget& window, const char* label)
    {
        const auto* l = window.findChild<QLabel*>(QLatin1String(label));
        return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(label));
    }

    static QStringList lines(const QWidget& window)
    {
        QStringList list;
        for (const char* name :
             {"Label_ProgName", "Label_Version", "Label_Copyright", "Label_Public", "Label5", "Label6", "Label7"})
            list << text(window, name);
        return list;
    }

    static void showAndClose(QDialog& window)
    {
        window.show();
        window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        ASSERT_FALSE(window.isVisible());
    }
};

// The program's lines stay; the system's are asked for again at every showing, so the second of two
// equal showings shows the same and an update of the system in between shows at the next.
TEST_F(Infofenster, ShowsTheProgramAndTheSystemAsItIsAtEveryShowing)
{
    const QStringList program{QStringLiteral("Kelvaro"), QStringLiteral("Version 0.90"), info.copyright,
                              QStringLiteral("Freeware")};
    const OsVersionData debian{
        QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("6.1.0-27-amd64"), {6, 1, 0}};
    const OsVersionData wsl{
        QStringLiteral("Testix"), QStringLiteral("5.15.153.1-microsoft-standard-WSL2"), {5, 15, 153}};
    const std::pair<OsVersionData, const char*> showings[] = {
        {debian, "6.1 Build (0)"},
        {debian, "6.1 Build (0)"},
        {wsl, "5.15 Build (153)"},
        {{QStringLiteral("Testix 2"), QStringLiteral("6.10.3-arch1-2"), {6, 10, 3}}, "6.10 Build (3)"}};
    TInfofenster window(info, os);
    for (const auto& [system, version] : showings) {
        os.answer = system;
        showAndClose(window);
        const QStringList systemLines{system.systemName, QString::fromUtf8(version), system.kernelRelease};
        EXPECT_EQ(lines(window), program + systemLines);
    }
    EXPECT_EQ(os.calls, 4);
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(Infofenster, NamesTheRunningLinuxSystem)
{
    LinuxOsVersion linuxOs;
    TInfofenster window(info, linuxOs);
    showAndClose(window);

    const QString release = QSysInfo::kernelVersion();
    const KernelVersion kernel = LinuxOsVersion::kernelVersion(release);
    EXPECT_FALSE(text(window, "Label5").isEmpty());
    EXPECT_EQ(text(window, "Label5"), linuxOs.query().systemName);
    EXPECT_EQ(text(window, "Label6"),
              QStringLiteral("%1.%2 Build (%3)").arg(kernel.major).arg(kernel.minor).arg(kernel.patch));
    EXPECT_EQ(text(window, "Label7"), release);
}

TEST_F(Infofenster, DescriptionAndEnterClosing)
{
    TInfofenster window(info, os);
    const auto* memo = window.findChild<QTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_TRUE(memo);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Programm zum zeitgesteuerten Herunter-\n"
                                                  "fahren, Neustarten, Abmelden, Energie-\n"
                                                  "sparen (Standby oder Ruhezustand), \n"
                                                  "Sperren des Bildschirms oder Benach-\n"
                                                  "richtigen. \n"
                                                  "\n"
                                                  "Zum Ablauf der eingestellten Zeit, \n"
                                                  "zum eingegebenen Zeitpunkt oder am \n"
                                                  "Ende eines Programms zeigt Kelvaro \n"
                                                  "eine eingestellte Nachricht an oder \n"
                                                  "führt eine der oben erwähnten \n"
                                                  "Aktionen aus."));
    window.show();
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->icon().isNull())
        << "the OK button carries the style's OK icon once shown";
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(Infofenster, EveryTextIsShownWhole)
{
    LinuxOsVersion linuxOs;
    TInfofenster window(info, linuxOs);
    window.show();
    const QRect client = window.rect();
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QSize needed =
            label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width())) : label->sizeHint();
        EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
        EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
        EXPECT_TRUE(client.contains(label->geometry())) << label->objectName().toStdString();
    }
    const auto* memo = window.findChild<QTextEdit*>(QStringLiteral("Memo1"));
    const QSizeF text = memo->document()->size();
    EXPECT_LE(text.width(), memo->viewport()->width());
    EXPECT_LE(text.height(), memo->viewport()->height());
    window.close();
}

} // namespace
} // namespace kelvaro::test
