#include "platform/drawing/Pen.h"

#include "platform/drawing/GdiConstants.h"

int PenModeToRop2(TPenMode mode)
{
    switch (mode) {
    case TPenMode::pmBlack: return R2_BLACK;
    case TPenMode::pmWhite: return R2_WHITE;
    case TPenMode::pmNop: return R2_NOP;
    case TPenMode::pmNot: return R2_NOT;
    case TPenMode::pmCopy: return R2_COPYPEN;
    case TPenMode::pmNotCopy: return R2_NOTCOPYPEN;
    case TPenMode::pmMergePenNot: return R2_MERGEPENNOT;
    case TPenMode::pmMaskPenNot: return R2_MASKPENNOT;
    case TPenMode::pmMergeNotPen: return R2_MERGENOTPEN;
    case TPenMode::pmMaskNotPen: return R2_MASKNOTPEN;
    case TPenMode::pmMerge: return R2_MERGEPEN;
    case TPenMode::pmNotMerge: return R2_NOTMERGEPEN;
    case TPenMode::pmMask: return R2_MASKPEN;
    case TPenMode::pmNotMask: return R2_NOTMASKPEN;
    case TPenMode::pmXor: return R2_XORPEN;
    case TPenMode::pmNotXor: return R2_NOTXORPEN;
    }
    return R2_COPYPEN;
}

void TPen::SetColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 1)
        value = 1;
    if (value == m_width)
        return;
    m_width = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (value == m_mode)
        return;
    m_mode = value;
    Changed();
}

void TPen::Assign(const TPen& other)
{
    if (m_color == other.m_color && m_width == other.m_width && m_style == other.m_style && m_mode == other.m_mode)
        return;
    m_color = other.m_color;
    m_width = other.m_width;
    m_style = other.m_style;
    m_mode = other.m_mode;
    Changed();
}
