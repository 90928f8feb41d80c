#include "kelvor/ui/main_frame.h"

#include "kelvor/ui/about_dialog.h"
#include "kelvor/ui/app_icon.h"
#include "kelvor/ui/kelvor_view.h"
#include "kelvor/ui/options_dialog.h"
#include "kelvor/ui/players_dialog.h"
#include "kelvor/ui/swap_dialog.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace kelvor {

namespace {
constexpr int kRecentFiles = 4;
const char kFileFilter[] = "Kelvor Files (*.kgf)";

QString Clock(const char* colour, int seconds) {
    return QString("%1 %2:%3").arg(colour).arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}
} // namespace

CMainFrame::CMainFrame(std::unique_ptr<CKelvorDoc> doc, QWidget* parent)
    : QMainWindow(parent), doc_(std::move(doc)) {
    setWindowIcon(AppIcon());
    view_ = new CKelvorView(*doc_, this);
    setCentralWidget(view_);
    doc_->AskSwap = [this] {
        CSwapDialog dialog(this);
        dialog.exec();
        return dialog.Swap();
    };
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    connect(view_, &CKelvorView::StateChanged, this, &CMainFrame::UpdateCommands);
    connect(view_, &CKelvorView::Progress, this,
            [this](int percent, int) { panes_[0]->setText(QString::number(percent)); });
    connect(&timer_, &QTimer::timeout, this, &CMainFrame::UpdatePanes);
    timer_.start(1000);
    UpdateCommands();
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    // The view stops the computation and must go while the document still exists; the
    // document then frees its tables.
    delete view_;
    view_ = nullptr;
}

void CMainFrame::CreateActions() {
    auto make = [this](const char* text, const char* tip, void (CMainFrame::*slot)()) {
        auto* a = new QAction(text, this);
        if (tip) a->setStatusTip(tip);
        if (slot) connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QStyle* s = style();
    Actions& a = actions_;
    a.fileNew = make("&New\tCtrl+N", "Create a new document", &CMainFrame::FileNew);
    a.fileNew->setShortcut(QKeySequence("Ctrl+N"));
    a.fileNew->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    a.fileOpen = make("&Open...\tCtrl+O", "Open an existing document", &CMainFrame::FileOpen);
    a.fileOpen->setShortcut(QKeySequence("Ctrl+O"));
    a.fileOpen->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    a.fileSave = make("&Save\tCtrl+S", "Save the active document", nullptr);
    connect(a.fileSave, &QAction::triggered, this, [this] { FileSave(); });
    a.fileSave->setShortcut(QKeySequence("Ctrl+S"));
    a.fileSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    a.fileSaveAs = make("Save &As...", "Save the active document with a new name", nullptr);
    connect(a.fileSaveAs, &QAction::triggered, this, [this] { FileSaveAs(); });
    a.exit = make("E&xit", "Quit the application; prompts to save documents", nullptr);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);

    a.rewind = make("&Rewind", "Back to First Move", &CMainFrame::Rewind);
    a.rewind->setIcon(s->standardIcon(QStyle::SP_MediaSkipBackward));
    a.back = make("&Back", "Back One Move", &CMainFrame::Back);
    a.back->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a.back->setIcon(s->standardIcon(QStyle::SP_MediaSeekBackward));
    a.stop = make("&Stop", "Stop Computer Thinking", &CMainFrame::Stop);
    a.stop->setIcon(s->standardIcon(QStyle::SP_MediaStop));
    a.go = make("&Go", "Start Computer Thinking", &CMainFrame::Go);
    a.go->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    a.ahead = make("&Ahead", "Go Ahead One Move", &CMainFrame::Ahead);
    a.ahead->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));
    a.forward = make("&Forward", "Ahead to last move", &CMainFrame::Forward);
    a.forward->setIcon(s->standardIcon(QStyle::SP_MediaSkipForward));

    a.optionsGame = make("Game", nullptr, &CMainFrame::OptionsGame);
    a.optionsPlayers = make("Players", nullptr, &CMainFrame::OptionsPlayers);
    a.statusBar = make("&Status Bar", "Show or hide the status bar", nullptr);
    a.statusBar->setCheckable(true);
    a.statusBar->setChecked(true);
    connect(a.statusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    a.about = make("&About Kelvor...", "Display program information, version number and copyright",
                   &CMainFrame::About);
}

