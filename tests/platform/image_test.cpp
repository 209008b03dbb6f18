// Image sizes read from file headers: each known format, and what is not an
// image the wizard can show.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/image.h"

namespace {
using BYTES = std::vector<unsigned char>;

BYTES png(unsigned w, unsigned h) {
    BYTES b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (unsigned v : {w, h})
        for (int shift : {24, 16, 8, 0}) b.push_back(static_cast<unsigned char>(v >> shift));
    return b;
}
}  // namespace

TEST(ImageSize, IsReadFromTheHeaderOfEachKnownFormat) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kv2gxb-image-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    BYTES bmp(54, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[18] = 5, bmp[22] = 0xFC, bmp[23] = bmp[24] = bmp[25] = 0xFF;  // 5 x -4: top-down
    // A JPEG whose frame header follows an APP0 block.
    const BYTES jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xC0, 0, 11, 8, 0, 9, 0, 12, 1, 1, 0x11, 0};
    BYTES cut = png(1, 1);
    cut.resize(20);
    struct ROW {
        const char* name;
        BYTES bytes;
        bool image;
        CSize size;
    };
    const ROW rows[] = {
        {"a.png", png(300, 120), true, {300, 120}},
        {"b.gif", {'G', 'I', 'F', '8', '9', 'a', 7, 0, 3, 0}, true, {7, 3}},
        {"c.bmp", bmp, true, {5, 4}},
        {"d.jpg", jpeg, true, {12, 9}},
        {"zero.png", png(0, 10), false, {}},
        {"short.png", cut, false, {}},
        {"text.png", {'h', 'e', 'l', 'l', 'o', '\n'}, false, {}},
        {"jpeg_without_frame.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xD9, 0, 0, 0, 0, 0}, false, {}},
    };
    for (const ROW& row : rows) {
        const std::string path = (dir / row.name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(row.bytes.data()),
                                                    static_cast<std::streamsize>(row.bytes.size()));
        CSize size(-1, -1);
        EXPECT_EQ(bwizc_read_image_size(path.c_str(), &size), row.image) << row.name;
        if (row.image) {
            EXPECT_EQ(size, row.size) << row.name;
        }
    }
    // Neither a folder nor a missing file is an image.
    EXPECT_FALSE(bwizc_read_image_size(dir.string().c_str(), nullptr));
    EXPECT_FALSE(bwizc_read_image_size((dir / "missing.png").string().c_str(), nullptr));
    EXPECT_FALSE(bwizc_read_image_size("", nullptr));
    std::filesystem::remove_all(dir);
}
