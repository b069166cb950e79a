// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/SoundCue.h"

#include "framework/Errors.h"
#include "sound/DriverChoice.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <chrono>

namespace kestrava::sound {

namespace {

// Mixer output in the format the cues are made in (assets/tools/
// make_sounds.sh: 22 050 Hz mono), so loading a cue converts nothing; the
// sound server or ALSA's plug layer widens it for the card. A buffer of about
// 23 ms is short enough that a cue is heard on the tick that asks for it.
constexpr int kMixFrequencyHz = 22050;
constexpr int kOutputChannels = 1;
constexpr int kMixBufferFrames = 512;

// How often the output is checked for having gone away, and how long a
// failed attempt to reopen it is left before the next.
constexpr int kWatchIntervalMs = 250;
constexpr int kRetryIntervalMs = 2000;

// Mix_AllocateChannels with this count only reports the current count.
constexpr int kQueryChannelCount = -1;
// Mix_PlayChannel's loop count for "play the sound once".
constexpr int kPlayOnce = 0;

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card ALSA prints a dozen "ALSA lib ... cannot find card"
// lines to stderr while SDL probes it. SDL reports the failure itself and we
// fall back to the silent driver, so those lines only alarm the player.
// SDL loads the same libasound we link, so the handler covers its calls.
void silenceAlsa() { snd_lib_error_set_handler(ignoreAlsaMessage); }
void restoreAlsaMessages() { snd_lib_error_set_handler(nullptr); }

// Whether ALSA can play: a card is there, or (without one) its default
// output still opens, being routed to a sound server or a Bluetooth device.
// The card check is cheap and settles the common case; only a machine
// without a card pays for opening the default output.
constexpr char kAlsaDefaultOutput[] = "default";
bool alsaPlays() {
    int card = -1;
    if (snd_card_next(&card) == 0 && card >= 0)
        return true;
    snd_pcm_t* output = nullptr;
    const bool opened = snd_pcm_open(&output, kAlsaDefaultOutput, SND_PCM_STREAM_PLAYBACK,
                                     SND_PCM_NONBLOCK) == 0;
    if (opened)
        snd_pcm_close(output);
    // Opening parsed ALSA's whole configuration into memory that would stay
    // for the life of the game; SDL reads it again if it needs it.
    snd_config_update_free_global();
    return opened;
}

QStringList sdlAudioDrivers() {
    QStringList drivers;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i)
        drivers.append(QString::fromUtf8(SDL_GetAudioDriver(i)));
    return drivers;
}

bool pipewireListens() {
    const QString socket = pipewireSocketPath({qEnvironmentVariable("PIPEWIRE_REMOTE"),
                                               qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR"),
                                               qEnvironmentVariable("XDG_RUNTIME_DIR")});
    return !socket.isEmpty() && QFileInfo::exists(socket);
}

// `lostDriver` is the driver whose output went away, or empty at start-up.
AudioMachine describeMachine(const QString& lostDriver) {
    AudioMachine machine;
    machine.namedDriver = qEnvironmentVariable("SDL_AUDIODRIVER");
    machine.lostDriver = lostDriver;
    if (machine.namedDriver.isEmpty()) {
        machine.alsaPlays = alsaPlays();
        machine.pipewireListens = pipewireListens();
        machine.sdlDrivers = sdlAudioDrivers();
    }
    return machine;
}

// Hands SDL the drivers to try (see DriverChoice.h) as an ordinary hint, so
// a driver the player names still wins. Returns false, setting nothing, when
// there is none to try.
bool letSdlTry(const QStringList& drivers) {
    if (drivers.isEmpty())
        return false;
    SDL_SetHint(SDL_HINT_AUDIODRIVER, drivers.join(QLatin1Char(',')).toUtf8().constData());
    return true;
}

// The event subsystem is started with audio so that SDL reports an output
// that goes away (SDL_AUDIODEVICEREMOVED) into its queue.
constexpr Uint32 kAudioSubsystems = SDL_INIT_AUDIO | SDL_INIT_EVENTS;

bool openAudioOutput() {
    // SDL would otherwise turn SIGTERM and SIGINT into events that nobody
    // reads here, and the game would no longer end on them (at logout, say).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(kAudioSubsystems) == 0 &&
           Mix_OpenAudio(kMixFrequencyHz, MIX_DEFAULT_FORMAT, kOutputChannels,
                         kMixBufferFrames) == 0;
}

// Safe after a failed or partial openAudioOutput(): the mixer ignores a
// close when it is not open and SDL counts its subsystem's users.
void closeAudioOutput() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(kAudioSubsystems);
}

