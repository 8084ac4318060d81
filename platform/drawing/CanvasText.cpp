// Text output, measurement and formatted text (DrawText).
#include "platform/drawing/Canvas.h"

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Font_p.h"
#include "platform/drawing/Region_p.h"

#include <QColor>
#include <QString>

#include <algorithm>

namespace {

QColor ToQColor(uint32_t pixel)
{
    return QColor::fromRgb(pixel);
}

// One line of formatted text: its characters and the indexes of the characters an
// & prefix marks for underlining.
struct TTextLine {
    QString text;
    std::vector<int> underlined;
};

// Measures and draws lines with the canvas font, expanding tabs when asked.
class TLineMeasure {
public:
    TLineMeasure(const TFont& font, bool expandTabs, int tabWidth)
        : m_font(font), m_expandTabs(expandTabs), m_tabWidth(std::max(1, tabWidth)) {}

    int Width(const QString& s) const { return PrefixWidth(s, int(s.size())); }

    // Width of the first n characters (where the character n starts).
    int PrefixWidth(const QString& s, int n) const
    {
        if (!m_expandTabs)
            return TextWidthOf(m_font, n == int(s.size()) ? s : s.left(n));
        int x = 0, start = 0;
        for (int i = 0; i < n; ++i) {
            if (s[i] != QLatin1Char('\t'))
                continue;
            x += TextWidthOf(m_font, s.mid(start, i - start));
            x = (x / m_tabWidth + 1) * m_tabWidth;
            start = i + 1;
        }
        return x + TextWidthOf(m_font, s.mid(start, n - start));
    }

    // Draws the line with its left end at x, baseline at y.
    void Draw(QPainter& p, const QString& s, int x, int y) const
    {
        if (!m_expandTabs) {
            p.drawText(QPoint(x, y), s);
            return;
        }
        int start = 0;
        for (int i = 0; i <= int(s.size()); ++i) {
            if (i < int(s.size()) && s[i] != QLatin1Char('\t'))
                continue;
            if (i > start)
                p.drawText(QPoint(x + PrefixWidth(s, start), y), s.mid(start, i - start));
            start = i + 1;
        }
    }

private:
    const TFont& m_font;
    bool m_expandTabs;
    int m_tabWidth;
};

// Removes & prefixes: "&&" is one ampersand, "&x" underlines x.
TTextLine StripPrefixes(const QString& text)
{
    TTextLine line;
    for (int i = 0; i < int(text.size()); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < int(text.size())) {
            ++i;
            if (text[i] != QLatin1Char('&'))
                line.underlined.push_back(int(line.text.size()));
        } else if (text[i] == QLatin1Char('&')) {
            continue;
        }
        line.text += text[i];
    }
    return line;
}

std::vector<TTextLine> SplitParagraphs(const TTextLine& all)
{
    std::vector<TTextLine> lines(1);
    for (int i = 0; i < int(all.text.size()); ++i) {
        const QChar c = all.text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < int(all.text.size()) && all.text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines.emplace_back();
            continue;
        }
        if (std::find(all.underlined.begin(), all.underlined.end(), i) != all.underlined.end())
            lines.back().underlined.push_back(int(lines.back().text.size()));
        lines.back().text += c;
    }
    return lines;
}

TTextLine Slice(const TTextLine& line, int from, int count)
{
    TTextLine out;
    out.text = line.text.mid(from, count);
    for (int u : line.underlined)
        if (u >= from && u < from + count)
            out.underlined.push_back(u - from);
    return out;
}

// The largest count of characters from `start` (at most up to `limit`) whose width is at
// most `width`. Widths of prefixes grow with their length (no kerning), so the count is
// searched: doubling, then halving. The work follows the part that fits, however long
// the text.
int FittingCount(const QString& s, int start, int limit, int width, const TLineMeasure& m)
{
    auto fits = [&](int count) { return m.Width(s.mid(start, count)) <= width; };
    const int most = limit - start;
    int good = 0, bad = -1; // counts known to fit and known not to fit
    for (int count = 16;; count *= 2) {
        if (count >= most) {
            if (fits(most))
                return most;
            bad = most;
            break;
        }
        if (!fits(count)) {
            bad = count;
            break;
        }
        good = count;
    }
    while (bad - good > 1) {
        const int mid = good + (bad - good) / 2;
        if (fits(mid))
            good = mid;
        else
            bad = mid;
    }
    return good;
}

