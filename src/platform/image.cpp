#include "platform/image.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::uint32_t be16(const unsigned char* p) { return (std::uint32_t{p[0]} << 8) | p[1]; }
std::uint32_t be32(const unsigned char* p) { return (be16(p) << 16) | be16(p + 2); }
std::uint32_t le16(const unsigned char* p) { return (std::uint32_t{p[1]} << 8) | p[0]; }
std::int32_t le32(const unsigned char* p) {
    return static_cast<std::int32_t>((le16(p + 2) << 16) | le16(p));
}

// JPEG: the frame header (a SOFn marker) holds height and width.
bool jpeg_size(const std::vector<unsigned char>& d, CSize* size) {
    size_t i = 2;
    while (i + 9 < d.size()) {
        if (d[i] != 0xFF) return false;
        const unsigned char marker = d[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        const size_t length = be16(&d[i + 2]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            size->cy = static_cast<int>(be16(&d[i + 5]));
            size->cx = static_cast<int>(be16(&d[i + 7]));
            return true;
        }
        if (length < 2) return false;
        i += 2 + length;
    }
    return false;
}

}  // namespace

bool bwizc_read_image_size(const CString& path, CSize* size) {
    struct stat st {};
    if (path.IsEmpty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return false;
    // A JPEG's frame header may follow large metadata blocks.
    std::vector<unsigned char> d(256 * 1024);
    d.resize(std::fread(d.data(), 1, d.size(), f.get()));
    CSize found(0, 0);
    static const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool known = false;
    if (d.size() >= 24 && std::memcmp(d.data(), png, sizeof png) == 0 && std::memcmp(&d[12], "IHDR", 4) == 0) {
        found = CSize(static_cast<int>(be32(&d[16])), static_cast<int>(be32(&d[20])));
        known = true;
    } else if (d.size() >= 10 && (std::memcmp(d.data(), "GIF87a", 6) == 0 || std::memcmp(d.data(), "GIF89a", 6) == 0)) {
        found = CSize(static_cast<int>(le16(&d[6])), static_cast<int>(le16(&d[8])));
        known = true;
    } else if (d.size() >= 26 && d[0] == 'B' && d[1] == 'M') {
        const std::int32_t h = le32(&d[22]);
        found = CSize(le32(&d[18]), h < 0 ? -h : h);
        known = true;
    } else if (d.size() >= 4 && d[0] == 0xFF && d[1] == 0xD8) {
        known = jpeg_size(d, &found);
    }
    if (!known || found.cx <= 0 || found.cy <= 0 || found.cx > 65535 || found.cy > 65535) return false;
    if (size) *size = found;
    return true;
}
