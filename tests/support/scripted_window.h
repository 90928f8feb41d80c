#pragma once
// A game window for controller tests: records what the controller shows, answers its
// questions from a script and runs scripted events (clicks, menu commands) one per
// dispatch. When a human waits and nothing is scripted any more, it resigns for the
// human, so a test can never hang.

#include "vorlix/game/controller.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

class ScriptedWindow : public vorlix::GameWindow {
  public:
    vorlix::GameController* controller = nullptr;

    std::vector<std::string> warnings, errors, questions;
    std::deque<bool> answers; // default No
    std::map<vorlix::GameCommand, bool> enabled;
    bool reviewButtons = false;
    bool indicatorVisible = false;
    std::uint8_t indicatorColour = 0;
    std::map<std::uint8_t, std::string> clocks;
    bool editMode = false;
    int idleResigns = 0;

    // Events for a waiting human (clicks, and commands given while it waits): each
    // wait runs the next one.
    std::deque<std::function<void()>> events;
    void Click(int x, int y) {
        events.push_back([this, x, y] {
            controller->BoardClicked(
                vorlix::TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
        });
    }

    bool Alive() const override { return true; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    bool AskQuestion(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void EnableCommand(vorlix::GameCommand c, bool on) override { enabled[c] = on; }
    void ShowReviewButtons(bool visible) override { reviewButtons = visible; }
    void ShowStoneIndicator(bool visible, std::uint8_t colour) override {
        indicatorVisible = visible;
        indicatorColour = colour;
    }
    void RefreshBoard(vorlix::TPont) override {}
    void RefreshInfo() override {}
    void SetClockLabel(std::uint8_t colour, const std::string& text) override {
        clocks[colour] = text;
    }
    std::vector<std::string> panel; // the message panel's lines
    std::vector<std::vector<std::string>> panelHistory;
    bool panelButtons = false;
    int panelAnswer = 0;
    std::vector<std::string> panelQuestions;
    void ShowPanelMessage(const std::vector<std::string>& lines) override {
        panel = lines;
        panelButtons = false;
        if (!lines.empty()) panelHistory.push_back(lines);
    }
    void ShowPanelQuestion(const std::vector<std::string>& lines) override {
        panel = lines;
        panelButtons = true;
        panelAnswer = 0;
        panelHistory.push_back(lines);
        for (const auto& line : lines) panelQuestions.push_back(line);
    }
    int PanelAnswer() const override { return panelAnswer; }
    // A press of the panel's Yes or No button, as an event for a waiting human.
    void PressPanel(bool yes) {
        events.push_back([this, yes] { panelAnswer = yes ? 1 : 2; });
    }
    // A menu command's request while a human waits.
    void TakeBack() {
        events.push_back([this] { controller->RequestTakeBack(); });
    }
    void SetEditMode(bool on) override { editMode = on; }
    std::uint8_t editColour = 0;
    std::vector<std::uint8_t> editColours;
    void SetEditColour(std::uint8_t c) override {
        editColour = c;
        editColours.push_back(c);
    }
    void SetBusyCursor(bool) override {}
    int dispatches = 0;
    void DispatchPendingEvents() override { ++dispatches; }
    void WaitForEvents() override {
        if (events.empty()) {
            ++idleResigns;
            controller->Resign();
            return;
        }
        auto e = std::move(events.front());
        events.pop_front();
        e();
    }
};

} // namespace testing_support
