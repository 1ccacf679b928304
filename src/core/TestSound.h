#pragma once

#include <QString>

namespace kelvaro {

class MediaPlayer;

/**
 * The sound page's test button `Btn_PlayStop`, shared by both windows that have one; acts on the
 * window's own player and returns the button's new caption.
 *
 * Caption "Testen": closes the player, opens the text of the file field (no existence check) and
 * plays it; the new caption is "Stop". When the file cannot be opened or played the AppError is
 * passed on and the caption is to stay "Testen".
 * Caption "Stop": stops and closes the player; the new caption is "Testen". With no file open (for
 * instance after the expiry sound was stopped) it just returns to "Testen".
 * Any other caption is returned unchanged.
 */
QString TestSound(MediaPlayer& player, const QString& fileFieldText, const QString& caption);

/** The test button's captions: "Testen" while idle, "Stop" while a test may be playing. */
QString testSoundIdleCaption();
QString testSoundPlayingCaption();

} // namespace kelvaro
