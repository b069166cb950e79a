// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Start-up and shutdown, and the process-wide references through which the
// windows show, hide and close each other. Each reference is set while its
// window exists; a window whose building failed leaves it empty.

#include <QString>

namespace kestrava {

class TForm1;
class TForm2;
class TAboutBox;
class TAboutBox1;

extern TForm1* Form1;
extern TForm2* Form2;
extern TAboutBox* AboutBox;
extern TAboutBox1* AboutBox1;

// Creates the windows in order (title, game, About, Help), shows the title
// window and runs the event loop until the title window closes; then
// destroys the windows in reverse order. Returns the process's exit code:
// 0, or 1 after an error escaped the start-up sequence and was reported.
int runKestrava(int argc, char** argv);

}  // namespace kestrava
