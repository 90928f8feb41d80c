#pragma once
// GameWindow: what the game controller needs of "the window". The main window
// implements it with real widgets; HeadlessWindow serves programs without a window
// (the match runner), and the tests script one of their own.
//
// Everything is called on the game thread. The controller never includes a window
// header: it talks only through this interface.

#include "vorlix/game/board.h"

#include <string>
#include <vector>

namespace vorlix {

// Menu commands the controller enables and disables.
enum class GameCommand { NewGame, ReturnMatch, TakeBack, Resign, SaveGame };

class GameWindow {
  public:
    virtual ~GameWindow() = default;

    // Whether a window exists that a human can click on (the human player waits for
    // clicks only when it does).
    virtual bool Alive() const = 0;

    // Modal message boxes with the program's fixed texts ("\r" starts a new line).
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void ShowError(const std::string& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool AskQuestion(const std::string& text) = 0;

    virtual void EnableCommand(GameCommand command, bool enabled) = 0;
    virtual void ShowReviewButtons(bool visible) = 0;
    // The stone indicator shows the computer opponent's colour (1 or 2).
    virtual void ShowStoneIndicator(bool visible, std::uint8_t colour) = 0;
    // Redraws the board from Tabla; `lastMove` (X 0 for none) gets the last-move mark.
    virtual void RefreshBoard(TPont lastMove) = 0;
    virtual void RefreshInfo() = 0;
    // The label of the clock of `colour` (1 black, 2 white).
    virtual void SetClockLabel(std::uint8_t colour, const std::string& text) = 0;
    // Lines in the message panel without buttons; empty to clear it.
    virtual void ShowPanelMessage(const std::vector<std::string>& lines) = 0;
    // Lines in the message panel with the Yes and No buttons; clears the panel answer.
    // The question is not modal: the caller waits with WaitForEvents until PanelAnswer
    // is no longer 0 (or a request ends the wait), then clears the panel itself.
    // Without an override the question is asked in a modal box (AskQuestion), so the
    // answer is there when it returns.
    virtual void ShowPanelQuestion(const std::vector<std::string>& lines);
    // The button pressed since the last ShowPanelQuestion: 0 none yet, 1 Yes, 2 No.
    virtual int PanelAnswer() const { return panelAnswer_; }
    // The board view accepts clicks (and draws the clicked stone in `colour`) while on.
    virtual void SetEditMode(bool on) = 0;
    virtual void SetEditColour(std::uint8_t colour) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // Lets the window handle what is pending (clicks, menu commands); returns at once.
    virtual void DispatchPendingEvents() = 0;
    // As DispatchPendingEvents, but blocks until at least one event came when none is
    // pending: the waiting human player uses it so that waiting costs no processor time.
    virtual void WaitForEvents() { DispatchPendingEvents(); }

  private:
    int panelAnswer_ = 0;
};

// No window: messages go to the installed message boxes (platform/messages.h),
// everything visual is ignored, and pending events are dispatched through the
// platform's hook.
class HeadlessWindow : public GameWindow {
  public:
    bool Alive() const override { return false; }
    void ShowWarning(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    void EnableCommand(GameCommand, bool) override {}
    void ShowReviewButtons(bool) override {}
    void ShowStoneIndicator(bool, std::uint8_t) override {}
    void RefreshBoard(TPont) override {}
    void RefreshInfo() override {}
    void SetClockLabel(std::uint8_t, const std::string&) override {}
    void ShowPanelMessage(const std::vector<std::string>&) override {}
    void SetEditMode(bool) override {}
    void SetEditColour(std::uint8_t) override {}
    void SetBusyCursor(bool) override {}
    void DispatchPendingEvents() override;
};

} // namespace vorlix
