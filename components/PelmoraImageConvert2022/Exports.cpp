// The library's three entry points.
#include "components/PelmoraImageConvert2022/ImageConverter.h"

#include <mutex>
#include <new>
#include <string>

namespace {

std::mutex g_initLock;
std::string g_cacheFolder;

}  // namespace

PELMORA_IMAGE_API IImageConverter* CrceateImgConvert()
{
    return new (std::nothrow) pelmora::ImageConverter();
}

PELMORA_IMAGE_API void ReleaseImgConvert(IImageConverter* converter)
{
    delete static_cast<pelmora::ImageConverter*>(converter);
}

PELMORA_IMAGE_API bool OnInitMagick(const char* programPath, const char* cacheFolder, int flags)
{
    std::lock_guard<std::mutex> lock(g_initLock);
    g_cacheFolder = cacheFolder ? cacheFolder : "";
    return true;
}
