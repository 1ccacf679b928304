#pragma once

#include <QComboBox>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace kelvaro::test {

/** What a user can read in `window`: the texts, titles, tool tips and text-box contents of everything
 *  in it (actions of menus included), and the entries of its lists and tabs. */
inline QStringList shownTexts(const QWidget& window)
{
    QStringList texts;
    QList<const QObject*> objects{&window};
    for (const QObject* object : window.findChildren<QObject*>())
        objects << object;
    for (const QObject* object : objects) {
        for (const char* property : {"text", "title", "windowTitle", "toolTip", "placeholderText", "plainText"})
            texts << object->property(property).toString();
        if (const auto* list = qobject_cast<const QComboBox*>(object))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        if (const auto* tabs = qobject_cast<const QTabBar*>(object))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace kelvaro::test
