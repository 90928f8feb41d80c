#pragma once
// CMainFrame: kelvor's main window. It owns the document and its view, and carries the
// menus, the toolbar (New, Open, Save, Rewind, Back, Stop, Go, Ahead, Forward) and the
// status bar: the message pane and four panes of 80 pixels, refreshed by a one-second
// timer (the percent of root moves searched, the seconds of the running search, and
// the thinking time of black and of white).
//
// The record commands (Rewind, Back, Ahead, Forward), File Open and the options are
// refused while the computer thinks; New and closing the window stop it first.

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
    void FileSave();
    void FileSaveAs();
    void About();

    std::unique_ptr<CKelvorDoc> doc_;
    CKelvorView* view_ = nullptr;
    Actions actions_{};
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QStringList recentFiles_;
    QString path_; // empty while the game has no file
    QLabel* panes_[4] = {};
    QTimer timer_;
};

} // namespace kelvor
