#pragma once

namespace kelvaro {

class TEinst;

/** The sound that goes with the message when a run expires. */
class ExpirySound
{
public:
    virtual ~ExpirySound() = default;
    /** Beeps (synchronously) or starts the sound file according to the options; returns when the
     *  beeps have sounded or the file has started. Reports a missing file itself; throws AppError
     *  when the file cannot be opened or played. */
    virtual void PlayExpirySound(const TEinst& options) = 0;
    /** Stops a sound file that is still playing. */
    virtual void StopSound() = 0;
};

} // namespace kelvaro
