#include "vorlix/ui/vortablaform.h"

#include "platform/atomic_file.h"
#include "platform/datetime.h"
#include "platform/messages.h"
#include "platform/number_format.h"
#include "platform/program_folder.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/gamefile.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/search/internal_levels.h"
#include "vorlix/ui/aboutdllform.h"
#include "vorlix/ui/aboutplform.h"
#include "vorlix/ui/opcioform.h"
#include "vorlix/ui/windowsize.h"
#include "vorlix/view/tablaobj.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace vorlix {

namespace {

constexpr int kInfPanelWidth = 139;
constexpr int kMsgPanelHeight = 41;

QFont ArialPixels(int pixels, bool bold = false) {
    QFont f("Arial");
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

TStoneShape::TStoneShape(QWidget* parent) : QWidget(parent) {
    setFixedSize(20, 20);
}

void TStoneShape::SetColour(int colour) {
    colour_ = colour;
    update();
}

void TStoneShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(colour_ == 1 ? Qt::black : Qt::white);
    p.drawEllipse(QRectF(0.5, 0.5, 19, 19));
}

TVorTablaForm::TVorTablaForm(Settings& settings, std::string programFolder,
                             const std::function<void(PlayerFactory&)>& registerPlayers)
    : settings_(settings), programFolder_(std::move(programFolder)),
      controller_(*this, factory_, settings_) {
    // The toolkit has adopted the user's locale by now; the program's own texts and
    // files keep their full stop.
    platform::KeepPointDecimal();
    factory_.PlayersFolder = settings_.PlayersFolder;
    // Players come from the menu by name and library; "LIBRARY:NAME" is the tools' form.
    factory_.LibraryIds = false;
    if (registerPlayers) registerPlayers(factory_);
    setObjectName("VorTablaForm");
    setWindowTitle("Gomoku board");
    setFont(ArialPixels(13));

    FoPanel = new QWidget(this);
    TablaComp = new TTablaComponent(FoPanel);
    TablaComp->SetBackColor(11187385);
    TablaComp->SetJelColor(kColorRed);
    TablaComp->SetShadowColor(8225420);
    TablaComp->SetFont(PixelFont("Arial", 13, kColorMaroon));
    TablaComp->SetMezoFont(PixelFont("Arial", 11, kColorMaroon));
    TablaComp->SetShowShadow(true);
    TablaComp->resize(336, 339);
    InfPanel = new QWidget(FoPanel);
    InfPanel->setFixedWidth(kInfPanelWidth);
    BuildInfoPanel();
    BuildMessagePanel();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(FoPanel, 1);
    column->addWidget(MsgPanel);
    setCentralWidget(central);
    // The board and the panels follow the sizes the layout gives FoPanel and MsgPanel.
    FoPanel->installEventFilter(this);
    MsgPanel->installEventFilter(this);

    helpFile_ = platform::FilesFolder(programFolder_, platform::ProgramFiles::Data) + "vorlix.hlp";
    ChooseSaveFile = [this](const std::string& folder) -> std::string {
        // An existing folder opens the dialog inside it with an empty name (a missing
        // one would be taken as the name of the file to save).
        QFileDialog dialog(this, "Save game", QString::fromStdString(folder), "Pos format (*.pos)");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("gam");
        dialog.setFileMode(QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().first().toStdString();
    };
    BuildMenus();

    // The opponent at start-up is Level 6.
    const TInternalItem& start = kInternalItems[kStartItem];
    controller_.OpponentName = start.Identifier;
    JatekosLb->setText(start.Caption);
    PontLb->setText(QString::number(static_cast<int>(start.Strength)));
    controller_.RunMode = 8;
    BuildOpponentMenu();
    controller_.OpponentLibrary.clear();

    TablaComp->OnMove = [this](TPont point) { controller_.BoardClicked(point); };
    connect(RFirstBt, &QToolButton::clicked, this, [this] { controller_.ReviewFirst(); });
    connect(RBackBt, &QToolButton::clicked, this, [this] { controller_.ReviewBack(); });
    connect(RNextBt, &QToolButton::clicked, this, [this] { controller_.ReviewForward(); });
    int button = 1;
    for (QPushButton* b : {IntDebug1Bt, IntDebug2Bt, IntDebug3Bt})
        connect(b, &QPushButton::clicked, this, [this, n = button++] {
            if (TJatekos* p = ShownPlayer()) p->DebugAction(n);
        });

    ApplyWindowSize(0);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TVorTablaForm::~TVorTablaForm() {
    formAlive_ = false;
    controller_.WindowDestroyed();
    if (busy_) QApplication::restoreOverrideCursor();
}

void TVorTablaForm::BuildInfoPanel() {
    auto label = [this](const char* text, int y) {
        auto* l = new QLabel(text, InfPanel);
        l->setGeometry(6, y, 128, 16);
        return l;
    };
    auto edit = [this](int y, const char* hint) {
        auto* e = new QLineEdit(InfPanel);
        e->setReadOnly(true);
        e->setToolTip(hint);
        e->setGeometry(88, y - 3, 45, 22);
        return e;
    };
    label("Opponent :", 8);
    JatekosLb = label("", 26);
    StoneSh = new TStoneShape(InfPanel);
    StoneSh->move(112, 4);
    StoneSh->hide();
    label("Strength :", 50);
    PontLb = label("", 68);
    label("Black time:", 94);
    BTimeLb = label("", 94);
    BTimeLb->setGeometry(80, 94, 54, 16);
    label("White time:", 114);
    WTimeLb = label("", 114);
    WTimeLb->setGeometry(80, 114, 54, 16);
    label("No.of stones:", 144);
    KoszamEd = edit(144, "Number of stones");
    label("Last move :", 172);
    LepesEd = edit(172, "Position of the last move");
    AltSzamLb = label("Alternatives :", 200);
    AltSzamEd = edit(200, "Number of envisaged alternatives");
    AltSzamLb->hide();
    AltSzamEd->hide();

    auto reviewButton = [this](const char* glyph, const char* hint, int x) {
        auto* b = new QToolButton(InfPanel);
        b->setText(glyph);
        b->setToolTip(hint);
        b->setGeometry(x, 228, 36, 26);
        b->hide();
        return b;
    };
    RFirstBt = reviewButton("|<", "First move", 8);
    RBackBt = reviewButton("<", "Back", 50);
    RNextBt = reviewButton(">", "Forward", 92);

    auto debugButton = [this](const char* caption, int x) {
        auto* b = new QPushButton(caption, InfPanel);
        b->setFont(ArialPixels(13, true));
        b->setToolTip("Internal debug");
        b->setGeometry(x, 262, 36, 24);
        b->hide();
        return b;
    };
    IntDebug1Bt = debugButton("D1", 8);
    IntDebug2Bt = debugButton("D2", 50);
    IntDebug3Bt = debugButton("D3", 92);
}

void TVorTablaForm::BuildMessagePanel() {
    MsgPanel = new QWidget(this);
    MsgPanel->setFixedHeight(kMsgPanelHeight);
    Msg1Lb = new QLabel(MsgPanel);
    Msg2Lb = new QLabel(MsgPanel);
    Msg1Lb->setGeometry(8, 3, 300, 17);
    Msg2Lb->setGeometry(8, 21, 300, 17);
    MsgYesBt = new QPushButton("&Yes", MsgPanel);
    MsgNoBt = new QPushButton("&No", MsgPanel);
    MsgOkBt = new QPushButton("O&k", MsgPanel);
    for (QPushButton* b : {MsgYesBt, MsgNoBt, MsgOkBt}) b->resize(60, 25);
    MsgOkBt->hide(); // never shown
    connect(MsgYesBt, &QPushButton::clicked, this, [this] { MsgAnswer = 1; });
    connect(MsgNoBt, &QPushButton::clicked, this, [this] { MsgAnswer = 2; });
    connect(MsgOkBt, &QPushButton::clicked, this, [this] { MsgAnswer = 3; });
    MsgPanel->hide();
}

void TVorTablaForm::BuildMenus() {
    GameMenu = menuBar()->addMenu("&Game");
    NewGameMn = GameMenu->addAction("New game");
    NewGameMn->setShortcut(Qt::Key_F2);
    ReturnMatchMn = GameMenu->addAction("Return match");
    ReturnMatchMn->setShortcut(Qt::Key_F3);
    ReturnMatchMn->setEnabled(false);
    TakeBackMn = GameMenu->addAction("Take back");
    TakeBackMn->setShortcut(Qt::Key_F8);
    TakeBackMn->setEnabled(false);
    ResignMn = GameMenu->addAction("Resign");
    ResignMn->setEnabled(false);
    GameMenu->addSeparator();
    SaveGameMn = GameMenu->addAction("Save game");
    SaveGameMn->setEnabled(false);
    SavePositionMn = GameMenu->addAction("Save position");
    SavePositionMn->setEnabled(false);
    SavePositionMn->setVisible(false);
    GameMenu->addSeparator();
    ExitMn = GameMenu->addAction("Exit");
    ExitMn->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(NewGameMn, &QAction::triggered, this, [this] { RunGame(false); });
    connect(ReturnMatchMn, &QAction::triggered, this, [this] { RunGame(true); });
    connect(TakeBackMn, &QAction::triggered, this, [this] { controller_.RequestTakeBack(); });
    connect(ResignMn, &QAction::triggered, this, [this] { controller_.Resign(); });
    connect(SaveGameMn, &QAction::triggered, this, &TVorTablaForm::SaveGame);
    connect(ExitMn, &QAction::triggered, this, &QWidget::close);

    OpponentMenu = menuBar()->addMenu("O&pponent");
    InternalMenu = OpponentMenu->addMenu("&Internal");

    OptionsMenu = menuBar()->addMenu("&Options");
    connect(OptionsMenu->addAction("&Options"), &QAction::triggered, this, [this] {
        // The controller reads the new options when the next game starts.
        TOpcioForm dialog(settings_, programFolder_, this);
        dialog.exec();
    });
    OptionsMenu->addSeparator();
    WindowSizeMenu = OptionsMenu->addMenu("Window size");
    for (int i = 0; i < static_cast<int>(kWindowSizes.size()); ++i)
        connect(WindowSizeMenu->addAction(kWindowSizes[static_cast<size_t>(i)].Caption),
                &QAction::triggered, this, [this, i] { ApplyWindowSize(i); });

    HelpMenu = menuBar()->addMenu("&Help");
    connect(HelpMenu->addAction("&Help"), &QAction::triggered, this, &TVorTablaForm::ShowHelp);
}

void TVorTablaForm::BuildOpponentMenu() {
    for (int i = 0; i < static_cast<int>(kInternalItems.size()); ++i)
        connect(InternalMenu->addAction(kInternalItems[static_cast<size_t>(i)].Caption),
                &QAction::triggered, this, [this, i] { ChooseInternal(i); });
    InternalMenu->addSeparator();
    connect(InternalMenu->addAction("About players"), &QAction::triggered, this, [this] {
        TAboutPlForm dialog(this);
        dialog.exec();
    });

    libraries_ = ScanPlayersFolder(settings_.PlayersFolder);
    for (const PlayerLibrary& lib : libraries_) {
        QMenu* sub = OpponentMenu->addMenu(QString::fromStdString(lib.Caption));
        for (const std::string& name : lib.Players)
            connect(sub->addAction(QString::fromStdString(name)), &QAction::triggered, this,
                    [this, file = lib.FileName, name] { ChooseLibrary(file, name); });
        sub->addSeparator();
        connect(sub->addAction("About players"), &QAction::triggered, this,
                [this, file = lib.FileName] { ShowAboutLibrary(file); });
    }
}

void TVorTablaForm::ChooseInternal(int index) {
    const TInternalItem& item = kInternalItems.at(static_cast<size_t>(index));
    if (controller_.OpponentName == item.Identifier) return;
    controller_.OpponentChosen(item.Identifier, "");
    JatekosLb->setText(item.Caption);
    PontLb->setText(QString::fromStdString(InternalStrengthText(item.Strength)));
}

void TVorTablaForm::ChooseLibrary(const std::string& library, const std::string& playerName) {
    controller_.OpponentChosen(playerName, library);
    JatekosLb->setText(QString::fromStdString(playerName));
    PontLb->setText(QString::fromStdString(LibraryStrengthText(playerName)));
}

void TVorTablaForm::RunGame(bool returnMatch) {
    if (gameRunning_) return;
    gameRunning_ = true;
    NewGameMn->setEnabled(false);
    ReturnMatchMn->setEnabled(false);
    // A player library may have switched the number format when it was loaded.
    platform::KeepPointDecimal();
    controller_.StartGame(returnMatch);
    gameRunning_ = false;
    NewGameMn->setEnabled(true);
    // A close that came during the game waited for the game to end.
    if (closeAfterGame_) close();
}

TJatekos* TVorTablaForm::ShownPlayer() const {
    if (MoverColour != 1 && MoverColour != 2) return nullptr;
    TJatekos* p = controller_.PlayerOfColour(MoverColour);
    TJatekos* q = controller_.PlayerOfColour(Opponent(MoverColour));
    if (!p) return nullptr;
    if (p->IsHuman) return q;
    if (q && !q->IsHuman && ColourChanged) return q;
    return p;
}

void TVorTablaForm::ShowBoard() {
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) TablaComp->SetMezo(x, y, Tabla[CellIndex(x, y)]);
    // Only the newest move carries the mark, and only the trial stones now on the board
    // carry numbers.
    TablaComp->ClearJel();
    TablaComp->ClearSzoveg();
    for (QPushButton* b : {IntDebug1Bt, IntDebug2Bt, IntDebug3Bt}) b->hide();
    if (TJatekos* p = ShownPlayer()) {
        if (MoveCount > 0) {
            TPont last = GameRecord[MoveCount];
            TablaComp->SetJel(last.X, last.Y, 1);
            LepesEd->setText(QString::fromStdString(PontText(last.X, last.Y)));
        }
        if (p->DebugButtons >= 1) IntDebug1Bt->show();
        if (p->DebugButtons >= 2) IntDebug2Bt->show();
        if (p->DebugButtons >= 3) IntDebug3Bt->show();
    }
    for (int i = 1; i <= SearchDepth; ++i)
        TablaComp->SetSzoveg(SearchLine[i].X, SearchLine[i].Y, QString::number(i));
}

void TVorTablaForm::ShowInfo() {
    if (MoverColour != 1 && MoverColour != 2) return;
    ShowBoard();
    if (TJatekos* p = ShownPlayer()) AltSzamEd->setText(QString::number(p->AlNum));
    KoszamEd->setText(QString::number(ShownMoves));
}

// Boxes go through the installed message boxes (real ones in the program, scripted ones
// in the tests).
void TVorTablaForm::ShowWarning(const std::string& text) {
    platform::ShowMessage(platform::MessageKind::Warning, text);
}

void TVorTablaForm::ShowError(const std::string& text) {
    platform::ShowMessage(platform::MessageKind::Error, text);
}

bool TVorTablaForm::AskQuestion(const std::string& text) {
    return platform::AskQuestion(text);
}

void TVorTablaForm::EnableCommand(GameCommand command, bool enabled) {
    switch (command) {
    case GameCommand::NewGame:
        NewGameMn->setEnabled(enabled);
        break;
    case GameCommand::ReturnMatch:
        ReturnMatchMn->setEnabled(enabled);
        break;
    case GameCommand::TakeBack:
        TakeBackMn->setEnabled(enabled);
        break;
    case GameCommand::Resign:
        ResignMn->setEnabled(enabled);
        break;
    case GameCommand::SaveGame:
        SaveGameMn->setEnabled(enabled);
        break;
    }
}

void TVorTablaForm::ShowReviewButtons(bool visible) {
    for (QToolButton* b : {RFirstBt, RBackBt, RNextBt}) b->setVisible(visible);
}

void TVorTablaForm::ShowStoneIndicator(bool visible, std::uint8_t colour) {
    StoneSh->SetColour(colour);
    StoneSh->setVisible(visible);
}

void TVorTablaForm::RefreshBoard(TPont lastMove) {
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y) TablaComp->SetMezo(x, y, Tabla[CellIndex(x, y)]);
    TablaComp->ClearJel();
    TablaComp->ClearSzoveg();
    if (lastMove.X != 0) TablaComp->SetJel(lastMove.X, lastMove.Y, 1);
    KoszamEd->setText(QString::number(ShownMoves));
}

void TVorTablaForm::RefreshInfo() {
    ShowInfo();
}

void TVorTablaForm::SetClockLabel(std::uint8_t colour, const std::string& text) {
    (colour == 1 ? BTimeLb : WTimeLb)->setText(QString::fromStdString(text));
}

void TVorTablaForm::ShowPanelMessage(const std::vector<std::string>& lines) {
    ShowMessage(lines.empty() ? "" : lines[0], lines.size() > 1 ? lines[1] : "", false);
}

void TVorTablaForm::SetEditMode(bool on) {
    TablaComp->EditMode = on;
}
void TVorTablaForm::SetEditColour(std::uint8_t colour) {
    TablaComp->EditColour = colour;
}

void TVorTablaForm::SetBusyCursor(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TVorTablaForm::DispatchPendingEvents() {
    QCoreApplication::processEvents();
}

void TVorTablaForm::WaitForEvents() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TVorTablaForm::closeEvent(QCloseEvent* event) {
    if (gameRunning_) {
        // The game runs inside a menu command further down this stack: resign, let it
        // end, and close when it has returned.
        controller_.WindowClosing();
        closeAfterGame_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

void TVorTablaForm::ShowPanelQuestion(const std::vector<std::string>& lines) {
    MsgAnswer = 0;
    ShowMessage(lines.empty() ? " " : lines[0], lines.size() > 1 ? lines[1] : "", true);
}

void TVorTablaForm::UseOpeningBook(OpeningBook& book) {
    InstallOpeningBook(book, settings_.RandomOpening);
    openingRules_ = std::make_unique<OpeningRules>(book);
    InstallOpeningRules(controller_, *openingRules_);
}

void TVorTablaForm::ShowMessage(const std::string& line1, const std::string& line2, bool buttons) {
    if (line1.empty()) {
        if (!MsgPanel->isHidden()) {
            MsgPanel->hide();
            resize(width(), height() - kMsgPanelHeight);
        }
        return;
    }
    if (MsgPanel->isHidden()) {
        MsgPanel->show();
        resize(width(), height() + kMsgPanelHeight);
    }
    Msg1Lb->setText(QString::fromStdString(line1));
    Msg2Lb->setText(QString::fromStdString(line2));
    bool changed = MsgYesBt->isHidden() == buttons;
    MsgYesBt->setVisible(buttons);
    MsgNoBt->setVisible(buttons);
    if (changed) LayoutControls();
}

void TVorTablaForm::ApplyWindowSize(int index) {
    const TWindowSize& size = kWindowSizes.at(static_cast<size_t>(index));
    sizeIndex_ = index;
    int h = size.Height + (MsgPanel->isHidden() ? 0 : kMsgPanelHeight);
    // The sizes are those of the whole window, title bar and borders included.
    const QSize frame = frameGeometry().size() - geometry().size();
    frameApplied_ = frame;
    resize(size.Width - frame.width(), h - frame.height());
    if (!size.KeepOnScreen) return;
    if (QScreen* screen = this->screen()) {
        QRect avail = screen->geometry();
        TWindowRect r = KeepOnScreen({x(), y(), frameGeometry().width(), frameGeometry().height()},
                                     avail.width(), avail.height());
        move(r.Left, r.Top);
    }
}

void TVorTablaForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window manager tells the size of its frame only once the window is shown;
    // the size chosen before is applied again to the whole window then.
    QTimer::singleShot(0, this, [this] {
        if (frameGeometry().size() - geometry().size() != frameApplied_)
            ApplyWindowSize(sizeIndex_);
    });
}

void TVorTablaForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutControls();
}

bool TVorTablaForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == FoPanel || watched == MsgPanel) && event->type() == QEvent::Resize)
        LayoutControls();
    return QMainWindow::eventFilter(watched, event);
}

