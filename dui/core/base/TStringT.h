#pragma once
// The framework's copy-on-write string: one pointer to the characters, with a
// header of reference count, length and capacity standing just before them.
// Copies share the block; the first write to a shared block makes it private.
#include "xml/MemWrapper.h"
#include "dui/core/base/SDynArray.h"

#include <atomic>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <new>

namespace DUI {

struct TStringData
{
    int nRefs;        // negative: locked (never shared), or the static empty block
    int nDataLength;  // characters in use
    int nAllocLength; // characters the block holds, terminator not counted

    void* Data() { return this + 1; }
    void AddRef() { std::atomic_ref<int>(nRefs).fetch_add(1); }
    int Release() { return std::atomic_ref<int>(nRefs).fetch_sub(1) - 1; }
};
static_assert(sizeof(TStringData) == 12, "the string header is three 32-bit integers");

// The one block every empty string of both widths points at; never freed.
TStringData* GetEmptyStringData();

struct wchar_traits
{
    static int Length(const wchar_t* s) { return s ? static_cast<int>(wcslen(s)) : 0; }
    static int Compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
    // ASCII is folded here: msvcrt's _wcsicmp costs about 0.1 us a call
    // under Wine, and attribute tables compare names by the hundred for every
    // window built. Past the first non-ASCII unit _wcsicmp decides as before.
    static int CompareNoCase(const wchar_t* a, const wchar_t* b)
    {
        for (;; ++a, ++b) {
            const wchar_t ca = *a, cb = *b;
            if (ca >= 0x80 || cb >= 0x80)
                return _wcsicmp(a, b);
            const int la = (ca >= L'A' && ca <= L'Z') ? ca + 32 : ca;
            const int lb = (cb >= L'A' && cb <= L'Z') ? cb + 32 : cb;
            if (la != lb || la == 0)
                return la - lb;
        }
    }
    static const wchar_t* Find(const wchar_t* s, const wchar_t* sub) { return wcsstr(s, sub); }
    static const wchar_t* FindChar(const wchar_t* s, wchar_t c) { return wcschr(s, c); }
    static const wchar_t* FindCharRev(const wchar_t* s, wchar_t c) { return wcsrchr(s, c); }
    static void MakeLower(wchar_t* s) { _wcslwr(s); }
    static void MakeUpper(wchar_t* s) { _wcsupr(s); }
    // msvcrt's own formatter on purpose: "%s" in a wide format means a wide text.
    static int FormatCount(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }
    static int FormatInto(wchar_t* buf, int size, const wchar_t* fmt, va_list args)
    {
        return _vsnwprintf(buf, static_cast<size_t>(size), fmt, args);
    }
};

struct char_traits
{
    static int Length(const char* s) { return s ? static_cast<int>(strlen(s)) : 0; }
    static int Compare(const char* a, const char* b) { return strcmp(a, b); }
    static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
    static const char* Find(const char* s, const char* sub) { return strstr(s, sub); }
    static const char* FindChar(const char* s, char c) { return strchr(s, c); }
    static const char* FindCharRev(const char* s, char c) { return strrchr(s, c); }
    static void MakeLower(char* s) { _strlwr(s); }
    static void MakeUpper(char* s) { _strupr(s); }
    static int FormatCount(const char* fmt, va_list args) { return _vscprintf(fmt, args); }
    static int FormatInto(char* buf, int size, const char* fmt, va_list args)
    {
        return _vsnprintf(buf, static_cast<size_t>(size), fmt, args);
    }
};

template <class T, class Traits>
class TStringT
{
public:
    TStringT() { Init(); }
    TStringT(const T* psz)
    {
        Init();
        AssignNew(psz, Traits::Length(psz));
    }
    // A negative length means "up to the first NUL"; embedded NULs are kept otherwise.
    TStringT(const T* p, int len)
    {
        Init();
        if (len < 0)
            len = Traits::Length(p);
        if (p)
            AssignNew(p, len);
    }
    TStringT(const TStringT& src)
    {
        TStringData* d = src.Block();
        if (d->nRefs >= 0) {
            d->AddRef();
            m_pszData = src.m_pszData;
        } else {
            Init();
            AssignNew(src.m_pszData, Traits::Length(src.m_pszData));
        }
    }
    TStringT(TStringT&& src) noexcept : m_pszData(src.m_pszData) { src.Init(); }
    ~TStringT() { Release(Block()); }

