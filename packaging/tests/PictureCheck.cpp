// Looks at pictures of org charts for the install and package tests.
//   velmora-picture-check chart <png> <node>...
//       Every node is a box of one colour, RRGGBB for a top-level node, or RRGGBB^P for
//       the child of the P-th node of the list (from 0). Each colour must make exactly
//       one box (an area of the colour wider or taller than half the picture is none);
//       every child lies below its parent, siblings (top-level nodes too) lie left to
//       right in the order given at one height, a parent is centred over the row its children's branches take,
//       and lines run from the parent's bottom down to each child.
//   velmora-picture-check xwd <in.xwd> <out.png>
//       Turns a screen dump of the X server (xwd, 24 or 32 bits a pixel) into a PNG.
#include "platform/core/Color.h"
#include "platform/drawing/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kMinBoxArea = 300;

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // inclusive
    int area = 0;
    int CenterX() const { return (left + right) / 2; }
};

struct Node {
    std::string spec;
    TColor color = 0;
    int parent = -1;
    Box box;
};

int Fail(const std::string& message)
{
    std::fprintf(stderr, "FAIL: %s\n", message.c_str());
    return 1;
}

bool ParseNode(const std::string& spec, Node& node)
{
    const std::string hex = spec.substr(0, 6);
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    const unsigned long rgb = std::strtoul(hex.c_str(), nullptr, 16);
    node.spec = spec;
    node.color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    if (spec.size() > 6) {
        if (spec[6] != '^')
            return false;
        node.parent = std::atoi(spec.c_str() + 7);
    }
    return true;
}

// The regions of one colour (4-connected) of at least the minimum area.
std::vector<Box> BoxesOf(const std::vector<TColor>& pixels, int width, int height, TColor color)
{
    std::vector<Box> boxes;
    std::vector<uint8_t> seen(pixels.size(), 0);
    std::vector<int> stack;
    for (int start = 0; start < static_cast<int>(pixels.size()); ++start) {
        if (seen[start] || pixels[start] != color)
            continue;
        Box box{start % width, start / width, start % width, start / width, 0};
        stack.push_back(start);
        seen[start] = 1;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int x = at % width, y = at / width;
            ++box.area;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height)
                    continue;
                const int i = n[1] * width + n[0];
                if (!seen[i] && pixels[i] == color) {
                    seen[i] = 1;
                    stack.push_back(i);
                }
            }
        }
        // Large areas of the colour (a caption bar, a background) are no boxes.
        const bool boxSized = box.right - box.left < width / 2 && box.bottom - box.top < height / 2;
        if (box.area >= kMinBoxArea && boxSized)
            boxes.push_back(box);
    }
    // A region inside another of the colour belongs to the same box (the inside of a
    // focus frame drawn across the box).
    std::vector<Box> merged;
    for (const Box& box : boxes) {
        bool inside = false;
        for (const Box& outer : boxes)
            inside = inside || (outer.left < box.left && outer.top < box.top && outer.right > box.right &&
                                outer.bottom > box.bottom);
        if (!inside)
            merged.push_back(box);
    }
    for (Box& outer : merged)
        for (const Box& box : boxes)
            if (box.left > outer.left && box.top > outer.top && box.right < outer.right && box.bottom < outer.bottom)
                outer.area += box.area;
    return merged;
}

bool IsDescendant(const std::vector<Node>& nodes, size_t node, size_t ancestor)
{
    for (int p = nodes[node].parent; p >= 0; p = nodes[p].parent)
        if (static_cast<size_t>(p) == ancestor)
            return true;
    return false;
}

// True when a pixel other than the background lies on the column between two rows.
bool LineBetween(const std::vector<TColor>& pixels, int width, int x, int fromY, int toY, TColor background)
{
    for (int y = fromY; y <= toY; ++y)
        for (int dx = -1; dx <= 1; ++dx)
            if (x + dx >= 0 && x + dx < width && pixels[y * width + x + dx] != background)
                return true;
    return false;
}

