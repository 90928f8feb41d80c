#include "vorlix/eval/opening_tree.h"

#include "platform/number_format.h"
#include "vorlix/game/coords.h"
#include "vorlix/players/jatekos.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace vorlix {

// The repertoire, node order as written: siblings in list order.
const char* const TOpeningTree::kNotation =
    "H8 [H7 [I7 [G9 [J6 [I8 [I6 [G6 [J9 [G7 [G5], K5:0.95 [K6 [L6 [J7 [J8 [K8]]]]], J5:0.93 "
    "[J7], K8:0.9 [K6]]], H6:0.9 [J7]], J9:0.7], K5:0.92 [J8, I9:0.72, I5:0.71, I6:0.69, "
    "I8:0.68], G6:0.88 [J8]], I6:0.72], I8:0.85 [J9 [J8 [K9, K8:0.75, J6:0.7], I9 [J10, "
    "I10:0.7], G9:0.9 [K9], J6:0.9 [J10], J10:0.8 [K9], K9:0.8 [J10], H9:0.75 [J6], J7:0.75 "
    "[G9]]], J6:0.6 [G9 [I8 [G8, H9, J9:0.7]]]], G8:0.6 [F8], I8:0.6 [J8], G9:0.6 [F10], "
    "G7:0.6 [G8], I9:0.6 [J10], H10:0.6 [G10, I9:0.9, G8:0.85], H9:0.6 [I8, I9:0.8]], I7:0.9 "
    "[I9 [G7 [J9 [J7 [H7 [H9 [I8 [K10 [J8 [K8 [K7 [H10 [I5 [J6 [H5]]]]]], G8:0.7], G6:0.9 "
    "[G8]]]]], G8:0.95 [J7 [G9 [G6 [J8 [K9 [L9 [K10 [J10 [K8 [K7 [I10]]], K8:0.92 [J10]]]]], "
    "K8:0.9 [J10]]], J8:0.9 [K9]]], G9:0.9 [J8 [G8 [G10, G6:0.7], J7:0.88 [K6]]], H9:0.88 [J8 "
    "[J7 [K7 [L6 [I8 [K8 [I11 [H10 [J11]]], H7 [F7 [K8 [I11 [H10 [J11]]]]]]]]]]], K9:0.73 [H7 "
    "[G8 [H9 [H10 [I8]]], H9:0.9 [I8], H10:0.8 [H6]]], I10:0.7 [H9]], J8:0.85, H10:0.68], "
    "J10:0.9 [G7 [F6 [G8 [F8 [G9 [G10 [H9 [F9 [F7 [I10 [H10 [H7 [E8]]]]]]]]]]], G9:0.85 [F8, "
    "H6], F8:0.84 [H9 [G9 [H10 [H11 [J8 [K7 [I8 [K8 [G10 [F11 [G6]]]]]]]]]], J8:0.7], G8:0.8 "
    "[F6 [E5 [F8 [E9 [E7]]]]]]], G9:0.66 [G7], H10:0.65 [G7 [F6 [G8]]], H9:0.6 [G7], I8:0.6 "
    "[G7], G8:0.6 [G7]], J8:0.6 [H9, G8:0.87], I8:0.6 [G8], H7:0.6 [H9], H6:0.6 [H9], H9:0.6 "
    "[H10, G8:0.86], G7:0.6 [I9], G8:0.6 [F8], H10:0.6 [G7]]]";

namespace {

class TreeParser {
  public:
    explicit TreeParser(const std::string& text) : s_(text) {}

    std::vector<OpeningNode> Run() {
        ParseList();
        Blanks();
        if (pos_ != s_.size()) Error("text after the tree");
        return std::move(nodes_);
    }

  private:
    const std::string& s_;
    size_t pos_ = 0;
    std::vector<OpeningNode> nodes_;