    TStringT& operator=(const TStringT& src)
    {
        if (m_pszData == src.m_pszData)
            return *this;
        TStringData* own = Block();
        TStringData* other = src.Block();
        if (other->nRefs < 0 || (own->nRefs < 0 && own != GetEmptyStringData())) {
            AssignCopy(other->nDataLength, src.m_pszData);
        } else {
            other->AddRef();
            Release(own);
            m_pszData = src.m_pszData;
        }
        return *this;
    }
    TStringT& operator=(TStringT&& src) noexcept
    {
        if (this != &src) {
            Release(Block());
            m_pszData = src.m_pszData;
            src.Init();
        }
        return *this;
    }
    TStringT& operator=(const T* psz)
    {
        TStringT tmp(psz); // psz may point into our own block
        AssignCopy(tmp.GetLength(), tmp.m_pszData);
        return *this;
    }

    int GetLength() const { return Block()->nDataLength; }
    int GetAllocLength() const { return Block()->nAllocLength; }
    bool IsEmpty() const { return Block()->nDataLength == 0; }
    operator const T*() const { return m_pszData; }
    const T* c_str() const { return m_pszData; }
    T GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_pszData[i] : T(0); }
    T operator[](int i) const { return GetAt(i); }

    void Empty()
    {
        TStringData* d = Block();
        if (d->nDataLength == 0)
            return;
        if (d->nRefs < 0) {
            d->nDataLength = 0;
            m_pszData[0] = 0;
            return;
        }
        Release(d);
        Init();
    }

    T* GetBuffer(int minLength)
    {
        TStringData* d = Block();
        if (d->nRefs > 1 || d->nAllocLength < minLength) {
            int len = d->nDataLength > minLength ? d->nDataLength : minLength;
            if (!ReallocBuffer(len))
                return nullptr;
        }
        return m_pszData;
    }
    T* GetBufferSetLength(int n)
    {
        if (n < 0)
            n = 0;
        T* p = GetBuffer(n);
        if (p && Block() != GetEmptyStringData()) {
            Block()->nDataLength = n;
            p[n] = 0;
        }
        return p;
    }
    void ReleaseBuffer()
    {
        CopyBeforeWrite();
        TStringData* d = Block();
        if (d == GetEmptyStringData())
            return;
        int n = 0;
        while (n < d->nAllocLength && m_pszData[n] != 0)
            ++n;
        d->nDataLength = n;
        m_pszData[n] = 0;
    }

    void CopyBeforeWrite()
    {
        TStringData* old = Block();
        if (old->nRefs < 2)
            return;
        Init();
        if (AllocBuffer(old->nDataLength))
            std::memcpy(m_pszData, old->Data(), (old->nDataLength + 1) * sizeof(T));
        Release(old);
    }

    void Append(const T* src, int n)
    {
        if (n <= 0 || !src)
            return;
        if (PointsInto(src)) {
            TStringT keep(*this); // the source lives in our own block: keep it alive
            AppendRaw(src, n);
            return;
        }
        AppendRaw(src, n);
    }
    TStringT& operator+=(const TStringT& src)
    {
        TStringT keep(src);
        AppendRaw(keep.m_pszData, keep.GetLength());
        return *this;
    }
    TStringT& operator+=(const T* psz)
    {
        TStringT tmp(psz);
        return *this += tmp;
    }
    TStringT& operator+=(T ch)
    {
        AppendRaw(&ch, 1);
        return *this;
    }

    TStringT Format(const T* fmt, ...)
    {
        va_list args;
        va_start(args, fmt);
        FormatV(fmt, args);
        va_end(args);
        return *this;
    }
    void FormatV(const T* fmt, va_list args)
    {
        TStringT text;
        if (!fmt || !*fmt || !text.FormatText(fmt, args)) {
            Empty();
            return;
        }
        *this = text;
    }
    TStringT AppendFormat(const T* fmt, ...)
    {
        va_list args;
        va_start(args, fmt);
        AppendFormatV(fmt, args);
        va_end(args);
        return *this;
    }
    void AppendFormatV(const T* fmt, va_list args)
    {
        TStringT text;
        if (fmt && *fmt && text.FormatText(fmt, args))
            *this += text;
    }

