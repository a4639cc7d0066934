// Our orvik.dll through the facade, as the program reaches it: the start-up
// road offline, the login entries, the service page handed to the shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/online/AccountServiceStartup.h"
#include "app/online/CAccountService.h"
#include "app/online/ServiceAddresses.h"
#include "tests/app/online/PageCodecs.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TempFolder.h"

namespace {

using testsupport::PumpUntil;

class OrvikLibraryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        CAccountService::DestroyInstance();
        ServiceAddresses::Reset();
    }
    static void PointAt(unsigned short port)
    {
        const std::wstring base = L"http://127.0.0.1:" + std::to_wstring(port) + L"/";
        ServiceAddresses::Set(ServiceAddress::AccountService, base);
        ServiceAddresses::Set(ServiceAddress::SecondService, base);
    }
    static CAccountService* Facade() { return CAccountService::Instance(); }
};

TEST_F(OrvikLibraryTest, WithoutAServiceTheStartupRoadIsTheNormalOne)
{
    PointAt(HttpTestServer::ClosedPort());
    InitAccountServiceOnce(L"");
    IOrvikUrlBuilder* urls = Facade()->GetUrlBuilder();
    IOrvikProductInfo* product = Facade()->GetProductInfo();
    IOrvikServerInfo* server = Facade()->GetServerInfo();
    IOrvikUserInfo* user = Facade()->GetUserInfo();
    ASSERT_TRUE(urls && product && server && user && Facade()->GetStatistics());

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(urls->QueryStartup(0), 1);
    EXPECT_TRUE(product->CheckStartup(urls->QueryStartup(0)));
    EXPECT_FALSE(product->CheckStartup(0));
    EXPECT_STREQ(product->GetLatestVersion(), L"205");
    EXPECT_STREQ(server->GetCurrentVersion(), L"205");
    EXPECT_STREQ(product->GetChannelText(), L"");
    EXPECT_STREQ(product->GetConfigValue(L"ForceUpdate"), L"");
    EXPECT_FALSE(product->AdvertsEnabled());
    EXPECT_TRUE(product->AccountFeaturesEnabled());
    EXPECT_STREQ(product->GetProductWebPage(), ServiceAddresses::Get(ServiceAddress::ProductWebPage).c_str());
    EXPECT_FALSE(user->IsLoggedIn());
    EXPECT_STREQ(user->GetUserId(), L"");
    EXPECT_FALSE(user->IsOverDeviceLimit());
    EXPECT_EQ(std::wstring(server->GetMachineCode()).size(), 32u);
    EXPECT_STREQ(Facade()->GetStatistics()->GetSessionId(), L"");
    EXPECT_LT(GetTickCount64() - start, 500u) << "no reader waits for the network";
}

TEST_F(OrvikLibraryTest, OnlyTheLoginPageEntryWatchesForTheLogin)
{
    HttpTestServer server([](const HttpTestRequest& r) {
        if (r.target.rfind("/Api/Client/User", 0) == 0)
            return HttpTestReply{"200 OK", R"({"user":{"id":"u9","name":"Mei","logged_in":true}})"};
        return HttpTestReply{"200 OK", "{}"};
    });
    const auto polls = [&] {
        size_t n = 0;
        for (const auto& r : server.Requests()) n += r.target.rfind("/Api/Client/User", 0) == 0 ? 1 : 0;
        return n;
    };
    PointAt(server.Port());
    InitAccountServiceOnce(L"");
    IOrvikUserInfo* user = Facade()->GetUserInfo();
    user->SetLoginEntry(L"1");
    user->SetStartupState(1);
    // Longer than the library's 2 s between two polls.
    testsupport::PumpFor(2500);
    EXPECT_EQ(polls(), 0u) << "the entry given at every start does not poll";

    user->SetLoginEntry(L"0");
    ASSERT_TRUE(PumpUntil([&] { return user->IsLoggedIn(); }));
    EXPECT_STREQ(user->GetDisplayName(), L"Mei");
    EXPECT_EQ(polls(), 1u);
}

TEST_F(OrvikLibraryTest, ServicePageIsHandedToTheShell)
{
    // The test prefix hands http addresses to a recorder that appends them to
    // "vesk-opened-addresses.txt" in the current folder.
    testsupport::TempFolder folder(L"orvik_shell");
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Folder().c_str()));
    PointAt(HttpTestServer::ClosedPort());
    InitAccountServiceOnce(L"");
    const std::wstring base = L"http://127.0.0.1:9/svc/";
    const bool opened = Facade()->GetUrlBuilder()->OpenServicePage(L"VeskPDF转图片", L"pc_button", 0, base.c_str());
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(opened);

    std::string line;
    ASSERT_TRUE(PumpUntil([&] {
        std::ifstream in(std::filesystem::path(folder.File(L"vesk-opened-addresses.txt")));
        return std::getline(in, line) && !line.empty();
    }));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.size() > 1 && line.front() == '"') line = line.substr(1, line.size() - 2);
    const auto parsed = online_test::ParsePageAddress(FromUtf8(line));
    ASSERT_TRUE(parsed.parsed) << line;
    EXPECT_EQ(parsed.prefix, base + L"Index/Service/Contact?");
    EXPECT_EQ(parsed.record, R"({"u_id":"","title":"VeskPDF转图片","source":"pc_button","dev":"dui"})");
}

} // namespace
