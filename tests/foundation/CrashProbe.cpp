// A program that crashes on purpose, for the test that a crash under Wine
// ends the process with a failure code instead of hanging in a debugger.
#include <cstdio>

int main()
{
    std::puts("crashing");
    std::fflush(stdout);
    volatile int* p = nullptr;
    *p = 1;
    return 0;
}
