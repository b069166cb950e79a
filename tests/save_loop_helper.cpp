// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A process that does nothing but save the `score` file, for the test that
// kills a process in the middle of a save (score_input_test.cpp).
//
// Usage: save_loop_helper <lines>
// In its working directory it saves `score` again and again through the
// game's own string-list save. Save number n (from 1) writes <lines> lines,
// each holding n in decimal, and then prints "n" and a line break on stdout,
// so the parent knows which contents have been saved whole. It runs until
// it is killed; it exits with 2 on a bad argument and 3 when a save fails.

#include "framework/Errors.h"
#include "framework/StringListFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBadArgument = 2;
constexpr int kSaveFailed = 3;

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc == 2 ? std::atoi(argv[1]) : 0;
    if (lines < 1)
        return kBadArgument;
    try {
        for (long long n = 1;; ++n) {
            kestrava::saveStringList(QStringLiteral("score"),
                                     QStringList(lines, QString::number(n)));
            std::printf("%lld\n", n);
            std::fflush(stdout);
        }
    } catch (const kestrava::Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return kSaveFailed;
    }
}
