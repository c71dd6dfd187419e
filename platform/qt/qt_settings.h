#pragma once
// Settings through QSettings("Oskenby Electronics", program), so each platform keeps
// them in its usual per-user place (the registry on Windows, ~/.config here).
#include <QSettings>

#include "../settings.h"

namespace velmora {

class QtSettings final : public Settings {
public:
    explicit QtSettings(const QString& programName);
    std::string value(const std::string& section, const std::string& key,
                      const std::string& fallback = {}) const override;
    void setValue(const std::string& section, const std::string& key, const std::string& value) override;

private:
    mutable QSettings settings_;
};

inline constexpr const char* kCompanyKey = "Oskenby Electronics";
// The program names under the company key: the utility's settings ("Settings/Saved
// Directory", "USB Device IDs") are shared by velmora-usb and velmora-cli.
inline constexpr const char* kUtilitySettingsName = "Velmora USB";
inline constexpr const char* kViewerSettingsName = "VelmoraGraph";

} // namespace velmora
