#pragma once
#include "PreferenceStore.h"

namespace sim {

// The copy of the settings the engine reads inside Messages: the same store
// design pointed at the Documents folder of the Messages container.
class ContainerPrefs final : public PreferenceStore {
  public:
    explicit ContainerPrefs(std::string documentsFolder)
        : PreferenceStore(HexColorCodec::Variant::engine), m_documents(std::move(documentsFolder)) {}
    std::string pathForID(const std::string& ID) const override { return m_documents + ID + ".plist"; }

  private:
    std::string m_documents; // ends in "/"
};

} // namespace sim
