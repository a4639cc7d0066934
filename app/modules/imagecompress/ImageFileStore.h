#pragma once
// The files of the image compression list in list order, findable by path.
// The loading thread and the user-interface thread both reach it: every
// operation holds the store's lock for its whole run and calls no other.
#include <cstdint>
#include <mutex>
#include <string>

#include "app/core/JNVector.h"
#include "app/modules/imagecompress/ImageFileItem.h"
#include "dui/core/base/TStringT.h"

class ImageFileStore {
public:
    int Count();
    int IndexOf(const DUI::SStringW& path);
    // Appends a new path; a known one is overwritten in place.
    void Put(const ImageFileItem& item);
    // Copies; a new item when missing.
    ImageFileItem GetAt(int pos);
    ImageFileItem Get(const DUI::SStringW& path);
    int RemoveAt(int pos);
    void RemoveAll();
    // The old progress, which becomes 0; 0 when missing.
    int TakeProgress(const DUI::SStringW& path);
    int TakeProgressAt(int pos);
    // Stores the run state and returns the old one; -2 when missing.
    int SwapStateByKey(const DUI::SStringW& path, int state);
    int SwapState(int pos, int state);
    void SetResult(const DUI::SStringW& path, int value);
    void ResetResultAt(int pos);
    void SetError(const DUI::SStringW& path, int code, const std::wstring& text);
    // Returns the old size; -1 when missing.
    int64_t SetOutputSize(const DUI::SStringW& path, int64_t size);
    int64_t ResetOutputSizeAt(int pos);
    void SetOutputPath(const DUI::SStringW& path, const std::wstring& text);

    // The count is read under it by other parts of the module.
    std::mutex storeMutex;

private:
    ImageFileItem* FindLocked(const DUI::SStringW& path);
    ImageFileItem* AtLocked(int pos);

    JNVector<DUI::SStringW, ImageFileItem> items;
};