void TVorTablaForm::LayoutControls() {
    // The board takes what the information panel leaves; the message buttons stand at the
    // right in the order No, Yes, Ok, each 2 pixels left of the previous one.
    InfPanel->setGeometry(FoPanel->width() - kInfPanelWidth, 0, kInfPanelWidth, FoPanel->height());
    // Within the room the panel leaves, the board takes the largest size whose cells
    // are square, so that stones are round whatever the frame and menu bar take.
    const QSize room(std::max(0, InfPanel->x() - 6), std::max(0, FoPanel->height() - 3));
    TablaComp->setGeometry(QRect(QPoint(0, 0), TablaComp->SquareCellSize(room)));
    int right = MsgPanel->width();
    for (QPushButton* b : {MsgNoBt, MsgYesBt, MsgOkBt}) {
        if (b->isHidden()) continue;
        right -= b->width() + 2;
        b->move(right, (kMsgPanelHeight - b->height()) / 2);
    }
}

void TVorTablaForm::SaveGame() {
    // The games folder may not have come with the program.
    std::error_code ec;
    std::filesystem::create_directories(settings_.GameFolder, ec);
    std::string name = ChooseSaveFile(settings_.GameFolder);
    if (!name.empty()) SaveGameBinary(name);
}

void TVorTablaForm::ShowHelp() {
    std::string text;
    if (!platform::ReadFile(helpFile_, text)) {
        platform::ShowMessage(platform::MessageKind::Warning,
                              "Cannot find the help file\r" + helpFile_);
        return;
    }
    QDialog dialog(this);
    dialog.setWindowTitle("vorlix Help");
    auto* browser = new QTextBrowser(&dialog);
    browser->setHtml(QString::fromStdString(text));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(browser);
    dialog.resize(520, 480);
    dialog.exec();
}

void TVorTablaForm::ShowAboutLibrary(const std::string& fileName) {
    TAboutDllForm dialog(LibraryPath(settings_.PlayersFolder, fileName), this);
    dialog.exec();
}

} // namespace vorlix
