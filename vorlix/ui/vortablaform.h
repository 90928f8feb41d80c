#pragma once
// TVorTablaForm: the main window. It owns the board view, the information panel, the
// message panel, the menus and the list of opponents, runs the start-up checks, and
// turns menu commands into games and requests to the game controller.

#include "vorlix/game/controller.h"
#include "vorlix/game/game_window.h"
#include "vorlix/game/opening.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/settings.h"
#include "vorlix/players/library_registry.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace vorlix {

class OpeningBook;
class TTablaComponent;

// The 20-pixel circle that shows the computer's colour.
class TStoneShape : public QWidget {
  public:
    explicit TStoneShape(QWidget* parent);
    void SetColour(int colour); // 1 black, 2 white
    int Colour() const { return colour_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int colour_ = 1;
};

class TVorTablaForm : public QMainWindow, public GameWindow {
  public:
    // Builds the window from the settings and the players folder; the caller has
    // already checked the installation. `registerPlayers` gives the player factory the
    // internal players built into the program.
    TVorTablaForm(Settings& settings, std::string programFolder,
                  const std::function<void(PlayerFactory&)>& registerPlayers);
    ~TVorTablaForm() override;

    // --- Controls, named as in the program's design ---
    QWidget* FoPanel = nullptr;
    TTablaComponent* TablaComp = nullptr;
    QWidget* InfPanel = nullptr;
    QLabel* JatekosLb = nullptr;
    TStoneShape* StoneSh = nullptr;
    QLabel* PontLb = nullptr;
    QLabel* BTimeLb = nullptr;
    QLabel* WTimeLb = nullptr;
    QLineEdit* KoszamEd = nullptr;
    QLineEdit* LepesEd = nullptr;
    QLabel* AltSzamLb = nullptr;
    QLineEdit* AltSzamEd = nullptr;
    QToolButton* RBackBt = nullptr;
    QToolButton* RNextBt = nullptr;
    QToolButton* RFirstBt = nullptr;
    QPushButton* IntDebug1Bt = nullptr;
    QPushButton* IntDebug2Bt = nullptr;
    QPushButton* IntDebug3Bt = nullptr;
    QWidget* MsgPanel = nullptr;
    QLabel* Msg1Lb = nullptr;
    QLabel* Msg2Lb = nullptr;
    QPushButton* MsgYesBt = nullptr;
    QPushButton* MsgNoBt = nullptr;
    QPushButton* MsgOkBt = nullptr;

    QAction* NewGameMn = nullptr;
    QAction* ReturnMatchMn = nullptr;
    QAction* TakeBackMn = nullptr;
    QAction* ResignMn = nullptr;
    QAction* SaveGameMn = nullptr;
    QAction* SavePositionMn = nullptr;
    QAction* ExitMn = nullptr;
    QMenu* GameMenu = nullptr;
    QMenu* OpponentMenu = nullptr;
    QMenu* InternalMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* WindowSizeMenu = nullptr;
    QMenu* HelpMenu = nullptr;

    // --- Message panel ---
    // An empty line 1 hides the panel (the window shrinks by its height); otherwise the
    // panel shows the two lines, with the Yes and No buttons when `buttons` is true.
    void ShowMessage(const std::string& line1, const std::string& line2, bool buttons);
    // 0 none, 1 Yes, 2 No, 3 Ok.
    int MsgAnswer = 0;

    // --- Opening ---
    // Games use `book` (loaded at start-up, outliving the window) for the colour-change
    // opening: the random opening, completing offered stones, the colour choice and the
    // return match.
    void UseOpeningBook(OpeningBook& book);

    // --- Opponents ---
    const std::vector<PlayerLibrary>& Libraries() const { return libraries_; }
    void ChooseInternal(int index);
    void ChooseLibrary(const std::string& library, const std::string& playerName);

    // --- Games ---
    GameController& Controller() { return controller_; }
    // New game (false) or Return match (true); returns when the game has ended.
    void RunGame(bool returnMatch);
    bool GameRunning() const { return gameRunning_; }
    // The player whose information the panel shows, or null.
    TJatekos* ShownPlayer() const;
    // Copies the board into the view with the last-move mark and the trial stones' numbers.
    void ShowBoard();
    void ShowInfo();

    // --- GameWindow ---
    bool Alive() const override { return formAlive_; }
    void ShowWarning(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    void EnableCommand(GameCommand command, bool enabled) override;
    void ShowReviewButtons(bool visible) override;
    void ShowStoneIndicator(bool visible, std::uint8_t colour) override;
    void RefreshBoard(TPont lastMove) override;
    void RefreshInfo() override;
    void SetClockLabel(std::uint8_t colour, const std::string& text) override;
    void ShowPanelMessage(const std::vector<std::string>& lines) override;
    // The question stands in the message panel with Yes and No; MsgAnswer is the answer.
    void ShowPanelQuestion(const std::vector<std::string>& lines) override;
    int PanelAnswer() const override { return MsgAnswer; }
    void SetEditMode(bool on) override;
    void SetEditColour(std::uint8_t colour) override;
    void SetBusyCursor(bool busy) override;
    void DispatchPendingEvents() override;
    void WaitForEvents() override;

    // --- Window sizes: 0 Small, 1 Middle, 2 Large, each the size of the whole window ---
    void ApplyWindowSize(int index);
    int WindowSizeIndex() const { return sizeIndex_; }

    const std::string& HelpFile() const { return helpFile_; }

    // Asks for the name of a game file to save, starting in `folder`; empty when the user
    // cancels. The save dialog by default; tests put their own answer here.
    std::function<std::string(const std::string& folder)> ChooseSaveFile;
    // Save game: the binary game file under a name the user chooses, the dialog opening
    // in the games folder (created when it is missing).
    void SaveGame();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildInfoPanel();
    void BuildMessagePanel();
    void BuildMenus();
    void BuildOpponentMenu();
    void LayoutControls();
    void ShowHelp();
    void ShowAboutLibrary(const std::string& fileName);

    Settings& settings_;
    std::string programFolder_;
    std::string helpFile_;
    std::vector<PlayerLibrary> libraries_;
    int sizeIndex_ = 0;
    QSize frameApplied_; // the frame's size when the window size was last applied
    PlayerFactory factory_;
    std::unique_ptr<OpeningRules> openingRules_; // outlives the controller's games
    GameController controller_;
    bool formAlive_ = true;
    bool gameRunning_ = false;
    bool closeAfterGame_ = false;
    bool busy_ = false;
};

} // namespace vorlix
