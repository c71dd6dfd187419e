#pragma once
// What the archive keeps of a file's bytes: their SHA-256, to prove them unchanged,
// and the bytes themselves compressed (zlib), to give them back exactly.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(const void* data, std::size_t size);
    // Lower-case hexadecimal; the hash takes no more bytes after it.
    std::string hex();

    static std::string of(std::string_view bytes);

private:
    struct State;
    std::unique_ptr<State> state_;
};

class Compressor {
public:
    Compressor();
    ~Compressor();
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    void update(const void* data, std::size_t size);
    // The compressed bytes of all that was given.
    std::string finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The bytes `compressed` holds; nothing when they are damaged.
std::optional<std::string> decompress(std::string_view compressed);

// The SHA-256 of the file at `path`; nothing when it cannot be read.
std::optional<std::string> sha256OfFile(const std::string& path);

} // namespace velmora
