#pragma once
// Abilities: the named components of a player (evaluators, searches, the abilities a
// player library reports), each able to print its parameters.
//
// Every ability belongs to one player, its Owner, and acts on it. A player lists its
// abilities in its TKepessegLista; the list only refers to them. The player class that
// created an ability destroys it.
//
// The virtual operations keep this order in every ability class; a derived class may
// append operations after ShowProperties, never insert them before.

#include <string>
#include <vector>

namespace vorlix {

class TJatekos;

// Lines of text for a display (property printouts).
using TTextList = std::vector<std::string>;

class TKepesseg {
  public:
    explicit TKepesseg(TJatekos* owner) : Owner(owner) {}
    TKepesseg(const TKepesseg&) = delete;
    TKepesseg& operator=(const TKepesseg&) = delete;

    // 1. Done: destroys the ability (the base has nothing to release).
    virtual ~TKepesseg() = default;
    // 2. The ability's work on its owner, e.g. adding values into its ValueArray.
    virtual void Action() {}
    // 3. Kept so the order of the operations stays fixed; does nothing in every class.
    virtual void Spare() {}
    // 4. The ability's name.
    virtual std::string Name() const { return "Kepesseg"; }
    // 5. Clears `target`; derived abilities then append their parameter lines.
    virtual void ShowProperties(TTextList& target) const { target.clear(); }

    TJatekos* Owner;
};

// The abilities of one player in the order they were added. Does not own them.
class TKepessegLista {
  public:
    void Add(TKepesseg* ability) { items_.push_back(ability); }
    int Count() const { return static_cast<int>(items_.size()); }
    // 0-based.
    TKepesseg* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void Clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<TKepesseg*> items_;
};

} // namespace vorlix
