#include "vorlix/search/mely_players.h"

#include "platform/messages.h"
#include "vorlix/eval/threat_evaluator.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/trialstones.h"

#include <algorithm>
#include <vector>

namespace vorlix {

namespace {

constexpr float kDefensiveValue = 9.0f; // third-pass cells
constexpr float kDefenceHeld = 11.0f;   // a third-pass cell that held

float Hatar(int level, float offset) {
    return 1.8f * static_cast<float>(level) + offset;
}

struct Candidate {
    TPont point;
    float value;
};

// The check of a chosen move: a move after which the opponent has a forced win (found
// by TVct) is refused, and the choice is made again from what is left, in up to three
// passes over ever wider lists. Works on the player's alternatives and ValueArray;
// leaves ColourToMove and the TVct settings as it found them.
class ChoiceCheck {
  public:
    struct Plan {
        TVctSettings check;
        int sortAbove = 120; // pass 1 is sorted when it has more alternatives than this
        int firstCut = 10;   // pass 1 keeps this many
        int secondCut = 20;  // pass 2 keeps this many
        TThreatEvaluator* defence = nullptr; // pass 3, null: no third pass
        bool second = false;                 // pass 3 with its own TVct settings
        TVctSettings secondSettings;
    };

    ChoiceCheck(TJatekos& player, TVct& vct)
        : player_(player), vct_(vct), colour_(ColourToMove), depth_(vct.MaxDepth),
          threes_(vct.ThreeLimit), nodes_(vct.NodeLimit) {}
    ~ChoiceCheck() {
        vct_.MaxDepth = depth_, vct_.ThreeLimit = threes_, vct_.NodeLimit = nodes_;
        ColourToMove = colour_;
    }

    void Run(const Plan& plan) {
        Use(plan.check);
        TJatekos& p = player_;
        // Pass 1: what CollectBest offered.
        const int offered = p.AlNum;
        if (p.AlNum > plan.sortAbove) p.SortAlternatives();
        const std::vector<Candidate> first = Alternatives(plan.firstCut);
        if (Pass(first, false)) return;

        // Pass 2: a wider tolerance, until clearly more moves come in.
        const float tures = p.Tures;
        for (int f = 2; f <= 18; ++f) {
            p.Tures = tures * static_cast<float>(f);
            p.AlNum = 0;
            p.CollectBest();
            if (p.AlNum > 8 || p.AlNum > offered + 3) break;
        }
        p.Tures = tures;
        p.SortAlternatives();
        if (Pass(Alternatives(plan.secondCut), false)) return;

        // Pass 3: the cells that meet the opponent's threats.
        if (plan.defence) {
            plan.defence->EvaluateThreats();
            std::vector<Candidate> defensive;
            for (int i = 1; i <= plan.defence->Count; ++i) {
                const ThreatEntry& e = plan.defence->List[i];
                defensive.push_back({TPont{e.X, e.Y}, kDefensiveValue});
            }
            if (plan.second) Use(plan.secondSettings);
            if (Pass(defensive, true)) return;
        }

        // Every move loses against best play: choose among the first ones anyway.
        Load(first);
        p.Chosen = p.ChooseAlternative();
        ChosenMove = p.AlNum > 0 ? p.AlList[p.Chosen] : TPont{};
    }

  private:
    void Use(const TVctSettings& s) {
        vct_.MaxDepth = s.Depth, vct_.ThreeLimit = s.Threes, vct_.NodeLimit = s.Nodes;
    }

    std::vector<Candidate> Alternatives(int cut) const {
        std::vector<Candidate> list;
        for (int i = 1; i <= std::min(player_.AlNum, cut); ++i)
            list.push_back({player_.AlList[i], player_.AlValue[i]});
        return list;
    }

    void Load(const std::vector<Candidate>& list) {
        player_.AlNum = 0;
        for (const Candidate& c : list) player_.AddAlternative(c.point.X, c.point.Y, c.value);
    }

