#pragma once

class QTabBar;

namespace kelvaro {

/**
 * Gives the tabs of `bar` three pixels of room on each side of their text, so that many tabs fit side
 * by side, and draws them in the application's style otherwise. A style of the bar's own instead of a
 * style sheet: the first style sheet of a program costs its start-up the style sheet engine.
 */
void useCompactTabs(QTabBar& bar);

} // namespace kelvaro
