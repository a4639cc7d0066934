// An orvik.dll that loads but lacks the library's entry point.
extern "C" __declspec(dllexport) int OrvikVersionOnly()
{
    return 1;
}
