#pragma once
// The message boxes of the engines and file writers shown as real modal Qt boxes, for
// the windowed programs. Texts keep their "\r" line breaks until shown.

#include "platform/messages.h"

#include <QString>

namespace platform {

class QtMessageBoxes final : public MessageBoxes {
  public:
    // `title` is every box's caption: the program's name.
    explicit QtMessageBoxes(QString title) : title_(std::move(title)) {}
    void Show(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& text) override;
    Answer AskOrCancel(const std::string& text) override;

  private:
    QString title_;
};

} // namespace platform
