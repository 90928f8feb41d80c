#pragma once
// TAboutDllForm: the author lines a player library reports about itself.

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace vorlix {

class TAboutDllForm : public QDialog {
  public:
    // Reads the about texts of the library at `libraryPath`; when it cannot be found the
    // labels keep their design texts.
    explicit TAboutDllForm(const std::string& libraryPath, QWidget* parent = nullptr);
    QLabel* NameLb = nullptr;
    QLabel* CountryLb = nullptr;
    QLabel* MailLb = nullptr;
    QPushButton* OkBt = nullptr;
};

} // namespace vorlix
