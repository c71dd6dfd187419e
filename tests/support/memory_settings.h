#pragma once
// Per-user settings kept in memory, by "section/key", so a test can read and seed
// them directly.
#include <map>
#include <string>

#include "settings.h"

namespace velmora::test {

class MemorySettings final : public Settings {
public:
    std::string value(const std::string& section, const std::string& key, const std::string& fallback) const override
    {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? fallback : it->second;
    }
    void setValue(const std::string& section, const std::string& key, const std::string& value) override
    {
        values[section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

} // namespace velmora::test
