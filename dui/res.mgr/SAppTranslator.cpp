#include "dui/res.mgr/SAppTranslator.h"

namespace DUI {

namespace {

ITranslatorMgr*& Held()
{
    static ITranslatorMgr* translator = nullptr;
    return translator;
}

} // namespace

void SetAppTranslator(ITranslatorMgr* translator)
{
    ITranslatorMgr*& held = Held();
    if (translator == held)
        return;
    if (translator)
        translator->AddRef();
    if (held)
        held->Release();
    held = translator;
}

ITranslatorMgr* GetAppTranslator()
{
    return Held();
}

SStringW TranslateText(const SStringW& text, const SStringW& context)
{
    ITranslatorMgr* translator = Held();
    if (!translator)
        return text;
    const int needed = translator->Translate(text, context, nullptr, 0);
    if (needed <= 0)
        return text;
    SStringW out;
    wchar_t* buf = out.GetBuffer(needed);
    if (!buf)
        return text;
    buf[0] = L'\0';
    translator->Translate(text, context, buf, needed);
    out.ReleaseBuffer();
    return out;
}

} // namespace DUI
