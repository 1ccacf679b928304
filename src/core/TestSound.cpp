#include "core/TestSound.h"

#include "core/MediaPlayer.h"

#include <QCoreApplication>

namespace kelvaro {

QString testSoundIdleCaption()
{
    return QCoreApplication::translate("TestSound", "Testen");
}

QString testSoundPlayingCaption()
{
    return QCoreApplication::translate("TestSound", "Stop");
}

QString TestSound(MediaPlayer& player, const QString& fileFieldText, const QString& caption)
{
    if (caption == testSoundIdleCaption()) {
        player.Close();
        player.SetFileName(fileFieldText);
        player.Open();
        player.Play();
        return testSoundPlayingCaption();
    }
    if (caption == testSoundPlayingCaption()) {
        // The player may have been closed meanwhile (the expiry sound stops and closes it); the button
        // then simply returns to its idle caption instead of failing on every press.
        if (player.IsOpen()) {
            player.Stop();
            player.Close();
        }
        return testSoundIdleCaption();
    }
    return caption;
}

} // namespace kelvaro
