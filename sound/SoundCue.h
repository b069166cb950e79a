// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Sound cues: short WAV sounds held open from start-up and played on demand.
//
// Play() never waits. A cue asked to play while it is still playing keeps
// playing from where it is (it is neither restarted nor layered); a cue that
// has played to its end starts again from its beginning. Different cues play
// at the same time, each on its own channel.

#include <QElapsedTimer>
#include <QString>
#include <future>
#include <memory>
#include <vector>

class QTimer;

namespace kestrava::sound {

class Cue {
public:
    virtual ~Cue() = default;
    // Starts the sound unless it is still playing; returns at once. A sound
    // that cannot be started stays silent without an error (a missed cue
    // must not stop the game). Throws EMCIDeviceError "No MCI device open"
    // when the cue has been closed.
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

// SDL2_mixer behind the cue interface: one fixed mixer channel per cue, the
// N-th cue opened on channel N, so cues never cut each other off.
//
// The constructor opens the audio output. When no real output device opens
// it falls back to SDL's silent "dummy" driver, so the game runs the same on
// a machine without sound: cues then play silently with their real timing.
// Only when even that fails does it throw EMCIDeviceError with SDL's text.
// ALSA's own error messages (printed when there is no sound card) are
// silenced while the system exists; SDL reports the failure instead.
// Which drivers SDL may try is decided in DriverChoice.h; a driver the
// player names in SDL_AUDIODRIVER is always the one used.
//
// An output that goes away while the game runs (a sound server stopped or
// restarted, a card unplugged) is noticed within a watch interval; the cues
// are silent from then on and the game plays on. The output is reopened in
// the background, at most once per retry interval, so no timer tick of the
// game ever waits for it; once it is back the cues play again. Watching
// needs the Qt event loop of the thread that made the system.
//
// Ownership: the caller owns each cue; destroy the cues before the system.
// The system's destructor closes any cue still open before it closes the
// mixer, so a leftover cue never touches a closed mixer: its Play() throws
// "No MCI device open" and destroying it is harmless.
//
// Cues are decoded for the output open at the time, so they are opened at
// start-up, right after the system, as the game does.
//
// SDL's audio state is process-wide: only one instance may exist at a time.
class SdlSoundSystem : public SoundSystem {
public:
    SdlSoundSystem();
    ~SdlSoundSystem() override;
    SdlSoundSystem(const SdlSoundSystem&) = delete;
    SdlSoundSystem& operator=(const SdlSoundSystem&) = delete;

    std::unique_ptr<Cue> open(const QString& fileName) override;

    // The SDL audio driver in use ("dummy" after the fallback); empty while
    // the output is lost.
    QString driverName() const;

    // True from `cue`'s Play() until its sound has played to its end; false
    // for a cue this system did not open. The cue's channel is the only
    // record of its position, so this is how a caller can observe it.
    bool isPlaying(const Cue& cue) const;

private:
    class SdlCue;

    // Open: the cues play. Lost: the output went away and the cues are
    // silent until the next attempt. Reopening: a background attempt owns
    // SDL's audio; nothing here touches the mixer until it ends.
    enum class Output { Open, Lost, Reopening };

    bool outputOpen() const { return output_ == Output::Open; }
    void watchOutput();
    void startReopening();
    void finishReopening(bool reopened);

    // Takes back the driver hints this system set, for the next system.
    void forgetDriverChoice();

    int nextChannel_ = 0;
    // Whether this system set SDL's driver hint (steered past ALSA, or fell
    // back to the silent driver).
    bool driverHintSet_ = false;
    std::vector<SdlCue*> openCues_;
    Output output_ = Output::Open;
    // The driver whose output went away, which tells what may replace it.
    QString lostDriver_;
    std::future<bool> reopening_;
    QElapsedTimer sinceAttempt_;
    std::unique_ptr<QTimer> watch_;
};

}  // namespace kestrava::sound
