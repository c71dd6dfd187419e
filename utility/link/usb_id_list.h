#pragma once
// The vendor:product ids that the libusb bridge treats as loggers. The list always
// holds the id the loggers ship with; a site with re-badged or newer loggers adds
// theirs through the settings value "USB Device IDs" or VELMORA_USB_IDS, both written
// as comma-separated VVVV:PPPP pairs in hexadecimal.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora {

struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    bool operator==(const UsbId&) const = default;
};

// The id every logger ships with.
inline constexpr UsbId kLoggerUsbId{0x10C4, 0xEA61};

// Where the programs keep extra ids, and the environment variable that adds more.
inline constexpr const char* kUsbIdsSettingsSection = "Settings";
inline constexpr const char* kUsbIdsSettingsKey = "USB Device IDs";
inline constexpr const char* kUsbIdsEnvironmentVariable = "VELMORA_USB_IDS";

// Parses one "VVVV:PPPP" entry: one to four hex digits on each side, surrounding
// blanks allowed. False for anything else, so a typing slip is reported rather
// than silently matching some other device.
bool parseUsbId(std::string_view text, UsbId& id);

std::string formatUsbId(UsbId id); // "10C4:EA61"

class UsbIdList {
public:
    // Starts with kLoggerUsbId.
    UsbIdList();

    // Adds every entry of a comma-separated list in time linear in its length; empty
    // entries are ignored, duplicates kept once. Returns a readable message for each
    // of the first kListedRejections rejected entries, naming `origin` (e.g. the
    // settings value or the environment variable), then one that counts the rest.
    std::vector<std::string> addList(std::string_view text, std::string_view origin);
    void add(UsbId id);

    bool contains(std::uint16_t vendor, std::uint16_t product) const;
    // In the order added.
    const std::vector<UsbId>& ids() const { return ids_; }

    static constexpr std::size_t kListedRejections = 5;

private:
    static std::uint32_t key(UsbId id) { return static_cast<std::uint32_t>(id.vendor) << 16 | id.product; }

    std::vector<UsbId> ids_;
    std::unordered_set<std::uint32_t> known_;
};

} // namespace velmora
