// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/CueLatency.h"

#include "bench/Results.h"
#include "bench/TickSeries.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrava::bench {

namespace {
// 1 % of full scale: louder than any rounding the mixer or server adds.
constexpr int QuietFloor = 328;
// An onset is a loud sample after this much quiet.
constexpr size_t QuietBeforeOnset = CueRateHz / 50;  // 20 ms
constexpr qint64 HearingWindowNs = 1'000'000'000;
constexpr double NsPerSample = 1e9 / CueRateHz;
constexpr int ServerAnswerMs = 5000;

bool loud(int16_t sample) { return std::abs(int(sample)) > QuietFloor; }

// The first block that arrived after `ns`, or blocks.size().
size_t firstBlockAfter(const Recording& r, qint64 ns) {
    return size_t(std::upper_bound(r.blocks.begin(), r.blocks.end(), ns,
                                   [](qint64 t, const Recording::Block& b) {
                                       return t < b.arrivedNs;
                                   }) -
                  r.blocks.begin());
}

size_t blockHolding(const Recording& r, size_t sample) {
    return size_t(std::upper_bound(r.blocks.begin(), r.blocks.end(), sample,
                                   [](size_t s, const Recording::Block& b) {
                                       return s < b.endSample;
                                   }) -
                  r.blocks.begin());
}

size_t blockStart(const Recording& r, size_t block) {
    return block == 0 ? 0 : r.blocks[block - 1].endSample;
}

// The first loud sample from `from` to `to` with QuietBeforeOnset of quiet
// before it; `to` when there is none.
size_t onsetBetween(const std::vector<int16_t>& samples, size_t from, size_t to) {
    size_t quiet = 0;
    for (size_t i = from > QuietBeforeOnset ? from - QuietBeforeOnset : 0; i < to; ++i) {
        if (!loud(samples[i])) {
            ++quiet;
        } else if (quiet >= QuietBeforeOnset && i >= from) {
            return i;
        } else {
            quiet = 0;
        }
    }
    return to;
}

void readInto(int fd, Recording& recording) {
    char buffer[4096];
    std::string pending;  // an odd byte left from the last read
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0 && !(got < 0 && errno == EINTR))
            return;
        if (got <= 0)
            continue;
        const qint64 now = steadyNs();
        pending.append(buffer, size_t(got));
        const size_t whole = pending.size() / 2;
        const size_t before = recording.samples.size();
        recording.samples.resize(before + whole);
        std::memcpy(recording.samples.data() + before, pending.data(), whole * 2);
        pending.erase(0, whole * 2);
        recording.blocks.push_back({now, recording.samples.size()});
    }
}
}  // namespace

MonitorRecorder::MonitorRecorder(const QByteArray& source) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    const QByteArray device = "--device=" + source;
    const QByteArray rate = "--rate=" + QByteArray::number(CueRateHz);
    const QByteArray latency = "--latency-msec=" + QByteArray::number(RecorderBlockMs);
    const char* argv[] = {"parec",           "--raw",       device.constData(),
                          "--format=s16le",  rate.constData(), "--channels=1",
                          latency.constData(), nullptr};
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    close(devNull);
    close(fds[1]);
    pipe_ = fds[0];
    if (pid_ < 0) {
        close(pipe_);
        return;
    }
    reader_ = std::thread([this] { readInto(pipe_, recording_); });
}

MonitorRecorder::~MonitorRecorder() { stop(); }

Recording MonitorRecorder::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        reader_.join();
        waitpid(pid_, nullptr, 0);
        close(pipe_);
        pid_ = -1;
    }
    return std::move(recording_);
}

ServerLatency askServerLatency() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(ServerAnswerMs))
        return {};
    const QString text = QString::fromLocal8Bit(pactl.readAllStandardOutput());
    auto microseconds = [&text](const char* field) {
        const QRegularExpressionMatch m =
            QRegularExpression(QString::fromLatin1(field) + QStringLiteral(": (\\d+) usec"))
                .match(text);
        return m.hasMatch() ? m.captured(1).toDouble() / 1000 : -1.0;
    };
    return {microseconds("Buffer Latency"), microseconds("Sink Latency"), 1};
}

ServerLatency medianLatency(const std::vector<ServerLatency>& answers) {
    std::vector<double> buffers;
    std::vector<double> sinks;
    for (const ServerLatency& a : answers) {
        if (a.bufferMs >= 0 && a.sinkMs >= 0) {
            buffers.push_back(a.bufferMs);
            sinks.push_back(a.sinkMs);
        }
    }
    if (buffers.empty())
        return {};
    return {median(buffers), median(sinks), int(buffers.size())};
}

CueOnsets findOnsets(const Recording& recording, const std::vector<CueCall>& calls,
                     const std::map<QString, int>& leadInSamples) {
    CueOnsets onsets;
    for (const CueCall& call : calls) {
        if (!call.intoSilence) {
            ++onsets.overlapped;
            continue;
        }
        // Only blocks that arrived after the call can hold the cue.
        const size_t first = firstBlockAfter(recording, call.atNs);
        const size_t last = firstBlockAfter(recording, call.atNs + HearingWindowNs);
        const size_t from = blockStart(recording, first);
        const size_t to = blockStart(recording, last);
        const size_t onset = onsetBetween(recording.samples, from, to);
        const auto leadIn = leadInSamples.find(call.name);
        if (onset >= to || leadIn == leadInSamples.end()) {
            ++onsets.unheard;
            continue;
        }
        const size_t block = blockHolding(recording, onset);
        const double mixedNs =
            double(recording.blocks[block].arrivedNs) - leadIn->second * NsPerSample;
        onsets.latenciesMs.push_back((mixedNs - double(call.atNs)) / 1e6);
    }
    return onsets;
}

int leadInSamples(const QString& wavFile) {
    QFile file(wavFile);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    // RIFF: a 12-byte header, then chunks of a 4-byte id, a 4-byte size and the data.
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (bytes.mid(at, 4) == "data") {
            const auto* pcm = reinterpret_cast<const int16_t*>(bytes.constData() + at + 8);
            const qsizetype count = std::min<qsizetype>(size, bytes.size() - at - 8) / 2;
            const auto* first = std::find_if(pcm, pcm + count, loud);
            return first == pcm + count ? -1 : int(first - pcm);
        }
        at += 8 + size + (size & 1);
    }
    return -1;
}

}  // namespace kestrava::bench
