#pragma once
// The application's translator of window texts. Without one every text stays
// as it is; the application hands its translator over when it has one and
// takes it back (NULL) before the component is unloaded.
#include "dui/res.mgr/ITranslator.h"
#include "dui/core/base/TStringT.h"

namespace DUI {

// Keeps one reference to the new translator and releases the old one.
void SetAppTranslator(ITranslatorMgr* translator);
ITranslatorMgr* GetAppTranslator();

// The translation of `text` under `context`, or `text` itself (the same
// shared block) when there is none.
SStringW TranslateText(const SStringW& text, const SStringW& context);

} // namespace DUI
