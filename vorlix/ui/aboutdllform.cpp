#include "vorlix/ui/aboutdllform.h"

#include "vorlix/players/library_registry.h"

#include <QLabel>
#include <QPushButton>

namespace vorlix {

TAboutDllForm::TAboutDllForm(const std::string& libraryPath, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About this dll");
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(280, 167);
    NameLb = new QLabel("Name", this);
    CountryLb = new QLabel("Country", this);
    MailLb = new QLabel("Mail address", this);
    NameLb->setGeometry(16, 16, 250, 18);
    CountryLb->setGeometry(16, 44, 250, 18);
    MailLb->setGeometry(16, 72, 250, 18);
    OkBt = new QPushButton("Ok", this);
    OkBt->setGeometry(100, 124, 80, 26);
    OkBt->setDefault(true);
    connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);

    LibraryAbout about;
    if (ReadLibraryAbout(libraryPath, about)) {
        NameLb->setText(QString::fromStdString(about.Author));
        CountryLb->setText(QString::fromStdString(about.Country));
        MailLb->setText(QString::fromStdString(about.EMail));
    }
}

} // namespace vorlix
