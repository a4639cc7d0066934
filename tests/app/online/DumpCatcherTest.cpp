// Our skarnel.dll's working part, reporting a crash that did not happen:
// observers in order, each on a thread of its own, with the prepared text.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

#include "components/skarnel/DumpCatcher.h"

namespace {

struct SeenDump {
    int observer;
    DWORD thread;
    std::string text;
};

class RecordingObserver : public CDumpCatchObserverBase {
public:
    RecordingObserver(int id, std::vector<SeenDump>& seen) : m_id(id), m_seen(seen) {}
    int OnDump(EXCEPTION_POINTERS*, const char* text) override
    {
        m_seen.push_back({m_id, GetCurrentThreadId(), text});
        return 1;
    }
    void SetReportFields(const char*, const char*, const char*) override {}

private:
    int m_id;
    std::vector<SeenDump>& m_seen;
};

// Deep enough that the walk must stop at its limit.
int __attribute__((noinline)) CaptureDeep(int depth, CONTEXT& context)
{
    if (depth == 0) {
        RtlCaptureContext(&context);
        return 0;
    }
    // Used after the call, so the recursion stays a recursion.
    volatile char frame[64];
    frame[depth % 64] = static_cast<char>(CaptureDeep(depth - 1, context));
    return frame[0];
}

TEST(DumpCatcherTest, ObserversRunInOrderEachOnItsOwnThread)
{
    std::vector<SeenDump> seen;
    RecordingObserver first(1, seen), second(2, seen), third(3, seen);
    DumpCatcher catcher;
    catcher.AddObserver(&first);
    catcher.AddObserver(nullptr);
    catcher.AddObserver(&second);
    catcher.AddObserver(&third);

    CONTEXT context = {};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    catcher.Report(&pointers, 4242);

    ASSERT_EQ(seen.size(), 3u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].observer, static_cast<int>(i + 1));
        EXPECT_NE(seen[i].thread, GetCurrentThreadId());
        EXPECT_EQ(seen[i].text, seen[0].text);
    }
    EXPECT_NE(seen[0].thread, seen[1].thread);
}

TEST(DumpCatcherTest, TextNamesCodeModuleThreadAndAtMost32Frames)
{
    CONTEXT context = {};
    CaptureDeep(60, context);
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_STACK_OVERFLOW;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
    EXCEPTION_POINTERS pointers{&record, &context};
    const std::string text = DumpCatcher::DescribeCrash(&pointers, 77);

    EXPECT_NE(text.find("Exception code: 0xC00000FD\r\n"), std::string::npos) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(Address: \S+\.(exe|dll)\+0x[0-9A-F]+\r\n)", std::regex::icase)))
        << text;
    EXPECT_NE(text.find("Thread: 77\r\n"), std::string::npos);
    std::istringstream lines(text);
    std::string line;
    int frames = 0;
    while (std::getline(lines, line)) frames += line.rfind("#", 0) == 0 ? 1 : 0;
    EXPECT_EQ(frames, DumpCatcher::kMaxFrames) << text;
    EXPECT_NE(text.find("#31 test_online.exe+0x"), std::string::npos) << text;
}

TEST(DumpCatcherTest, AnAddressOutsideEveryModuleIsWrittenBare)
{
    EXPECT_EQ(DumpCatcher::DescribeAddress(0x10), "0x0000000000000010");
    const std::string own = DumpCatcher::DescribeAddress(reinterpret_cast<DWORD64>(&CaptureDeep));
    EXPECT_EQ(own.rfind("test_online.exe+0x", 0), 0u) << own;
}

} // namespace
