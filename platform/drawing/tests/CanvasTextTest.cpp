#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

namespace {

// A white bitmap whose canvas draws black text on an opaque yellow background, so
// that the area a text call fills shows.
struct TextSurface {
    TBitmap bitmap;
    TCanvas* c;
    TextSurface(int w, int h) : bitmap(w, h), c(bitmap.Canvas())
    {
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(-11);
        c->Font()->SetColor(clBlack);
        c->Brush()->SetColor(clYellow);
    }
};

} // namespace

TEST(Font, ClassicFacesMapToInstalledFaces)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    for (const char* face : {"Arial", "MS Sans Serif", "Tahoma"}) {
        font.SetName(face);
        EXPECT_EQ(font.ResolvedFamily(), "Liberation Sans") << face;
    }
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
}

TEST(Font, ChangesFireOnChangeOnlyForRealChanges)
{
    TFont font;
    int changes = 0;
    TObject* sender = nullptr;
    font.OnChange = [&](TObject* s) { ++changes, sender = s; };
    font.SetHeight(-11);
    font.SetStyle({TFontStyle::fsBold});
    font.SetStyle({TFontStyle::fsBold});
    font.SetColor(clRed);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(sender, &font);
}

TEST(TextMetrics, HeightsFollowTheFontHeightConvention)
{
    TBitmap b(10, 10);
    TCanvas* c = b.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-20); // character height: the cell is taller by the internal leading
    TEXTMETRIC tm = c->GetTextMetrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmHeight, 20);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 20);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_EQ(c->TextHeight("Wg"), tm.tmHeight);

    c->Font()->SetHeight(23); // cell height
    EXPECT_EQ(c->GetTextMetrics().tmHeight, 23);

    const int ab = c->TextWidth("AB");
    EXPECT_EQ(c->TextWidth("A") + c->TextWidth("B"), ab) << "widths add up: no kerning";
    EXPECT_EQ(c->TextExtent(""), TSize(0, 0)) << "an empty text has no height either";
}

TEST(DrawText, CalcRectIsExactlyTheAreaTheDrawingFills)
{
    struct Case {
        const char* text;
        unsigned flags;
        int width;
    };
    const Case cases[] = {
        {"Hello world", DT_SINGLELINE, 200},
        {"Organisation chart node caption", DT_WORDBREAK, 60},
        {"Organisation chart node caption", DT_WORDBREAK | DT_CENTER, 60},
        {"Two\nlines", 0, 200},
        {"&File", DT_SINGLELINE, 200},
    };
    for (const Case& k : cases) {
        TextSurface s(220, 120);
        TRect calc(10, 10, 10 + k.width, 10);
        const int height = s.c->DrawText(k.text, calc, k.flags | DT_CALCRECT);
        EXPECT_EQ(height, calc.Height()) << k.text;
        EXPECT_EQ(InkBounds(s.bitmap, clWhite), TRect()) << "measuring draws nothing";
        TRect draw = calc;
        s.c->DrawText(k.text, draw, k.flags);
        EXPECT_EQ(InkBounds(s.bitmap, clWhite), calc) << k.text;
    }
}