    // Picks from `list` until a pick holds (true, ChosenMove set) or none is left.
    bool Pass(std::vector<Candidate> list, bool defensive) {
        while (!list.empty()) {
            Load(list);
            const int chosen = player_.ChooseAlternative();
            player_.Chosen = chosen;
            const TPont move = player_.AlList[chosen];
            float value = 0.0f;
            if (Refuted(CellIndex(move), &value)) {
                player_.ValueArray[move.X][move.Y] = value;
                list.erase(list.begin() + (chosen - 1));
                continue;
            }
            // The pass's list stays the player's alternatives, Chosen pointing at it.
            Load(list);
            if (defensive) player_.ValueArray[move.X][move.Y] = kDefenceHeld;
            ChosenMove = move;
            return true;
        }
        return false;
    }

    // Puts the player's stone on `cell` and lets TVct look for the opponent's forced
    // win. A refuted cell's value falls with the nodes the win took to find: a win
    // found at once is the surest.
    bool Refuted(int cell, float* value) {
        PutStone(cell);
        player_.AlNum = 0;
        try {
            vct_.Run();
        } catch (...) {
            TakeStone(cell);
            throw;
        }
        TakeStone(cell);
        player_.AlNum = 0;
        const int n = vct_.NodeCount;
        *value = n < 1 ? -145.0f : -100.0f - 200.0f / static_cast<float>(n);
        return vct_.Result != 0;
    }

    TJatekos& player_;
    TVct& vct_;
    std::uint8_t colour_;
    std::uint8_t depth_, threes_;
    std::int32_t nodes_;
};

void SetVct(TVct& vct, std::uint8_t depth, std::uint8_t threes, std::int32_t nodes) {
    vct.MaxDepth = depth, vct.ThreeLimit = threes, vct.NodeLimit = nodes;
}

void LiftThresholds(TMely& m) {
    m.MaxSzeles1 = 90000, m.MaxSzeles2 = 99000, m.MaxSzeles3 = 99999;
}

} // namespace

// ---------------------------------------------------------------------------- Ilvar

TIlvar::TIlvar() : Search(std::make_unique<TMely>(this)) {
    Name = "Ilvar";
    Tures = 0.35f;
    Kepessegek.Add(Search.get());
    Kepessegek.Add(Search->Generator.get());
    Kepessegek.Add(Search->Evaluator.get());
}

TIlvar::~TIlvar() = default;

void TIlvar::EvaluateByGenerator() {
    // A five to complete, or the only one to stop, is the move; the generator's values
    // decide only when the opponent has several (and the game is lost anyway).
    if (TakeForcedMove()) return;
    Search->Generator->Action();
}

void TIlvar::Evaluate() {
    if (!Search->Search()) EvaluateByGenerator();
}

void TIlvar::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->Hatar = Hatar(level, 1.4f);
}

TIlvar2::TIlvar2() {
    Name = "Ilvar2";
    Search->Mely = 2;
}

TIlvar5U::TIlvar5U() {
    Name = "Ilvar5U";
    Search->Mely = 5;
    LiftThresholds(*Search);
}

TIlvar7C::TIlvar7C() {
    Name = "Ilvar7C";
    Search->Mely = 7;
    LiftThresholds(*Search);
}

void TIlvar7C::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->Hatar = Hatar(level, 5.0f);
}

// ----------------------------------------------------------------------------- Qwil

TQwilNV::TQwilNV() : Vct(std::make_unique<TVct>(this)) {
    Name = "QwilNV";
    SetVct(*Vct, 9, 4, 4000);
    Kepessegek.Add(Vct.get());
}

TQwilNV::~TQwilNV() = default;

void TQwilNV::Evaluate() {
    ImmediateWin = 0;
    CandidateList cells;
    float values[kCells];
    Search->Generator->EvaluateCandidates(&cells, values);
    if (Search->Generator->FiveCount[kBlack] > 0 || Search->Generator->FiveCount[kWhite] > 0) {
        ImmediateWin = 1;
        EvaluateByGenerator();
        return;
    }
    Vct->Run();
    if (AlNum > 0) return;
    Search->Search();
}

void TQwilNV::AfterChoice() {
    if (ImmediateWin) return;
    ChoiceCheck::Plan plan;
    plan.check = TVctSettings{CheckDepth, CheckThrees, CheckNodes};
    if (CheckFlag) {
        plan.defence = Search->Generator->Threats.get();
        plan.second = SecondCheck != 0;
        plan.secondSettings = Second;
    }
    ChoiceCheck(*this, *Vct).Run(plan);
}