// Drains SDL's queue of audio device events; true when an output device
// went away. The mixer's device is the only output this process opens.
bool outputWentAway() {
    SDL_Event event;
    bool removed = false;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_AUDIODEVICEADDED,
                          SDL_AUDIODEVICEREMOVED) > 0)
        removed = removed || (event.type == SDL_AUDIODEVICEREMOVED && !event.adevice.iscapture);
    return removed;
}

// Runs on a thread of its own while nothing else touches SDL's audio: closes
// what is left of the lost output and opens a new one where the drivers
// allow. Returns whether an output is open.
bool reopenAudioOutput(const QString& lostDriver) {
    closeAudioOutput();
    if (!letSdlTry(audioDrivers(describeMachine(lostDriver))))
        return false;
    if (openAudioOutput())
        return true;
    closeAudioOutput();
    return false;
}

// An SDL_AUDIODRIVER in the environment outranks an ordinary hint, and that
// driver is the one that just failed, so the silent driver must override it.
// A bare SDL_AudioInit("dummy") would not stick: Mix_OpenAudio reads the hint.
void chooseSilentDriver() {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kSilentDriver,
                            SDL_HINT_OVERRIDE);
}

EMCIDeviceError openFailure(const QString& fileName, const QString& reason) {
    return EMCIDeviceError(QStringLiteral("Cannot open sound file %1: %2")
                               .arg(fileName, reason));
}

// Reads the whole file, telling the player in plain words why it cannot:
// the mixer's own text for a missing file is "Mix_LoadWAV_RW with NULL src".
QByteArray readSoundFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        throw openFailure(fileName, QStringLiteral("the file is missing"));
    if (info.isDir())
        throw openFailure(fileName, QStringLiteral("it is a directory"));
    if (!info.isReadable())
        throw openFailure(fileName, QStringLiteral("permission denied"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw openFailure(fileName, file.errorString());
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        throw openFailure(fileName, QStringLiteral("it is empty"));
    return bytes;
}

// Decodes the file's bytes into a mixer chunk in the output format. The
// mixer reads our copy, so the file is read once, by Qt, whatever characters
// its name holds.
Mix_Chunk* decodeSound(const QString& fileName, const QByteArray& bytes) {
    SDL_RWops* source =
        SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, /*freesrc=*/1);
    if (!chunk)
        throw openFailure(fileName, QStringLiteral("not a WAV sound (%1)")
                                        .arg(QString::fromUtf8(Mix_GetError())));
    if (chunk->alen == 0) {
        Mix_FreeChunk(chunk);
        throw openFailure(fileName, QStringLiteral("it holds no sound"));
    }
    return chunk;
}

}  // namespace

// One decoded sound on its own mixer channel. The mixer's channel state is
// the cue's position: busy while the sound plays, free once it has played
// to its end. The file's bytes are kept to decode the sound again for an
// output reopened in another format.
class SdlSoundSystem::SdlCue : public Cue {
public:
    SdlCue(SdlSoundSystem& owner, QString fileName, QByteArray bytes, int channel)
        : owner_(&owner), fileName_(std::move(fileName)), bytes_(std::move(bytes)),
          chunk_(decodeSound(fileName_, bytes_)), channel_(channel) {}

    ~SdlCue() override {
        if (owner_)
            std::erase(owner_->openCues_, this);
        close();
    }

    SdlCue(const SdlCue&) = delete;
    SdlCue& operator=(const SdlCue&) = delete;

    void Play() override {
        if (!chunk_)
            throw EMCIDeviceError(QStringLiteral("No MCI device open"));
        // Without an output the cue is silent, and the game goes on.
        if (!owner_->outputOpen())
            return;
        // Playing on a busy channel would restart the sound from its start;
        // a cue asked again mid-sound just carries on.
        if (Mix_Playing(channel_))
            return;
        // The result is deliberately dropped: a cue that cannot start stays
        // silent, and the game goes on.
        Mix_PlayChannel(channel_, chunk_, kPlayOnce);
    }

