#include "image_truncation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void append(Bytes& out, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        out.push_back(std::uint8_t(b));
}

void appendLe32(Bytes& out, std::uint32_t v)
{
    append(out, {int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)});
}

// The walk looks at structure only, so the segments need not decode.
Bytes jpeg(bool trailer)
{
    Bytes b;
    append(b, {0xFF, 0xD8});
    append(b, {0xFF, 0xE0, 0x00, 0x06, 'J', 'F', 'I', 'F'});               // APP0
    append(b, {0xFF, 0xFF, 0xC0, 0x00, 0x05, 0x08, 0x00, 0x10});           // SOF0 after a fill byte
    append(b, {0xFF, 0xDA, 0x00, 0x04, 0x01, 0x00});                       // SOS
    append(b, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56});                 // coded data, a restart
    append(b, {0xFF, 0xFF, 0xDA, 0x00, 0x03, 0x02, 0x9A, 0xBC});           // a second scan
    append(b, {0xFF, 0xD9});
    if (trailer) // as phones append a video after the picture
        append(b, {0x00, 0x00, 0x00, 0x18, 'f', 't', 'y', 'p', 0xFF});
    return b;
}

// One 1 x 1 picture with a graphic control extension before it.
Bytes gif(bool trailer)
{
    Bytes b{'G', 'I', 'F', '8', '9', 'a'};
    append(b, {0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00});         // screen, 2-colour table
    append(b, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00});
    append(b, {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00});   // extension
    append(b, {0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00}); // picture
    append(b, {0x02, 0x02, 0x44, 0x01, 0x00});                     // code size, data
    if (trailer)
        append(b, {0x3B});
    return b;
}

// A BMP of `width` x `height` (negative: rows top-down) at `bits` per pixel,
// with `compression` 1 (run lengths) saying `dataSize` bytes of data.
Bytes bmp(int width, int height, int bits, int compression = 0, std::uint32_t dataSize = 0)
{
    const std::uint32_t row = std::uint32_t((width * bits + 31) / 32 * 4);
    const std::uint32_t data = compression ? dataSize : row * std::uint32_t(height < 0 ? -height : height);
    Bytes b{'B', 'M'};
    appendLe32(b, 54 + data);
    appendLe32(b, 0);
    appendLe32(b, 54);
    appendLe32(b, 40);
    appendLe32(b, std::uint32_t(width));
    appendLe32(b, std::uint32_t(height));
    append(b, {1, 0, bits, 0});
    appendLe32(b, std::uint32_t(compression));
    appendLe32(b, dataSize);
    for (int i = 0; i < 16; ++i)
        b.push_back(0);
    b.resize(54 + data, 0x5A);
    return b;
}

Bytes os2Bmp()
{
    Bytes b{'B', 'M'};
    appendLe32(b, 26 + 8);
    appendLe32(b, 0);
    appendLe32(b, 26);
    appendLe32(b, 12);
    append(b, {2, 0, 2, 0, 1, 0, 8, 0}); // 2 x 2 at 8 bits: rows of 4 bytes
    b.resize(26 + 8, 0x11);
    return b;
}

struct Sample {
    std::string name;
    Bytes bytes;
    std::size_t complete; // the shortest prefix that is whole
    std::size_t judged;   // shorter prefixes are left to the reader
};

} // namespace

// Every prefix of a sample from the point where its kind is known is
// truncated until the picture is whole, and never after.
TEST(ImageTruncation, CutAnywhereBeforeTheEndIsTruncatedAndNothingAfter)
{
    const Bytes jpegTail = jpeg(true);
    const Bytes gifTail = gif(true);
    const std::vector<Sample> samples = {
        {"jpeg", jpeg(false), jpeg(false).size(), 3},
        {"jpeg with data after its end", jpegTail, jpeg(false).size(), 3},
        {"gif", gifTail, gif(false).size(), 6},
        {"bmp 24-bit", bmp(3, 2, 24), 54 + 2 * 12, 26},
        {"bmp top-down 1-bit", bmp(9, -3, 1), 54 + 3 * 4, 26},
        {"bmp run lengths", bmp(4, 4, 8, 1, 10), 54 + 10, 26},
        {"bmp OS/2", os2Bmp(), 26 + 8, 26},
    };
    for (const Sample& s : samples) {
        for (std::size_t n = 0; n <= s.bytes.size(); ++n) {
            const bool truncated = isTruncatedImage(std::span(s.bytes.data(), n));
            EXPECT_EQ(truncated, n >= s.judged && n < s.complete) << s.name << ", first " << n << " bytes";
        }
    }
}

TEST(ImageTruncation, OtherKindsAndDamagedStructuresAreLeftToTheReader)
{
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"jpeg, segment length 1", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0x00}},
        {"jpeg, no marker where one belongs", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x42, 0x42}},
        {"gif, unknown block", {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x99}},
        {"bmp, unknown header size", [] { Bytes b = bmp(2, 2, 24); b[14] = 20; return b; }()},
        {"bmp, zero width", bmp(0, 2, 24)},
        {"bmp OS/2, zero width", [] { Bytes b = os2Bmp(); b[18] = 0; b.resize(26); return b; }()},
        {"bmp, 200 bits per pixel", [] { Bytes b = bmp(2, 2, 24); b[28] = 200; return b; }()},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(isTruncatedImage(bytes)) << name;
    // A header promising more than any file holds does not overflow.
    Bytes huge = bmp(1, 1, 32);
    huge[18] = huge[19] = huge[20] = 0xFF, huge[21] = 0x7F; // width 2^31 - 1
    huge[22] = huge[23] = huge[24] = 0xFF, huge[25] = 0x7F; // height 2^31 - 1
    EXPECT_TRUE(isTruncatedImage(huge));
}