    [[noreturn]] void Error(const char* what) {
        throw std::invalid_argument(std::string("opening tree: ") + what + " at " +
                                    std::to_string(pos_));
    }
    void Blanks() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    }
    bool Accept(char c) {
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Returns the index of the first node of the list.
    int ParseList() {
        int first = ParseNode(), last = first;
        while (Accept(',')) {
            int n = ParseNode();
            nodes_[static_cast<size_t>(last)].Next = n;
            last = n;
        }
        return first;
    }

    int ParseNode() {
        Blanks();
        size_t start = pos_;
        if (pos_ < s_.size() && std::isupper(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        TPont p = ParsePont(s_.substr(start, pos_ - start));
        if (p.X == 0 || !OnBoard(p.X, p.Y)) Error("a point was expected");
        int index = static_cast<int>(nodes_.size());
        nodes_.push_back(OpeningNode{p, 1.0f, -1, -1});
        if (Accept(':')) {
            // Written with a full stop whatever the user's locale.
            float w = 0;
            size_t used = 0;
            if (!platform::ReadReal(std::string_view(s_).substr(pos_), w, used))
                Error("a weight was expected");
            pos_ += used;
            nodes_[static_cast<size_t>(index)].Weight = w;
        }
        if (Accept('[')) {
            int child = ParseList();
            nodes_[static_cast<size_t>(index)].Child = child;
            if (!Accept(']')) Error("']' was expected");
        }
        return index;
    }
};

int DepthFrom(const std::vector<OpeningNode>& nodes, int n) {
    int best = 0;
    for (; n >= 0; n = nodes[static_cast<size_t>(n)].Next)
        best = std::max(best, 1 + DepthFrom(nodes, nodes[static_cast<size_t>(n)].Child));
    return best;
}

} // namespace

std::vector<OpeningNode> TOpeningTree::Parse(const std::string& text) {
    return TreeParser(text).Run();
}

TOpeningTree::TOpeningTree(TJatekos* owner) : TKepesseg(owner), nodes_(Parse(kNotation)) {}

int TOpeningTree::Depth() const {
    return DepthFrom(nodes_, Root());
}

int TOpeningTree::SymmetryOf(TPont m) {
    if ((m.X == 8 && m.Y == 7) || (m.X == 9 && m.Y == 7)) return 0;
    if (m.X == 9 && m.Y == 8) return 6;
    if ((m.X == 9 && m.Y == 9) || (m.X == 8 && m.Y == 9)) return 2;
    if ((m.X == 7 && m.Y == 9) || (m.X == 7 && m.Y == 8)) return 4;
    if (m.X == 7 && m.Y == 7) return 1;
    return 0;
}

TPont TOpeningTree::Map(TPont p, int s) {
    int x = p.X, y = p.Y;
    if (s & 1) x = 16 - x;
    if (s & 2) y = 16 - y;
    if (s & 4) std::swap(x, y);
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

void TOpeningTree::Offer(float tolerance, std::vector<std::pair<TPont, float>>* out) const {
    out->clear();
    int node = Root(), s = 0;
    for (int i = 1; i <= MoveCount && node >= 0;) {
        TPont move = GameRecord[i];
        if (i == 2) s = SymmetryOf(move);
        const OpeningNode& n = nodes_[static_cast<size_t>(node)];
        if (Map(n.Point, s) == move) {
            node = n.Child;
            ++i;
        } else {
            node = n.Next;
        }
    }
    if (node < 0) return;
    float best = nodes_[static_cast<size_t>(node)].Weight;
    for (int n = node; n >= 0; n = nodes_[static_cast<size_t>(n)].Next)
        best = std::max(best, nodes_[static_cast<size_t>(n)].Weight);
    for (int n = node; n >= 0; n = nodes_[static_cast<size_t>(n)].Next) {
        const OpeningNode& o = nodes_[static_cast<size_t>(n)];
        if (o.Weight >= best - tolerance) out->emplace_back(Map(o.Point, s), o.Weight);
    }
}

void TOpeningTree::Action() {
    if (!Owner) return;
    std::vector<std::pair<TPont, float>> offered;
    Offer(Owner->Tures, &offered);
    for (const auto& [p, w] : offered) Owner->AddAlternative(p.X, p.Y, w);
}

} // namespace vorlix
