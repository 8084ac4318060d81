#include "platform/drawing/Brush.h"

#include "platform/drawing/Bitmap.h"

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor value)
{
    const bool becomesSolid = m_style == TBrushStyle::bsClear;
    if (value == m_color && !becomesSolid)
        return;
    m_color = value;
    if (becomesSolid)
        m_style = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TBrush::SetBitmap(const TBitmap* pattern)
{
    if (!pattern || pattern->Empty()) {
        if (!m_hasPattern)
            return;
        m_hasPattern = false;
        Changed();
        return;
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            m_pattern[size_t(y * 8 + x)] = pattern->Pixel(x % pattern->Width(), y % pattern->Height());
    m_hasPattern = true;
    m_patternMono = pattern->Monochrome();
    Changed();
}

void TBrush::Assign(const TBrush& other)
{
    if (&other == this)
        return;
    m_color = other.m_color;
    m_style = other.m_style;
    m_hasPattern = other.m_hasPattern;
    m_patternMono = other.m_patternMono;
    m_pattern = other.m_pattern;
    Changed();
}

void MakeHalftonePattern(TBitmap& bitmap)
{
    bitmap.SetMonochrome(true);
    bitmap.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bitmap.SetPixel(x, y, ((x ^ y) & 1) == 0 ? clBlack : clWhite);
}
