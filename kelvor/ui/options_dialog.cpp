#include "kelvor/ui/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace kelvor {

COptionsDialog::COptionsDialog(const CKelvorDoc& doc, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Dialog");
    auto* game = new QGroupBox("Game");
    renju_ = new QRadioButton("Renju");
    gomoku_ = new QRadioButton("Gomoku");
    (doc.Variant == 0 ? renju_ : gomoku_)->setChecked(true);
    auto* radios = new QVBoxLayout(game);
    radios->addWidget(renju_);
    radios->addWidget(gomoku_);

    auto box = [](const char* text, bool on) {
        auto* b = new QCheckBox(text);
        b->setChecked(on);
        return b;
    };
    tournament_ = box("Tournament Opening", doc.TournamentOpening);
    book_ = box("Opening Book", doc.OpeningBook);
    vct_ = box("VCT search", doc.VctSearch);
    breadth_ = box("Hi Breadth", doc.HiBreadth == 2);
    extent_ = box("Hi Extent", doc.HiExtent == 3);
    const std::string limit =
        "Stop A Move After " + std::to_string(CKelvorDoc::kMoveLimitSeconds) + " s";
    limit_ = box(limit.c_str(), doc.MaxSeconds > 0);
    // The search's own stop, fixed in the engine, not the option's seconds.
    limit_->setToolTip("Off: only the time control of the search itself, which stops a move "
                       "after 60 s from move 100 on");
    auto* left = new QVBoxLayout;
    left->addWidget(game);
    for (QCheckBox* b : {tournament_, book_, vct_, breadth_, extent_, limit_}) left->addWidget(b);

    size_ = new QListWidget;
    for (const char* s : {"13", "15", "17", "19"}) size_->addItem(s);
    size_->setCurrentRow(std::clamp((doc.BoardSize - 13) / 2, 0, 3));
    size_->setMaximumWidth(60);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Board Size"));
    right->addWidget(size_);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

void COptionsDialog::ApplyTo(CKelvorDoc& doc) const {
    doc.Variant = renju_->isChecked() ? 0 : 1;
    doc.TournamentOpening = tournament_->isChecked();
    doc.OpeningBook = book_->isChecked();
    doc.VctSearch = vct_->isChecked();
    doc.HiBreadth = breadth_->isChecked() ? 2 : 1;
    doc.HiExtent = extent_->isChecked() ? 3 : 2;
    if (!limit_->isChecked())
        doc.MaxSeconds = 0;
    else if (doc.MaxSeconds == 0)
        doc.MaxSeconds = CKelvorDoc::kMoveLimitSeconds;
    int size = 13 + 2 * std::max(0, size_->currentRow());
    if (doc.TournamentOpening) {
        doc.OpeningBook = true;
        size = doc.Variant == 1 ? 19 : 15;
    }
    if (size != doc.BoardSize) {
        // The cell indexes of a game belong to its board size.
        doc.SetBoardSize(size);
        return;
    }
    doc.Centre = size / 2;
    doc.StepTo(static_cast<int>(doc.Record.size()));
}

} // namespace kelvor
