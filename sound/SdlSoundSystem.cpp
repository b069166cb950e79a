// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/SoundCue.h"

#include "framework/Errors.h"
#include "sound/DriverChoice.h"

#include <QFile>
#include <QFileInfo>
#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

namespace kestrava::sound {

namespace {

// Mixer output in the format the cues are made in (assets/tools/
// make_sounds.sh: 22 050 Hz mono), so loading a cue converts nothing; the
// sound server or ALSA's plug layer widens it for the card. A buffer of about
// 23 ms is short enough that a cue is heard on the tick that asks for it.
constexpr int kMixFrequencyHz = 22050;
constexpr int kOutputChannels = 1;
constexpr int kMixBufferFrames = 512;

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

// Narrows SDL's choice of driver where ALSA cannot play (see DriverChoice.h).
// An ordinary hint, so a driver the player names still wins. Returns whether
// a hint was set, for the destructor to take back.
bool steerPastSilentAlsa() {
    AudioMachine machine;
    machine.driverNamed = qEnvironmentVariableIsSet("SDL_AUDIODRIVER");
    if (!machine.driverNamed) {
        machine.alsaPlays = alsaPlays();
        machine.sdlDrivers = sdlAudioDrivers();
    }
    const QString drivers = audioDriverList(machine);
    if (drivers.isEmpty())
        return false;
    SDL_SetHint(SDL_HINT_AUDIODRIVER, drivers.toUtf8().constData());
    return true;
}

bool openAudioOutput() {
    // SDL would otherwise turn SIGTERM and SIGINT into events that nobody
    // reads here, and the game would no longer end on them (at logout, say).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
           Mix_OpenAudio(kMixFrequencyHz, MIX_DEFAULT_FORMAT, kOutputChannels,
                         kMixBufferFrames) == 0;
}

// Safe after a failed or partial openAudioOutput(): the mixer ignores a
// close when it is not open and SDL counts its subsystem's users.
void closeAudioOutput() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
// to its end.
class SdlSoundSystem::SdlCue : public Cue {
public:
    SdlCue(SdlSoundSystem& owner, Mix_Chunk* chunk, int channel)
        : owner_(&owner), chunk_(chunk), channel_(channel) {}

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
        // Playing on a busy channel would restart the sound from its start;
        // a cue asked again mid-sound just carries on.
        if (Mix_Playing(channel_))
            return;
        // The result is deliberately dropped: a cue that cannot start stays
        // silent, and the game goes on.
        Mix_PlayChannel(channel_, chunk_, kPlayOnce);
    }

    bool isPlaying() const {
        return chunk_ && Mix_Playing(channel_) != 0;
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
    Mix_Chunk* chunk_;
    int channel_;
};

SdlSoundSystem::SdlSoundSystem() {
    silenceAlsa();
    driverHintSet_ = steerPastSilentAlsa();
    if (openAudioOutput())
        return;
    closeAudioOutput();
    chooseSilentDriver();
    driverHintSet_ = true;
    if (openAudioOutput())
        return;
    const QString reason = QString::fromUtf8(SDL_GetError());
    closeAudioOutput();
    forgetDriverChoice();
    restoreAlsaMessages();
    throw EMCIDeviceError(
        QStringLiteral("Cannot open the audio output: %1").arg(reason));
}

SdlSoundSystem::~SdlSoundSystem() {
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

std::unique_ptr<Cue> SdlSoundSystem::open(const QString& fileName) {
    Mix_Chunk* chunk = decodeSound(fileName, readSoundFile(fileName));
    const int channel = nextChannel_++;
    if (channel >= Mix_AllocateChannels(kQueryChannelCount))
        Mix_AllocateChannels(channel + 1);
    auto cue = std::make_unique<SdlCue>(*this, chunk, channel);
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
    return QString::fromUtf8(SDL_GetCurrentAudioDriver());
}

}  // namespace kestrava::sound
