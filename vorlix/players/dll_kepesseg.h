#pragma once
// TDllKepesseg: an ability that a player library reports for one of its players. Its
// name and property lines come from the library's AbilityName, AbPropNum and
// AbPropLine, each optional, asked through the library player.

#include "vorlix/players/kepesseg.h"

namespace vorlix {

class TDllJatekos;

class TDllKepesseg : public TKepesseg {
  public:
    // Ability `index` (1-based) of `owner`'s library player.
    TDllKepesseg(TDllJatekos* owner, int index);

    // The library's name for the ability (at most 12 characters), "Kepesseg" when the
    // library does not name it (not exported, or a null text).
    std::string Name() const override;
    // Clears `target`, then one line per property line of the library (at most 50
    // characters each; a null text gives an empty line). Nothing when the library
    // lacks AbPropNum or AbPropLine.
    void ShowProperties(TTextList& target) const override;

  private:
    TDllJatekos* player_;
    int index_;
};

} // namespace vorlix
