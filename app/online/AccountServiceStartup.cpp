#include "app/online/AccountServiceStartup.h"

#include "app/online/CAccountService.h"
#include "app/online/ServiceAddresses.h"

void InitAccountServiceOnce(const std::wstring& settingsPath)
{
    CAccountService* facade = CAccountService::Instance();
    if (CAccountService::IsInitialised()) return;
    (void)facade->Init(kProductName, settingsPath, kProductVersionCode, kProductCode001, kProductCode206,
                       kApplicationKey, ServiceAddresses::Get(ServiceAddress::AccountService),
                       ServiceAddresses::Get(ServiceAddress::SecondService),
                       ServiceAddresses::Get(ServiceAddress::ProductWebPage), kProductVersionId, kApplicationKey,
                       L"", L"", L"", L"");
}
