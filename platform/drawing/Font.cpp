#include "platform/drawing/Font.h"

#include "platform/core/Types.h"
#include "platform/drawing/Font_p.h"
#include "platform/drawing/GraphicsSystem.h"

#include <QFontInfo>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

std::string Lowered(const std::string& s)
{
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// The pixel size whose cell (ascent + descent) is the given height, for a positive
// font height. The ratio of cell to em size is measured once per family.
int PixelSizeForCellHeight(const QFont& base, int cellHeight)
{
    QFont probe = base;
    probe.setPixelSize(100);
    const QFontMetrics m(probe);
    const double cellPer100 = std::max(1, m.ascent() + m.descent());
    return std::max(1, int(std::lround(cellHeight * 100.0 / cellPer100)));
}

} // namespace

std::string FontFaceFor(const std::string& name)
{
    static const std::pair<const char*, const char*> map[] = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"ms shell dlg", "Liberation Sans"},
        {"ms shell dlg 2", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},
        {"system", "Liberation Sans"},
        {"segoe ui", "Liberation Sans"},
        {"verdana", "DejaVu Sans"},
        {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"fixedsys", "Liberation Mono"},
        {"lucida console", "DejaVu Sans Mono"},
    };
    const std::string key = Lowered(name);
    for (const auto& [from, to] : map)
        if (key == from)
            return to;
    return name.empty() ? std::string("Liberation Sans") : name;
}

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::SetName(const std::string& value)
{
    if (value == m_name)
        return;
    m_name = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (value == m_height)
        return;
    m_height = value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value)
{
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TFont::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TFont::SetCharset(uint8_t value)
{
    if (value == m_charset)
        return;
    m_charset = value;
    Changed();
}

void TFont::SetOrientation(int tenthsOfDegree)
{
    if (tenthsOfDegree == m_orientation)
        return;
    m_orientation = tenthsOfDegree;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this)
        return;
    if (m_name == other.m_name && m_height == other.m_height && m_style == other.m_style && m_color == other.m_color
        && m_charset == other.m_charset && m_orientation == other.m_orientation)
        return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_style = other.m_style;
    m_color = other.m_color;
    m_charset = other.m_charset;
    m_orientation = other.m_orientation;
    Changed();
}

void TFont::AssignLogFont(const LOGFONT& lf)
{
    m_name = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
    m_height = lf.lfHeight;
    TFontStyles style;
    style.set(TFontStyle::fsBold, lf.lfWeight >= 600);
    style.set(TFontStyle::fsItalic, lf.lfItalic != 0);
    style.set(TFontStyle::fsUnderline, lf.lfUnderline != 0);
    style.set(TFontStyle::fsStrikeOut, lf.lfStrikeOut != 0);
    m_style = style;
    m_charset = lf.lfCharSet;
    m_orientation = lf.lfEscapement;
    Changed();
}

LOGFONT TFont::ToLogFont() const
{
    LOGFONT lf;
    lf.lfHeight = m_height;
    lf.lfEscapement = m_orientation;
    lf.lfOrientation = m_orientation;
    lf.lfWeight = m_style.contains(TFontStyle::fsBold) ? 700 : 400;
    lf.lfItalic = m_style.contains(TFontStyle::fsItalic);
    lf.lfUnderline = m_style.contains(TFontStyle::fsUnderline);
    lf.lfStrikeOut = m_style.contains(TFontStyle::fsStrikeOut);
    lf.lfCharSet = m_charset;
    std::strncpy(lf.lfFaceName, m_name.c_str(), sizeof lf.lfFaceName - 1);
    return lf;
}

std::string TFont::ResolvedFamily() const
{
    return QFontInfo(QFontOf(*this)).family().toStdString();
}

TFont::Cache& FontAccess::Get(const TFont& font)
{
    if (font.m_cache && font.m_cacheRevision == font.Revision())
        return *font.m_cache;
    EnsureGraphicsSystem();
    QFont f(QString::fromStdString(FontFaceFor(font.m_name)));
    // Text is laid out glyph after glyph without kerning, as the classic text calls
    // do, so that the width of a string is the sum of the widths of its parts and
    // measuring a prefix tells where the next character starts.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoSubpixelAntialias | QFont::PreferMatch));
    f.setBold(font.m_style.contains(TFontStyle::fsBold));
    f.setItalic(font.m_style.contains(TFontStyle::fsItalic));
    f.setUnderline(font.m_style.contains(TFontStyle::fsUnderline));
    f.setStrikeOut(font.m_style.contains(TFontStyle::fsStrikeOut));
    if (font.m_height < 0)
        f.setPixelSize(-font.m_height);
    else if (font.m_height > 0)
        f.setPixelSize(PixelSizeForCellHeight(f, font.m_height));
    else
        f.setPixelSize(11);
    font.m_cache = std::make_unique<TFont::Cache>(f);
    font.m_cacheRevision = font.Revision();
    return *font.m_cache;
}
