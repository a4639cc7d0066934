#include "app/modules/imagecompress/CiBllMain.h"

#include "app/core/SStringBridge.h"

CiBllMain::CiBllMain()
{
    SetState(0);
    DUI::SStringW file = GetImageModuleDir();
    file += kImageSettingsFile;
    m_settings.SetFile(ToStdString(file));
    m_settings.Load();
    m_working = m_settings.stored;
}
