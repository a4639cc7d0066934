#pragma once
// An image the engine decoded: premultiplied BGRA rows, top-down.
#include <vector>

namespace node {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;
};

} // namespace node
