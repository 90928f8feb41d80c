#pragma once
// TDllKepesseg: an ability that a player library reports for one of its players. Its
// name and property lines come from the library's AbilityName, AbPropNum and
// AbPropLine, each optional.

#include "platform/module.h"
#include "vorlix/players/kepesseg.h"
#include "vorlix/players/vorlix_plugin.h"

namespace vorlix {

class TDllKepesseg : public TKepesseg {
  public:
    // Looks the three functions up in `module`; `index` is 1-based.
    TDllKepesseg(TJatekos* owner, VorlixHandle handle, int index, platform::ModuleHandle module);

    // The library's name for the ability (at most 12 characters), "Kepesseg" when the
    // library does not name it (not exported, or a null text).
    std::string Name() const override;
    // Clears `target`, then one line per property line of the library (at most 50
    // characters each; a null text gives an empty line). Nothing when the library
    // lacks AbPropNum or AbPropLine.
    void ShowProperties(TTextList& target) const override;

  private:
    VorlixHandle handle_;
    int index_;
    VorlixAbilityNameFn abilityName_;
    VorlixAbPropNumFn abPropNum_;
    VorlixAbPropLineFn abPropLine_;
};

} // namespace vorlix
