#include "vorlix/game/game_window.h"

#include "platform/events.h"
#include "platform/messages.h"

namespace vorlix {

void HeadlessWindow::ShowWarning(const std::string& text) {
    platform::ShowMessage(platform::MessageKind::Warning, text);
}

void HeadlessWindow::ShowError(const std::string& text) {
    platform::ShowMessage(platform::MessageKind::Error, text);
}

bool HeadlessWindow::AskQuestion(const std::string& text) {
    return platform::AskQuestion(text);
}

void GameWindow::ShowPanelQuestion(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r") + line;
    panelAnswer_ = AskQuestion(text) ? 1 : 2;
}

void HeadlessWindow::DispatchPendingEvents() {
    platform::DispatchPendingEvents();
}

} // namespace vorlix