int CheckChart(const std::string& path, const std::vector<std::string>& specs)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromPngFile(path);
    } catch (const std::exception& e) {
        return Fail(path + ": " + e.what());
    }
    const int width = bitmap.Width(), height = bitmap.Height();
    std::vector<TColor> pixels(static_cast<size_t>(width) * height);
    std::map<TColor, int> frequency;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ++frequency[pixels[y * width + x] = bitmap.Pixel(x, y)];
    const TColor background =
        std::max_element(frequency.begin(), frequency.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;

    std::vector<Node> nodes(specs.size());
    for (size_t i = 0; i < specs.size(); ++i) {
        if (!ParseNode(specs[i], nodes[i]) || nodes[i].parent >= static_cast<int>(i))
            return Fail("bad node " + specs[i] + " (RRGGBB or RRGGBB^<index of an earlier node>)");
        const std::vector<Box> boxes = BoxesOf(pixels, width, height, nodes[i].color);
        if (boxes.size() != 1) {
            for (const Box& b : boxes)
                std::printf("%s: a box at %d,%d - %d,%d\n", specs[i].c_str(), b.left, b.top, b.right, b.bottom);
            return Fail(specs[i] + ": " + std::to_string(boxes.size()) + " boxes of this colour instead of one");
        }
        nodes[i].box = boxes[0];
        const Box& b = boxes[0];
        std::printf("%s: box %d,%d - %d,%d\n", specs[i].c_str(), b.left, b.top, b.right, b.bottom);
        const int bboxArea = (b.right - b.left + 1) * (b.bottom - b.top + 1);
        if (b.area * 2 < bboxArea)
            return Fail(specs[i] + ": not a filled box (" + std::to_string(b.area) + " of " + std::to_string(bboxArea) + " pixels)");
    }

    // The top-level nodes given: one row, left to right.
    const Node* previousTop = nullptr;
    for (const Node& n : nodes) {
        if (n.parent >= 0)
            continue;
        if (previousTop && std::abs(n.box.top - previousTop->box.top) > 1)
            return Fail(n.spec + " is not at the height of " + previousTop->spec);
        if (previousTop && n.box.left <= previousTop->box.right)
            return Fail(n.spec + " is not right of " + previousTop->spec);
        previousTop = &n;
    }

    for (size_t p = 0; p < nodes.size(); ++p) {
        std::vector<const Node*> children;
        for (const Node& n : nodes)
            if (n.parent == static_cast<int>(p))
                children.push_back(&n);
        if (children.empty())
            continue;
        const Box& parent = nodes[p].box;
        for (size_t c = 0; c < children.size(); ++c) {
            const Box& child = children[c]->box;
            if (child.top <= parent.bottom)
                return Fail(children[c]->spec + " is not below its parent");
            if (std::abs(child.top - children[0]->box.top) > 1)
                return Fail(children[c]->spec + " is not at the height of its siblings");
            if (c > 0 && child.left <= children[c - 1]->box.right)
                return Fail(children[c]->spec + " is not right of " + children[c - 1]->spec);
            if (!LineBetween(pixels, width, child.CenterX(), parent.bottom + 1, child.top - 1, background))
                return Fail("no line from " + nodes[p].spec + " down to " + children[c]->spec);
        }
        // Centred over the row its children's branches take.
        int rowLeft = children.front()->box.left, rowRight = children.back()->box.right;
        for (size_t d = p + 1; d < nodes.size(); ++d)
            if (IsDescendant(nodes, d, p)) {
                rowLeft = std::min(rowLeft, nodes[d].box.left);
                rowRight = std::max(rowRight, nodes[d].box.right);
            }
        if (std::abs(parent.CenterX() - (rowLeft + rowRight) / 2) > 2)
            return Fail(nodes[p].spec + " is not centred over its children's branches");
        if (!LineBetween(pixels, width, parent.CenterX(), parent.bottom + 1, children[0]->box.top - 1, background))
            return Fail("no line down from " + nodes[p].spec);
    }
    std::printf("PASS: %zu boxes in place\n", nodes.size());
    return 0;
}

uint32_t Big32(const std::string& data, size_t at)
{
    return (uint32_t(uint8_t(data[at])) << 24) | (uint32_t(uint8_t(data[at + 1])) << 16) |
           (uint32_t(uint8_t(data[at + 2])) << 8) | uint32_t(uint8_t(data[at + 3]));
}

int Shift(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int ConvertXwd(const std::string& in, const std::string& out)
{
    std::ifstream file(in, std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (data.size() < 100)
        return Fail(in + ": not a screen dump");
    // The header is 25 big-endian numbers.
    auto field = [&](int i) { return Big32(data, static_cast<size_t>(i) * 4); };
    const uint32_t headerSize = field(0), format = field(2), width = field(4), height = field(5);
    const uint32_t byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
    const uint32_t red = field(14), green = field(15), blue = field(16), colors = field(19);
    if (field(1) != 7 || format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24))
        return Fail(in + ": only 24- and 32-bit true-colour dumps are read");
    const size_t pixelsAt = headerSize + static_cast<size_t>(colors) * 12;
    if (data.size() < pixelsAt + static_cast<size_t>(bytesPerLine) * height)
        return Fail(in + ": cut short");
    TBitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    const int bytes = static_cast<int>(bitsPerPixel / 8);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const size_t at = pixelsAt + static_cast<size_t>(y) * bytesPerLine + static_cast<size_t>(x) * bytes;
            uint32_t v = 0;
            for (int b = 0; b < bytes; ++b) {
                const uint32_t byte = uint8_t(data[at + b]);
                v |= byteOrder == 0 ? byte << (8 * b) : byte << (8 * (bytes - 1 - b));
            }
            bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y),
                            RGB((v & red) >> Shift(red), (v & green) >> Shift(green), (v & blue) >> Shift(blue)));
        }
    if (!bitmap.SaveToPngFile(out))
        return Fail("could not write " + out);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "chart" && argc > 3)
        return CheckChart(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    if (mode == "xwd" && argc == 4)
        return ConvertXwd(argv[2], argv[3]);
    std::fprintf(stderr, "usage: %s chart <png> <RRGGBB[^parent]>... | xwd <in.xwd> <out.png>\n", argv[0]);
    return 2;
}
