#include "platform/messages.h"

#include <cstdio>

namespace platform {

namespace {

class StderrBoxes final : public MessageBoxes {
  public:
    void Show(MessageKind kind, const std::string& text) override {
        const char* label = kind == MessageKind::Error     ? "error"
                            : kind == MessageKind::Warning ? "warning"
                                                           : "information";
        std::fprintf(stderr, "%s: %s\n", label, DisplayText(text).c_str());
    }
    bool Ask(const std::string& text) override {
        std::fprintf(stderr, "question: %s -> No\n", DisplayText(text).c_str());
        return false;
    }
};

StderrBoxes gDefault;
MessageBoxes* gBoxes = &gDefault;

} // namespace

MessageBoxes* SetMessageBoxes(MessageBoxes* boxes) {
    MessageBoxes* old = gBoxes == &gDefault ? nullptr : gBoxes;
    gBoxes = boxes ? boxes : &gDefault;
    return old;
}

void ShowMessage(MessageKind kind, const std::string& text) {
    gBoxes->Show(kind, text);
}
bool AskQuestion(const std::string& text) {
    return gBoxes->Ask(text);
}
Answer AskQuestionOrCancel(const std::string& text) {
    return gBoxes->AskOrCancel(text);
}

std::string DisplayText(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

} // namespace platform
