#pragma once

#include <string>

namespace taktomat::platform {

// Per-user text values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or the empty text when application, section or key is missing.
    virtual std::string get(const std::string& application, const std::string& section,
                            const std::string& key) = 0;
    // Creates or overwrites the value, with its application and section where missing.
    virtual void save(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& value) = 0;
};

}  // namespace taktomat::platform
