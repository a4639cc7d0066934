#include "app/modules/imagecompress/ImageFileStore.h"

#include <utility>

#include "app/core/FileNames.h"

namespace {

using Lock = std::lock_guard<std::mutex>;

int64_t StoreOutputSize(ImageFileItem& item, int64_t size)
{
    const int64_t old = item.outputSize;
    item.outputSize = size;
    item.outputSizeText = FormatFileSize(static_cast<uint64_t>(size));
    return old;
}

} // namespace

ImageFileItem* ImageFileStore::FindLocked(const DUI::SStringW& path)
{
    const std::ptrdiff_t pos = items.PositionOf(path);
    return pos < 0 ? nullptr : &items.ValueAt(static_cast<size_t>(pos));
}

ImageFileItem* ImageFileStore::AtLocked(int pos)
{
    if (pos < 0 || static_cast<size_t>(pos) >= items.Size()) return nullptr;
    return &items.ValueAt(static_cast<size_t>(pos));
}

int ImageFileStore::Count()
{
    Lock lock(storeMutex);
    return static_cast<int>(items.Size());
}

int ImageFileStore::IndexOf(const DUI::SStringW& path)
{
    Lock lock(storeMutex);
    return static_cast<int>(items.PositionOf(path));
}

void ImageFileStore::Put(const ImageFileItem& item)
{
    Lock lock(storeMutex);
    items.Set(item.path, item);
}

ImageFileItem ImageFileStore::GetAt(int pos)
{
    Lock lock(storeMutex);
    const ImageFileItem* item = AtLocked(pos);
    return item ? *item : ImageFileItem();
}

ImageFileItem ImageFileStore::Get(const DUI::SStringW& path)
{
    Lock lock(storeMutex);
    const ImageFileItem* item = FindLocked(path);
    return item ? *item : ImageFileItem();
}

int ImageFileStore::RemoveAt(int pos)
{
    Lock lock(storeMutex);
    if (pos >= 0) items.EraseAt(static_cast<size_t>(pos));
    return 1;
}

void ImageFileStore::RemoveAll()
{
    Lock lock(storeMutex);
    items.Clear();
}

int ImageFileStore::TakeProgress(const DUI::SStringW& path)
{
    Lock lock(storeMutex);
    ImageFileItem* item = FindLocked(path);
    return item ? item->progressValue->exchange(0) : 0;
}

int ImageFileStore::TakeProgressAt(int pos)
{
    Lock lock(storeMutex);
    ImageFileItem* item = AtLocked(pos);
    return item ? item->progressValue->exchange(0) : 0;
}

int ImageFileStore::SwapStateByKey(const DUI::SStringW& path, int state)
{
    Lock lock(storeMutex);
    ImageFileItem* item = FindLocked(path);
    return item ? std::exchange(item->runState, state) : -2;
}

int ImageFileStore::SwapState(int pos, int state)
{
    Lock lock(storeMutex);
    ImageFileItem* item = AtLocked(pos);
    return item ? std::exchange(item->runState, state) : -2;
}

void ImageFileStore::SetResult(const DUI::SStringW& path, int value)
{
    Lock lock(storeMutex);
    if (ImageFileItem* item = FindLocked(path)) item->resultState = value;
}

void ImageFileStore::ResetResultAt(int pos)
{
    Lock lock(storeMutex);
    if (ImageFileItem* item = AtLocked(pos)) item->resultState = IMG_RESULT_CONVERTING;
}

void ImageFileStore::SetError(const DUI::SStringW& path, int code, const std::wstring& text)
{
    Lock lock(storeMutex);
    if (ImageFileItem* item = FindLocked(path)) {
        item->errorCode = code;
        item->errorMessage = text;
    }
}

int64_t ImageFileStore::SetOutputSize(const DUI::SStringW& path, int64_t size)
{
    Lock lock(storeMutex);
    ImageFileItem* item = FindLocked(path);
    return item ? StoreOutputSize(*item, size) : -1;
}

int64_t ImageFileStore::ResetOutputSizeAt(int pos)
{
    Lock lock(storeMutex);
    ImageFileItem* item = AtLocked(pos);
    return item ? StoreOutputSize(*item, 0) : -1;
}

void ImageFileStore::SetOutputPath(const DUI::SStringW& path, const std::wstring& text)
{
    Lock lock(storeMutex);
    if (ImageFileItem* item = FindLocked(path)) item->outputPath = text;
}