void CMainFrame::CreateMenus() {
    const Actions& a = actions_;
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->addActions({a.fileNew, a.fileOpen, a.fileSave, a.fileSaveAs});
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* r = new QAction(this);
        r->setVisible(false);
        connect(r, &QAction::triggered, this, [this, r] { OpenFile(r->data().toString()); });
        recentActions_.append(r);
        fileMenu_->addAction(r);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(a.exit);
    UpdateRecentFiles();

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addActions({a.rewind, a.back, a.stop, a.go, a.ahead, a.forward});
    QMenu* options = menuBar()->addMenu("Options");
    options->addActions({a.optionsGame, a.optionsPlayers});
    QMenu* viewMenu = menuBar()->addMenu("&View");
    viewMenu->addAction(a.statusBar);
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(a.about);
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar("Toolbar");
    bar->setObjectName("toolbar");
    bar->setIconSize(QSize(16, 15));
    bar->setMovable(false);
    const Actions& a = actions_;
    bar->addActions({a.fileNew, a.fileOpen, a.fileSave});
    bar->addSeparator();
    bar->addActions({a.rewind, a.back, a.stop, a.go, a.ahead, a.forward});
}

void CMainFrame::CreateStatusBar() {
    const char* start[4] = {"0", "0", "Time not set", "Time not set"};
    for (int i = 0; i < 4; ++i) {
        panes_[i] = new QLabel(start[i]);
        panes_[i]->setFixedWidth(80);
        panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(panes_[i]);
    }
    statusBar()->showMessage("Ready");
}

QString CMainFrame::PaneText(int pane) const {
    return panes_[pane]->text();
}

void CMainFrame::UpdatePanes() {
    const CKelvorDoc& d = *doc_;
    if (d.Thinking()) {
        panes_[0]->setText(QString::number(d.Progress));
        panes_[1]->setText(QString::number(d.ElapsedSeconds));
    }
    panes_[2]->setText(Clock("B", d.ThinkingTime[0]));
    panes_[3]->setText(Clock("W", d.ThinkingTime[1]));
}

void CMainFrame::UpdateCommands() {
    const CKelvorDoc& d = *doc_;
    const bool thinking = d.Thinking();
    const int shown = static_cast<int>(d.Record.size());
    const int length = static_cast<int>(d.Line().size());
    actions_.rewind->setEnabled(!thinking && shown > 0);
    actions_.back->setEnabled(!thinking && shown > 0);
    actions_.ahead->setEnabled(!thinking && shown < length);
    actions_.forward->setEnabled(!thinking && shown < length);
    actions_.stop->setEnabled(thinking);
    actions_.go->setEnabled(!thinking && d.GameState != kGameOver && d.IsComputerTurn());
    actions_.fileOpen->setEnabled(!thinking);
    for (QAction* r : recentActions_) r->setEnabled(!thinking);
    actions_.optionsGame->setEnabled(!thinking);
    actions_.optionsPlayers->setEnabled(!thinking);
}

QString CMainFrame::DocumentName() const {
    return path_.isEmpty() ? QString("untitled.kgf") : QFileInfo(path_).fileName();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(DocumentName() + " - Kelvor");
}

void CMainFrame::UpdateRecentFiles() {
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* r = recentActions_[i];
        if (i < recentFiles_.size()) {
            r->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(recentFiles_[i]).fileName()));
            r->setData(recentFiles_[i]);
            r->setVisible(true);
        } else {
            r->setVisible(false);
        }
    }
    recentSeparator_->setVisible(!recentFiles_.isEmpty());
}

void CMainFrame::AddRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFiles) recentFiles_.removeLast();
    UpdateRecentFiles();
}

