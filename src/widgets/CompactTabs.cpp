#include "widgets/CompactTabs.h"

#include <QProxyStyle>
#include <QTabBar>

namespace kelvaro {

namespace {

constexpr int kTabPadding = 3;

/** The application's style with tabs sized as their text plus the padding on every side. */
class CompactTabStyle : public QProxyStyle
{
public:
    explicit CompactTabStyle(QObject* owner) { setParent(owner); }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace || metric == PM_TabBarTabVSpace)
            return 2 * kTabPadding;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_TabBarTab)
            return size; // the padding is in the room above
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

} // namespace

void useCompactTabs(QTabBar& bar)
{
    bar.setStyle(new CompactTabStyle(&bar));
}

} // namespace kelvaro
