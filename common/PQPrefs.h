#pragma once
#include "PreferenceStore.h"

// The settings pane's store: the user's own preference files.
class PQPrefs final : public PreferenceStore {
  public:
    static PQPrefs* shared();
    std::string pathForID(const std::string& ID) const override;
    // Tint of the pane's titles, switches and icons.
    rt::Ref<UIColor> accentColour() const { return UIColor::systemOrangeColor(); }

  private:
    PQPrefs() : PreferenceStore(HexColorCodec::Variant::pane) {}
};
