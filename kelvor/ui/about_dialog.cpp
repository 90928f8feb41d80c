#include "kelvor/ui/about_dialog.h"

#include "kelvor/ui/app_icon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kelvor {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Kelvor");
    auto* icon = new QLabel;
    icon->setPixmap(AppIcon().pixmap(32, 32));
    auto* texts = new QVBoxLayout;
    for (const char* line : {"Kelvor Version 2.1", "Written by the Kelvor authors", "November 2000",
                             "See separate help file for help"})
        texts->addWidget(new QLabel(line));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace kelvor
