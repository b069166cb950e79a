// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times the sound cues from the rule's Play call to their onset in what a
// sound server plays.
//
// The game runs on a PulseAudio server of the bench's own whose only output
// is a null sink; a MonitorRecorder records the sink's monitor (parec) on a
// thread of its own, stamping every block of samples with the monotonic
// clock as it arrives. A cue's onset is the moment the server mixed it into
// its output: the arrival of the block that holds it. What the server
// reports for the game's stream is the same span as it sees it (the
// stream's buffer); the sink's latency comes on top of both alike, a
// property of the output (for a null sink, how far ahead it renders).

#include "bench/Results.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <map>
#include <thread>
#include <vector>

namespace kestrava::bench {

inline constexpr int CueRateHz = 22050;  // the cues' own rate, and the sink's
// The recorder's blocks, small so a block's arrival tells when its samples
// were mixed.
inline constexpr int RecorderBlockMs = 5;

struct Recording {
    struct Block {
        qint64 arrivedNs;
        size_t endSample;  // one past its last sample
    };
    std::vector<int16_t> samples;
    std::vector<Block> blocks;
};

// Records `source` of the server in PULSE_SERVER from construction to stop().
class MonitorRecorder {
public:
    explicit MonitorRecorder(const QByteArray& source);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    bool started() const { return pid_ > 0; }
    // Ends the recording and hands it over.
    Recording stop();

private:
    int pid_ = -1;
    int pipe_ = -1;
    Recording recording_;
    std::thread reader_;
};

// What the server says a sample written now takes to be played: the game's
// stream's buffer and the sink's latency (`pactl list sink-inputs`), in ms;
// negative when no stream was found. Both change from moment to moment, as
// the buffer drains and is filled and the sink renders ahead, so they are
// asked many times and the medians kept.
struct ServerLatency {
    double bufferMs = -1;
    double sinkMs = -1;
    int asked = 0;
};
ServerLatency askServerLatency();
ServerLatency medianLatency(const std::vector<ServerLatency>& answers);

struct CueOnsets {
    std::vector<double> latenciesMs;  // Play call to the onset mixed
    int overlapped = 0;  // called while another cue sounded: no onset to tell
    int unheard = 0;     // into silence, yet not heard within a second
};

// Finds each call's onset in `recording`: the first sample of its cue that
// is louder than the quiet floor, less the cue's own lead-in before that
// sample (`leadInSamples`, by cue name).
CueOnsets findOnsets(const Recording& recording, const std::vector<CueCall>& calls,
                     const std::map<QString, int>& leadInSamples);

// Samples before the first one louder than the quiet floor in a 16-bit mono
// WAV file; -1 when the file cannot be read as one.
int leadInSamples(const QString& wavFile);

}  // namespace kestrava::bench
