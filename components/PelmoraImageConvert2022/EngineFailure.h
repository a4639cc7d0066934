#pragma once
// The one way a step of the engine fails inside the library: an exception
// carrying the UTF-8 text the caller shows. It never leaves the library: the
// converter's methods turn it into a false result and the last error text.
#include <stdexcept>
#include <string>

namespace pelmora {

// The texts users see, in one place.
namespace texts {
inline constexpr const char* kUnsupportedFormat = "不支持的图片格式";
inline constexpr const char* kCannotOpen = "无法打开图片文件";
inline constexpr const char* kEmptyFile = "图片文件为空";
inline constexpr const char* kCorrupt = "图片文件已损坏或不完整";
inline constexpr const char* kTooLarge = "图片尺寸过大";
inline constexpr const char* kBadSize = "图片尺寸无效";
inline constexpr const char* kCannotWrite = "无法写入输出文件";
inline constexpr const char* kCancelled = "操作已取消";
inline constexpr const char* kOutOfMemory = "内存不足";
inline constexpr const char* kNothingLoaded = "没有已加载的图片";
inline constexpr const char* kNoOutputFormat = "未设置输出格式";
inline constexpr const char* kTargetSizeMissed = "无法压缩到指定大小：最低画质的文件仍然超出";
inline constexpr const char* kTooLargeForFormat = "图片尺寸超出输出格式的限制";
inline constexpr const char* kBadResolution = "分辨率无效";
inline constexpr const char* kUnsupportedCall = "不支持的操作";
}  // namespace texts

class EngineFailure : public std::runtime_error {
public:
    explicit EngineFailure(const std::string& text) : std::runtime_error(text) {}
};

[[noreturn]] inline void Fail(const char* text) { throw EngineFailure(text); }

}  // namespace pelmora
