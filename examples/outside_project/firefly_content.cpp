#include "firefly_content.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <string_view>
#include <system_error>

namespace FireflyCave
{
namespace
{

// Every file is built in a std::string, the bytes of an image or a sound as well as JSON text.

constexpr std::string_view kSpriteSheetJson = R"({
    "texture": "firefly_sheet.png",
    "sprite_width": 32,
    "sprite_height": 32,
    "sprites": [
        { "name": "firefly", "x": 0, "y": 0 },
        { "name": "lantern", "x": 32, "y": 0 }
    ]
}
)";

// The catch sound plays at a lower volume and at a pitch drawn anew for every catch.
constexpr std::string_view kAudioEventJson = R"({
    "audio_events": [
        { "name": "caught", "file": "caught.wav", "volume": 0.6, "min_pitch": 0.85, "max_pitch": 1.3 }
    ]
}
)";

// [SECTION] The sprite sheet's image: two 32 x 32 sprites side by side

constexpr int kSpriteSide = 32;
constexpr int kImageWidth = 2 * kSpriteSide;
constexpr int kImageHeight = kSpriteSide;

// A round sprite: its colour runs from the centre's to the rim's, and it is opaque out to hardness
// (a share of the radius), then fades out by the rim.
struct Glow
{
    std::array<double, 3> centre; // red, green, blue from 0 to 255
    std::array<double, 3> rim;
    double radius; // pixels
    double hardness;
};

constexpr std::array<Glow, 2> kSprites{{
    {{235.0, 255.0, 150.0}, {150.0, 220.0, 40.0}, 12.0, 0.0},  // firefly: a soft yellow-green glow
    {{255.0, 245.0, 190.0}, {210.0, 110.0, 30.0}, 14.0, 0.85}, // lantern: a warm, nearly solid disc
}};

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int byteCount)
{
    for (int byte = 0; byte < byteCount; ++byte)
    {
        bytes.push_back(static_cast<char>((value >> (8 * byte)) & 0xFFu));
    }
}

void AppendBigEndian32(std::string& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

// Rows of red, green, blue, alpha bytes, each row led by PNG's "no filter" byte.
std::string DrawSpriteRows()
{
    std::string rows;
    for (int y = 0; y < kImageHeight; ++y)
    {
        rows.push_back('\0');
        for (int x = 0; x < kImageWidth; ++x)
        {
            const Glow& glow = kSprites[static_cast<std::size_t>(x / kSpriteSide)];
            const double half = kSpriteSide / 2.0;
            const double distance = std::hypot(x % kSpriteSide + 0.5 - half, y + 0.5 - half);
            const double t = std::min(1.0, distance / glow.radius);
            for (std::size_t channel = 0; channel < 3; ++channel)
            {
                rows.push_back(
                    static_cast<char>(glow.centre[channel] + (glow.rim[channel] - glow.centre[channel]) * t));
            }
            const double alpha = std::clamp((1.0 - t) / (1.0 - glow.hardness), 0.0, 1.0);
            rows.push_back(static_cast<char>(alpha * 255.0));
        }
    }
    return rows;
}

// PNG closes every chunk with the CRC-32 of its type and data.
std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
    {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit)
        {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void AppendChunk(std::string& png, std::string_view type, const std::string& data)
{
    AppendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typeAndData = std::string(type) + data;
    png += typeAndData;
    AppendBigEndian32(png, Crc32(typeAndData));
}

// An 8-bit RGBA PNG whose pixels are stored rather than compressed: a zlib stream holding a single
// stored deflate block (at most 65,535 bytes, which the image fits), then the Adler-32 of the rows.
std::string EncodeSpriteImage()
{
    const std::string rows = DrawSpriteRows();
    static_assert((1 + kImageWidth * 4) * kImageHeight <= 0xFFFF, "the rows must fit one stored block");

    std::string header;
    AppendBigEndian32(header, kImageWidth);
    AppendBigEndian32(header, kImageHeight);
    header += std::string_view("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace

    std::string zlib = "\x78\x01\x01"; // zlib header, then a final stored block
    const auto length = static_cast<std::uint32_t>(rows.size());
    AppendLittleEndian(zlib, length, 2);
    AppendLittleEndian(zlib, ~length, 2);
    zlib += rows;
    std::uint32_t sum = 1;
    std::uint32_t sumOfSums = 0;
    for (const char byte : rows)
    {
        sum = (sum + static_cast<unsigned char>(byte)) % 65521u;
        sumOfSums = (sumOfSums + sum) % 65521u;
    }
    AppendBigEndian32(zlib, (sumOfSums << 16) | sum);

    std::string png = "\x89PNG\r\n\x1A\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", zlib);
    AppendChunk(png, "IEND", std::string());
    return png;
}

// [SECTION] The catch sound: a short rising chirp, mono 16-bit PCM WAV

std::string EncodeChirp()
{
    constexpr std::uint32_t kFrequency = 22050;
    constexpr std::uint32_t kSampleCount = kFrequency * 16 / 100; // 0.16 s
    std::string samples;
    double phase = 0.0;
    for (std::uint32_t index = 0; index < kSampleCount; ++index)
    {
        const double seconds = static_cast<double>(index) / kFrequency;
        phase += 2.0 * std::numbers::pi * (1500.0 + 7000.0 * seconds) / kFrequency;
        // A 5 ms attack keeps the start from clicking; then the chirp dies away.
        const double envelope = std::min(1.0, seconds / 0.005) * std::exp(-seconds / 0.05);
        const auto sample = static_cast<std::int16_t>(16000.0 * envelope * std::sin(phase));
        AppendLittleEndian(samples, static_cast<std::uint16_t>(sample), 2);
    }

    std::string wav = "RIFF";
    AppendLittleEndian(wav, 36 + static_cast<std::uint32_t>(samples.size()), 4);
    wav += "WAVEfmt ";
    AppendLittleEndian(wav, 16, 4); // format chunk size
    AppendLittleEndian(wav, 1, 2);  // PCM
    AppendLittleEndian(wav, 1, 2);  // one channel
    AppendLittleEndian(wav, kFrequency, 4);
    AppendLittleEndian(wav, kFrequency * 2, 4); // bytes per second
    AppendLittleEndian(wav, 2, 2);              // bytes per sample
    AppendLittleEndian(wav, 16, 2);             // bits per sample
    wav += "data";
    AppendLittleEndian(wav, static_cast<std::uint32_t>(samples.size()), 4);
    return wav + samples;
}

bool WriteFile(const std::filesystem::path& path, std::string_view contents)
{
    std::ofstream file(path, std::ios::binary);
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    kf_error_if(file.fail(), "kfError: Could not write the content file \"%s\".", path.c_str());
    return !file.fail();
}

} // namespace

bool WriteContent(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    kf_error_if(static_cast<bool>(error), "kfError: Could not make the content folder \"%s\": %s",
                folder.c_str(), error.message().c_str());
    return !error && WriteFile(folder / kSpriteSheetFile, kSpriteSheetJson) &&
           WriteFile(folder / "firefly_sheet.png", EncodeSpriteImage()) &&
           WriteFile(folder / kAudioEventFile, kAudioEventJson) &&
           WriteFile(folder / "caught.wav", EncodeChirp());
}

} // namespace FireflyCave
