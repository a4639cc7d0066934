#pragma once
// The words spoken over the start-up animation's pipe and its command line,
// shared by the program's side (SplashPipe) and the animation program.
#include <string_view>

namespace SplashProtocol {

// Animation to program, once its window shows: exactly these bytes.
inline constexpr std::string_view kHello = "hello";
// Program to animation: one prefix and its text per line.
inline constexpr std::string_view kProgress = "progress:";
inline constexpr std::string_view kState = "state:";
inline constexpr std::string_view kExit = "exit:";
inline constexpr char kLineEnd = '\n';

// The animation program's arguments.
inline constexpr const wchar_t* kPipeNameArg = L"--pipename";
inline constexpr const wchar_t* kPidArg = L"--pid";
inline constexpr const wchar_t* kResourceDirArg = L"--resoure_dir";

} // namespace SplashProtocol
