// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Traffic lights, the game clock with the end of the game by time-out, and
// the high-score watcher.

#include "framework/Errors.h"
#include "framework/IntConv.h"
#include "game/GameRules.h"
#include "game/Unit2.h"
#include "score/ScoreFile.h"

namespace kestrava {

TForm2::Light TForm2::light(Lane lane) {
    switch (lane) {
    case BusLane:
        return {Image10.get(), red01.get(), zel01.get(), &semafor, &Timer1, rules::Bus.timerMs,
                lanes[lane]};
    case TramLane:
        return {Image18.get(), red02.get(), zel02.get(), &semafor1, &Timer4,
                rules::Tram.timerMs, lanes[lane]};
    case TruckLane:
        return {Image17.get(), red03.get(), zel03.get(), &semafor2, &Timer3,
                rules::Truck.timerMs, lanes[lane]};
    default:
        return {Image19.get(), red04.get(), zel04.get(), &semafor3, &Timer5,
                rules::Motorka.timerMs, lanes[lane]};
    }
}

// A halt is the lane timer's interval set to 0: the timer keeps its enabled
// state, so a lane released during the halt starts when the halt ends.
void TForm2::useLight(const Light& l) {
    const int old = l.state.lightUses;
    l.state.lightUses = old + 1;
    if (old == rules::UsesPerLight - 1)
        l.post->setEnabled(false);
    lightsLeft = lightsLeft - 1;
    l.green->Hide();
    l.red->Show();
    l.lightTimer->setEnabled(true);
    l.laneTimer->setInterval(0);
}

void TForm2::endHalt(const Light& l) {
    l.red->Hide();
    l.green->Show();
    l.lightTimer->setEnabled(false);
    l.laneTimer->setInterval(l.runningInterval);
}

void TForm2::Image10Click() { useLight(light(BusLane)); }
void TForm2::Image18Click() { useLight(light(TramLane)); }
void TForm2::Image17Click() { useLight(light(TruckLane)); }
void TForm2::Image19Click() { useLight(light(MotorkaLane)); }
void TForm2::semaforTimer() { endHalt(light(BusLane)); }
void TForm2::semafor1Timer() { endHalt(light(TramLane)); }
void TForm2::semafor2Timer() { endHalt(light(TruckLane)); }
void TForm2::semafor3Timer() { endHalt(light(MotorkaLane)); }

void TForm2::hodinkyTimer() {
    hodiny->setCaption(QString::number(timeLeft));
    timeLeft = timeLeft - 1;
    if (StrToInt(hodiny->Caption()) == 0)
        endByTimeOut();
    if (timeLeft >= 0 && timeLeft <= rules::HeartbeatFrom)
        tep->Play();
}

void TForm2::endByTimeOut() {
    konechry->Show();
    Timer1.setEnabled(false);
    Timer3.setEnabled(false);
    Timer2.setEnabled(false);
    Timer4.setEnabled(false);
    hodinky.setEnabled(false);
    // The bonus the help text promises is part of the final score shown.
    const int shownScore = Lscore->Caption().isEmpty() ? 0 : StrToInt(Lscore->Caption());
    const int bonus = endBonus();
    Label1->setCaption(QString::number(shownScore + bonus));
    Timer5.setEnabled(false);
    runningScore = runningScore + bonus;
    compareFinalScore();
}

int TForm2::endBonus() const {
    int bonus = 0;
    if (lightsLeft >= 1 && lightsLeft <= rules::LightUsesInAll)
        bonus += rules::BonusPerLightLeft * lightsLeft;
    if (lives >= 1 && lives <= rules::StartLives)
        bonus += rules::BonusPerLifeLeft * lives;
    return bonus;
}

// The stored best, read afresh: load the file into the end panel's working
// copy and convert its first line.
int TForm2::storedBest() {
    ListBox1->setItems(loadScoreFile());
    Label3->setCaption(ListBox1->line(0));
    return StrToInt(Label3->Caption());
}

// The watcher has stopped by now; the final score with its bonus gets the
// same comparison once more.
void TForm2::compareFinalScore() {
    const int finalScore = StrToInt(Label1->Caption());
    if (storedBest() >= finalScore)
        return;
    Label4->Show();
    storeBest(Label1->Caption());
}

// The working copy shows the new lines even when the save then fails.
void TForm2::storeBest(const QString& best) {
    ListBox1->setItems(withBestReplaced(ListBox1->Items(), best));
    saveScoreFile(ListBox1->Items());
}

void TForm2::Timer2Timer() {
    // A failure that repeats tick after tick is reported once, not once a
    // second; it is reported again after a good tick or when it changes.
    try {
        watchHighScore();
        lastWatcherFailure_.reset();
    } catch (const Exception& error) {
        const bool repeated = lastWatcherFailure_ &&
                              lastWatcherFailure_->className == error.className() &&
                              lastWatcherFailure_->message == error.message();
        lastWatcherFailure_ = Failure{error.className(), error.message()};
        if (!repeated)
            throw;
    }
}

void TForm2::watchHighScore() {
    if (storedBest() >= runningScore)
        return;
    // Until the bus has written the score label there is no score to store.
    if (Lscore->Caption().isEmpty())
        return;
    Label4->Show();
    storeBest(Lscore->Caption());
}

}  // namespace kestrava
