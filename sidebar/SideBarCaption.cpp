#include "sidebar/SideBarCaption.h"

#include "platform/drawing/Canvas.h"

namespace {

const std::string Dots = "...";

// The byte offset `count` characters after `from` (or the end of the text).
size_t Advance(const std::string& s, size_t from, size_t count)
{
    size_t i = from;
    while (count > 0 && i < s.size()) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        --count;
    }
    return i;
}

} // namespace

std::string FitCaption(TCanvas& canvas, const std::string& caption, int width)
{
    auto fits = [&](size_t bytes, bool whole) {
        return canvas.TextWidth(whole ? caption : caption.substr(0, bytes) + Dots) <= width;
    };
    // Doubling: find a prefix length (in characters) that no longer fits with the dots.
    size_t good = 0, goodBytes = 0; // characters and bytes known to fit
    size_t bad = 0, badBytes = 0;   // known not to fit (0: none found yet)
    for (size_t n = 16;; n *= 2) {
        const size_t bytes = Advance(caption, goodBytes, n - good);
        if (bytes >= caption.size()) {
            // The whole caption is within reach: it may fit without dots.
            if (fits(caption.size(), true))
                return caption;
            bad = n;
            badBytes = caption.size();
            break;
        }
        if (!fits(bytes, false)) {
            bad = n;
            badBytes = bytes;
            break;
        }
        good = n;
        goodBytes = bytes;
    }
    // Halving between the two.
    while (bad - good > 1 && badBytes > goodBytes) {
        const size_t mid = good + (bad - good) / 2;
        const size_t bytes = Advance(caption, goodBytes, mid - good);
        if (bytes >= badBytes) {
            bad = mid;
            badBytes = bytes;
        } else if (fits(bytes, false)) {
            good = mid;
            goodBytes = bytes;
        } else {
            bad = mid;
            badBytes = bytes;
        }
    }
    return caption.substr(0, goodBytes) + Dots;
}
