#include "support/png_writer.h"

#include <windows.h>

#include <array>

#include "support/temp_folder.h"
#include "win/platform/text.h"

namespace tav::test {

namespace {

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t crc32(const std::string& bytes, std::size_t from) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i)
        c = crcTable()[(c ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putBig32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void chunk(std::string& out, const char* type, const std::string& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data);
    putBig32(out, crc32(out, start));
}

std::string zlibStored(const std::string& raw) {
    std::string z = "\x78\x01";
    constexpr std::size_t maxBlock = 65535;
    std::size_t pos = 0;
    do {
        const std::size_t length = std::min(maxBlock, raw.size() - pos);
        const bool last = pos + length == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<char>(length & 0xFF));
        z.push_back(static_cast<char>(length >> 8));
        z.push_back(static_cast<char>(~length & 0xFF));
        z.push_back(static_cast<char>((~length >> 8) & 0xFF));
        z.append(raw, pos, length);
        pos += length;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<std::uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(z, (b << 16) | a);
    return z;
}

} // namespace

std::string encodePng(int width, int height, const std::uint32_t* pixels) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBig32(header, static_cast<std::uint32_t>(width));
    putBig32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace
    chunk(png, "IHDR", header);

    std::string raw;
    raw.reserve(std::size_t(height) * (1 + 3 * std::size_t(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * width + x];
            raw.push_back(static_cast<char>((p >> 16) & 0xFF));
            raw.push_back(static_cast<char>((p >> 8) & 0xFF));
            raw.push_back(static_cast<char>(p & 0xFF));
        }
    }
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", {});
    return png;
}

bool writePng(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    return writeBytes(FilePath::fromText(path), encodePng(width, height, pixels));
}

std::string pictureFolder(const std::string& name) {
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring folder(module, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    for (const std::wstring& part : {std::wstring(L"pictures"), win::widen(name)}) {
        folder += part;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
        folder += L'\\';
    }
    return win::narrow(folder);
}

} // namespace tav::test
