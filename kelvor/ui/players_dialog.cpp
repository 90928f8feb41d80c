#include "kelvor/ui/players_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace kelvor {

CPlayersDialog::CPlayersDialog(const CKelvorDoc& doc, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Choose Players");
    auto* grid = new QGridLayout;
    const char* titles[2] = {"Black", "White"};
    for (int side = 0; side < 2; ++side) {
        auto* list = new QListWidget;
        list->addItem("H");
        for (char c : std::string("123456789ABC")) list->addItem(QString(QChar(c)));
        list->setCurrentRow(doc.PlayerLevel[side]);
        list->setMaximumWidth(80);
        lists_[side] = list;
        grid->addWidget(new QLabel(titles[side]), 0, side);
        grid->addWidget(list, 1, side);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setLayout(grid);
}

void CPlayersDialog::ApplyTo(CKelvorDoc& doc) const {
    for (int side = 0; side < 2; ++side)
        doc.PlayerLevel[side] = std::max(0, lists_[side]->currentRow());
}

} // namespace kelvor
