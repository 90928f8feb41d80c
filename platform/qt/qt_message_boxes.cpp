#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>

namespace platform {

void QtMessageBoxes::Show(MessageKind kind, const std::string& text) {
    const QString t = QString::fromStdString(DisplayText(text));
    if (kind == MessageKind::Error)
        QMessageBox::critical(nullptr, title_, t);
    else if (kind == MessageKind::Warning)
        QMessageBox::warning(nullptr, title_, t);
    else
        QMessageBox::information(nullptr, title_, t);
}

bool QtMessageBoxes::Ask(const std::string& text) {
    return QMessageBox::question(nullptr, title_, QString::fromStdString(DisplayText(text))) ==
           QMessageBox::Yes;
}

} // namespace platform
