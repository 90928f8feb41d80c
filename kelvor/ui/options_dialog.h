#pragma once
// COptionsDialog: the game options ("Dialog"): renju or gomoku, the tournament
// opening, the opening book, the VCT search, "Hi Breadth", "Hi Extent", the board
// size, and whether a computer move stops after 60 s whatever the move number.
//
// Applying them: with the tournament opening the book is forced on and the board is
// 15 x 15 in renju and 19 x 19 in gomoku whatever the size list shows; otherwise the
// list's size. A new size starts a new game on the new board; otherwise the game stays
// and its candidate cells follow the new extent (4 lines, 5 with "Hi Extent").

#include "kelvor/kelvor_doc.h"

#include <QDialog>

class QCheckBox;
class QListWidget;
class QRadioButton;

namespace kelvor {

class COptionsDialog : public QDialog {
  public:
    explicit COptionsDialog(const CKelvorDoc& doc, QWidget* parent = nullptr);
    // Stores the settings in the document (after OK).
    void ApplyTo(CKelvorDoc& doc) const;

    QRadioButton* RenjuButton() const { return renju_; }
    QRadioButton* GomokuButton() const { return gomoku_; }
    QCheckBox* TournamentBox() const { return tournament_; }
    QCheckBox* BookBox() const { return book_; }
    QCheckBox* VctBox() const { return vct_; }
    QCheckBox* BreadthBox() const { return breadth_; }
    QCheckBox* ExtentBox() const { return extent_; }
    QCheckBox* LimitBox() const { return limit_; }
    QListWidget* SizeList() const { return size_; }

  private:
    QRadioButton* renju_;
    QRadioButton* gomoku_;
    QCheckBox* tournament_;
    QCheckBox* book_;
    QCheckBox* vct_;
    QCheckBox* breadth_;
    QCheckBox* extent_;
    QCheckBox* limit_;
    QListWidget* size_;
};

} // namespace kelvor
