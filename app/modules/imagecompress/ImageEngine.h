#pragma once
// Where the tasks get their converters: the image library by default. Each
// converter is released exactly once, whatever the outcome of its work.
#include "components/PelmoraImageConvert2022/PelmoraImageConvert2022.h"

class IImageEngine {
public:
    virtual ~IImageEngine() = default;
    virtual IImageConverter* CreateConverter() = 0;
    virtual void ReleaseConverter(IImageConverter* converter) = 0;
};

// The library's CrceateImgConvert and ReleaseImgConvert.
IImageEngine& LibraryImageEngine();

class ScopedImageConverter {
public:
    explicit ScopedImageConverter(IImageEngine& engine) : m_engine(engine), m_converter(engine.CreateConverter()) {}
    ~ScopedImageConverter() { Release(); }
    ScopedImageConverter(const ScopedImageConverter&) = delete;
    ScopedImageConverter& operator=(const ScopedImageConverter&) = delete;

    IImageConverter* operator->() const { return m_converter; }
    explicit operator bool() const { return m_converter != nullptr; }
    void Release()
    {
        if (m_converter) m_engine.ReleaseConverter(m_converter);
        m_converter = nullptr;
    }

private:
    IImageEngine& m_engine;
    IImageConverter* m_converter;
};
