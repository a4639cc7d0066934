#include "app/modules/imagecompress/CiBllMain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/core/SStringBridge.h"
#include "tests/app/core/AppDataGuard.h"

TEST(CiBllMain, OneObjectOwningSettingsStoreAndTasksAtStart)
{
    AppDataGuard data;
    CiBllMain& bll = CiBllMain::Instance();
    EXPECT_EQ(&bll, &CiBllMain::Instance());
    EXPECT_EQ(bll.GetState(), 0u);
    EXPECT_EQ(bll.GetPart(), nullptr);
    const std::wstring file = ToStdString(GetImageModuleDir()) + L"config_img.ini";
    ASSERT_TRUE(std::filesystem::exists(file)) << "the module folder and its settings file are made";
    EXPECT_EQ(bll.Settings().GetFile(), file);
    EXPECT_EQ(bll.Settings().GetSection(), L"IMGPARAM");
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}).substr(0, 2), "\xFF\xFE");
    in.close();

    EXPECT_STREQ(bll.Working().formatName.c_str(), bll.Settings().stored.formatName.c_str());
    EXPECT_EQ(bll.Working().fileSize, bll.Settings().stored.fileSize);
    // The settings' setters change the business object's working record.
    EXPECT_EQ(bll.Settings().SetPixelWidth(777), 0);
    EXPECT_EQ(bll.Working().pixelWidth, 777);
    EXPECT_EQ(bll.Store().Count(), 0);
    EXPECT_EQ(bll.Tasks().readableFormats.size(), 82u);

    bll.AddState(BLL_CONVERTING | BLL_BATCH);
    EXPECT_TRUE(bll.HasState(BLL_CONVERTING));
    bll.RemoveState(BLL_CONVERTING | BLL_BATCH);
    EXPECT_FALSE(bll.HasState(BLL_BATCH));
}
