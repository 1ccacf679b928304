#include "widgets/AppStyle.h"

#include "widgets/PngPictures.h"

#include <QApplication>
#include <QGroupBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <qdrawutil.h>

#include <initializer_list>

namespace kelvaro {

namespace {

class AppStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        const bool rtl = (option ? option->direction : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
        if (which == SP_ToolBarHorizontalExtensionButton)
            return arrows(rtl ? "h-rtl" : "h", {8, 16, 32});
        if (which == SP_ToolBarVerticalExtensionButton)
            return arrows("v", {5, 10, 20});
        return QProxyStyle::standardIcon(which, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_FrameGroupBox &&
            baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
            drawGroupBoxFrame(option, painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    /** Fusion's frame of a group box: its picture stretched around the box below the title. Fusion
     *  reads the picture by name; here it is read as PNG, once. */
    void drawGroupBoxFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
    {
        constexpr int kTitleGap = 3;
        if (m_groupBoxFrame.isNull())
            m_groupBoxFrame = QPixmap::fromImage(
                pngImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")));
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const bool untitled = box && !box->isCheckable() && box->title().isEmpty();
        const int title =
            untitled ? 0 : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
        qDrawBorderPixmap(painter, option->rect.adjusted(0, title + kTitleGap, 0, 0), QMargins(6, 6, 6, 6),
                          m_groupBoxFrame);
    }

    /** Qt's own pictures of the arrow in its sizes. */
    static QIcon arrows(const char* kind, std::initializer_list<int> sizes)
    {
        QIcon icon;
        for (int size : sizes)
            icon.addPixmap(QPixmap::fromImage(
                pngImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-%1-%2.png")
                             .arg(QLatin1String(kind))
                             .arg(size))));
        return icon;
    }

    mutable QPixmap m_groupBoxFrame;
};

} // namespace

QStyle* makeAppStyle()
{
    // The style the application would have had (the desktop's, or the one the user asked for).
    return new AppStyle(QStyleFactory::create(QApplication::style()->name()));
}

} // namespace kelvaro