TEST(DrawText, WrapsAtSpacesAndCentresEachLine)
{
    TextSurface s(200, 100);
    const int lineHeight = s.c->TextHeight("X");
    const int lineWidth = s.c->TextWidth("alpha beta");
    TRect r(0, 0, lineWidth + 2, 0);
    s.c->DrawText("alpha beta gamma", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r, TRect(0, 0, lineWidth, 2 * lineHeight)) << "'alpha beta' / 'gamma'";

    // Centred: the short second line sits in the middle of the box.
    const int boxWidth = lineWidth + 11;
    TRect box(0, 0, boxWidth, 60);
    s.c->DrawText("alpha beta gamma", box, DT_WORDBREAK | DT_CENTER);
    const int gamma = s.c->TextWidth("gamma");
    TBitmap secondLine(boxWidth, lineHeight);
    secondLine.Canvas()->CopyRect(TRect(0, 0, boxWidth, lineHeight), s.c, TRect(0, lineHeight, boxWidth, 2 * lineHeight));
    const int left = (boxWidth - gamma) / 2;
    // The background fills the line's cell (glyph ink may overhang it by a pixel).
    EXPECT_EQ(ColorBounds(secondLine, clYellow), TRect(left, 0, left + gamma, lineHeight));

    // A word wider than the line stays whole, unless the edit-control style breaks it.
    TRect narrow(0, 0, 10, 0);
    s.c->DrawText("unbreakable", narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(narrow, TRect(0, 0, s.c->TextWidth("unbreakable"), lineHeight));
    TRect broken(0, 0, 20, 0);
    s.c->DrawText("unbreakable", broken, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    EXPECT_GT(broken.Height(), lineHeight);
    EXPECT_LE(broken.Width(), 20);
}

TEST(DrawText, VerticalPlacementAndPrefixes)
{
    TextSurface s(100, 40);
    const int lineHeight = s.c->TextHeight("X");
    TRect box(0, 0, 100, 40);
    const int answer = s.c->DrawText("Mid", box, DT_SINGLELINE | DT_VCENTER);
    const int top = (40 - lineHeight) / 2;
    EXPECT_EQ(answer, top + lineHeight);
    EXPECT_EQ(InkBounds(s.bitmap, clWhite).Top, top);
    EXPECT_EQ(InkBounds(s.bitmap, clWhite).Bottom, top + lineHeight);

    // "&&" is one ampersand; "&S" underlines S: same width as the text without prefixes.
    TRect a(0, 0, 100, 0), b(0, 0, 100, 0);
    s.c->DrawText("&Save && close", a, DT_SINGLELINE | DT_CALCRECT);
    s.c->DrawText("Save & close", b, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(a, b);

    // The underline of the prefixed character is drawn below the baseline.
    TextSurface u(60, 20), plain(60, 20);
    u.c->Brush()->SetStyle(TBrushStyle::bsClear);
    plain.c->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect ur(0, 0, 60, 20), pr(0, 0, 60, 20);
    u.c->DrawText("&xy", ur, DT_SINGLELINE);
    plain.c->DrawText("&xy", pr, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_NE(PixelArt(u.bitmap, {{clWhite, '.'}}), PixelArt(plain.bitmap, {{clWhite, '.'}}));
}

TEST(DrawText, EllipsisShortensToTheRectangle)
{
    TextSurface s(200, 20);
    TRect r(0, 0, 50, 0);
    s.c->DrawText("A caption much too long for fifty pixels", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(r.Width(), 50);
    EXPECT_GT(r.Width(), s.c->TextWidth("..."));
    TRect p(0, 0, 90, 0);
    s.c->DrawText("C:\\Program Files\\Velmora\\chart.db", p, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(p.Width(), 90);
}

TEST(ExtTextOut, OpaqueFillsTheRectangleAndClippedKeepsInside)
{
    TextSurface s(80, 30);
    s.c->SetBkColor(clBlue);
    const TRect r(5, 5, 40, 20);
    s.c->ExtTextOut(6, 6, ETO_OPAQUE | ETO_CLIPPED, &r, "Clipped text that runs on");
    EXPECT_EQ(InkBounds(s.bitmap, clWhite), r);
    EXPECT_EQ(s.bitmap.Pixel(5, 5), clBlue);

    // Transparent mode draws only the glyphs.
    TextSurface t(80, 30);
    t.c->SetBkMode(TRANSPARENT);
    t.c->TextOut(2, 2, "ab");
    const TRect ink = InkBounds(t.bitmap, clWhite);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_EQ(t.bitmap.Pixel(ink.Left, ink.Top) == clYellow, false);
}

TEST(TextOut, OrientationTurnsTextCounterClockwiseAboutItsStart)
{
    // Vertical text (900 tenths of a degree) runs upwards from the reference point,
    // its cell to the right of it.
    TextSurface s(40, 120);
    s.c->SetBkMode(TRANSPARENT);
    s.c->Font()->SetOrientation(900);
    s.c->TextOut(5, 110, "Vertical");
    const TRect ink = InkBounds(s.bitmap, clWhite);
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_LE(ink.Bottom, 111);
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Right, 5 + s.c->TextHeight("X") + 1);
}

namespace {

// Greedy word wrapping measured word by word, as the lines should come out: each line
// the longest run of whole words that fits; a word too wide alone stays whole, or with
// `breakWords` is cut where it stops fitting (at least one character a line).
std::vector<std::string> ReferenceWrap(TCanvas& c, const std::string& text, int width, bool breakWords)
{
    std::vector<std::string> lines;
    size_t start = 0;
    const size_t n = text.size();
    auto wordEnd = [&](size_t p) {
        while (p < n && text[p] == ' ')
            ++p;
        while (p < n && text[p] != ' ')
            ++p;
        return p;
    };
    while (start < n) {
        size_t end = 0;
        bool any = false;
        for (size_t p = start; p < n;) {
            const size_t next = wordEnd(p);
            if (c.TextWidth(text.substr(start, next - start)) > width)
                break;
            end = p = next;
            any = true;
        }
        if (!any) {
            end = wordEnd(start);
            if (breakWords) {
                size_t fit = start + 1;
                while (fit < end && c.TextWidth(text.substr(start, fit + 1 - start)) <= width)
                    ++fit;
                end = fit;
            }
        }
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
        start = end;
        while (start < n && text[start] == ' ')
            ++start;
    }
    return lines;
}

} // namespace

// Wrapping searches for the length that fits instead of measuring every candidate;
// the lines must be the same as a word-by-word wrap gives.
TEST(DrawText, WrappedLinesMatchAWordByWordWrap)
{
    TextSurface s(10, 10);
    const int lineHeight = s.c->TextHeight("X");
    const std::vector<std::string> texts = {
        "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda",
        "  leading spaces and   several   between words",
        "Supercalifragilisticexpialidocious is a long word in a short line",
        "a b c d e f g h i j k l m n o p q r s t u v w x y z",
        std::string(300, 'W'),
        "ends with spaces   ",
    };
    for (const std::string& text : texts)
        for (int width : {1, 12, 40, 75, 130, 400})
            for (bool breakWords : {false, true}) {
                SCOPED_TRACE(text.substr(0, 20) + " width " + std::to_string(width) + (breakWords ? " breaking" : ""));
                const std::vector<std::string> lines = ReferenceWrap(*s.c, text, width, breakWords);
                int widest = 0;
                for (const std::string& line : lines)
                    widest = std::max(widest, s.c->TextWidth(line));
                TRect r(0, 0, width, 0);
                s.c->DrawText(text, r, DT_WORDBREAK | DT_CALCRECT | (breakWords ? DT_EDITCONTROL : 0u));
                EXPECT_EQ(r.Height(), int(lines.size()) * lineHeight);
                EXPECT_EQ(r.Width(), widest);
            }
}

TEST(DrawText, EllipsisKeepsTheLongestPrefixThatFitsWithTheDots)
{
    TextSurface s(10, 10);
    const std::string text = "A caption much too long for the room it is given";
    for (int width : {0, 5, 20, 50, 90, 150}) {
        SCOPED_TRACE(width);
        std::string expected = "...";
        for (size_t keep = text.size() - 1; keep > 0; --keep)
            if (s.c->TextWidth(text.substr(0, keep) + "...") <= width) {
                expected = text.substr(0, keep) + "...";
                break;
            }
        TRect r(0, 0, width, 0);
        s.c->DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
        EXPECT_EQ(r.Width(), s.c->TextWidth(expected));
    }
}

TEST(DrawText, AHundredThousandCharacterWordWrapsAndEllipsizes)
{
    TextSurface s(10, 10);
    const int lineHeight = s.c->TextHeight("X");
    const std::string word(100000, 'i');
    ASSERT_EQ(s.c->TextWidth(std::string(10, 'i')), 10 * s.c->TextWidth("i")) << "widths of parts add up";
    TRect r(0, 0, 10 * s.c->TextWidth("i"), 0);
    s.c->DrawText(word, r, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    EXPECT_EQ(r.Height(), 10000 * lineHeight);
    TRect e(0, 0, 60, 0);
    s.c->DrawText(word, e, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(e.Width(), 60);
    EXPECT_GT(e.Width(), s.c->TextWidth("..."));
}
