#pragma once
// The addresses of the online services. Each starts as the value the build
// was configured with (a CMake cache entry; the defaults lead nowhere, under
// ".invalid"); nothing is read from files, the registry or the environment.
// Tests point them at their own server.
#include <string>

enum class ServiceAddress {
    AccountService,   // the account service's API base, ending in "/"
    SecondService,    // the second service's base (statistics), ending in "/"
    ProductWebPage,   // the product's web page
    FeedbackService,  // the feedback pages' base, ending in "/"
    CrashLog,         // the crash-log form's full address (".../DoLoadLog.php")
    Tutorial,         // the tutorial page, when the service names none
};

class ServiceAddresses {
public:
    // Safe from any thread: the crash report reads them on the crashed one.
    static std::wstring Get(ServiceAddress which);
    static void Set(ServiceAddress which, const std::wstring& address);
    // Every address back to the configured one.
    static void Reset();
};
