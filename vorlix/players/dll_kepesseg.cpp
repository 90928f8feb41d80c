#include "vorlix/players/dll_kepesseg.h"

#include "vorlix/players/dll_jatekos.h"

namespace vorlix {

TDllKepesseg::TDllKepesseg(TDllJatekos* owner, int index)
    : TKepesseg(owner), player_(owner), index_(index) {}

std::string TDllKepesseg::Name() const {
    std::string name;
    return player_->AbilityName(index_, name) ? name : TKepesseg::Name();
}

void TDllKepesseg::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    player_->AbilityProperties(index_, target);
}

} // namespace vorlix
