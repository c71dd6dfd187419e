#include "file_bytes.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <openssl/evp.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace velmora {

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state_(std::make_unique<State>())
{
    if (!state_->context || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1)
        throw std::bad_alloc();
}

Sha256::~Sha256() = default;

void Sha256::update(const void* data, std::size_t size) { EVP_DigestUpdate(state_->context, data, size); }

std::string Sha256::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(state_->context, digest, &length);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned int i = 0; i < length; ++i) {
        out += kDigits[digest[i] >> 4];
        out += kDigits[digest[i] & 15];
    }
    return out;
}

std::string Sha256::of(std::string_view bytes)
{
    Sha256 hash;
    hash.update(bytes.data(), bytes.size());
    return hash.hex();
}

struct Compressor::State {
    z_stream stream{};
    std::string out;
    ~State() { deflateEnd(&stream); }

    void run(int flush)
    {
        char chunk[1 << 16];
        do {
            stream.next_out = reinterpret_cast<Bytef*>(chunk);
            stream.avail_out = sizeof chunk;
            deflate(&stream, flush);
            out.append(chunk, sizeof chunk - stream.avail_out);
        } while (stream.avail_out == 0);
    }
};

// Level 1: download files are repetitive text that the fastest level already shrinks
// to a fraction, and an add should not wait on the compression.
Compressor::Compressor() : state_(std::make_unique<State>())
{
    if (deflateInit(&state_->stream, 1) != Z_OK)
        throw std::bad_alloc();
}

Compressor::~Compressor() = default;

void Compressor::update(const void* data, std::size_t size)
{
    z_stream& s = state_->stream;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<void*>(data));
    s.avail_in = static_cast<uInt>(size);
    state_->run(Z_NO_FLUSH);
}

std::string Compressor::finish()
{
    state_->stream.avail_in = 0;
    state_->run(Z_FINISH);
    return std::move(state_->out);
}

std::optional<std::string> decompress(std::string_view compressed)
{
    z_stream s{};
    if (inflateInit(&s) != Z_OK)
        return std::nullopt;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    s.avail_in = static_cast<uInt>(compressed.size());
    std::string out;
    char chunk[1 << 16];
    int status = Z_OK;
    while (status == Z_OK) {
        s.next_out = reinterpret_cast<Bytef*>(chunk);
        s.avail_out = sizeof chunk;
        status = inflate(&s, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - s.avail_out);
        if (status == Z_BUF_ERROR && s.avail_in == 0)
            break; // the stream ended before its end mark
    }
    const bool whole = status == Z_STREAM_END && s.avail_in == 0;
    inflateEnd(&s);
    return whole ? std::optional<std::string>(std::move(out)) : std::nullopt;
}

std::optional<std::string> sha256OfFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    Sha256 hash;
    std::vector<char> buffer(1 << 18);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        hash.update(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return hash.hex();
}

} // namespace velmora