TQwilN4AVK::TQwilN4AVK() {
    Name = "QwilN4AVK";
    Search->Mely = 4;
    Search->MaxSzeles1 = 650, Search->MaxSzeles2 = 1600, Search->MaxSzeles3 = 2500;
    SetVct(*Vct, 9, 4, 4000);
    CheckDepth = 9, CheckThrees = 4, CheckNodes = 4000;
    CheckFlag = 1;
}

void TQwilN4AVK::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->Hatar = Hatar(level, 3.2f);
}

TQwilX::TQwilX() {
    Name = "QwilX";
    Search->Mely = 6;
    LiftThresholds(*Search);
    Search->HatarLecsenges = 0.77f;
    Search->Alsav = 0.3f;
    Search->Centre = 1;
    Search->OneMore = 1;
    SetVct(*Vct, 12, 5, 20000);
    CheckDepth = 12, CheckThrees = 5, CheckNodes = 20000;
    CheckFlag = 1;
}

void TQwilX::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->Hatar = Hatar(level, 3.7f);
    Search->HatarLecsenges = 0.76f;
}

TQwilX_K::TQwilX_K() : Companion(std::make_unique<TOpeningTree>(this)) {
    Name = "QwilX_K";
    Kepessegek.Add(Companion.get());
}

TQwilX_K::~TQwilX_K() = default;

void TQwilX_K::Evaluate() {
    // A finder move skips the Qwil evaluation, and with it the immediate-win test:
    // its check must not read the flag of an earlier move.
    ImmediateWin = 0;
    Companion->Action();
    if (AlNum > 0) return;
    TQwilNV::Evaluate();
}

TQwil1X7::TQwil1X7() {
    Name = "Qwil1X7";
    Search->Mely = 7;
    Search->Alsav = 0.35f;
    SetVct(*Vct, 13, 5, 50000);
    CheckDepth = 13, CheckThrees = 5, CheckNodes = 50000;
    CheckFlag = 1;
    SecondCheck = 1;
    Second = TVctSettings{15, 6, 80000};
}

void TQwil1X7::SetLevel(int level) {
    TJatekos::SetLevel(level);
    Search->Hatar = Hatar(level, 5.5f);
    Search->HatarLecsenges = 0.78f;
}

TQwilV::TQwilV() : Vct(std::make_unique<TVct>(this)) {
    Name = "QwilV";
    SetVct(*Vct, 7, 4, 2500);
    Kepessegek.Add(Vct.get());
}

TQwilV::~TQwilV() = default;

void TQwilV::Evaluate() {
    Vct->Run();
    if (AlNum == 0) TZelta::Evaluate();
}

void TQwilV::AfterChoice() {
    ChoiceCheck::Plan plan;
    plan.check = TVctSettings{CheckDepth, CheckThrees, CheckNodes};
    plan.sortAbove = 20, plan.firstCut = 20;
    ChoiceCheck(*this, *Vct).Run(plan);
}

// -------------------------------------------------------------------------- factory

std::unique_ptr<TJatekos> CreateMelyPlayer(const std::string& id) {
    if (id == "Ilvar2") return std::make_unique<TIlvar2>();
    if (id == "Ilvar") return std::make_unique<TIlvar>();
    if (id == "Ilvar5U") return std::make_unique<TIlvar5U>();
    if (id == "Ilvar7C") return std::make_unique<TIlvar7C>();
    if (id == "QwilV") return std::make_unique<TQwilV>();
    if (id == "QwilNV") return std::make_unique<TQwilNV>();
    if (id == "QwilN4AVK") return std::make_unique<TQwilN4AVK>();
    if (id == "QwilX_K") return std::make_unique<TQwilX_K>();
    if (id == "Qwil1X7") return std::make_unique<TQwil1X7>();
    return nullptr;
}

void RegisterMelyPlayers(PlayerFactory& factory) {
    for (const char* id : {"Ilvar2", "Ilvar", "Ilvar5U", "Ilvar7C", "QwilV", "QwilNV", "QwilN4AVK",
                           "QwilX_K", "Qwil1X7"}) {
        factory.SetInternalPlayer(id, [name = std::string(id)]() -> std::unique_ptr<TJatekos> {
            try {
                return CreateMelyPlayer(name);
            } catch (const PatternTableError& e) {
                platform::ShowMessage(platform::MessageKind::Error, e.what());
                return nullptr;
            }
        });
    }
}

} // namespace vorlix
