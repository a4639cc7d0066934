#include "app/core/GlobalSetting.h"

#include "app/core/AppPaths.h"

GlobalSetting::GlobalSetting()
{
    SetFile(ToStdString(GetConfigIniPath()));
}

GlobalSetting& GlobalSetting::Instance()
{
    static GlobalSetting setting;
    return setting;
}

DUI::SStringW GlobalSetting::GetConfigIniPath()
{
    DUI::SStringW path = GetAppDataDir();
    path += kConfigIniName;
    return path;
}
