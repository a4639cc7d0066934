// Resource providers and the provider manager: a folder provider over a
// temporary "uires.idx" folder, the module provider over this program's own
// resources, and images loaded through the render and decoder components.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SResProviderFiles.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "tests/support/ComponentLoader.h"
#include "tests/support/TempFolder.h"

using namespace DUI;

namespace {

SRefPtr<IResProvider> NewProvider(int kind, WPARAM init, BOOL wantInit = TRUE)
{
    IResProvider* p = nullptr;
    EXPECT_TRUE(CreateResProvider(kind, &p));
    auto held = SRefPtr<IResProvider>::Adopt(p);
    EXPECT_EQ(held->Init(init), wantInit);
    return held;
}

class ResProviderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryW(m_dir.File(L"img").c_str(), nullptr);
        CreateDirectoryW(m_dir.File(L"other").c_str(), nullptr);
        m_dir.Write(L"img\\a.txt", "alpha");
        m_dir.Write(L"img\\b.txt", "bravo!");
        m_dir.Write(L"uires.idx",
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                  "<RESOURCE>\n"
                  "  <txt><file name=\"First\" path=\"img\\a.txt\"/><FILE name=\"dup\" path=\"img\\a.txt\"/>"
                  "<file name=\"dup\" path=\"img\\b.txt\"/></txt>\n"
                  "  <Values><file name=\"shared\" path=\"img\\b.txt\"/></Values>\n"
                  "</RESOURCE>\n");
    }

    WPARAM Folder() const { return reinterpret_cast<WPARAM>(m_path.c_str()); }
    std::wstring Other() const { return m_path + L"\\other"; }

    testsupport::TempFolder m_dir{L"vesk_res"};
    const std::wstring m_path = m_dir.Folder().substr(0, m_dir.Folder().size() - 1);   // no trailing backslash
};

std::string RawOf(IResProvider* p, LPCWSTR type, LPCWSTR name)
{
    std::string buf(p->GetRawBufferSize(type, name), '\0');
    if (buf.empty() || !p->GetRawBuffer(type, name, buf.data(), buf.size())) return "<none>";
    return buf;
}

} // namespace

TEST(ResKey, LowerCasesAndHashesTypeThenName)
{
    SResKey a, b;
    ASSERT_TRUE(a.Set(L"PNG", L"Logo"));
    ASSERT_TRUE(b.Set(L"png", L"LOGO"));
    EXPECT_TRUE(a == b);
    uint32_t h = 0;
    for (const wchar_t* p = L"pnglogo"; *p; ++p) h = h * 33 + *p;
    EXPECT_EQ(a.GetHash(), h);
    SResKey c;
    c.Set(L"pn", L"glogo");   // same hash, other fields
    EXPECT_EQ(c.GetHash(), a.GetHash());
    EXPECT_FALSE(c == a);
    SResKey empty;
    EXPECT_TRUE(empty.Set(nullptr, nullptr));
    EXPECT_EQ(empty.GetHash(), 0u);
    EXPECT_TRUE(empty.Set(std::wstring(29, L't').c_str(), std::wstring(99, L'n').c_str()));
    EXPECT_FALSE(empty.Set(std::wstring(30, L't').c_str(), L"n"));
    EXPECT_FALSE(empty.Set(L"t", std::wstring(100, L'n').c_str()));
}

