#include "vorlix/ui/opcioform.h"

#include "platform/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorlix {

namespace {
QFont BoldFont(QFont f) {
    f.setBold(true);
    return f;
}
} // namespace

TOpcioForm::TOpcioForm(Settings& settings, std::string programFolder, QWidget* parent)
    : QDialog(parent), settings_(settings), programFolder_(std::move(programFolder)) {
    setWindowTitle("Options");
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(290, 175);

    CsereRg = new QGroupBox(" Colour change ", this);
    CsereRg->setGeometry(8, 8, 160, 70);
    CsereNo = new QRadioButton("no", CsereRg);
    CsereAfter5 = new QRadioButton("after 5th move", CsereRg);
    CsereNo->setGeometry(10, 20, 140, 20);
    CsereAfter5->setGeometry(10, 42, 140, 20);
    csereGroup_ = new QButtonGroup(this);
    csereGroup_->addButton(CsereNo, 0);
    csereGroup_->addButton(CsereAfter5, 1);

    RndOpenCb = new QCheckBox("Random opening", this);
    RndOpenCb->setGeometry(16, 88, 160, 20);
    KezdCb = new QCheckBox("Program move first", this);
    KezdCb->setGeometry(16, 112, 160, 20);

    OkBt = new QPushButton("OK", this);
    OkBt->setFont(BoldFont(font));
    OkBt->setGeometry(196, 16, 80, 26);
    OkBt->setDefault(true);
    CancelBt = new QPushButton("Cancel", this);
    CancelBt->setFont(BoldFont(font));
    CancelBt->setGeometry(196, 50, 80, 26);

    // Any stored value other than 0 and 1 selects no item.
    if (settings_.ColourChange == 0) CsereNo->setChecked(true);
    if (settings_.ColourChange == 1) CsereAfter5->setChecked(true);
    RndOpenCb->setChecked(settings_.RandomOpening);
    KezdCb->setChecked(settings_.MachineStart);

    connect(csereGroup_, &QButtonGroup::idClicked, this, &TOpcioForm::CsereClicked);
    connect(OkBt, &QPushButton::clicked, this, &TOpcioForm::OkClicked);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

int TOpcioForm::CsereIndex() const {
    return csereGroup_->checkedId();
}

void TOpcioForm::CsereClicked(int index) {
    // Without a colour change there is no opening to draw at random.
    RndOpenCb->setChecked(index == 1);
    RndOpenCb->setEnabled(index == 1);
}

void TOpcioForm::OkClicked() {
    // With no item selected the stored value is kept rather than replaced by -1.
    if (CsereIndex() >= 0) settings_.ColourChange = static_cast<std::uint8_t>(CsereIndex());
    settings_.RandomOpening = RndOpenCb->isChecked();
    settings_.MachineStart = KezdCb->isChecked();
    std::string why;
    if (!WriteSettings(settings_, programFolder_, &why))
        platform::ShowMessage(platform::MessageKind::Error,
                              "The settings could not be saved.\r" + why);
    accept();
}

} // namespace vorlix
