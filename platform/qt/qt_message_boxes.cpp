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

Answer QtMessageBoxes::AskOrCancel(const std::string& text) {
    const auto b = QMessageBox::question(nullptr, title_, QString::fromStdString(DisplayText(text)),
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

} // namespace platform
