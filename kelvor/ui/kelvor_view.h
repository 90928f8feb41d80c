#pragma once
// CKelvorView: the board of a kelvor document. It paints the board, the stones and
// the status text, turns clicks into human moves, and drives the computer: after every
// move, when a computer player is to move, it has the document think on its worker
// thread, which posts message 103 (progress) and message 101 (the end) back to the
// view; at 101 the view makes the computer's move.
//
// The view draws the position before any message box of the document appears ("Player 2
// won" comes after the winning stone is on the screen).
//
// While the computer thinks, board clicks are refused ("Not Your Turn") and the
// position is left alone; Stop ends the search without a move, Go starts it again.

#include "kelvor/kelvor_doc.h"

#include <QEvent>
#include <QString>
#include <QWidget>

namespace kelvor {

class CKelvorView : public QWidget {
    Q_OBJECT

  public:
    static constexpr QEvent::Type kThinkEndEvent = static_cast<QEvent::Type>(QEvent::User + 101);
    static constexpr QEvent::Type kProgressEvent = static_cast<QEvent::Type>(QEvent::User + 103);

    // `doc` must outlive the view; the view stops a computation it started before it
    // goes, so no message reaches it afterwards.
    explicit CKelvorView(CKelvorDoc& doc, QWidget* parent = nullptr);
    ~CKelvorView() override;

    // "Level L thinking..." while a computer player thinks, else "player 1" or "player 2"
    // for the player whose click is awaited (white while it chooses a fifth-move offer).
    QString StatusText() const;
    // The number of moves on the board when the view last painted itself. The document's
    // message boxes come after a paint of the position they are about.
    int PaintedMoves() const { return paintedMoves_; }

    // A left click at pixel (x, y): the click rules, then the human move.
    void ClickAt(int x, int y);
    // Starts the computer when it is to move and the game goes on; false otherwise.
    bool AfterMove();
    // Go: the computer thinks for the side to move (a computer player).
    bool Go();
    // Stop: ends the search; no move is made.
    void Stop();
    bool Thinking() const { return doc_.Thinking(); }
    // The document changed under the view (new game, file, options, stepping).
    void DocumentChanged();

    QSize sizeHint() const override;

  signals:
    // A move was made, thinking started or ended: commands and panes follow.
    void StateChanged();
    // Message 103: percent of the root moves searched and the root move's cell.
    void Progress(int percent, int cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void customEvent(QEvent* event) override;

  private:
    void StartThinking();
    void ComputerMoveArrived();

    CKelvorDoc& doc_;
    // Each computation has its own number; messages of a stopped one are dropped.
    int generation_ = 0;
    int paintedMoves_ = -1;
};

} // namespace kelvor
