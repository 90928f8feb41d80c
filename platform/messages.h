#pragma once
// Modal message boxes as an interface.
//
// Texts are the program's fixed English messages; a "\r" in a text starts a new line.
// The windows install an implementation that shows real boxes, tests install one
// that records and answers, and the default writes to standard error and answers No.

#include <string>

namespace platform {

enum class MessageKind { Information, Warning, Error };
enum class Answer { Yes, No, Cancel };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A box with an OK button.
    virtual void Show(MessageKind kind, const std::string& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Ask(const std::string& text) = 0;
    // A question with Yes, No and Cancel. Boxes without a Cancel button answer as Ask.
    virtual Answer AskOrCancel(const std::string& text) {
        return Ask(text) ? Answer::Yes : Answer::No;
    }
};

// Installs `boxes` (not owned) and returns the one it replaces; nullptr restores the default.
MessageBoxes* SetMessageBoxes(MessageBoxes* boxes);

void ShowMessage(MessageKind kind, const std::string& text);
bool AskQuestion(const std::string& text);
Answer AskQuestionOrCancel(const std::string& text);

// The text with every "\r" turned into a line break, for display.
std::string DisplayText(const std::string& text);

} // namespace platform
