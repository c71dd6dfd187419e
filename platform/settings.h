#pragma once
// Per-user settings kept between runs, under the company key "Oskenby Electronics"
// and the program's name. Values are UTF-8 texts, addressed by section and key.
#include <string>

namespace velmora {

// The utility's "Settings" section and its "Saved Directory": the folder the last
// download file was saved to. The viewer's File > Open starts there too.
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kSavedDirectoryKey = "Saved Directory";

class Settings {
public:
    virtual ~Settings() = default;
    virtual std::string value(const std::string& section, const std::string& key,
                              const std::string& fallback = {}) const = 0;
    virtual void setValue(const std::string& section, const std::string& key, const std::string& value) = 0;
};

} // namespace velmora
