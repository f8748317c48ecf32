// The exercise run wired to fakes: a clock the test sets, scripted random
// draws and results answers, and an observer that records everything; the
// keyboard is the real model the run drives.
#pragma once

#include "EngineFakes.h"
#include "TestFolder.h"

#include "common/core/UiTexts.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/ExerciseRun.h"

#include <memory>
#include <string>

struct TutorHarness {
    explicit TutorHarness(bool largeScreen = false, std::string bookmark = "",
                          int sentenceLineWidth = 10000)
        : texts(UiTexts::BuiltIn(UiProgram::Tutor)),
          catalogue({folder.Path()}, texts, measure, {FontSpec{"Arial", 14.25f}, sentenceLineWidth},
                    std::move(bookmark)),
          keyboard(largeScreen), run({clock, random, capsLock, presenter}, catalogue, keyboard,
                                     observer, texts, largeScreen) {}

    // The start screen as the window leaves it: list filled, Enter expected.
    void Open() {
        catalogue.FillExerciseList();
        run.ShowStartChoices();
        run.EnableStart();
    }
    // Scripts the draw of a sentence index at a level (1..3).
    void WillDraw(int index, int level) {
        random.script.push_back(ScriptedRandom::For(index, 15 * level - 14));
    }
    // Scripts the praise word (1..7) and, for an ordinary result, the picture (0..2).
    void WillPraise(int praise, int picture = -1) {
        random.script.push_back(ScriptedRandom::Between(praise, 1, 7));
        if (picture >= 0)
            random.script.push_back(ScriptedRandom::Between(picture, 0, 2));
    }
    // Types a text as the pupil would: one Enter for each CR LF.
    void Type(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' && i > 0 && text[i - 1] == '\r')
                continue;
            run.KeyPressed(text[i]);
        }
    }
    // Waits out the pause after a sentence.
    void Pause() {
        clock.now += ExerciseRun::kPauseSeconds;
        run.PauseTick();
    }
    const TutorScreen& Screen() const { return run.Screen(); }

    TempFolder folder;
    FakeClock clock;
    ScriptedRandom random;
    FakeCapsLock capsLock;
    ScriptedPresenter presenter;
    RecordingObserver observer;
    FixedWidthMeasure measure{10};
    UiTexts texts;
    ExerciseCatalogue catalogue;
    KeyboardModel keyboard;
    ExerciseRun run;
};