bool CMainFrame::Modified() const {
    const CKelvorDoc& d = *doc_;
    if (d.Line().empty()) return false;
    return d.Line() != savedLine_ || d.Variant != savedVariant_ || d.BoardSize != savedSize_;
}

void CMainFrame::MarkSaved() {
    savedLine_ = doc_->Line();
    savedVariant_ = doc_->Variant;
    savedSize_ = doc_->BoardSize;
}

bool CMainFrame::SaveModified() {
    if (!Modified()) return true;
    const std::string question = "Save changes to " + DocumentName().toStdString() + "?";
    switch (platform::AskQuestionOrCancel(question)) {
    case platform::Answer::Yes:
        return FileSave();
    case platform::Answer::No:
        return true;
    case platform::Answer::Cancel:
        break;
    }
    return false;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The question is modal: a computer move must not arrive while it is open.
    const bool wasThinking = doc_->Thinking();
    view_->Stop();
    if (SaveModified()) {
        event->accept();
        return;
    }
    event->ignore();
    if (wasThinking) view_->Go();
}

void CMainFrame::FileNew() {
    const bool wasThinking = doc_->Thinking();
    view_->Stop();
    if (!SaveModified()) {
        if (wasThinking) view_->Go();
        return;
    }
    doc_->NewGame();
    path_.clear();
    MarkSaved();
    UpdateTitle();
    view_->DocumentChanged();
    view_->AfterMove(); // a computer black opens
}

void CMainFrame::FileOpen() {
    if (doc_->Thinking()) return;
    QString path = QFileDialog::getOpenFileName(this, "Open", QString(), kFileFilter);
    if (!path.isEmpty()) OpenFile(path);
}

bool CMainFrame::OpenFile(const QString& path) {
    if (doc_->Thinking()) return false; // the worker reads the position
    if (!SaveModified()) return false;
    const bool ok = doc_->OpenGame(path.toStdString());
    path_ = ok ? path : QString();
    MarkSaved();
    if (ok) AddRecentFile(path);
    UpdateTitle();
    view_->DocumentChanged();
    return ok;
}

bool CMainFrame::FileSave() {
    return path_.isEmpty() ? FileSaveAs() : SaveFile(path_);
}

bool CMainFrame::FileSaveAs() {
    QString path = QFileDialog::getSaveFileName(this, "Save As", DocumentName(), kFileFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".kgf";
    return SaveFile(path);
}

bool CMainFrame::SaveFile(const QString& path) {
    if (!doc_->SaveGame(path.toStdString())) {
        platform::ShowMessage(platform::MessageKind::Error,
                              "Can't write the file " + path.toStdString());
        return false;
    }
    path_ = path;
    MarkSaved();
    AddRecentFile(path);
    UpdateTitle();
    return true;
}

void CMainFrame::StepTo(int count) {
    if (doc_->Thinking()) return;
    doc_->StepTo(count);
    view_->DocumentChanged();
}

void CMainFrame::Rewind() {
    StepTo(0);
}

void CMainFrame::Back() {
    StepTo(static_cast<int>(doc_->Record.size()) - 1);
}

void CMainFrame::Ahead() {
    StepTo(static_cast<int>(doc_->Record.size()) + 1);
}

void CMainFrame::Forward() {
    StepTo(static_cast<int>(doc_->Line().size()));
}

void CMainFrame::Stop() {
    view_->Stop();
}

void CMainFrame::Go() {
    view_->Go();
}

void CMainFrame::OptionsGame() {
    if (doc_->Thinking()) return;
    COptionsDialog dialog(*doc_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.ApplyTo(*doc_);
    view_->DocumentChanged();
}

void CMainFrame::OptionsPlayers() {
    if (doc_->Thinking()) return;
    CPlayersDialog dialog(*doc_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.ApplyTo(*doc_);
    view_->DocumentChanged();
    view_->AfterMove(); // a computer now to move starts at once
}

void CMainFrame::About() {
    CAboutDialog dialog(this);
    dialog.exec();
}

} // namespace kelvor
