#pragma once
// CSwapDialog: "Swap Dialog", the human's choice whether to exchange colours after
// the third stone of a tournament opening. "No" is chosen at first.

#include <QDialog>

class QRadioButton;

namespace kelvor {

class CSwapDialog : public QDialog {
  public:
    explicit CSwapDialog(QWidget* parent = nullptr);
    bool Swap() const;
    QRadioButton* YesButton() const { return yes_; }

  private:
    QRadioButton* yes_;
    QRadioButton* no_;
};

} // namespace kelvor
