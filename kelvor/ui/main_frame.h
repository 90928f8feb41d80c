#pragma once
// CMainFrame: kelvor's main window. It owns the document and its view, and carries the
// menus, the toolbar (New, Open, Save, Rewind, Back, Stop, Go, Ahead, Forward) and the
// status bar: the message pane and four panes of 80 pixels, refreshed by a one-second
// timer (the percent of root moves searched, the seconds of the running search, and
// the thinking time of black and of white).
//
// The record commands (Rewind, Back, Ahead, Forward), File Open and the options are
// refused while the computer thinks; New and closing the window stop it first.
//
// New, Open and closing the window (Exit) ask "Save changes to untitled.kgf?" when the
// game has moves that are not in its file: Yes saves (Cancel in the save dialog keeps
// the game), No drops them, Cancel keeps the game as it was, a stopped computation
// started again.
//
// Keys: Ctrl+N, Ctrl+O and Ctrl+S for the file commands; Ctrl+Z and Alt+Backspace, the
// undo keys, for Back.

#include "kelvor/kelvor_doc.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace kelvor {

class CKelvorView;

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    explicit CMainFrame(std::unique_ptr<CKelvorDoc> doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKelvorDoc& Document() { return *doc_; }
    CKelvorView& View() { return *view_; }

    // The commands, as the menus and the toolbar run them.
    void FileNew();
    bool OpenFile(const QString& path); // false when refused or not a valid game
    bool SaveFile(const QString& path);
    // The game has moves that its file (or, untitled, no file) does not hold.
    bool Modified() const;
    void Rewind();
    void Back();
    void Stop();
    void Go();
    void Ahead();
    void Forward();
    void OptionsGame();
    void OptionsPlayers();

    QString PaneText(int pane) const; // 0..3
    QString DocumentName() const;

    struct Actions {
        QAction *fileNew, *fileOpen, *fileSave, *fileSaveAs, *exit;
        QAction *rewind, *back, *stop, *go, *ahead, *forward;
        QAction *optionsGame, *optionsPlayers, *statusBar, *about;
    };
    const Actions& Commands() const { return actions_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateCommands();
    void UpdatePanes();
    void UpdateTitle();
    void UpdateRecentFiles();
    void AddRecentFile(const QString& path);
    void StepTo(int count);
    void FileOpen();
    bool FileSave();   // false when cancelled or not written
    bool FileSaveAs(); // the same
    // Asks to save a modified game; false when the user cancelled (or the save did not
    // happen), so that the command must not go on.
    bool SaveModified();
    void MarkSaved();
    void About();

    std::unique_ptr<CKelvorDoc> doc_;
    CKelvorView* view_ = nullptr;
    Actions actions_{};
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QStringList recentFiles_;
    QString path_; // empty while the game has no file
    // The game as its file holds it (nothing, untitled), for Modified.
    std::vector<int> savedLine_;
    int savedVariant_ = 0, savedSize_ = 0;
    QLabel* panes_[4] = {};
    QTimer timer_;
};

} // namespace kelvor
