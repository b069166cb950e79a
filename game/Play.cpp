// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window handlers, the deck piece and the four vehicle lanes.
//
// Each vehicle tick is a straight sequence of position comparisons; the order
// of the steps is the game (a lane's flag is set before its exact-edge test
// and cleared after it), so the handlers read step by step.

#include "framework/Errors.h"
#include "game/GameRules.h"
#include "game/Unit2.h"

namespace kestrava {

namespace {
constexpr int KeyUp = 38;
constexpr int KeyDown = 40;
constexpr int KeyEnter = 13;

void closeMainWindow() {
    if (TForm* main = TForm::MainForm())
        main->Close();
}
}  // namespace

void TForm2::FormCreate() {
    lightsLeft = rules::LightUsesInAll;
    laneBridged1 = laneBridged2 = laneBridged3 = laneBridged4 = false;
    lives = rules::StartLives;
    lightUses1 = lightUses2 = lightUses3 = lightUses4 = 0;
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

void TForm2::Timer1Timer() {
    constexpr auto& bus = rules::Bus;
    bus01->setLeft(bus01->Left() + bus.step);
    if (Ploska->Top() == bus.level)
        laneBridged1 = true;
    if (Ploska->Top() != bus.level)
        laneBridged1 = false;
    if (bus01->Left() > bus.rangeLow && bus01->Left() < bus.rangeHigh && !laneBridged1)
        fall(*bus01, nullptr, true);
    if (bus01->Left() <= rules::BusRunEnd)
        bus01->setLeft(bus.restart);
    if (!bus01->Visible())
        bus01->setLeft(bus.restart);
    if (bus01->Left() <= bus.showFrom)
        bus01->Show();
    if (bus01->Left() == bus.scoreAt) {
        runningScore = runningScore + bus.points;
        Timer4.setEnabled(true);
    }
    Lscore->setCaption(QString::number(runningScore));
    checkLives();
    if (bus01->Left() == rules::BusHornAt)
        autobus->Play();
}

void TForm2::Timer4Timer() {
    constexpr auto& tram = rules::Tram;
    tramvaj->setLeft(tramvaj->Left() + tram.step);
    if (Ploska->Top() == tram.level)
        laneBridged2 = true;
    if (!laneBridged2 && tramvaj->Left() == tram.exactEdge)
        fall(*tramvaj, &Timer4, false);
    if (Ploska->Top() != tram.level)
        laneBridged2 = false;
    if (tramvaj->Left() > tram.rangeLow && tramvaj->Left() < tram.rangeHigh && !laneBridged2)
        fall(*tramvaj, &Timer4, true);
    if (tramvaj->Left() <= rules::TramRunEnd) {
        Timer4.setEnabled(false);
        tramvaj->setLeft(tram.restart);
    }
    if (!tramvaj->Visible())
        tramvaj->setLeft(tram.restart);
    if (tramvaj->Left() <= tram.showFrom)
        tramvaj->Show();
    if (tramvaj->Left() == tram.scoreAt)
        runningScore = runningScore + tram.points;
    checkLives();
}

void TForm2::Timer3Timer() {
    constexpr auto& truck = rules::Truck;
    if (kamion->Left() == rules::TruckHornAt)
        kamionpl->Play();
    kamion->setLeft(kamion->Left() + truck.step);
    if (Ploska->Top() == truck.level)
        laneBridged3 = true;
    if (!laneBridged3 && kamion->Left() == truck.exactEdge)
        fall(*kamion, nullptr, false);
    if (Ploska->Top() != truck.level)
        laneBridged3 = false;
    if (kamion->Left() > truck.rangeLow && kamion->Left() < truck.rangeHigh && !laneBridged3)
        fall(*kamion, nullptr, true);
    if (kamion->Left() >= rules::TruckRunEnd)
        kamion->setLeft(truck.restart);
    if (!kamion->Visible())
        kamion->setLeft(truck.restart);
    if (kamion->Left() >= truck.showFrom)
        kamion->Show();
    if (kamion->Left() == truck.scoreAt)
        runningScore = runningScore + truck.points;
    if (kamion->Left() >= rules::TruckReleasesMotorkaFrom)
        Timer5.setEnabled(true);
    checkLives();
}

void TForm2::Timer5Timer() {
    constexpr auto& bike = rules::Motorka;
    if (motorka->Left() == rules::MotorkaEngineAt)
        motorkapl->Play();
    motorka->setLeft(motorka->Left() + bike.step);
    if (Ploska->Top() == bike.level)
        laneBridged4 = true;
    if (!laneBridged4 && motorka->Left() == bike.exactEdge)
        fall(*motorka, &Timer5, false);
    if (Ploska->Top() != bike.level)
        laneBridged4 = false;
    if (motorka->Left() > bike.rangeLow && motorka->Left() < bike.rangeHigh && !laneBridged4)
        fall(*motorka, &Timer5, true);
    if (motorka->Left() == rules::MotorkaRunEnd) {
        motorka->setLeft(bike.restart);
        Timer5.setEnabled(false);
    }
    if (!motorka->Visible())
        motorka->setLeft(bike.restart);
    if (motorka->Left() <= bike.showFrom)
        motorka->Show();
    if (motorka->Left() == bike.scoreAt)
        runningScore = runningScore + bike.points;
    checkLives();
}

}  // namespace kestrava
