#pragma once
#include "PreferenceStore.h"

// The engine's store: reads the copy of the settings that lives in the
// Documents folder of the process it runs in (inside Messages, its container).
class VRPrefs final : public PreferenceStore {
  public:
    static VRPrefs* shared();
    std::string pathForID(const std::string& ID) const override;

  private:
    VRPrefs() : PreferenceStore(HexColorCodec::Variant::engine) {}
};
