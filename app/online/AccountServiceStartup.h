#pragma once
// The product's strings for the account-service facade, in one place for the
// two callers that initialise it (the start-up and the caption's set-up).
#include <string>

inline constexpr wchar_t kProductName[] = L"VeskPDF2Image";
inline constexpr wchar_t kProductVersionCode[] = L"205";
inline constexpr wchar_t kProductCode001[] = L"001";
inline constexpr wchar_t kProductCode206[] = L"206";
inline constexpr wchar_t kApplicationKey[] = L"Rk7vTqM2xLw9HbN4cZa1";
inline constexpr wchar_t kProductVersionId[] = L"206205000";

// Creates the facade when needed and, unless it is initialised already,
// initialises it with the product's strings, the settings path and the
// configured service addresses.
void InitAccountServiceOnce(const std::wstring& settingsPath);
