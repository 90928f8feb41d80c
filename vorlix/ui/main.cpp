// vorlix: the five-in-a-row game window.

#include "platform/datetime.h"
#include "platform/messages.h"
#include "platform/program_folder.h"
#include "vorlix/game/random.h"
#include "vorlix/game/settings.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

namespace {

// Message boxes of the game core shown as real modal boxes.
class QtMessageBoxes final : public platform::MessageBoxes {
  public:
    void Show(platform::MessageKind kind, const std::string& text) override {
        QString t = QString::fromStdString(platform::DisplayText(text));
        if (kind == platform::MessageKind::Error)
            QMessageBox::critical(nullptr, "vorlix", t);
        else if (kind == platform::MessageKind::Warning)
            QMessageBox::warning(nullptr, "vorlix", t);
        else
            QMessageBox::information(nullptr, "vorlix", t);
    }
    bool Ask(const std::string& text) override {
        return QMessageBox::question(nullptr, "vorlix",
                                     QString::fromStdString(platform::DisplayText(text))) ==
               QMessageBox::Yes;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessageBoxes boxes;
    platform::SetMessageBoxes(&boxes);
    vorlix::SeedRandom();

    platform::SetShortDateFormat("yyyy.mm.dd");
    const std::string folder = platform::ProgramFolder();
    vorlix::Settings settings = vorlix::ReadSettings(folder);
    if (!vorlix::CheckInstallation(settings)) {
        platform::ShowMessage(platform::MessageKind::Warning, vorlix::kInstallationMessage);
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle("vorlix");
    auto* label = new QLabel("The board window arrives with the window layer.", &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(480, 360);
    window.show();
    return app.exec();
}
