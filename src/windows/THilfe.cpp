#include "windows/THilfe.h"

#include "resources/Language.h"
#include "widgets/FormLook.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

// The text lives in a resource of a static library; registering it by name makes the linker keep it.
static void registerHelpResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace kelvaro {

namespace {

// The designed client area and the distances that anchoring keeps.
constexpr int kClientWidth = 477;
constexpr int kClientHeight = 454;
constexpr QRect kMemo{12, 48, 454, 368};
constexpr QRect kButton{383, 427, 81, 25};
constexpr int kMemoRight = kClientWidth - (kMemo.x() + kMemo.width());
constexpr int kMemoBottom = kClientHeight - (kMemo.y() + kMemo.height());
constexpr int kButtonRight = kClientWidth - kButton.x();
constexpr int kButtonBottom = kClientHeight - kButton.y();

// A tab stop every eight average characters, as in the system's standard text boxes.
constexpr int kTabStopChars = 8;

} // namespace

THilfe::THilfe(QWidget* parent) : QDialog(parent)
{
    registerHelpResource();
    setupUi();
    Memo1->setPlainText(helpText());
}

void THilfe::widenToText()
{
    // The widest line as the text box lays it out, with its tab stops.
    QTextOption option = Memo1->document()->defaultTextOption();
    option.setTabStopDistance(Memo1->tabStopDistance());
    option.setWrapMode(QTextOption::NoWrap);
    qreal widest = 0;
    for (const QString& line : Memo1->toPlainText().split(u'\n')) {
        QTextLayout layout(line, Memo1->font());
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine laidOut = layout.createLine();
        layout.endLayout();
        widest = std::max(widest, laidOut.naturalTextWidth());
    }
    // The box around it: the document's margins, the frame and the vertical scroll bar.
    const int box = static_cast<int>(std::ceil(widest + 2 * Memo1->document()->documentMargin())) +
                    2 * Memo1->frameWidth() + Memo1->verticalScrollBar()->sizeHint().width();
    int width = std::max(kClientWidth, kMemo.x() + box + kMemoRight);
    if (const QScreen* screen = this->screen())
        width = std::min(width, std::max(kClientWidth, screen->availableGeometry().width() - 2 * kMemo.x()));
    resize(width, kClientHeight);
    placeControls(size());
}

QString THilfe::helpText()
{
    registerHelpResource();
    QFile file(currentLanguage() == Language::English ? QStringLiteral(":/help/help_en.txt")
                                                      : QStringLiteral(":/help/help.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    if (text.endsWith('\n')) // the file ends its last line; the text box does not
        text.chop(1);
    return QString::fromUtf8(text);
}

void THilfe::setupUi()
{
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(tr("Hilfe"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setFont(defaultFormFont());

    Label1 = new QLabel(tr("Hilfe zu Kelvaro"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setFont(formFont(QStringLiteral("Arial"), 16, QFont::Bold));
    Label1->setGeometry(13, 16, 128, 19);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A wrapped line would break the columns that the tabs line up; a window made narrower than the
    // text scrolls sideways instead.
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabStopDistance(kTabStopChars * QFontMetricsF(Memo1->font()).averageCharWidth());
    QPalette colours = Memo1->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, colours.color(QPalette::ToolTipText));
    Memo1->setPalette(colours);
    Memo1->setGeometry(kMemo);

    Button1 = new QPushButton(tr("Schliessen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(kButton);
    connect(Button1, &QPushButton::clicked, this, &THilfe::Button1Click);

    resize(kClientWidth, kClientHeight);
}

void THilfe::Button1Click()
{
    close();
}

void THilfe::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeControls(event->size());
}

void THilfe::placeControls(QSize size)
{
    Memo1->setGeometry(kMemo.x(), kMemo.y(), size.width() - kMemo.x() - kMemoRight,
                       size.height() - kMemo.y() - kMemoBottom);
    Button1->move(size.width() - kButtonRight, size.height() - kButtonBottom);
}

void THilfe::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Measured at the first showing rather than at start-up, which it would only slow down.
    if (!m_widened) {
        m_widened = true;
        widenToText();
    }
    centreOnScreen(*this);
}

} // namespace kelvaro
