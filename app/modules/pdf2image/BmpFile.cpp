#include "app/modules/pdf2image/BmpFile.h"

#include <winsock2.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "xml/SFile.h"

namespace {

struct Headers {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
};

Headers MakeHeaders(int width, int height, long long rowBytes, int dpi)
{
    Headers h;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    h.info.biSize = sizeof(BITMAPINFOHEADER);
    h.info.biWidth = width;
    h.info.biHeight = height;  // positive: rows stored from the bottom up
    h.info.biPlanes = 1;
    h.info.biBitCount = 24;
    h.info.biCompression = BI_RGB;
    h.info.biSizeImage = static_cast<DWORD>(rowBytes * height);
    LONG perMetre = static_cast<LONG>(std::lround(dpi / 0.0254));
    h.info.biXPelsPerMeter = perMetre;
    h.info.biYPelsPerMeter = perMetre;
    h.file.bfType = 0x4D42;  // "BM"
    h.file.bfOffBits = offset;
    h.file.bfSize = offset + h.info.biSizeImage;
    return h;
}

void ToBgrRow(const unsigned char* in, int width, unsigned char* out)
{
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    }
}

}  // namespace

CallStatus WriteBmpFile(const std::wstring& path, const unsigned char* pixels, int width, int height, int stride,
                        int dpi)
{
    const long long rowBytes = (width * 3LL + 3) & ~3LL;  // rows padded to 4 bytes
    // The file's sizes are 32-bit.
    if (!pixels || width < 1 || height < 1 || stride < width * 4LL || rowBytes * height + 54 > 0xFFFFFFFFLL)
        return CallStatus(L"WriteBmpFile", ERROR_INVALID_PARAMETER, path);
    DUI::SFilePtr file = DUI::OpenFile(path.c_str(), L"wb");
    if (!file)
        return CallStatus::LastError(L"_wfopen", path);
    std::setvbuf(file.get(), nullptr, _IOFBF, 1 << 20);
    Headers h = MakeHeaders(width, height, rowBytes, dpi);
    bool ok = std::fwrite(&h.file, sizeof h.file, 1, file.get()) == 1 && std::fwrite(&h.info, sizeof h.info, 1, file.get()) == 1;
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
    for (int y = height - 1; ok && y >= 0; --y) {
        ToBgrRow(pixels + static_cast<size_t>(y) * stride, width, row.data());
        ok = std::fwrite(row.data(), 1, row.size(), file.get()) == row.size();
    }
    if (!ok || std::fclose(file.release()) != 0)
        return CallStatus::LastError(L"fwrite", path);
    return CallStatus();
}
