#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/eval/engine_work.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/players/jatekos.h"

#include <cstdio>

namespace vorlix {

TM1Evaluator::TM1Evaluator(TJatekos* owner)
    : TKepesseg(owner), Threats(std::make_unique<TThreatEvaluator>(owner)) {}

TM1Evaluator::~TM1Evaluator() = default;

void TM1Evaluator::LoadTables(const std::string& folder) {
    ReadCodeValueFile(folder + FileNames[0], 2, &OwnCode, &OppCode);
    ReadMatrixFile(folder + FileNames[1], &OwnPair);
    BuildDirectionTable(OwnPair, &OwnDir);
    ReadMatrixFile(folder + FileNames[2], &OppPair);
    BuildDirectionTable(OppPair, &OppDir);
    ReadMatrixFile(folder + FileNames[3], &Mixed);
}

void TM1Evaluator::ClassifyCell(int cell) {
    for (int colour = 1; colour <= 2; ++colour)
        for (int d = 0; d < 4; ++d) {
            LineResult r = ClassifyLine(LineCells[cell][d], colour);
            Class[colour][cell][d] = r.lineClass;
            Code[colour][cell][d] = r.lineCode;
            if (r.lineCode == 1) ++FiveCount[colour];
            if (r.lineCode == 2) ++StraightFourCount[colour];
        }
}

std::int32_t TM1Evaluator::CellValue(int cell) const {
    const int own = ColourToMove, opp = Opponent(ColourToMove);
    const std::int32_t* o = Class[own][cell];
    const std::int32_t* q = Class[opp][cell];
    std::int32_t sum = OwnDir[o[0]][o[1]][o[2]][o[3]] + OppDir[q[0]][q[1]][q[2]][q[3]];
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b) sum += Mixed[o[a]][q[b]];
    for (int d = 0; d < 4; ++d) sum += OwnCode[Code[own][cell][d]] + OppCode[Code[opp][cell][d]];
    // A cell that no table values at all still ranks below every valued cell.
    return sum == 0 ? -500 : sum;
}

bool TM1Evaluator::AdjustmentApplies() const {
    const int own = ColourToMove, opp = Opponent(ColourToMove);
    return StraightFourCount[own] == 0 && StraightFourCount[opp] > 0;
}

template <class ValueOf> void TM1Evaluator::ThreatAdjust(ValueOf valueOf) {
    if (!AdjustmentApplies()) return;
    Threats->EvaluateThreats();
    const float m = Szorzo;
    for (int i = 1; i <= Threats->Count; ++i) {
        const ThreatEntry& e = Threats->List[i];
        int cell = CellIndex(e.X, e.Y);
        float* v = valueOf(cell);
        if (!v) continue;
        if (840.0f * m < *v) {
            *v -= 840.0f * m;
            // The list has room for 28 cells; the count never claims more than it holds.
            if (ChangedCount < 28) Changed[ChangedCount++] = static_cast<std::uint8_t>(cell);
        }
        switch (e.Kind) {
        case 50:
            *v += 900.0f * m;
            break;
        case 60:
            *v += 750.0f * m;
            break;
        case 80:
            *v += 940.0f * m;
            break;
        case 84:
            *v += 1040.0f * m;
            break;
        case 86:
            *v += 1050.0f * m;
            break;
        case 90:
            *v += 950.0f * m;
            break;
        default:
            break;
        }
    }
}

void TM1Evaluator::EvaluateCandidates(CandidateList* cells, float* values) {
    ++Work().Generations;
    GenerateCandidates(kCandidatesBoth, cells);
    FiveCount[1] = FiveCount[2] = StraightFourCount[1] = StraightFourCount[2] = 0;
    for (int i = 0; i < cells->count; ++i) {
        int n = cells->cells[i];
        ClassifyCell(n);
        values[i] = static_cast<float>(CellValue(n)) * Szorzo;
    }
    ChangedCount = 0;
    if (Deep)
        ThreatAdjust([&](int cell) -> float* {
            for (int i = 0; i < cells->count; ++i)
                if (cells->cells[i] == cell) return &values[i];
            return nullptr;
        });
}

void TM1Evaluator::Action() {
    if (!Owner) return;
    CandidateList cells;
    GenerateCandidates(kCandidatesBoth, &cells);
    FiveCount[1] = FiveCount[2] = StraightFourCount[1] = StraightFourCount[2] = 0;
    bool inList[kCells + 1] = {};
    for (int i = 0; i < cells.count; ++i) {
        int n = cells.cells[i];
        inList[n] = true;
        ClassifyCell(n);
        Owner->ValueArray[CellX(n)][CellY(n)] += static_cast<float>(CellValue(n)) * Szorzo;
    }
    ChangedCount = 0;
    if (Deep)
        ThreatAdjust([&](int cell) -> float* {
            return inList[cell] ? &Owner->ValueArray[CellX(cell)][CellY(cell)] : nullptr;
        });
}

void TM1Evaluator::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    char buf[48];
    std::snprintf(buf, sizeof buf, "Szorzó:%.4g", static_cast<double>(Szorzo));
    target.push_back(buf);
}

} // namespace vorlix
