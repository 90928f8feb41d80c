#include "vorlix/players/dll_kepesseg.h"

#include "vorlix/players/library_text.h"

#include <algorithm>

namespace {
constexpr int kMaxPropertyLines = 1000;
}

namespace vorlix {

TDllKepesseg::TDllKepesseg(TJatekos* owner, VorlixHandle handle, int index,
                           platform::ModuleHandle module)
    : TKepesseg(owner), handle_(handle), index_(index),
      abilityName_(
          reinterpret_cast<VorlixAbilityNameFn>(platform::FindSymbol(module, "AbilityName"))),
      abPropNum_(reinterpret_cast<VorlixAbPropNumFn>(platform::FindSymbol(module, "AbPropNum"))),
      abPropLine_(
          reinterpret_cast<VorlixAbPropLineFn>(platform::FindSymbol(module, "AbPropLine"))) {}

std::string TDllKepesseg::Name() const {
    if (!abilityName_) return TKepesseg::Name();
    const char* name = abilityName_(handle_, index_);
    return name ? CopyLibraryText(name, kLibraryNameLength) : TKepesseg::Name();
}

void TDllKepesseg::ShowProperties(TTextList& target) const {
    TKepesseg::ShowProperties(target);
    if (!abPropNum_ || !abPropLine_) return;
    // A runaway count would hang the display: a property printout is a screenful at most.
    const int n = std::min(abPropNum_(handle_, index_), kMaxPropertyLines);
    for (int j = 1; j <= n; ++j)
        target.push_back(CopyLibraryText(abPropLine_(handle_, index_, j), kLibraryLineLength));
}

} // namespace vorlix
