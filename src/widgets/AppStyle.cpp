#include "widgets/AppStyle.h"

#include "widgets/PngPictures.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

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

private:
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
};

} // namespace

QStyle* makeAppStyle()
{
    // The style the application would have had (the desktop's, or the one the user asked for).
    return new AppStyle(QStyleFactory::create(QApplication::style()->name()));
}

} // namespace kelvaro
