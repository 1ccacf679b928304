#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace kelvaro {

/** A font of `pixelHeight` pixels character height; an Arial-like face stands in when `family`
 *  is not installed. */
QFont formFont(const QString& family, int pixelHeight, QFont::Weight weight = QFont::Normal);

/** The font the secondary windows use unless a control says otherwise. */
QFont defaultFormFont();

/** Moves the window so that its frame is centred on the screen it is on. */
void centreOnScreen(QWidget& window);
/** What a window that opens on top must not cover of `window`, the most important first: the
 *  window, or at least its buttons; nothing while it is hidden or minimised. */
QList<QRect> keepClearAreas(const QWidget& window);

/**
 * Where a window with the frame `frame` goes on the free area `screen` of its screen: centred, or,
 * when that would cover the first of the areas `keepClear` (given in global coordinates, the most
 * important first), below, above, right or left of it, centred on the screen along the other
 * side. When no place keeps the first area clear, the next one is tried; when none does, centred.
 */
QRect clearPlace(QRect frame, const QRect& screen, const QList<QRect>& keepClear);

/** Moves the window to clearPlace() on the screen it is on. */
void placeClearOf(QWidget& window, const QList<QRect>& keepClear);

} // namespace kelvaro
