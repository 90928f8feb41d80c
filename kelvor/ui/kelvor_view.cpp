#include "kelvor/ui/kelvor_view.h"

#include "kelvor/ui/board_geometry.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace kelvor {

namespace {

constexpr char kLevelChars[] = "0123456789ABC";

// Messages 101 and 103 carry the number of the computation that sent them.
class ThinkEvent : public QEvent {
  public:
    ThinkEvent(Type type, int generation) : QEvent(type), generation(generation) {}
    int generation;
};

const QColor kBoardColour(222, 184, 135);
const QColor kLineColour(60, 40, 20);

} // namespace

CKelvorView::CKelvorView(CKelvorDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
    // A message box is modal: without a paint now, it would cover a board that does not
    // yet show the move it talks about.
    doc_.BeforeMessage = [this] { repaint(); };
}

CKelvorView::~CKelvorView() {
    doc_.StopThinking();
    doc_.OnProgress = nullptr; // it posts to this view
    doc_.BeforeMessage = nullptr;
}

QSize CKelvorView::sizeHint() const {
    // Room for the largest board (19 lines, pitch 22) and its labels.
    return {BoardGeometry::kLeft + 18 * 28 + 40, BoardGeometry::kTop + 18 * 22 + 40};
}

QString CKelvorView::StatusText() const {
    const int level = doc_.PlayerLevel[doc_.ToMove - 1];
    if (level > 0 && doc_.Thinking())
        return QString("Level ") + QChar(kLevelChars[level]) + " thinking...";
    return QString("player %1").arg(doc_.PlayerToAct());
}

void CKelvorView::ClickAt(int x, int y) {
    auto cell = BoardGeometry(doc_.BoardSize).CellAt(x, y);
    if (!cell) return;
    auto [cx, cy] = *cell;
    if (!IsFree(doc_.Board[cx][cy])) return;
    if (doc_.Thinking()) {
        // The worker reads the position: nothing may change it now.
        platform::ShowMessage(platform::MessageKind::Warning, "Not Your Turn");
        return;
    }
    if (!doc_.HumanMove(cx, cy)) return;
    update();
    emit StateChanged();
    AfterMove();
}

bool CKelvorView::AfterMove() {
    if (doc_.GameState == kGameOver || !doc_.IsComputerTurn() || doc_.Thinking()) return false;
    StartThinking();
    return true;
}

bool CKelvorView::Go() {
    return AfterMove();
}

void CKelvorView::Stop() {
    if (!doc_.Thinking()) return;
    ++generation_;
    doc_.StopThinking();
    update();
    emit StateChanged();
}

void CKelvorView::DocumentChanged() {
    update();
    emit StateChanged();
}

void CKelvorView::StartThinking() {
    if (!doc_.Engine().Usable()) {
        platform::ShowMessage(platform::MessageKind::Error,
                              "Not enough memory for the computer player");
        QCoreApplication::exit(1);
        return;
    }
    if (!doc_.TablesLoaded()) {
        platform::ShowMessage(platform::MessageKind::Error, kNoTablesText);
        return;
    }
    const int generation = ++generation_;
    // Both hooks run on the worker thread: they only post.
    doc_.OnProgress = [this, generation] {
        QCoreApplication::postEvent(this, new ThinkEvent(kProgressEvent, generation));
    };
    doc_.StartThinking([this, generation] {
        QCoreApplication::postEvent(this, new ThinkEvent(kThinkEndEvent, generation));
    });
    update();
    emit StateChanged();
}

void CKelvorView::customEvent(QEvent* event) {
    if (event->type() != kThinkEndEvent && event->type() != kProgressEvent) return;
    if (static_cast<ThinkEvent*>(event)->generation != generation_ || !doc_.Thinking()) return;
    if (event->type() == kProgressEvent) {
        emit Progress(doc_.Progress, doc_.ProgressCell);
        update();
        return;
    }
    ComputerMoveArrived();
}

void CKelvorView::ComputerMoveArrived() {
    ThinkResult r = doc_.FinishThinking();
    if (!doc_.ThinkError().empty()) {
        // The move is abandoned; the game stays where it was, with the computer to move.
        platform::ShowMessage(platform::MessageKind::Error,
                              "The computer's move failed: " + doc_.ThinkError());
        update();
        emit StateChanged();
        return;
    }
    if (r.x >= 0 && IsFree(doc_.Board[r.x][r.y]) && doc_.GameState != kGameOver)
        doc_.MakeMove(r.x, r.y);
    update();
    emit StateChanged();
    AfterMove();
}

void CKelvorView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    ClickAt(p.x(), p.y());
}

void CKelvorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintedMoves_ = static_cast<int>(doc_.Record.size());
    painter.fillRect(rect(), palette().window());
    const BoardGeometry g(doc_.BoardSize);
    const int n = doc_.BoardSize, pitch = g.Pitch();

    painter.setPen(palette().windowText().color());
    const QFontMetrics fm(font());
    painter.drawText(5, 5 + fm.ascent(), doc_.Variant == 0 ? "RENJU" : "GOMOKU");
    painter.drawText(5, 5 + fm.height() + 4 + fm.ascent(), StatusText());

    painter.fillRect(QRect(QPoint(g.LineX(0) - pitch / 2 - 4, g.LineY(n - 1) - pitch / 2 - 4),
                           QPoint(g.Right() + pitch / 2 + 4, g.Bottom() + pitch / 2 + 4)),
                     kBoardColour);
    painter.setPen(kLineColour);
    for (int i = 0; i < n; ++i) {
        painter.drawLine(g.LineX(i), g.LineY(0), g.LineX(i), g.LineY(n - 1));
        painter.drawLine(g.LineX(0), g.LineY(i), g.Right(), g.LineY(i));
    }

    painter.setRenderHint(QPainter::Antialiasing);
    const int r = pitch / 2 - 1;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int c = doc_.Board[x][y];
            if (c != kBlack && c != kWhite) continue;
            painter.setPen(Qt::black);
            painter.setBrush(c == kBlack ? Qt::black : Qt::white);
            painter.drawEllipse(QPoint(g.LineX(x), g.LineY(y)), r, r);
        }
    if (!doc_.Record.empty()) {
        const int last = doc_.Record.back();
        const int x = last % n, y = last / n;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 30, 30));
        painter.drawRect(g.LineX(x) - 3, g.LineY(y) - 3, 7, 7);
    }
    if (doc_.MoveNo == 5) {
        // Fifth-move offers: rings where black's stone may go.
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        for (int cell : doc_.FifthOffers)
            painter.drawEllipse(QPoint(g.LineX(cell % n), g.LineY(cell / n)), r - 1, r - 1);
    }
    if (doc_.Thinking() && doc_.ProgressCell >= 0) {
        // The root move the search is on.
        const int cell = doc_.ProgressCell;
        painter.setPen(QPen(QColor(30, 90, 220), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPoint(g.LineX(cell % n), g.LineY(cell / n)), r - 2, r - 2);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(palette().windowText().color());
    for (int i = 0; i < n; ++i) {
        painter.drawText(g.LineX(i) - 4, g.Bottom() + pitch / 2 + 6 + fm.ascent(),
                         QString(QChar(kColumnLetters[i])));
        const QString row = QString::number(i + 1);
        painter.drawText(g.LineX(0) - pitch / 2 - 8 - fm.horizontalAdvance(row),
                         g.LineY(i) + fm.ascent() / 2 - 1, row);
    }
}

} // namespace kelvor
