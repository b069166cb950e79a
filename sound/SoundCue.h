#pragma once
// Sound cues: short WAV sounds held open from start-up and played on demand.
//
// Play() never waits. A cue asked to play while it is still playing keeps
// playing from where it is (it is neither restarted nor layered); a cue that
// has played to its end starts again from its beginning. Different cues play
// at the same time, each on its own channel.

#include <QString>
#include <memory>

namespace kestrava::sound {

class Cue {
public:
    virtual ~Cue() = default;
    virtual void Play() = 0;
};

class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    // Opens the WAV file `fileName` (relative names resolve against the
    // working directory) as a cue. Throws EMCIDeviceError, with a message
    // that names the file and says what is wrong, when the file is missing,
    // unreadable or not a sound the mixer can play.
    virtual std::unique_ptr<Cue> open(const QString& fileName) = 0;
};

// SDL2_mixer behind the cue interface: one fixed mixer channel per cue.
// Opening the audio device falls back to SDL's silent "dummy" driver when no
// real output device opens, so the game runs the same on a machine without
// sound. Only one instance may exist at a time.
class SdlSoundSystem : public SoundSystem {
public:
    SdlSoundSystem();
    ~SdlSoundSystem() override;
    SdlSoundSystem(const SdlSoundSystem&) = delete;
    SdlSoundSystem& operator=(const SdlSoundSystem&) = delete;

    std::unique_ptr<Cue> open(const QString& fileName) override;

    // The SDL audio driver in use ("dummy" after the fallback).
    QString driverName() const;

private:
    int nextChannel_ = 0;
};

}  // namespace kestrava::sound
