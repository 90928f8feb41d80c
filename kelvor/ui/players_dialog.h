#pragma once
// CPlayersDialog: "Choose Players", the player of each colour: "H" (human) or a
// computer level "1" to "9", "A", "B", "C" (levels 10 to 12).

#include "kelvor/kelvor_doc.h"

#include <QDialog>

class QListWidget;

namespace kelvor {

class CPlayersDialog : public QDialog {
  public:
    explicit CPlayersDialog(const CKelvorDoc& doc, QWidget* parent = nullptr);
    // Stores the chosen levels in the document (after OK).
    void ApplyTo(CKelvorDoc& doc) const;

    QListWidget* BlackList() const { return lists_[0]; }
    QListWidget* WhiteList() const { return lists_[1]; }

  private:
    QListWidget* lists_[2];
};

} // namespace kelvor
