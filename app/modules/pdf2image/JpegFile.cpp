#include "app/modules/pdf2image/JpegFile.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "xml/SFile.h"

namespace {

// windows.h cannot come in here: its `boolean` clashes with libjpeg's.
constexpr unsigned long kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr unsigned long kWriteFault = 29;        // ERROR_WRITE_FAULT

// libjpeg's own error exit ends the process; jump back instead.
struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnJpegError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->escape, 1);
}

void SetUpCompression(jpeg_compress_struct& cinfo, int width, int height, int dpi)
{
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&cinfo);
    cinfo.write_JFIF_header = TRUE;
    cinfo.density_unit = 1;  // dots per inch
    UINT16 density = static_cast<UINT16>(dpi < 1 ? 1 : dpi > 65535 ? 65535 : dpi);
    cinfo.X_density = density;
    cinfo.Y_density = density;
}

// Kept free of C++ objects with destructors: a libjpeg error leaves through longjmp.
bool Compress(FILE* file, const unsigned char* pixels, int width, int height, int stride, int dpi)
{
    jpeg_compress_struct cinfo;
    JpegErrors errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &OnJpegError;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    SetUpCompression(cinfo, width, height, dpi);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + static_cast<size_t>(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

CallStatus WriteJpegFile(const std::wstring& path, const unsigned char* pixels, int width, int height, int stride,
                         int dpi)
{
    // libjpeg stores each side in 16 bits and refuses more than 65500.
    if (!pixels || width < 1 || height < 1 || width > 65500 || height > 65500 || stride < width * 4)
        return CallStatus(L"WriteJpegFile", kInvalidParameter, path);
    DUI::SFilePtr file = DUI::OpenFile(path.c_str(), L"wb");
    if (!file)
        return CallStatus::LastError(L"_wfopen", path);
    if (!Compress(file.get(), pixels, width, height, stride, dpi))
        return CallStatus(L"jpeg_write_scanlines", kWriteFault, path);
    if (std::ferror(file.get()) != 0 || std::fclose(file.release()) != 0)
        return CallStatus::LastError(L"fwrite", path);
    return CallStatus();
}
