#include "vorlix/game/gamefile.h"

#include "platform/atomic_file.h"
#include "platform/datetime.h"
#include "platform/messages.h"
#include "platform/number_format.h"
#include "platform/program_folder.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"

#include <cstdio>

namespace vorlix {

namespace {

bool WriteGameFile(const std::string& fileName, const std::string& content) {
    std::string why;
    switch (platform::WriteFileAtomic(fileName, content, &why)) {
    case platform::WriteResult::Ok:
        return true;
    case platform::WriteResult::CannotCreate:
        platform::ShowMessage(platform::MessageKind::Error, "File open error !");
        return false;
    case platform::WriteResult::CannotWrite:
        // The file was created but could not be completed; the old file is intact.
        platform::ShowMessage(platform::MessageKind::Error, "File write error !\r" + why);
        return false;
    }
    return false;
}

} // namespace

std::string GameBinaryContent() {
    std::string out;
    out += static_cast<char>(static_cast<unsigned char>(MoveCount));
    for (int i = 1; i <= MoveCount; ++i)
        out += static_cast<char>(
            static_cast<unsigned char>(15 * GameRecord[i].Y + GameRecord[i].X - 1));
    return out;
}

bool SaveGameBinary(const std::string& fileName) {
    return WriteGameFile(fileName, GameBinaryContent());
}

std::string MoveLine(int moveNo) {
    const TPont p = GameRecord[moveNo];
    char buf[64];
    // The score is written with a full stop whatever the locale.
    std::snprintf(buf, sizeof buf, "%3d. %s%s%4d", moveNo, PontText(p.X, p.Y).c_str(),
                  platform::FixedText(MoveScore[moveNo], 3, 9).c_str(), MoveAlternatives[moveNo]);
    return buf;
}

std::string GameTextContent() {
    const std::string& black = ColourChanged ? SecondPlayerName : FirstPlayerName;
    const std::string& white = ColourChanged ? FirstPlayerName : SecondPlayerName;
    platform::SetShortDateFormat("yyyy.mm.dd hh:nn");
    std::string out;
    out += "Black: " + black + "\r\n";
    out += "White: " + white + "\r\n";
    out += platform::ShortDateText() + "\r\n";
    if (ColourChanged) out += "Colour changed.\r\n";
    for (int i = 1; i <= MoveCount; ++i) out += MoveLine(i) + "\r\n";
    return out;
}

bool SaveGameText(const std::string& fileName) {
    return WriteGameFile(fileName, GameTextContent());
}

std::string GameDumpFile() {
    return platform::UserFolder(platform::ProgramFolder(), platform::UserFiles::Data) + "hiba.txt";
}

bool WriteGameDump() {
    return SaveGameText(GameDumpFile());
}

} // namespace vorlix
