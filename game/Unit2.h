// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// TForm2, the game window: the bridge scene, the timers that drive play and
// the game state every rule shares.
//
// Construction builds the layout (opening the five sound cues, in order,
// through the given SoundSystem; a failure there escapes the constructor),
// then runs FormCreate. Timer2, the high-score watcher, ticks from then on;
// showing the window starts the bus, the truck and the clock.
//
// Ownership: the window owns its items, timers and cues; `sounds` must
// outlive it. Every handler is public so tests can drive it directly; the
// toolkit calls them through dispatch().

#include "framework/Controls.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "sound/SoundCue.h"

#include <array>
#include <memory>
#include <optional>

namespace kestrava {

class TForm2 : public TForm {
public:
    explicit TForm2(sound::SoundSystem& sounds);
    ~TForm2() override;

    // Window handlers.
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormClose();
    void Ukonit1Click();
    void FormKeyPress(int key);
    void FormKeyDown(int key);
    void FormClick();

    // Vehicle lanes, top to bottom; every lane timer runs the one lane tick.
    enum Lane { BusLane, TramLane, TruckLane, MotorkaLane, LaneCount };
    void Timer1Timer();  // bus
    void Timer4Timer();  // tram
    void Timer3Timer();  // truck
    void Timer5Timer();  // motorka

    // Traffic lights.
    void Image10Click();
    void Image18Click();
    void Image17Click();
    void Image19Click();
    void semaforTimer();
    void semafor1Timer();
    void semafor2Timer();
    void semafor3Timer();

    // Clock and high-score watcher.
    void hodinkyTimer();
    void Timer2Timer();

    // Game state.
    int lives = 0;
    int lightsLeft = 0;
    struct LaneState {
        // The deck piece stood at the lane's level at the end of its last
        // tick (the exact-edge rule looks back at it).
        bool bridged = false;
        int lightUses = 0;  // of the lane's traffic light
    };
    std::array<LaneState, LaneCount> lanes{};
    int runningScore = 0;
    int timeLeft = 0;

    // Scene, in painting order.
    std::unique_ptr<TLabel> Lscore;
    std::unique_ptr<TShape> Shape1, Shape2, Shape7, Shape8, Shape9, Shape10;
    std::unique_ptr<TImage> Image2;
    std::unique_ptr<TShape> Shape11, Shape3, Shape4, Shape5;
    std::unique_ptr<TImage> bus01, Image1, Image3, Image4, Image5, Image6, Image7, Image8,
        Image9;
    std::unique_ptr<TImage> kamion;
    std::unique_ptr<TLabel> hodiny;
    std::unique_ptr<TImage> tramvaj;
    std::unique_ptr<TShape> Shape12;
    std::unique_ptr<TImage> Image11, Image12, Image13, Image14, Image15, Image16;
    std::unique_ptr<TImage> motorka;
    std::unique_ptr<TImage> Image10, Image17, Image18, Image19;
    std::unique_ptr<TShape> red01, zel01, red02, zel02, red03, zel03, red04, zel04;
    std::unique_ptr<TImage> life01, life02, life03, life04;
    std::unique_ptr<TLabel> Label6, Label7, Label8;
    TScene* Ploska = nullptr;

    // The end panel and its children.
    TScene* konechry = nullptr;
    std::unique_ptr<TShape> Shape6;
    std::unique_ptr<TLabel> Label1, Label2, Label3, Label4, Label5, Label9;
    TMemo* Memo1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TMemo* bohuzel = nullptr;

    // Sound cues, opened in this order.
    std::unique_ptr<sound::Cue> autobus, crash, motorkapl, kamionpl, tep;

    // Timers.
    TTimer Timer1, Timer4, Timer3, Timer5;
    TTimer semafor, semafor1, semafor2, semafor3;
    TTimer hodinky, Timer2;

private:
    struct Light {
        TImage* post;
        TShape* red;
        TShape* green;
        TTimer* lightTimer;
        TTimer* laneTimer;
        int runningInterval;
        LaneState& state;
    };
    struct Failure {
        QString className;
        QString message;
    };

    void buildScene();
    void buildDecks();
    void buildVehicles();
    void buildLights();
    void buildStatus();
    void buildEndPanel();
    void openSounds(sound::SoundSystem& sounds);
    void bindHandlers();

    void tickLane(Lane lane);
    void fall(TImage& vehicle, TTimer* stopTimer, bool withCrash);
    void checkLives();
    void endByTimeOut();
    int endBonus() const;
    int storedBest();
    void compareFinalScore();
    void storeBest(const QString& best);
    void watchHighScore();
    void useLight(const Light& light);
    void endHalt(const Light& light);
    Light light(Lane lane);

    std::optional<Failure> lastWatcherFailure_;
};

}  // namespace kestrava
