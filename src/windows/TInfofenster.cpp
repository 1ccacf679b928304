#include "windows/TInfofenster.h"

#include "core/OsVersion.h"
#include "widgets/Controls.h"
#include "widgets/FormLook.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace kelvaro {

namespace {

constexpr int kClientWidth = 445;
constexpr int kClientHeight = 263;
constexpr QRect kBevel1{8, 21, 219, 221};
constexpr QRect kMemo{21, 98, 194, 103};
/** The least distance of a text from the window's edge, that of the frame at the left. */
constexpr int kMargin = 8;

// The description beside the program name, broken into lines by hand (a translation brings its
// own breaks); the blanks at some line ends belong to it.
const char* const kDescription = QT_TRANSLATE_NOOP("kelvaro::TInfofenster", "Programm zum zeitgesteuerten Herunter-\n"
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
                                                                            "Aktionen aus.");

QFrame* frame(QWidget* parent, const char* name, const QRect& geometry, QFrame::Shape shape)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

/** A label that sizes itself to its text. */
QLabel* autoLabel(QWidget* parent, const char* name, int x, int y)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->move(x, y);
    return l;
}

void setAutoText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

/** Makes the text box's font smaller, down to 8 pixels, until its longest line fits its width:
 *  the lines were measured for a narrower face than the one that may stand in for it. */
void fitLinesIntoWidth(QTextEdit& memo)
{
    const QStringList lines = memo.toPlainText().split(u'\n');
    QFont font = memo.font();
    const auto widest = [&lines](const QFont& f) {
        const QFontMetricsF metrics(f);
        qreal width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    };
    while (font.pixelSize() > 8 && widest(font) > memo.width())
        font.setPixelSize(font.pixelSize() - 1);
    memo.setFont(font);
}

/** "<major>.<minor> Build (<patch>)", for example "6.1 Build (0)". */
QString versionLine(const KernelVersion& kernel)
{
    return QString::number(kernel.major) + u'.' + QString::number(kernel.minor) + QStringLiteral(" Build (") +
           QString::number(kernel.patch) + u')';
}

} // namespace

TInfofenster::TInfofenster(ProgramInfo info, OsVersionQuery& osVersion, QWidget* parent)
    : QDialog(parent), m_info(std::move(info)), m_osVersion(osVersion)
{
    setupUi();
    Label_ProgName->setText(m_info.productName);
}

void TInfofenster::setupUi()
{
    setUpFixedDialog(*this, "Infofenster", tr("Infofenster"), {kClientWidth, kClientHeight});

    Bevel1 = frame(this, "Bevel1", kBevel1, QFrame::Box);

    auto* label12 = new QLabel(QStringLiteral("Shutdown and Message Countdown Timer"), this);
    label12->setObjectName(QStringLiteral("Label12"));
    label12->setTextFormat(Qt::PlainText);
    label12->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label12->setWordWrap(true);
    label12->setFont(formFont(QStringLiteral("MS Sans Serif"), 13, QFont::Bold));
    label12->setGeometry(32, 44, 169, 32);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(kMemo);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette memoColours = Memo1->palette();
    memoColours.setColor(QPalette::Base, memoColours.color(QPalette::Button));
    Memo1->setPalette(memoColours);
    // The description comes broken into lines; a wider stand-in face must not break them again.
    Memo1->document()->setDocumentMargin(0);
    Memo1->setLineWrapMode(QTextEdit::NoWrap);
    QTextOption centred(Qt::AlignHCenter);
    centred.setWrapMode(QTextOption::NoWrap);
    Memo1->document()->setDefaultTextOption(centred);
    Memo1->setPlainText(tr(kDescription));
    fitLinesIntoWidth(*Memo1);

    Label_ProgName = autoLabel(this, "Label_ProgName", 257, 19);
    Label_ProgName->resize(150, 45);
    Label_ProgName->setFont(formFont(QStringLiteral("Arial Black"), 32, QFont::Black));
    Label_Version = autoLabel(this, "Label_Version", 257, 71);
    Label_Copyright = autoLabel(this, "Label_Copyright", 257, 87);
    Label_Public = autoLabel(this, "Label_Public", 257, 103);
    frame(this, "Bevel2", {257, 136, 169, 2}, QFrame::HLine);
    Label5 = autoLabel(this, "Label5", 257, 151);
    Label6 = autoLabel(this, "Label6", 257, 167);
    Label7 = autoLabel(this, "Label7", 257, 183);

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(304, 218, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TInfofenster::BitBtn1Click);
}

void TInfofenster::showEvent(QShowEvent* event)
{
    // Looked up in the icon theme at the first showing, not while the program starts.
    if (BitBtn1->icon().isNull())
        BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    QDialog::showEvent(event);
    FormShow();
    if (!event->spontaneous())
        centreOnScreen(*this);
}

void TInfofenster::FormShow()
{
    // The version data: a value the program does not carry leaves the previous text in place.
    m_versionText = QStringLiteral("Version ") + m_info.productVersion;
    if (!m_info.copyright.isEmpty())
        m_copyrightText = m_info.copyright;
    if (!m_info.comments.isEmpty())
        m_commentsText = m_info.comments;

    const OsVersionData system = m_osVersion.query();
    setAutoText(Label5, system.systemName);
    setAutoText(Label6, versionLine(system.kernel));
    setAutoText(Label7, system.kernelRelease);

    setAutoText(Label_Version, m_versionText);
    setAutoText(Label_Copyright, m_copyrightText);
    setAutoText(Label_Public, m_commentsText);
    fitToTexts();
}

void TInfofenster::fitToTexts()
{
    // The description box grows downwards until it holds all its lines; its frame and the window
    // grow with it when it would leave the frame.
    const int memoHeight = std::max(kMemo.height(), static_cast<int>(std::ceil(Memo1->document()->size().height())));
    Memo1->resize(Memo1->width(), memoHeight);
    const int frameBottom = std::max(kBevel1.bottom() + 1, kMemo.y() + memoHeight + kMargin);
    Bevel1->resize(Bevel1->width(), frameBottom - kBevel1.y());

    // The labels size themselves to their texts; the window grows to show them whole.
    int width = kClientWidth;
    int height = std::max(kClientHeight, frameBottom + kClientHeight - (kBevel1.bottom() + 1));
    for (const QLabel* label : findChildren<QLabel*>()) {
        width = std::max(width, label->geometry().right() + 1 + kMargin);
        height = std::max(height, label->geometry().bottom() + 1 + kMargin);
    }
    setFixedSize(width, height);
}

void TInfofenster::BitBtn1Click()
{
    accept();
}

} // namespace kelvaro
