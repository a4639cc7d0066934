#pragma once
// Base of the core helper classes that report a failure as `false` and leave
// an explanation in the object's error text for the caller to read.
#include <memory>

class CUniteBase {
public:
    CUniteBase();
    virtual ~CUniteBase();
    CUniteBase(const CUniteBase&) = delete;
    CUniteBase& operator=(const CUniteBase&) = delete;

    virtual void Init() {}
    virtual const wchar_t* GetErrorText();
    virtual void ClearErrorText();
    virtual const wchar_t* GetInfoText();
    virtual void ClearInfoText();

    // Public accessors; they go through the overridable versions above.
    virtual const wchar_t* ErrorText();
    virtual void ResetError();
    virtual const wchar_t* InfoText();
    virtual void ResetInfo();

    void SetErrorText(const wchar_t* text);
    // One argument formatted with a printf-style wide format (%s is wide).
    void SetErrorTextF(const wchar_t* format, const wchar_t* argument);

protected:
    // A growable text block. The recorded capacity may drop below the block's
    // real size; writes never go beyond the recorded one.
    struct TextBlock {
        std::unique_ptr<wchar_t[]> chars;
        unsigned capacity = 0;
    };
    static void StoreText(TextBlock& block, const wchar_t* text);

    TextBlock m_error;
    TextBlock m_info;
};
