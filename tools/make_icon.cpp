// Turns the icon's text pixel map into the .ico file the program's resources include:
//   make_icon alarm_clock.txt alarm_clock.ico
// One 32 x 32 image, 16 colours (the standard VGA palette), with a transparency mask.
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;

struct PaletteEntry {
    char symbol;
    int index;
};
// '.' is transparent: colour 0 under a set mask bit.
constexpr std::array<PaletteEntry, 5> kSymbols{{{'.', 0}, {'K', 0}, {'O', 3}, {'R', 9}, {'W', 15}}};
constexpr std::array<std::uint32_t, 16> kVgaPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_icon PIXELMAP.txt OUT.ico\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') rows.push_back(line);
    if (rows.size() != kSize) {
        std::cerr << argv[1] << ": expected " << kSize << " rows, found " << rows.size() << "\n";
        return 1;
    }

    std::vector<std::uint8_t> colours, mask;  // bottom-up rows, as bitmaps are stored
    for (int y = kSize - 1; y >= 0; --y) {
        const std::string& row = rows[static_cast<std::size_t>(y)];
        if (row.size() != kSize) {
            std::cerr << argv[1] << ": row " << y + 1 << " is not " << kSize << " wide\n";
            return 1;
        }
        std::uint32_t maskBits = 0;
        for (int x = 0; x < kSize; x += 2) {
            int pair[2];
            for (int k = 0; k < 2; ++k) {
                const char c = row[static_cast<std::size_t>(x + k)];
                pair[k] = -1;
                for (const PaletteEntry& e : kSymbols)
                    if (e.symbol == c) pair[k] = e.index;
                if (pair[k] < 0) {
                    std::cerr << argv[1] << ": unknown pixel '" << c << "' in row " << y + 1
                              << "\n";
                    return 1;
                }
                if (c == '.') maskBits |= 0x80000000u >> (x + k);
            }
            colours.push_back(static_cast<std::uint8_t>(pair[0] << 4 | pair[1]));
        }
        for (int shift = 24; shift >= 0; shift -= 8)
            mask.push_back(static_cast<std::uint8_t>(maskBits >> shift));
    }

    std::vector<std::uint8_t> image;
    put(image, 40, 4);         // BITMAPINFOHEADER
    put(image, kSize, 4);      // width
    put(image, 2 * kSize, 4);  // height: colours and mask together
    put(image, 1, 2);          // planes
    put(image, 4, 2);          // bits per pixel
    put(image, 0, 4);          // BI_RGB
    put(image, static_cast<std::uint32_t>(colours.size() + mask.size()), 4);
    put(image, 0, 4);
    put(image, 0, 4);
    put(image, 16, 4);  // colours used
    put(image, 0, 4);
    for (std::uint32_t rgb : kVgaPalette) put(image, rgb, 3), image.push_back(0);  // B, G, R order
    image.insert(image.end(), colours.begin(), colours.end());
    image.insert(image.end(), mask.begin(), mask.end());

    std::vector<std::uint8_t> ico;
    put(ico, 0, 2);  // reserved
    put(ico, 1, 2);  // icon
    put(ico, 1, 2);  // one image
    ico.push_back(kSize);
    ico.push_back(kSize);
    ico.push_back(16);  // colours
    ico.push_back(0);
    put(ico, 1, 2);  // planes
    put(ico, 4, 2);  // bits per pixel
    put(ico, static_cast<std::uint32_t>(image.size()), 4);
    put(ico, 6 + 16, 4);  // offset of the image
    ico.insert(ico.end(), image.begin(), image.end());

    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    return out ? 0 : 1;
}
