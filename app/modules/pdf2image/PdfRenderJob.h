#pragma once
// The records one PDF-to-images render works with: the job the mission owns
// (stop flag and callbacks), the options of one render, and one rendered page.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

struct PdfRenderJob {
    // Written by the user-interface thread, read between pages on the worker.
    std::atomic<bool> stop{false};
    std::function<void(double percent)> onProgress;
    std::function<void(int code, const std::wstring& message, const std::wstring& detail)> onFailure;
    std::wstring spare1;
    std::wstring spare2;
};

struct PdfRenderOptions {
    std::wstring path;
    std::wstring extension;     // "jpg", "png" or "bmp"
    std::wstring outputFolder;  // ends with "\"
    std::wstring title;         // base name of a long picture
    int resolution = 192;       // dots per inch, also stored in the images
    bool longPicture = false;
    bool horizontal = false;
    int pagesPerPicture = 0;    // long picture only; 0 puts every page into one picture
    std::wstring rangeText;
};

// 32-bit ARGB pixels as poppler delivered them: the page keeps poppler's own
// image alive instead of copying it, which would cost ~10 ms a page under Wine.
// Read only: poppler's image would copy itself on a write.
struct PdfPageImage {
    int width = 0;
    int height = 0;
    int bytesPerRow = 0;
    const unsigned char* pixels = nullptr;  // bytesPerRow * height bytes, owned by `owner`
    std::shared_ptr<const void> owner;
};
