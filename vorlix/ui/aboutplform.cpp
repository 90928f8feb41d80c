#include "vorlix/ui/aboutplform.h"

#include <QLabel>
#include <QPushButton>

namespace vorlix {

TAboutPlForm::TAboutPlForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About players");
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(280, 171);
    auto label = [this](const char* text, int y) {
        (new QLabel(text, this))->setGeometry(16, y, 250, 18);
    };
    label("Authors of internal players: ", 12);
    label("    The vorlix engine team:", 32);
    label("    evaluation, search and level tuning", 50);
    label("Mail address :", 78);
    label("    vorlix-engines@users.noreply.example", 96);
    OkBt = new QPushButton("Ok", this);
    OkBt->setGeometry(100, 130, 80, 26);
    OkBt->setDefault(true);
    connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vorlix