TEST_F(ResProviderTest, FolderIndexIgnoresCaseAndLaterEntriesWin)
{
    auto p = NewProvider(RES_FILE, Folder());
    const std::wstring tooLong(120, L'x');
    struct Case { const char* name; LPCWSTR type, res; std::string want; };
    const Case cases[] = {
        {"as written", L"txt", L"First", "alpha"},
        {"other case", L"TXT", L"FIRST", "alpha"},
        {"later entry replaces", L"txt", L"dup", "bravo!"},
        {"tag of any case", L"values", L"SHARED", "bravo!"},
        {"unknown name", L"txt", L"nope", "<none>"},
        {"unknown type", L"png", L"first", "<none>"},
        {"name too long", L"txt", tooLong.c_str(), "<none>"},
        // Module resources may be named by number; a folder has no such names.
        {"integer name", L"txt", MAKEINTRESOURCEW(7), "<none>"},
        {"integer type", MAKEINTRESOURCEW(10), L"first", "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RawOf(p.Get(), c.type, c.res), c.want);
        EXPECT_EQ(p->HasResource(c.type, c.res), c.want != "<none>");
    }
}

TEST_F(ResProviderTest, RawBufferMustHoldTheWholeResource)
{
    auto p = NewProvider(RES_FILE, Folder());
    ASSERT_EQ(p->GetRawBufferSize(L"txt", L"first"), 5u);
    char buf[5];
    SetLastError(0);
    EXPECT_FALSE(p->GetRawBuffer(L"txt", L"first", buf, 4));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_TRUE(p->GetRawBuffer(L"txt", L"first", buf, 5));
    EXPECT_EQ(std::string(buf, 5), "alpha");
}

TEST_F(ResProviderTest, FolderInitFailsWithoutAUsableIndex)
{
    const std::wstring other = Other();
    struct Case { const char* name; const char* idx; };
    const Case cases[] = {
        {"no index", nullptr},
        {"not xml", "this is <not xml"},
        {"no resource element", "<res><txt><file name=\"a\" path=\"x\"/></txt></res>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW((other + L"\\uires.idx").c_str());
        if (c.idx) {
            m_dir.Write(L"other\\uires.idx", c.idx);
        }
        auto p = NewProvider(RES_FILE, reinterpret_cast<WPARAM>(other.c_str()), FALSE);
        EXPECT_FALSE(p->HasResource(L"txt", L"a"));
        EXPECT_EQ(p->GetRawBufferSize(L"txt", L"a"), 0u);
    }
    IResProvider* none = reinterpret_cast<IResProvider*>(1);
    EXPECT_FALSE(CreateResProvider(2, &none));
    EXPECT_EQ(none, nullptr);
}

TEST_F(ResProviderTest, NewestProviderAnswersUntilRemoved)
{
    const std::wstring other = Other();
    m_dir.Write(L"other\\uires.idx", "<resource><txt><file name=\"first\" path=\"..\\img\\b.txt\"/></txt></resource>");
    auto older = NewProvider(RES_FILE, Folder());
    auto newer = NewProvider(RES_FILE, reinterpret_cast<WPARAM>(other.c_str()));
    SResProviderMgr mgr;
    mgr.AddResProvider(older.Get());
    mgr.AddResProvider(newer.Get());
    EXPECT_EQ(mgr.FindResProvider(L"txt", L"first"), newer.Get());
    EXPECT_EQ(mgr.FindResProvider(L"txt", L"dup"), older.Get());
    EXPECT_EQ(mgr.FindResProvider(nullptr, L"first"), nullptr);
    EXPECT_EQ(mgr.GetRawBufferSize(L"txt", L"first"), 6u);
    mgr.RemoveResProvider(newer.Get());
    EXPECT_EQ(mgr.GetRawBufferSize(L"txt", L"first"), 5u);
    mgr.RemoveResProvider(newer.Get());   // not in the list any more: nothing happens
    EXPECT_EQ(mgr.FindResProvider(L"txt", L"first"), older.Get());
    // The "file" type reads the named path in any case of the type.
    const std::wstring path = m_path + L"\\img\\b.txt";
    EXPECT_EQ(mgr.GetRawBufferSize(L"FILE", path.c_str()), 6u);
    char buf[6];
    EXPECT_TRUE(mgr.GetRawBuffer(L"File", path.c_str(), buf, 6));
    EXPECT_EQ(mgr.GetRawBufferSize(L"txt", L"nothing"), 0u);
    mgr.RemoveAllResProviders();
    EXPECT_EQ(mgr.FindResProvider(L"txt", L"first"), nullptr);
}

TEST(ResProviderPE, FindsModuleResourcesAndAnimatedCursors)
{
    auto p = NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)));
    EXPECT_TRUE(p->HasResource(L"pngtest", L"logo"));
    EXPECT_TRUE(p->HasResource(L"ICON", L"ICON_LOGO"));
    EXPECT_TRUE(p->HasResource(L"CURSOR", L"BUSY"));   // only an animated cursor exists
    EXPECT_FALSE(p->HasResource(L"PNGTEST", L"missing"));
    std::ifstream png(VESK_TESTS_DIR "/dui/res.mgr/data/logo.png", std::ios::binary);
    const std::string want((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    EXPECT_EQ(RawOf(p.Get(), L"PNGTEST", L"LOGO"), want);
    std::string small(want.size() - 1, '\0');
    SetLastError(0);
    EXPECT_FALSE(p->GetRawBuffer(L"PNGTEST", L"LOGO", small.data(), small.size()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    HCURSOR busy = p->LoadCursor(L"BUSY");
    EXPECT_NE(busy, nullptr);
    if (busy) DestroyCursor(busy);
}

TEST(ResProviderMgrTest, CursorsBuiltinCachedAndDestroyed)
{
    auto pe = NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)));
    SResProviderMgr mgr;
    EXPECT_EQ(mgr.LoadCursor(L"HAND", FALSE), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(mgr.LoadCursor(IDC_IBEAM, FALSE), LoadCursorW(nullptr, IDC_IBEAM));
    EXPECT_EQ(mgr.LoadCursor(L"BUSY", FALSE), nullptr);   // no provider yet, nothing cached
    mgr.AddResProvider(pe.Get());
    HCURSOR busy = mgr.LoadCursor(L"BUSY", FALSE);
    ASSERT_NE(busy, nullptr);
    mgr.RemoveResProvider(pe.Get());
    EXPECT_EQ(mgr.LoadCursor(L"BUSY", FALSE), busy);   // from the cache
    EXPECT_EQ(mgr.LoadCursor(L"busy", FALSE), nullptr);   // the cache matches exactly
    mgr.RemoveAllResProviders();
    EXPECT_EQ(mgr.LoadCursor(L"BUSY", FALSE), nullptr);
}

TEST(ResProviderMgrTest, IconsBySizeText)
{
    auto pe = NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)));
    SResProviderMgr mgr;
    mgr.AddResProvider(pe.Get());
    struct Case { const char* name; LPCWSTR text; LONG want; };
    const Case cases[] = {{"asked size", L"ICON_LOGO:32", 32}, {"own size", L"ICON_LOGO", 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HICON icon = mgr.LoadIconFromText(c.text);
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, c.want);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_EQ(mgr.LoadIconFromText(L"NO_SUCH_ICON:16"), nullptr);
}

