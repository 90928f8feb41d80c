#include "kelvor/ui/swap_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvor {

CSwapDialog::CSwapDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Swap Dialog");
    auto* group = new QGroupBox("Do you swap?");
    yes_ = new QRadioButton("Yes");
    no_ = new QRadioButton("No");
    no_->setChecked(true);
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(yes_);
    radios->addWidget(no_);
    // The box has OK only: closing it any other way keeps the colours.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

bool CSwapDialog::Swap() const {
    return result() == QDialog::Accepted && yes_->isChecked();
}

} // namespace kelvor
