// The entry of the audio module: the program loads this shared module at its first sound, so the
// SDL libraries are neither loaded nor initialised while it starts.
#include "platform/SdlAudioDevice.h"

extern "C" Q_DECL_EXPORT kelvaro::AudioDevice* kelvaroAudioDevice()
{
    return &kelvaro::SdlAudioDevice::instance();
}