    bool isPlaying() const {
        return chunk_ && owner_->outputOpen() && Mix_Playing(channel_) != 0;
    }

    // Decodes the sound again for the output now open. The bytes decoded
    // once already, so a failure is not expected; the old sound stays then.
    void decodeAgain() {
        try {
            Mix_Chunk* fresh = decodeSound(fileName_, bytes_);
            Mix_FreeChunk(chunk_);
            chunk_ = fresh;
        } catch (const EMCIDeviceError&) {
        }
    }

    // Frees the sound (the mixer halts the channel playing it first) and
    // detaches the cue from its system. Later calls do nothing.
    void close() {
        if (chunk_)
            Mix_FreeChunk(chunk_);
        chunk_ = nullptr;
        owner_ = nullptr;
    }

private:
    SdlSoundSystem* owner_;
    QString fileName_;
    QByteArray bytes_;
    Mix_Chunk* chunk_;
    int channel_;
};

SdlSoundSystem::SdlSoundSystem() {
    silenceAlsa();
    driverHintSet_ = letSdlTry(audioDrivers(describeMachine({})));
    if (!openAudioOutput()) {
        closeAudioOutput();
        chooseSilentDriver();
        driverHintSet_ = true;
        if (!openAudioOutput()) {
            const QString reason = QString::fromUtf8(SDL_GetError());
            closeAudioOutput();
            forgetDriverChoice();
            restoreAlsaMessages();
            throw EMCIDeviceError(
                QStringLiteral("Cannot open the audio output: %1").arg(reason));
        }
    }
    watch_ = std::make_unique<QTimer>();
    watch_->setTimerType(Qt::PreciseTimer);
    QObject::connect(watch_.get(), &QTimer::timeout, [this] { watchOutput(); });
    watch_->start(kWatchIntervalMs);
}

SdlSoundSystem::~SdlSoundSystem() {
    watch_.reset();
    if (output_ == Output::Reopening)
        reopening_.wait();
    for (SdlCue* cue : openCues_)
        cue->close();
    closeAudioOutput();
    forgetDriverChoice();
    restoreAlsaMessages();
}

void SdlSoundSystem::forgetDriverChoice() {
    if (driverHintSet_)
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    driverHintSet_ = false;
}

void SdlSoundSystem::watchOutput() {
    switch (output_) {
    case Output::Open:
        if (outputWentAway()) {
            lostDriver_ = QString::fromUtf8(SDL_GetCurrentAudioDriver());
            startReopening();
        }
        break;
    case Output::Reopening:
        if (reopening_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            finishReopening(reopening_.get());
        break;
    case Output::Lost:
        if (sinceAttempt_.elapsed() >= kRetryIntervalMs)
            startReopening();
        break;
    }
}

void SdlSoundSystem::startReopening() {
    output_ = Output::Reopening;
    driverHintSet_ = true;
    reopening_ = std::async(std::launch::async, reopenAudioOutput, lostDriver_);
}

void SdlSoundSystem::finishReopening(bool reopened) {
    if (!reopened) {
        output_ = Output::Lost;
        sinceAttempt_.start();
        return;
    }
    // A new output starts with the mixer's default channel count and may
    // run in another format than the one the sounds were decoded for.
    Mix_AllocateChannels(nextChannel_);
    for (SdlCue* cue : openCues_)
        cue->decodeAgain();
    lostDriver_.clear();
    output_ = Output::Open;
}

std::unique_ptr<Cue> SdlSoundSystem::open(const QString& fileName) {
    auto cue = std::make_unique<SdlCue>(*this, fileName, readSoundFile(fileName), nextChannel_);
    const int channel = nextChannel_++;
    if (outputOpen() && channel >= Mix_AllocateChannels(kQueryChannelCount))
        Mix_AllocateChannels(channel + 1);
    openCues_.push_back(cue.get());
    return cue;
}

bool SdlSoundSystem::isPlaying(const Cue& cue) const {
    for (const SdlCue* openCue : openCues_)
        if (openCue == &cue)
            return openCue->isPlaying();
    return false;
}

QString SdlSoundSystem::driverName() const {
    if (!outputOpen())
        return {};
    return QString::fromUtf8(SDL_GetCurrentAudioDriver());
}

}  // namespace kestrava::sound
