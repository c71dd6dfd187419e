#pragma once
// A workbook's parts read back, in the order the zip holds them, each checked against
// its check sum.
#include <gtest/gtest.h>

#include <minizip/unzip.h>

#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

inline std::vector<std::pair<std::string, std::string>> zipEntries(const std::string& path)
{
    std::vector<std::pair<std::string, std::string>> entries;
    unzFile zip = unzOpen64(path.c_str());
    EXPECT_NE(zip, nullptr) << path;
    if (!zip)
        return entries;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip)) {
        char name[256];
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        EXPECT_EQ(unzOpenCurrentFile(zip), UNZ_OK);
        std::string bytes(info.uncompressed_size, '\0');
        EXPECT_EQ(unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size())),
                  static_cast<int>(bytes.size()));
        EXPECT_EQ(unzCloseCurrentFile(zip), UNZ_OK) << name << ": check sum";
        entries.emplace_back(name, std::move(bytes));
    }
    unzClose(zip);
    return entries;
}

} // namespace velmora::test
