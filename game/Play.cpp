// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window handlers, the deck piece and the four vehicle lanes.
//
// The four lanes run one tick, driven by a table row each. The order of the
// tick's steps is the game (a lane's flag is set before its exact-edge test
// and cleared after it; a cue sounds before the move or after everything
// else), so the tick reads step by step and the rows say only where the
// lanes differ.

#include "framework/Errors.h"
#include "game/GameRules.h"
#include "game/Unit2.h"

namespace kestrava {

namespace {
void closeMainWindow() {
    if (TForm* main = TForm::MainForm())
        main->Close();
}

// How a position mark is met: at exactly that position, or there or further
// on the vehicle's way.
enum class Reach { Exactly, AtOrBeyond };

bool reached(int left, int step, int mark, Reach how) {
    if (how == Reach::Exactly)
        return left == mark;
    return step < 0 ? left <= mark : left >= mark;
}

// A lane's cue sounds when its vehicle stands at `cueAt` as its tick starts,
// or after the tick has done everything else.
enum class CueTime { BeforeMove, AfterTick };

// Where the lanes differ; what a row leaves out, its lane does not do.
struct LaneRow {
    std::unique_ptr<TImage> TForm2::*vehicle;
    TTimer TForm2::*timer;
    const rules::Vehicle& vehicleRules;
    int runEnd;
    Reach runEndReach = Reach::AtOrBeyond;
    // A released lane runs once: the end of its run or a fall stops its
    // timer until it is released again.
    bool runsOnce = false;
    TTimer TForm2::*releases = nullptr;
    int releaseAt = 0;
    Reach releaseReach = Reach::Exactly;
    std::unique_ptr<sound::Cue> TForm2::*cue = nullptr;
    int cueAt = 0;
    CueTime cueTime = CueTime::AfterTick;
    // The score label shows the running score as of this lane's last tick.
    bool writesScoreLabel = false;
};

// Indexed by TForm2::Lane.
const LaneRow LaneTable[TForm2::LaneCount] = {
    {.vehicle = &TForm2::bus01,
     .timer = &TForm2::Timer1,
     .vehicleRules = rules::Bus,
     .runEnd = rules::BusRunEnd,
     .releases = &TForm2::Timer4,
     .releaseAt = rules::Bus.scoreAt,
     .cue = &TForm2::autobus,
     .cueAt = rules::BusHornAt,
     .writesScoreLabel = true},
    {.vehicle = &TForm2::tramvaj,
     .timer = &TForm2::Timer4,
     .vehicleRules = rules::Tram,
     .runEnd = rules::TramRunEnd,
     .runsOnce = true},
    {.vehicle = &TForm2::kamion,
     .timer = &TForm2::Timer3,
     .vehicleRules = rules::Truck,
     .runEnd = rules::TruckRunEnd,
     .releases = &TForm2::Timer5,
     .releaseAt = rules::TruckReleasesMotorkaFrom,
     .releaseReach = Reach::AtOrBeyond,
     .cue = &TForm2::kamionpl,
     .cueAt = rules::TruckHornAt,
     .cueTime = CueTime::BeforeMove},
    {.vehicle = &TForm2::motorka,
     .timer = &TForm2::Timer5,
     .vehicleRules = rules::Motorka,
     .runEnd = rules::MotorkaRunEnd,
     .runEndReach = Reach::Exactly,
     .runsOnce = true,
     .cue = &TForm2::motorkapl,
     .cueAt = rules::MotorkaEngineAt,
     .cueTime = CueTime::BeforeMove},
};
}  // namespace

void TForm2::FormCreate() {
    lightsLeft = rules::LightUsesInAll;
    lanes.fill(LaneState{});
    lives = rules::StartLives;
}

void TForm2::FormShow() {
    Timer1.setEnabled(true);
    Timer3.setEnabled(true);
    timeLeft = rules::GameSeconds;
    hodinky.setEnabled(true);
}

void TForm2::FormHide() {
    Timer1.setEnabled(false);
    Timer3.setEnabled(false);
    Timer2.setEnabled(false);
    Timer4.setEnabled(false);
    hodinky.setEnabled(false);
}

void TForm2::FormClose() { closeMainWindow(); }

void TForm2::Ukonit1Click() { closeMainWindow(); }

void TForm2::FormKeyPress(int key) {
    if (konechry->Visible() && key == KeyEnter)
        closeMainWindow();
}

void TForm2::FormClick() {
    // Once the end panel shows, the row of pixels it leaves uncovered must not
    // start the vehicles and the clock again behind it.
    if (konechry->Visible())
        return;
    Timer1.setEnabled(true);
    hodinky.setEnabled(true);
    Timer3.setEnabled(true);
    Timer4.setEnabled(true);
    Timer5.setEnabled(true);
}

void TForm2::FormKeyDown(int key) {
    if (key == KeyUp)
        Ploska->setTop(Ploska->Top() - rules::DeckStep);
    if (key == KeyDown)
        Ploska->setTop(Ploska->Top() + rules::DeckStep);
    if (Shape9->Top() < Ploska->Top() + Ploska->Height())
        Ploska->setTop(rules::DeckTopAfterBottomWrap);
    if (Ploska->Top() < Shape10->Top() + Shape10->Height())
        Ploska->setTop(rules::DeckTopAfterTopWrap);
}

void TForm2::fall(TImage& vehicle, TTimer* stopTimer, bool withCrash) {
    vehicle.Hide();
    lives = lives - 1;
    if (stopTimer)
        stopTimer->setEnabled(false);
    if (withCrash)
        crash->Play();
}

void TForm2::checkLives() {
    if (lives == 0) {
        bohuzel->show();
        konechry->Show();
        Timer1.setEnabled(false);
        Timer3.setEnabled(false);
        Timer4.setEnabled(false);
        Timer5.setEnabled(false);
        hodinky.setEnabled(false);
        runningScore = 0;
    }
    TImage* const icons[] = {life01.get(), life02.get(), life03.get(), life04.get()};
    if (lives >= 1 && lives <= 4)
        icons[lives - 1]->Hide();
}

void TForm2::Timer1Timer() { tickLane(BusLane); }
void TForm2::Timer4Timer() { tickLane(TramLane); }
void TForm2::Timer3Timer() { tickLane(TruckLane); }
void TForm2::Timer5Timer() { tickLane(MotorkaLane); }

void TForm2::tickLane(Lane lane) {
    const LaneRow& row = LaneTable[lane];
    const rules::Vehicle& v = row.vehicleRules;
    TImage& vehicle = *(this->*row.vehicle);
    bool& bridged = lanes[lane].bridged;
    TTimer* const stopTimer = row.runsOnce ? &(this->*row.timer) : nullptr;
    const auto playCueAt = [&](CueTime time) {
        if (row.cue && row.cueTime == time && vehicle.Left() == row.cueAt)
            (this->*row.cue)->Play();
    };

    playCueAt(CueTime::BeforeMove);
    vehicle.setLeft(vehicle.Left() + v.step);
    if (Ploska->Top() == v.level)
        bridged = true;
    if (!bridged && vehicle.Left() == v.exactEdge)
        fall(vehicle, stopTimer, false);
    if (Ploska->Top() != v.level)
        bridged = false;
    if (vehicle.Left() > v.rangeLow && vehicle.Left() < v.rangeHigh && !bridged)
        fall(vehicle, stopTimer, true);
    if (reached(vehicle.Left(), v.step, row.runEnd, row.runEndReach)) {
        vehicle.setLeft(v.restart);
        if (stopTimer)
            stopTimer->setEnabled(false);
    }
    if (!vehicle.Visible())
        vehicle.setLeft(v.restart);
    if (reached(vehicle.Left(), v.step, v.showFrom, Reach::AtOrBeyond))
        vehicle.Show();
    if (vehicle.Left() == v.scoreAt)
        runningScore = runningScore + v.points;
    if (row.releases && reached(vehicle.Left(), v.step, row.releaseAt, row.releaseReach))
        (this->*row.releases).setEnabled(true);
    if (row.writesScoreLabel)
        Lscore->setCaption(QString::number(runningScore));
    checkLives();
    playCueAt(CueTime::AfterTick);
}

}  // namespace kestrava
