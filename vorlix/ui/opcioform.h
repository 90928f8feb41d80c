#pragma once
// TOpcioForm: the options dialog. Edits the colour-change, random-opening and
// first-move settings and, on OK, writes the whole settings file.

#include "vorlix/game/settings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vorlix {

class TOpcioForm : public QDialog {
  public:
    // Shows `settings`; OK changes it and writes it to the program folder's settings file.
    TOpcioForm(Settings& settings, std::string programFolder, QWidget* parent = nullptr);

    QGroupBox* CsereRg = nullptr;
    QRadioButton* CsereNo = nullptr;     // item 0, "no"
    QRadioButton* CsereAfter5 = nullptr; // item 1, "after 5th move"
    QCheckBox* RndOpenCb = nullptr;
    QCheckBox* KezdCb = nullptr;
    QPushButton* OkBt = nullptr;
    QPushButton* CancelBt = nullptr;

    // The selected item of the radio group: 0, 1, or -1 for none.
    int CsereIndex() const;

  private:
    void CsereClicked(int index);
    void OkClicked();

    Settings& settings_;
    std::string programFolder_;
    QButtonGroup* csereGroup_ = nullptr;
};

} // namespace vorlix