// Breaks a paragraph into lines no wider than width, at spaces. A word wider than a
// line stays whole unless breakWords is set, when it is cut where it stops fitting.
// Each line is the longest run of whole words that fits (spaces before a word belong to
// it); the fitting length is searched, so very long paragraphs and words wrap quickly.
void WrapParagraph(const TTextLine& para, int width, bool breakWords, const TLineMeasure& m, std::vector<TTextLine>& out)
{
    const QString& s = para.text;
    const int n = int(s.size());
    if (n == 0) {
        out.push_back(para);
        return;
    }
    const QChar space = QLatin1Char(' ');
    // The end of the word after pos (spaces before it included), at most `limit`.
    auto wordEnd = [&](int pos, int limit) {
        while (pos < limit && s[pos] == space)
            ++pos;
        while (pos < limit && s[pos] != space)
            ++pos;
        return pos;
    };
    int start = 0;
    while (start < n) {
        const int fitEnd = start + FittingCount(s, start, n, width, m);
        // The last word end within what fits.
        int end = -1;
        for (int p = fitEnd; p > start; --p)
            if (s[p - 1] != space && (p == n || s[p] == space)) {
                end = p;
                break;
            }
        if (end < 0) {
            // A word wider than the line: whole, or cut where it stops fitting (the
            // search for its end stops there too, so a huge word costs its length once).
            end = breakWords ? wordEnd(start, std::max(start + 1, fitEnd)) : wordEnd(start, n);
        }
        TTextLine line = Slice(para, start, end - start);
        while (!line.text.isEmpty() && line.text.back() == space)
            line.text.chop(1);
        out.push_back(line);
        start = end;
        while (start < n && s[start] == space)
            ++start;
    }
}

// The longest candidate(keep) for keep in [0, last] that fits the width (keep 0 when
// none does). Widths grow with keep (text is laid out without kerning), so a binary
// search finds it in a few measurements even for very long texts.
template <typename Candidate>
QString LongestFitting(int last, int width, const TLineMeasure& m, Candidate candidate)
{
    int lo = 0, hi = last; // candidate(lo) is the answer unless a longer one fits
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (m.Width(candidate(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return candidate(lo);
}

QString Ellipsized(const QString& s, int width, bool path, const TLineMeasure& m)
{
    if (m.Width(s) <= width)
        return s;
    const QString dots = QStringLiteral("...");
    const int sep = std::max(s.lastIndexOf(QLatin1Char('\\')), s.lastIndexOf(QLatin1Char('/')));
    if (path && sep > 0) {
        const QString tail = s.mid(sep);
        return LongestFitting(sep - 1, width, m, [&](int keep) { return s.left(keep) + dots + tail; });
    }
    // The longest prefix that fits with the dots (searched: prefix widths grow with
    // their length), or none.
    int good = 0, bad = int(s.size());
    while (bad - good > 1) {
        const int mid = good + (bad - good) / 2;
        if (m.Width(s.left(mid) + dots) <= width)
            good = mid;
        else
            bad = mid;
    }
    return s.left(good) + dots;
}

} // namespace

// ---- Measurement -------------------------------------------------------------------

int TCanvas::TextWidth(const std::string& text)
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text)
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text)
{
    // An empty text has no extent at all, as on the classic platform; callers that
    // want the line height measure a sample string.
    if (text.empty())
        return TSize(0, 0);
    const QFontMetrics& m = MetricsOf(m_font);
    return TSize(TextWidthOf(m_font, QString::fromStdString(text)), m.ascent() + m.descent());
}

TEXTMETRIC TCanvas::GetTextMetrics()
{
    const QFont& f = QFontOf(m_font);
    const QFontMetrics& m = MetricsOf(m_font);
    TEXTMETRIC tm;
    tm.tmAscent = m.ascent();
    tm.tmDescent = m.descent();
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - f.pixelSize());
    tm.tmExternalLeading = std::max(0, m.leading());
    tm.tmAveCharWidth = m.averageCharWidth();
    tm.tmMaxCharWidth = m.maxWidth();
    tm.tmWeight = m_font.Style().contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    tm.tmItalic = m_font.Style().contains(TFontStyle::fsItalic);
    tm.tmUnderlined = m_font.Style().contains(TFontStyle::fsUnderline);
    tm.tmStruckOut = m_font.Style().contains(TFontStyle::fsStrikeOut);
    tm.tmCharSet = m_font.Charset();
    return tm;
}

// ---- Output ----------------------------------------------------------------------

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    ExtTextOut(x, y, 0, nullptr, text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    const bool clear = m_brush.Style() == TBrushStyle::bsClear && !m_brush.HasPattern();
    ExtTextOut(x, y, ETO_CLIPPED | (clear ? 0u : ETO_OPAQUE), &rect, text);
}

void TCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const std::string& text)
{
    d->SyncTools();
    if (rect && (options & ETO_OPAQUE))
        d->PaintLogicalRect(*rect, d->SolidSource(d->bkColor, R2_COPYPEN));
    if (text.empty())
        return;
    const QString s = QString::fromStdString(text);
    const QFontMetrics& m = MetricsOf(m_font);
    const int width = TextWidthOf(m_font, s), height = m.ascent() + m.descent();
    const bool opaque = d->bkMode == OPAQUE;
    const uint32_t textPixel = d->SurfacePixel(d->textColor), bkPixel = d->SurfacePixel(d->bkColor);
    const int angle = m_font.Orientation();
    TRect affected = rect && (options & ETO_CLIPPED) ? *rect : TRect(x - width - height, y - width - height, x + width + height, y + width + height);
    d->WithPainter(affected, [&](QPainter& p) {
        if (rect && (options & ETO_CLIPPED))
            p.setClipRect(ToQRect(*rect), Qt::IntersectClip);
        p.translate(x, y);
        if (angle != 0)
            p.rotate(-angle / 10.0);
        if (opaque)
            p.fillRect(QRect(0, 0, width, height), ToQColor(bkPixel));
        p.setFont(QFontOf(m_font));
        p.setPen(ToQColor(textPixel));
        p.drawText(QPoint(0, m.ascent()), s);
    });
}

int TCanvas::DrawText(const std::string& text, TRect& rect, unsigned format)
{
    d->SyncTools();
    const QFontMetrics& m = MetricsOf(m_font);
    const int lineHeight = m.ascent() + m.descent() + ((format & DT_EXTERNALLEADING) ? std::max(0, m.leading()) : 0);
    const TLineMeasure measure(m_font, format & DT_EXPANDTABS, 8 * m.averageCharWidth());

    // Characters and underlines.
    const QString raw = QString::fromStdString(text);
    TTextLine all = (format & DT_NOPREFIX) ? TTextLine{raw, {}} : StripPrefixes(raw);
    if (format & DT_HIDEPREFIX)
        all.underlined.clear();

    // Lines.
    std::vector<TTextLine> lines;
    if (format & DT_SINGLELINE) {
        for (QChar& c : all.text)
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                c = QLatin1Char(' ');
        lines.push_back(all);
    } else {
        for (const TTextLine& para : SplitParagraphs(all)) {
            if (format & DT_WORDBREAK)
                WrapParagraph(para, rect.Width(), format & DT_EDITCONTROL, measure, lines);
            else
                lines.push_back(para);
        }
    }
    if (text.empty())
        lines.clear();
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (TTextLine& line : lines) {
            const QString cut = Ellipsized(line.text, rect.Width(), format & DT_PATH_ELLIPSIS, measure);
            if (cut != line.text) {
                line.text = cut;
                line.underlined.clear();
            }
        }

    int widest = 0;
    for (const TTextLine& line : lines)
        widest = std::max(widest, measure.Width(line.text));
    const int total = int(lines.size()) * lineHeight;

    // Vertical place: centring and bottom alignment apply to single lines only.
    int top = rect.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect.Top + (rect.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect.Bottom - lineHeight;
    }
    const int answer = top - rect.Top + total;

    if (format & DT_CALCRECT) {
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + total;
        return total;
    }
    if (lines.empty())
        return answer;

    const bool opaque = d->bkMode == OPAQUE;
    const uint32_t textPixel = d->SurfacePixel(d->textColor), bkPixel = d->SurfacePixel(d->bkColor);
    const bool clip = !(format & DT_NOCLIP);
    const int underlineThickness = std::max(1, m.lineWidth());
    d->WithPainter(clip ? rect : TRect(rect.Left - widest, top - total, rect.Right + widest, top + 2 * total), [&](QPainter& p) {
        if (clip)
            p.setClipRect(ToQRect(rect), Qt::IntersectClip);
        p.setFont(QFontOf(m_font));
        for (size_t i = 0; i < lines.size(); ++i) {
            const TTextLine& line = lines[i];
            const int y = top + int(i) * lineHeight;
            // An edit control shows no partly visible line below the first.
            if ((format & DT_EDITCONTROL) && i > 0 && y + lineHeight > rect.Bottom)
                break;
            const int w = measure.Width(line.text);
            int x = rect.Left;
            if (format & DT_CENTER)
                x = rect.Left + (rect.Width() - w) / 2;
            else if (format & DT_RIGHT)
                x = rect.Right - w;
            if (opaque)
                p.fillRect(QRect(x, y, w, lineHeight), ToQColor(bkPixel));
            p.setPen(ToQColor(textPixel));
            if (!(format & DT_PREFIXONLY))
                measure.Draw(p, line.text, x, y + m.ascent());
            for (int u : line.underlined) {
                const int ux = x + measure.PrefixWidth(line.text, u);
                const int uw = measure.PrefixWidth(line.text, u + 1) - measure.PrefixWidth(line.text, u);
                p.fillRect(QRect(ux, y + m.ascent() + 1, uw, underlineThickness), ToQColor(textPixel));
            }
        }
    });
    return answer;
}
