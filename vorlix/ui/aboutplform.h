#pragma once
// TAboutPlForm: credits the authors of the internal players.

#include <QDialog>

class QPushButton;

namespace vorlix {

class TAboutPlForm : public QDialog {
  public:
    explicit TAboutPlForm(QWidget* parent = nullptr);
    QPushButton* OkBt = nullptr;
};

} // namespace vorlix
