#pragma once
// The program-wide settings over the "PUBLIC" section of config.ini in the
// data folder. Created on first use; lives until the process ends.
#include "app/core/CFileIni.h"
#include "app/core/SStringBridge.h"

class GlobalSetting : public CFileIni {
public:
    static GlobalSetting& Instance();

    // <common app data>\VeskPDF2Image\config.ini
    static DUI::SStringW GetConfigIniPath();

    // Read at start-up, written back by the after-conversion settings dialog.
    bool doneOpenFile = true;
    // Results go into a "VeskPDF转图片" sub-folder of the output folder.
    bool doneCreatDir = false;
    // Account state the statistics report; nothing in the core sets them.
    bool loggedIn = false;
    bool vipAccount = false;

private:
    GlobalSetting();
};
