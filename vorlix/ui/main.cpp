// vorlix: the five-in-a-row game window.

#include "platform/datetime.h"
#include "platform/events.h"
#include "platform/messages.h"
#include "platform/number_format.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_message_boxes.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/game/random.h"
#include "vorlix/game/settings.h"
#include "vorlix/search/internal_players.h"
#include "vorlix/ui/vortablaform.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Program entry: fixed date and number forms, the line table (built with the game
    // model) and the program's random generator.
    platform::SetShortDateFormat("dd/mm/yy");
    vorlix::SeedRandom();

    QApplication app(argc, argv);
    // QApplication has taken the user's locale; numbers in the program's texts and
    // files (the opening tree, game files, "hiba.txt") keep their full stop.
    platform::KeepPointDecimal();
    platform::QtMessageBoxes boxes("vorlix");
    platform::SetMessageBoxes(&boxes);
    // Long searches keep the window alive through this hook.
    platform::SetEventDispatcher([] { QCoreApplication::processEvents(); });

    // Creation of the main window: date format, program folder, settings, installation.
    platform::SetShortDateFormat("yyyy.mm.dd");
    const std::string folder = platform::ProgramFolder();
    vorlix::Settings settings = vorlix::ReadSettings(folder);
    if (!vorlix::CheckInstallation(settings)) {
        platform::ShowMessage(platform::MessageKind::Warning, vorlix::kInstallationMessage);
        return 1;
    }

    // The opening book, read once; a damaged book ends the program with the record it
    // stumbled on rather than placing stones from garbage later.
    vorlix::OpeningBook book;
    if (!book.LoadBook(settings.DataFolder + vorlix::kBookFileName)) {
        platform::ShowMessage(platform::MessageKind::Error, book.Error);
        return 1;
    }

    vorlix::TVorTablaForm window(settings, folder, [&settings](vorlix::PlayerFactory& factory) {
        vorlix::RegisterInternalPlayers(factory, settings);
    });
    window.UseOpeningBook(book);
    window.show();
    return app.exec();
}
