// vorlix-cli: command-line front end to the vorlix engine core.

#include "commands.h"

#include <cstdio>

namespace cli {

namespace {
const Command kCommands[] = {
    {"classify", "classify LINE COLOUR",
     "class and code of a line; LINE is 9 cells for offsets -4..+4 ('.' empty, '1' black, "
     "'2' white, '#' off the board; the centre is ignored)",
     Classify},
    {"threat", "threat LINE COLOUR",
     "threat code, key cells and reference stone; LINE is 11 cells for offsets -4..+6", Threat},
    {"match",
     "match --first ID --second ID --games N [--seed S] [--jobs J] [--save DIR] "
     "[--colour-change | --openings book] [--book FILE]",
     "plays N games between two computer players (ID: internal identifier or LIBRARY:NAME), "
     "colours alternating, and prints the score, the Elo difference and thinking times; "
     "--colour-change opens every game with the colour-change opening, --openings book "
     "starts each pair of games from one book opening",
     Match},
    {"book",
     "book --first ID --second ID --openings N --games G [--seed S] [--jobs J] --out FILE | "
     "book --show FILE",
     "builds an opening book: N openings, each played G times between the two players, "
     "scored by black's result share; --show lists a book",
     Book},
    {"think", "think --player ID --moves H8,H7,... [--seed S]",
     "sets up the position from the moves (black first; '-' for none) and prints the player's "
     "move as 'move X'",
     Think},
    {"vct",
     "vct [--moves H8,H7,...] [--depth D] [--nodes N] [--threes T] [--far-fours F] [--two-phase]",
     "threat-sequence search for the side to move after the moves (black first): the first "
     "move of a forced win, the nodes and the depth",
     Vct},
    {"tables", "tables FOLDER", "writes the six pattern table files of the data folder into FOLDER",
     Tables},
    {"eval", "eval --player ID --moves H8,H7,... [--top N] [--seed S] [--data DIR]",
     "the values an evaluation player (Turbo, Rupo, Zelta, DraskHS) gives the best cells, "
     "then its abilities' parameters",
     Eval},
    {"bench", "bench [--levels 0-9] [--seed S] [--verbose 1]",
     "every level on a fixed suite of positions: median and maximum time and work per move, "
     "then a deterministic 'Bench signature'",
     Bench},
    {"soak", "soak --games N [--seed S] [--players ID,ID,...] [--max-moves M]",
     "games from random positions between every computer player, checking after every move "
     "that it is legal and that the game model is as before; prints the failures",
     Soak},
    {"ladder", "ladder [--games N] [--jobs J] [--seed S] [--pairs LIST] [--out FILE]",
     "plays every adjacent pair of the strength ladder (Random, Neighbour, Eager, Level 0 .. "
     "Level 9) from book openings, N games each (default 40), and writes the table to FILE "
     "(default docs/strength.md) and the plot beside it as a PNG; LIST names the lower player "
     "of each pair to play (Random, Neighbour, Eager, 0 .. 8), comma-separated",
     Ladder},
    {"tune",
     "tune [--iterations N] [--games G] [--seed S] [--jobs J] [--out DIR] [--player ID] | "
     "tune --confirm FOLDER [--games G] [--seed S] [--jobs J] [--player ID]",
     "SPSA over the pattern table design: N iterations (default 10) of G self-play games "
     "(default 20) of the player (default Zelta) with the perturbed tables; the log, the tuned "
     "tables and numbers go to DIR (default tune); --confirm plays the player with FOLDER's "
     "tables against the data folder's (default 200 games)",
     Tune},
};

void PrintHelp() {
    std::printf("usage: vorlix-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : kCommands) std::printf("  %-28s %s\n", c.usage, c.summary);
}
} // namespace

const Command* FindCommand(const std::string& name) {
    for (const auto& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

int UsageError(const Command& command) {
    std::fprintf(stderr, "usage: vorlix-cli %s\n", command.usage);
    return 2;
}

} // namespace cli

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "help" || std::string(argv[1]) == "--help") {
        cli::PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    const cli::Command* c = cli::FindCommand(argv[1]);
    if (!c) {
        std::fprintf(stderr, "vorlix-cli: unknown command '%s'\n", argv[1]);
        cli::PrintHelp();
        return 2;
    }
    return c->run(cli::Args(argv + 2, argv + argc));
}
