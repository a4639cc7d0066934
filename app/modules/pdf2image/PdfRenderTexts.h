#pragma once
// The failure messages of a PDF-to-images render, as the user sees them.

inline constexpr wchar_t kPdfParseFailed[] = L"解析PDF失败";
inline constexpr wchar_t kPdfRenderFailed[] = L"渲染PDF页面失败";
inline constexpr wchar_t kPdfWrapFailed[] = L"加载PDF页面失败";
inline constexpr wchar_t kPdfSaveFailed[] = L"保存图片失败";
inline constexpr wchar_t kPdfStopped[] = L"用户退出";
