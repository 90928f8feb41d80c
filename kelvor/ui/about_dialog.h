#pragma once
// CAboutDialog: "About Kelvor", the program's version box.

#include <QDialog>

namespace kelvor {

class CAboutDialog : public QDialog {
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace kelvor