TEST(ResProviderMgrTest, ImagesThroughTheRenderFactory)
{
    testcomp::ComponentLoader render(L"render.dll"), decoder(L"imgdecoder.dll");
    auto factory = SRefPtr<IPaintFactory>::Adopt(render.Create<IPaintFactory>());
    auto pictures = SRefPtr<IPictureDecoderFactory>::Adopt(decoder.Create<IPictureDecoderFactory>());
    ASSERT_TRUE(factory && pictures);
    factory->SetPictureDecoderFactory(pictures.Get());
    SetLoaderPaintFactory(factory.Get());
    {
        auto pe = NewProvider(RES_PE, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)));
        SResProviderMgr mgr;
        mgr.AddResProvider(pe.Get());
        auto fromRes = SRefPtr<IPaintBitmap>::Adopt(mgr.LoadImageFromText(L"PNGTEST:LOGO"));
        ASSERT_TRUE(fromRes);
        EXPECT_EQ(fromRes->Width(), 4);
        EXPECT_EQ(static_cast<uint32_t*>(fromRes->LockPixels())[0], 0xFF0000FFu);
        const std::wstring file = L"FILE:" VESK_TESTS_DIR L"/dui/res.mgr/data/logo.png";
        auto fromFile = SRefPtr<IPaintBitmap>::Adopt(mgr.LoadImageFromText(file.c_str()));
        ASSERT_TRUE(fromFile);
        EXPECT_EQ(fromFile->Height(), 3);
        EXPECT_EQ(mgr.LoadImageFromText(L"PNGTEST"), nullptr);
        EXPECT_EQ(mgr.LoadImageFromText(L"PNGTEST:MISSING"), nullptr);
        EXPECT_EQ(mgr.LoadImage(nullptr, L"LOGO"), nullptr);
        auto frames = SRefPtr<IPictureFrames>::Adopt(pe->LoadImgX(L"PNGTEST", L"LOGO"));
        ASSERT_TRUE(frames);
        EXPECT_EQ(frames->GetFrameCount(), 1u);
        EXPECT_EQ(pe->LoadImgX(L"ICON", L"ICON_LOGO"), nullptr);   // an icon group is not an image file
    }
    SetLoaderPaintFactory(nullptr);
    factory->SetPictureDecoderFactory(nullptr);
}
