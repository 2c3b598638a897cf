#pragma once

#include <string>
#include <vector>

namespace taktomat::platform {

struct StoredValue {
    std::string key;
    std::string value;
};

struct SaveOutcome {
    bool saved = false;
    // The system's own words for why a value was not written; empty when all were.
    std::string errorText;
};

// Per-user text values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or the empty text when application, section or key is missing.
    virtual std::string get(const std::string& application, const std::string& section,
                            const std::string& key) = 0;
    // Creates or overwrites the values in their order, with their application and section
    // where missing; says whether every one of them was written.
    virtual SaveOutcome save(const std::string& application, const std::string& section,
                             const std::vector<StoredValue>& values) = 0;
    // Where the values of a section are kept, as the user would look them up.
    virtual std::string place(const std::string& application, const std::string& section) const = 0;
};

}  // namespace taktomat::platform
