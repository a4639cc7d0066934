#pragma once
// How much work each page of a PDF is, guessed before any page is drawn, so
// that the pages of a file can start heaviest first: a page that takes forty
// times the others, started in page order near the end, leaves every other
// thread idle while it alone runs on.
#include <cstddef>
#include <vector>

// Weighs each page (1-based) of the document in `bytes`: the bytes its content
// streams and the forms they draw hold, and the pixels of its images. The
// units are rough but the same for every page; a page that cannot be read
// weighs nothing.
std::vector<long long> EstimatePageCosts(const std::vector<char>& bytes, const std::vector<int>& pages);

// The order to start pages in (indices into `costs`): the pages far heavier
// than the usual page first, heaviest first, then the rest in ascending
// order, which keeps the progress moving in page order.
std::vector<size_t> HeavyPagesFirst(const std::vector<long long>& costs);
