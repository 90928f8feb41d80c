// tables and eval: writing the pattern tables, evaluating a position.

#include "commands.h"
#include "position.h"

#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/pattern_table_design.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/random.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

namespace cli {

int Tables(const Args& args) {
    const Command& me = *FindCommand("tables");
    if (args.size() != 1) return UsageError(me);
    std::string error;
    if (!vorlix::WritePatternTables(args[0], &error)) {
        std::fprintf(stderr, "vorlix-cli tables: %s\n", error.c_str());
        return 1;
    }
    for (const auto& f : vorlix::PatternTableFiles())
        std::printf("wrote %s/%s\n", args[0].c_str(), f.first.c_str());
    return 0;
}

int Eval(const Args& args) {
    const Command& me = *FindCommand("eval");
    std::string player, moves, data;
    int top = 8;
    unsigned seed = 1;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--player")
            player = args[i + 1];
        else if (args[i] == "--moves")
            moves = args[i + 1];
        else if (args[i] == "--data")
            data = args[i + 1];
        else if (args[i] == "--top")
            top = std::atoi(args[i + 1].c_str());
        else if (args[i] == "--seed")
            seed = static_cast<unsigned>(std::strtoul(args[i + 1].c_str(), nullptr, 10));
        else
            return UsageError(me);
    }
    if (player.empty() || args.size() % 2 != 0) return UsageError(me);
    if (!data.empty()) vorlix::SetEngineDataFolder(data);
    vorlix::SeedRandom(seed);
    std::string error;
    if (!SetUpPosition(moves, &error)) {
        std::fprintf(stderr, "vorlix-cli eval: %s\n", error.c_str());
        return 2;
    }
    std::unique_ptr<vorlix::TJatekos> p;
    try {
        p = vorlix::CreateEvaluationPlayer(player);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorlix-cli eval: %s\n", e.what());
        return 1;
    }
    if (!p) {
        std::fprintf(stderr, "vorlix-cli eval: '%s' is not an evaluation player\n", player.c_str());
        return 2;
    }
    p->FillValues(0.0f);
    p->AlNum = 0;
    p->Evaluate();
    struct Cell {
        int x, y;
        float v;
    };
    std::vector<Cell> cells;
    if (p->AlNum > 0) {
        for (int i = 1; i <= p->AlNum; ++i)
            cells.push_back({p->AlList[i].X, p->AlList[i].Y, p->AlValue[i]});
    } else {
        for (int x = 1; x <= vorlix::kBoardSize; ++x)
            for (int y = 1; y <= vorlix::kBoardSize; ++y)
                if (vorlix::Tabla[vorlix::CellIndex(x, y)] == vorlix::kEmpty)
                    cells.push_back({x, y, p->ValueArray[x][y]});
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.v > b.v; });
    for (int i = 0; i < top && i < static_cast<int>(cells.size()); ++i)
        std::printf("%s %.4f\n", vorlix::PontText(cells[i].x, cells[i].y).c_str(),
                    static_cast<double>(cells[i].v));
    vorlix::TTextList lines;
    for (int a = 0; a < p->Kepessegek.Count(); ++a) {
        p->Kepessegek.Items(a)->ShowProperties(lines);
        std::printf("[%s]\n", p->Kepessegek.Items(a)->Name().c_str());
        for (const auto& l : lines) std::printf("  %s\n", l.c_str());
    }
    p->ShowProperties(lines);
    for (const auto& l : lines) std::printf("%s\n", l.c_str());
    return 0;
}

} // namespace cli
