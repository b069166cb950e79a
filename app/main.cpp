// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

int main(int argc, char** argv) { return kestrava::runKestrava(argc, argv); }