    TStringT Left(int n) const
    {
        if (n <= 0)
            return TStringT();
        return TStringT(m_pszData, n < GetLength() ? n : GetLength());
    }
    TStringT Right(int n) const
    {
        if (n <= 0)
            return TStringT();
        int len = GetLength();
        if (n > len)
            n = len;
        return TStringT(m_pszData + len - n, n);
    }
    TStringT Mid(int start, int count) const
    {
        int len = GetLength();
        if (start < 0)
            start = 0;
        if (count < 0)
            count = 0;
        if (start > len)
            return TStringT();
        if (static_cast<long long>(start) + count > len)
            count = len - start;
        return TStringT(m_pszData + start, count);
    }

    void MakeLower()
    {
        CopyBeforeWrite();
        if (Block() != GetEmptyStringData())
            Traits::MakeLower(m_pszData);
    }
    void MakeUpper()
    {
        CopyBeforeWrite();
        if (Block() != GetEmptyStringData())
            Traits::MakeUpper(m_pszData);
    }

    // Removes space, tab, CR and LF at both ends. Always leaves the string
    // with a block of its own, so a copy taken earlier is never touched.
    void TrimBlanks()
    {
        int len = GetLength();
        if (len == 0)
            return;
        int first = 0;
        while (first < len && IsBlank(m_pszData[first]))
            ++first;
        if (first == len) {
            Empty();
            return;
        }
        int last = len - 1;
        while (IsBlank(m_pszData[last]))
            --last;
        TStringT trimmed(m_pszData + first, last - first + 1);
        *this = trimmed;
    }

    int Replace(const T* pOld, const T* pNew);

    int Find(const T* sub, int start = 0) const
    {
        if (!sub || start < 0 || start > GetLength())
            return -1;
        const T* p = Traits::Find(m_pszData + start, sub);
        return p ? static_cast<int>(p - m_pszData) : -1;
    }
    int Find(T ch, int start = 0) const
    {
        if (start < 0 || start >= GetLength())
            return -1;
        const T* p = Traits::FindChar(m_pszData + start, ch);
        return p ? static_cast<int>(p - m_pszData) : -1;
    }
    int ReverseFind(T ch) const
    {
        const T* p = Traits::FindCharRev(m_pszData, ch);
        return p ? static_cast<int>(p - m_pszData) : -1;
    }
    int Compare(const T* psz) const { return Traits::Compare(m_pszData, psz ? psz : EmptyText()); }
    int CompareNoCase(const T* psz) const
    {
        return Traits::CompareNoCase(m_pszData, psz ? psz : EmptyText());
    }

