// kelvor: the renju and gomoku window.
//
//   kelvor                           the game window
//   kelvor --screenshot FILE [--variant renju|gomoku] [--size N] [--black L] [--white L]
//          [--moves H8,J9,...] [--think MS]
//                                    plays the moves as clicks, lets the computer to move
//                                    think for MS milliseconds (1500) and saves the window
//                                    as a PNG

#include "kelvor/ui/kelvor_app.h"
#include "kelvor/ui/main_frame.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool ParseScript(const QStringList& args, kelvor::ScreenshotScript& s) {
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& key = args[i];
        const QString& value = args[i + 1];
        if (key == "--screenshot") {
            s.file = value;
        } else if (key == "--variant") {
            s.variant = value == "renju" ? 0 : 1;
        } else if (key == "--size") {
            s.size = value.toInt();
        } else if (key == "--black" || key == "--white") {
            s.levels[key == "--black" ? 0 : 1] = value.toInt();
        } else if (key == "--think") {
            s.thinkMs = value.toInt();
        } else if (key == "--moves") {
            for (const QString& m : value.split(',', Qt::SkipEmptyParts))
                s.moves.push_back(m.toStdString());
        } else {
            return false;
        }
    }
    return !s.file.isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kelvor::CKelvorApp kelvorApp;
    kelvor::CMainFrame& frame = kelvorApp.MainFrame();
    frame.show();
    if (app.arguments().size() > 1) {
        kelvor::ScreenshotScript script;
        if (!ParseScript(app.arguments(), script)) {
            std::fprintf(stderr, "usage: kelvor [--screenshot FILE [--variant renju|gomoku] "
                                 "[--size N] [--black L] [--white L] [--moves H8,J9,...] "
                                 "[--think MS]]\n");
            return 2;
        }
        return kelvor::TakeScreenshot(frame, script) ? 0 : 1;
    }
    return app.exec();
}
