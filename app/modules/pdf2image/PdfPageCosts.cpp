#include "app/modules/pdf2image/PdfPageCosts.h"

#include <GlobalParams.h>
#include <PDFDoc.h>
#include <Page.h>
#include <Stream.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <numeric>
#include <set>

#include "app/core/CallStatus.h"

namespace {

void IgnorePopplerError(ErrorCategory, Goffset, const char*) {}

// A rough guess, good enough to tell a heavy figure from a text page: one
// byte of page content weighs as much as a few hundred image pixels, and a
// compressed stream holds about four times its length.
constexpr long long kContentByteWeight = 200;
constexpr long long kCompressedFactor = 4;
// Forms inside forms: deeper nesting is rare and adds little.
constexpr int kMaxFormDepth = 4;
// A page is heavy when it weighs this many times the median page.
constexpr long long kHeavyFactor = 4;

long long StreamWeight(Stream* stream)
{
    Dict* dict = stream->getDict();
    Object length = dict->lookup("Length");
    long long bytes = length.isInt() ? std::max(0, length.getInt()) : 0;
    if (!dict->lookup("Filter").isNull()) bytes *= kCompressedFactor;
    return bytes * kContentByteWeight;
}

long long ContentsWeight(const Object& contents)
{
    if (contents.isStream()) return StreamWeight(contents.getStream());
    long long weight = 0;
    if (contents.isArray()) {
        for (int i = 0; i < contents.arrayGetLength(); ++i) {
            Object part = contents.arrayGet(i);
            if (part.isStream()) weight += StreamWeight(part.getStream());
        }
    }
    return weight;
}

long long ResourcesWeight(Dict* resources, int depth, std::set<Ref>& seen);

// An image weighs its pixels; a form its content and what it draws in turn.
// Each object counts once per page, however often it is drawn.
long long XObjectWeight(Dict* xobjects, int i, int depth, std::set<Ref>& seen)
{
    const Object& ref = xobjects->getValNF(i);
    if (ref.isRef() && !seen.insert(ref.getRef()).second) return 0;
    Object xobject = xobjects->getVal(i);
    if (!xobject.isStream()) return 0;
    Dict* dict = xobject.getStream()->getDict();
    Object subtype = dict->lookup("Subtype");
    if (subtype.isName("Image")) {
        Object width = dict->lookup("Width"), height = dict->lookup("Height");
        if (width.isInt() && height.isInt())
            return static_cast<long long>(std::max(0, width.getInt())) * std::max(0, height.getInt());
    } else if (subtype.isName("Form") && depth < kMaxFormDepth) {
        Object resources = dict->lookup("Resources");
        return StreamWeight(xobject.getStream()) +
               (resources.isDict() ? ResourcesWeight(resources.getDict(), depth + 1, seen) : 0);
    }
    return 0;
}

long long ResourcesWeight(Dict* resources, int depth, std::set<Ref>& seen)
{
    if (!resources) return 0;
    Object xobjects = resources->lookup("XObject");
    if (!xobjects.isDict()) return 0;
    long long weight = 0;
    for (int i = 0; i < xobjects.dictGetLength(); ++i) weight += XObjectWeight(xobjects.getDict(), i, depth, seen);
    return weight;
}

long long PageWeight(PDFDoc& doc, int page)
{
    if (page < 1 || page > doc.getNumPages()) return 0;
    Page* p = doc.getPage(page);
    if (!p) return 0;
    std::set<Ref> seen;
    return ContentsWeight(p->getContents()) + ResourcesWeight(p->getResourceDict(), 0, seen);
}

}  // namespace

std::vector<long long> EstimatePageCosts(const std::vector<char>& bytes, const std::vector<int>& pages)
{
    std::vector<long long> costs(pages.size(), 0);
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return costs;
    try {
        GlobalParamsIniter params(&IgnorePopplerError);
        // The stream reads the caller's bytes in place.
        PDFDoc doc(new MemStream(bytes.data(), 0, static_cast<Goffset>(bytes.size()), Object(objNull)));
        if (!doc.isOk()) return costs;
        for (size_t i = 0; i < pages.size(); ++i) costs[i] = PageWeight(doc, pages[i]);
    } catch (...) {
        // Only the order suffers: pages start in page order.
        LogCaughtException(L"EstimatePageCosts");
        std::fill(costs.begin(), costs.end(), 0);
    }
    return costs;
}

std::vector<size_t> HeavyPagesFirst(const std::vector<long long>& costs)
{
    std::vector<size_t> order(costs.size());
    std::iota(order.begin(), order.end(), size_t{0});
    if (costs.size() < 2) return order;
    std::vector<long long> sorted = costs;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const long long heavy = std::max(1LL, sorted[sorted.size() / 2]) * kHeavyFactor;
    // Heavy pages to the front, heaviest first; the rest keep their order.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const bool heavyA = costs[a] > heavy, heavyB = costs[b] > heavy;
        if (heavyA != heavyB) return heavyA;
        return heavyA && costs[a] > costs[b];
    });
    return order;
}