    // Block-level operations, also used by the containers.
    bool AllocBuffer(int len)
    {
        if (len < 0)
            return false;
        if (len == 0) {
            Init();
            return true;
        }
        TStringData* d = ReallocData(len, nullptr);
        if (!d)
            return false;
        m_pszData = static_cast<T*>(d->Data());
        return true;
    }
    static TStringData* ReallocData(int len, TStringData* old)
    {
        if (len <= 0)
            return GetEmptyStringData();
        size_t bytes = sizeof(TStringData) + (static_cast<size_t>(len) + 1) * sizeof(T);
        TStringData* d = static_cast<TStringData*>(old ? MemRealloc(old, bytes) : MemMalloc(bytes));
        if (!d)
            return nullptr;
        d->nRefs = 1;
        d->nDataLength = d->nAllocLength = len;
        static_cast<T*>(d->Data())[len] = 0;
        return d;
    }
    bool ReallocBuffer(int len);
    bool AllocBeforeWrite(int len)
    {
        TStringData* d = Block();
        if (d->nRefs <= 1 && d != GetEmptyStringData() && d->nAllocLength >= len)
            return true;
        Release(d);
        Init();
        return AllocBuffer(len);
    }
    void AssignCopy(int len, const T* src)
    {
        TStringData* d = Block();
        if (len <= 0 && d == GetEmptyStringData())
            return;
        if (len < 0)
            len = 0;
        if (d->nRefs > 1 || d->nAllocLength < len) {
            Release(d);
            Init();
            if (!AllocBuffer(len) || len == 0)
                return;
        }
        std::memmove(m_pszData, src, len * sizeof(T));
        Block()->nDataLength = len;
        m_pszData[len] = 0;
    }
    void ConcatCopy(int len1, const T* src1, int len2, const T* src2)
    {
        long long total = static_cast<long long>(len1) + len2;
        if (total <= 0 || total > INT_MAX || !ReallocBuffer(static_cast<int>(total)))
            return;
        std::memcpy(m_pszData, src1, len1 * sizeof(T));
        std::memcpy(m_pszData + len1, src2, len2 * sizeof(T));
    }
    bool IsShared() const { return Block()->nRefs > 1; }
    // For tests and diagnostics: the header of the block this string points at.
    const TStringData* GetData() const { return reinterpret_cast<const TStringData*>(m_pszData) - 1; }

private:
    // The count changes even through a const string: sharing is not a visible change.
    TStringData* Block() const { return reinterpret_cast<TStringData*>(m_pszData) - 1; }
    void Init() { m_pszData = static_cast<T*>(GetEmptyStringData()->Data()); }
    static const T* EmptyText() { return static_cast<const T*>(GetEmptyStringData()->Data()); }
    bool PointsInto(const T* p) const { return p >= m_pszData && p <= m_pszData + GetLength(); }
    static bool IsBlank(T c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static void Release(TStringData* d)
    {
        if (d != GetEmptyStringData() && d->Release() <= 0)
            MemFree(d);
    }
    void AssignNew(const T* p, int len)
    {
        if (len > 0 && AllocBuffer(len))
            std::memcpy(m_pszData, p, len * sizeof(T));
    }
    bool GrowFor(int needed);
    void AppendRaw(const T* src, int n);
    void ReplaceInPlace(int len, const T* pOld, int oldLen, const T* pNew, int newLen);
    bool FormatText(const T* fmt, va_list args);
    // Text after an embedded NUL is searched as well, segment by segment.
    int CountOccurrences(const T* pOld, int oldLen) const
    {
        int count = 0;
        const T* end = m_pszData + GetLength();
        for (const T* seg = m_pszData; seg < end; seg += Traits::Length(seg) + 1)
            for (const T* hit = Traits::Find(seg, pOld); hit; hit = Traits::Find(seg, pOld)) {
                ++count;
                seg = hit + oldLen;
            }
        return count;
    }

    T* m_pszData;
};

template <class T, class Traits>
bool TStringT<T, Traits>::ReallocBuffer(int len)
{
    TStringData* old = Block();
    if (len <= 0) {
        Release(old);
        Init();
        return len == 0;
    }
    if (old->nRefs > 1 || old == GetEmptyStringData()) {
        int keep = old->nDataLength < len ? old->nDataLength : len;
        Init();
        bool ok = AllocBuffer(len);
        if (ok) {
            std::memcpy(m_pszData, old->Data(), keep * sizeof(T));
            m_pszData[keep] = 0;
            m_pszData[len] = 0;
        }
        Release(old);
        return ok;
    }
    TStringData* d = ReallocData(len, old);
    if (!d) {
        MemFree(old);
        Init();
        return false;
    }
    m_pszData = static_cast<T*>(d->Data());
    return true;
}

// Appends grow the block geometrically so that building a text piece by
// piece costs amortised constant time per piece.
template <class T, class Traits>
bool TStringT<T, Traits>::GrowFor(int needed)
{
    TStringData* d = Block();
    int oldLen = d->nDataLength;
    long long cap = needed;
    if (d->nRefs <= 1 && d != GetEmptyStringData()) {
        long long geometric = static_cast<long long>(d->nAllocLength) + d->nAllocLength / 2;
        if (geometric > cap)
            cap = geometric < INT_MAX - 1 ? geometric : INT_MAX - 1;
    }
    if (!ReallocBuffer(static_cast<int>(cap)))
        return false;
    Block()->nDataLength = oldLen;
    m_pszData[oldLen] = 0;
    return true;
}

template <class T, class Traits>
void TStringT<T, Traits>::AppendRaw(const T* src, int n)
{
    if (n <= 0)
        return;
    TStringData* d = Block();
    int len = d->nDataLength;
    if (static_cast<long long>(len) + n > INT_MAX - 1)
        return;
    bool inPlace = d->nRefs <= 1 && d != GetEmptyStringData() && d->nAllocLength >= len + n;
    if (!inPlace && !GrowFor(len + n))
        return;
    std::memcpy(m_pszData + len, src, n * sizeof(T));
    Block()->nDataLength = len + n;
    m_pszData[len + n] = 0;
}

template <class T, class Traits>
bool TStringT<T, Traits>::FormatText(const T* fmt, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    int count = Traits::FormatCount(fmt, counting);
    va_end(counting);
    if (count <= 0 || !AllocBuffer(count))
        return false;
    Traits::FormatInto(m_pszData, count + 1, fmt, args);
    m_pszData[count] = 0;
    return true;
}

template <class T, class Traits>
int TStringT<T, Traits>::Replace(const T* pOld, const T* pNew)
{
    if (!pOld || !*pOld)
        return 0;
    if (!pNew)
        pNew = EmptyText();
    const int oldLen = Traits::Length(pOld);
    const int newLen = Traits::Length(pNew);
    // Either text may point into our own block, which is about to change.
    TStringT keepOld, keepNew;
    if (PointsInto(pOld))
        pOld = (keepOld = TStringT(pOld)).c_str();
    if (PointsInto(pNew))
        pNew = (keepNew = TStringT(pNew)).c_str();

    const int count = CountOccurrences(pOld, oldLen);
    if (count == 0)
        return 0;

    const int len = GetLength();
    long long total = len + static_cast<long long>(newLen - oldLen) * count;
    if (total > INT_MAX - 1)
        return -1;
    CopyBeforeWrite();
    if (Block() == GetEmptyStringData())
        return -1;
    if (Block()->nAllocLength < total || IsShared()) {
        if (!ReallocBuffer(static_cast<int>(total)))
            return -1;
    }
    ReplaceInPlace(len, pOld, oldLen, pNew, newLen);
    Block()->nDataLength = static_cast<int>(total);
    m_pszData[total] = 0;
    return count;
}

// The buffer already has room for the result. Each tail moves by the size
// difference, and the search goes on after the inserted text, never in it.
template <class T, class Traits>
void TStringT<T, Traits>::ReplaceInPlace(int len, const T* pOld, int oldLen, const T* pNew, int newLen)
{
    T* end = m_pszData + len;
    *end = 0;
    for (T* seg = m_pszData; seg < end; seg += Traits::Length(seg) + 1)
        for (T* hit = const_cast<T*>(Traits::Find(seg, pOld)); hit;
             hit = const_cast<T*>(Traits::Find(seg, pOld))) {
            std::memmove(hit + newLen, hit + oldLen, (end - (hit + oldLen)) * sizeof(T));
            std::memcpy(hit, pNew, newLen * sizeof(T));
            end += newLen - oldLen;
            *end = 0;
            seg = hit + newLen;
        }
}

template <class T, class Traits>
bool operator==(const TStringT<T, Traits>& a, const TStringT<T, Traits>& b)
{
    return a.Compare(b) == 0;
}
template <class T, class Traits>
bool operator==(const TStringT<T, Traits>& a, const T* b)
{
    return a.Compare(b) == 0;
}
template <class T, class Traits>
bool operator<(const TStringT<T, Traits>& a, const TStringT<T, Traits>& b)
{
    return a.Compare(b) < 0;
}

template <class T, class Traits>
TStringT<T, Traits> operator+(const TStringT<T, Traits>& a, const T* b)
{
    TStringT<T, Traits> r;
    r.ConcatCopy(a.GetLength(), a.c_str(), Traits::Length(b), b);
    return r;
}
template <class T, class Traits>
TStringT<T, Traits> operator+(const T* a, const TStringT<T, Traits>& b)
{
    TStringT<T, Traits> r;
    r.ConcatCopy(Traits::Length(a), a, b.GetLength(), b.c_str());
    return r;
}
template <class T, class Traits>
TStringT<T, Traits> operator+(const TStringT<T, Traits>& a, const TStringT<T, Traits>& b)
{
    TStringT<T, Traits> r;
    r.ConcatCopy(a.GetLength(), a.c_str(), b.GetLength(), b.c_str());
    return r;
}
template <class T, class Traits>
TStringT<T, Traits> operator+(const TStringT<T, Traits>& a, T ch)
{
    TStringT<T, Traits> r;
    r.ConcatCopy(a.GetLength(), a.c_str(), 1, &ch);
    return r;
}

using SStringW = TStringT<wchar_t, wchar_traits>;
using SStringA = TStringT<char, char_traits>;
using SStringT = SStringW;

// Code-page conversions between the twins (MultiByteToWideChar and back,
// flags 0, over the exact length: embedded NULs are converted too).
SStringW StringA2W(const SStringA& src, unsigned int codePage = 0);
SStringA StringW2A(const SStringW& src, unsigned int codePage = 0);

using SStringWList = SDynArray<SStringW>;

// "TYPE:NAME" appends the type and the name (which may be empty); anything
// without a colon is appended whole. Returns the array's count.
size_t ParseResId(const SStringW& id, SStringWList& out);

} // namespace DUI
