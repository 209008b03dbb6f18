// Image sizes read from file headers: each known format, and what is not an
// image the wizard can show.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/image.h"

TEST(ImageSize, IsReadFromTheHeaderOfEachKnownFormat) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kv2gxb-image-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\x2C\0\0\0\x78", 24);  // 300 x 120
    std::string bmp(54, '\0');
    bmp.replace(0, 2, "BM").replace(18, 8, std::string("\x05\0\0\0\xFC\xFF\xFF\xFF", 8));  // 5 x -4: top-down
    // A JPEG whose frame header follows an APP0 block.
    const std::string jpeg("\xFF\xD8\xFF\xE0\0\x04JF\xFF\xC0\0\x0B\x08\0\x09\0\x0C\x01\x01\x11\0", 21);
    const struct {
        std::string name, bytes;
        CSize size;  // (0, 0): not an image
    } rows[] = {{"a.png", png, {300, 120}},
                {"b.gif", std::string("GIF89a\x07\0\x03\0", 10), {7, 3}},
                {"c.bmp", bmp, {5, 4}},
                {"d.jpg", jpeg, {12, 9}},
                {"zero.png", std::string(png).replace(16, 4, std::string(4, '\0')), {0, 0}},
                {"short.png", png.substr(0, 20), {0, 0}},
                {"text.png", "hello\n", {0, 0}},
                {"frameless.jpg", std::string("\xFF\xD8\xFF\xE0\0\x04JF\xFF\xD9\0\0\0\0\0", 15), {0, 0}}};
    for (const auto& row : rows) {
        std::ofstream((dir / row.name).string(), std::ios::binary) << row.bytes;
        CSize size(0, 0);
        EXPECT_EQ(bwizc_read_image_size((dir / row.name).string().c_str(), &size), row.size != CSize(0, 0)) << row.name;
        EXPECT_EQ(size, row.size) << row.name;
    }
    // Neither a folder nor a missing file is an image.
    EXPECT_FALSE(bwizc_read_image_size(dir.string().c_str(), nullptr));
    EXPECT_FALSE(bwizc_read_image_size((dir / "missing.png").string().c_str(), nullptr));
    std::filesystem::remove_all(dir);
}
