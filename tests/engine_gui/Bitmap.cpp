// Screenshot files and back-buffer rows as pixels.
#include "Bitmap.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace
{

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

const size_t kHeaderBytes = 54;

} // namespace

bool Bitmap::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.size() < kHeaderBytes || file[0] != 'B' || file[1] != 'M')
        return false;
    width = static_cast<int>(U32(file, 18));
    height = static_cast<int>(U32(file, 22));
    rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    return file.size() == kHeaderBytes + rowBytes * height;
}

Rgb Bitmap::At(int x, int y) const
{
    const uint8_t* p = file.data() + kHeaderBytes + rowBytes * (height - 1 - y) + x * 3;
    return Rgb{p[2], p[1], p[0]};
}

Rgb PixelAt(const std::vector<uint8_t>& rows, int width, int height, int x, int y)
{
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const uint8_t* p = rows.data() + rowBytes * (height - 1 - y) + x * 3;
    return Rgb{p[2], p[1], p[0]};
}

Rgb FromArgb(uint32_t argb)
{
    return Rgb{static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
               static_cast<int>(argb & 0xFF)};
}

::testing::AssertionResult Near(const Rgb& expected, const Rgb& actual, int tolerance)
{
    if (std::abs(expected.r - actual.r) <= tolerance && std::abs(expected.g - actual.g) <= tolerance &&
        std::abs(expected.b - actual.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.r << ", " << expected.g << ", " << expected.b
                                         << "), came (" << actual.r << ", " << actual.g << ", " << actual.b << ")";
}
