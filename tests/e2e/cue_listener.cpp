// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Listens to a recording of the game's sound as it is made and says when
// each cue began, on the wall clock the test scripts read ($EPOCHREALTIME).
//
// Reads 16-bit little-endian mono samples at `rate` Hz from stdin (parec's
// output) until end of input, then prints one line per cue onset: the onset's
// wall-clock time in microseconds since the epoch and the name of the sound
// that begins there (the WAV file's name without folder and extension), or
// "?" for a sound that is none of the cues' beginnings.
//
// Sample clock to wall clock: every block read is stamped with the time it
// arrived. A sample cannot arrive before it was recorded, so each block
// bounds the wall time of the recording's first sample from above by
// (arrival - samples so far / rate); the smallest bound over the whole
// recording is the estimate, as a block that waited in a pipe only loosens
// its own bound. What remains is the sound server's own latency in handing
// over recorded blocks, a few milliseconds with the small latency the test
// asks parec for.
//
// Onsets: the recording is cut into 5 ms windows. A cue begins at the first
// sample above the threshold in a loud window that follows at least
// kQuietBeforeMs of quiet windows. That is shorter than the closest gap
// between two due cues of an untouched game (the truck's cue ends 89 ms
// before the bus falls) and longer than any quiet stretch inside the bus,
// truck and crash sounds, so each of those counts once. (The motorcycle and
// heartbeat sounds do pause inside; a test that hears them must allow for
// it.)
//
// Which sound begins: the cues reach the recording sample for sample (same
// rate, one channel, full volume), so the kMatchMs after an onset are
// compared with the start of each cue's WAV file, aligned on the first loud
// sample of both. A stream that ran dry for a moment on a busy machine
// resumes mid-sound after a quiet stretch; that is reported as "?", not as a
// cue.
//
// Usage: parec ... | cue_listener <rate> <cue.wav>...

#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr int kWindowMs = 5;
constexpr int kQuietBeforeMs = 50;
// About -30 dBFS: far above the silence of a null sink (exact zeros), far
// below the first milliseconds of every cue.
constexpr int kLoudSample = 1000;
constexpr std::size_t kReadBytes = 4096;
constexpr std::int64_t kMicrosPerSecond = 1000000;
constexpr int kMatchMs = 20;
// Normalised correlation above which the recording holds the cue's start.
constexpr double kSameSound = 0.9;
// The PCM samples of a canonical WAV file (as assets/tools makes them).
constexpr std::size_t kWavHeaderBytes = 44;

std::int64_t wallMicros() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * kMicrosPerSecond + now.tv_nsec / 1000;
}

struct Recording {
    std::vector<std::int16_t> samples;
    std::int64_t firstSampleMicros = std::numeric_limits<std::int64_t>::max();
};

Recording record(int rate) {
    Recording recording;
    std::vector<char> bytes;
    char block[kReadBytes];
    ssize_t got;
    while ((got = read(STDIN_FILENO, block, sizeof block)) > 0) {
        const std::int64_t arrived = wallMicros();
        bytes.insert(bytes.end(), block, block + got);
        const std::int64_t samplesSoFar = std::int64_t(bytes.size() / 2);
        const std::int64_t bound = arrived - samplesSoFar * kMicrosPerSecond / rate;
        if (bound < recording.firstSampleMicros)
            recording.firstSampleMicros = bound;
    }
    recording.samples.resize(bytes.size() / 2);
    std::memcpy(recording.samples.data(), bytes.data(), recording.samples.size() * 2);
    return recording;
}

struct Sound {
    std::string name;
    std::vector<std::int16_t> samples;
    std::size_t firstLoud = 0;
};

// The first sample above the threshold in [from, to), or `to` when none is.
std::size_t firstLoudSample(const std::vector<std::int16_t>& samples, std::size_t from,
                            std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (std::abs(int(samples[i])) > kLoudSample)
            return i;
    return to;
}

Sound loadSound(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    Sound sound;
    const std::size_t slash = path.find_last_of('/');
    sound.name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    sound.name = sound.name.substr(0, sound.name.find('.'));
    if (bytes.size() > kWavHeaderBytes) {
        sound.samples.resize((bytes.size() - kWavHeaderBytes) / 2);
        std::memcpy(sound.samples.data(), bytes.data() + kWavHeaderBytes,
                    sound.samples.size() * 2);
    }
    sound.firstLoud = firstLoudSample(sound.samples, 0, sound.samples.size());
    return sound;
}

// Normalised correlation of `length` samples of the recording from `at` with
// the sound from its first loud sample.
double likeness(const std::vector<std::int16_t>& recording, std::size_t at, const Sound& sound,
                std::size_t length) {
    if (at + length > recording.size() || sound.firstLoud + length > sound.samples.size())
        return 0;
    double product = 0, heard = 0, made = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const double a = recording[at + i], b = sound.samples[sound.firstLoud + i];
        product += a * b;
        heard += a * a;
        made += b * b;
    }
    return heard > 0 && made > 0 ? product / std::sqrt(heard * made) : 0;
}

std::string nameSoundAt(const std::vector<std::int16_t>& recording, std::size_t onset,
                        const std::vector<Sound>& sounds, int rate) {
    const std::size_t length = std::size_t(rate) * kMatchMs / 1000;
    for (const Sound& sound : sounds)
        if (likeness(recording, onset, sound, length) > kSameSound)
            return sound.name;
    return "?";
}

// Sample indices where sounds begin.
std::vector<std::size_t> findOnsets(const std::vector<std::int16_t>& samples, int rate) {
    const std::size_t window = std::size_t(rate) * kWindowMs / 1000;
    const int quietWindowsNeeded = kQuietBeforeMs / kWindowMs;
    std::vector<std::size_t> onsets;
    int quietWindows = quietWindowsNeeded;  // the recording starts from silence
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        const std::size_t firstLoud = firstLoudSample(samples, start, start + window);
        if (firstLoud == start + window) {
            ++quietWindows;
            continue;
        }
        if (quietWindows >= quietWindowsNeeded)
            onsets.push_back(firstLoud);
        quietWindows = 0;
    }
    return onsets;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: %s <sample rate> <cue.wav>...\n", argv[0]);
        return 2;
    }
    const int rate = std::atoi(argv[1]);
    std::vector<Sound> sounds;
    for (int i = 2; i < argc; ++i)
        sounds.push_back(loadSound(argv[i]));
    const Recording recording = record(rate);
    if (recording.samples.empty())
        return 1;
    for (std::size_t onset : findOnsets(recording.samples, rate)) {
        const std::int64_t micros =
            recording.firstSampleMicros + std::int64_t(onset) * kMicrosPerSecond / rate;
        std::printf("%lld %s\n", static_cast<long long>(micros),
                    nameSoundAt(recording.samples, onset, sounds, rate).c_str());
    }
    return 0;
}
