#include "app/modules/imagecompress/ImageEngine.h"

namespace {

class LibraryEngine : public IImageEngine {
public:
    IImageConverter* CreateConverter() override { return CrceateImgConvert(); }
    void ReleaseConverter(IImageConverter* converter) override { ReleaseImgConvert(converter); }
};

} // namespace

IImageEngine& LibraryImageEngine()
{
    static LibraryEngine engine;
    return engine;
}
