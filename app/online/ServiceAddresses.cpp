#include "app/online/ServiceAddresses.h"

#include <map>
#include <mutex>

namespace {

// The configured values come in as narrow literals from the build.
std::map<ServiceAddress, std::wstring> Configured()
{
    return {
        {ServiceAddress::AccountService, L"" VESK_ACCOUNT_SERVICE_URL},
        {ServiceAddress::SecondService, L"" VESK_SECOND_SERVICE_URL},
        {ServiceAddress::ProductWebPage, L"" VESK_PRODUCT_PAGE_URL},
        {ServiceAddress::FeedbackService, L"" VESK_FEEDBACK_SERVICE_URL},
        {ServiceAddress::CrashLog, L"" VESK_CRASH_LOG_URL},
        {ServiceAddress::Tutorial, L"" VESK_TUTORIAL_URL},
    };
}

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

std::map<ServiceAddress, std::wstring>& Addresses()
{
    static std::map<ServiceAddress, std::wstring> addresses = Configured();
    return addresses;
}

} // namespace

std::wstring ServiceAddresses::Get(ServiceAddress which)
{
    std::lock_guard<std::mutex> lock(Lock());
    return Addresses()[which];
}

void ServiceAddresses::Set(ServiceAddress which, const std::wstring& address)
{
    std::lock_guard<std::mutex> lock(Lock());
    Addresses()[which] = address;
}

void ServiceAddresses::Reset()
{
    std::lock_guard<std::mutex> lock(Lock());
    Addresses() = Configured();
}
