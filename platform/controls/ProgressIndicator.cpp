#include "platform/controls/ProgressIndicator.h"

#include "platform/controls/WinControl.h"
#include "platform/core/Locale.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Painting.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// 1234567 as "1,234,567" with the locale's thousand separator.
std::string Grouped(int64_t value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    const std::string& separator = Locale().ThousandSeparator;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

} // namespace

TProgressIndicator::TProgressIndicator(TWinControl* Control, std::string What, int64_t Total)
    : m_control(Control), m_what(std::move(What)), m_total(std::max<int64_t>(Total, 0)), m_started(GetTickCount())
{
}

TProgressIndicator::~TProgressIndicator()
{
    if (m_shown && m_control && m_control->HandleAllocated())
        InvalidateRect(m_control->Handle(), &m_box, true);
}

std::string TProgressIndicator::Text(int64_t Done) const
{
    return m_what + ": " + Grouped(std::clamp<int64_t>(Done, 0, m_total)) + " of " + Grouped(m_total);
}

void TProgressIndicator::SetStage(std::string What, int64_t Total)
{
    m_what = std::move(What);
    m_total = std::max<int64_t>(Total, 0);
    m_calls = 255; // the next step looks at the clock
}

void TProgressIndicator::Step(int64_t Done)
{
    // The clock is asked every few hundred steps only.
    if (++m_calls < 256)
        return;
    m_calls = 0;
    const DWORD now = GetTickCount();
    if (DWORD(now - m_started) < kDelayMs)
        return;
    if (m_shown && DWORD(now - m_lastDrawn) < kIntervalMs)
        return;
    m_lastDrawn = now;
    Draw(Done);
}

void TProgressIndicator::Draw(int64_t Done)
{
    if (!m_control || !m_control->HandleAllocated() || !IsWindowVisible(m_control->Handle()))
        return;
    const HWND handle = m_control->Handle();
    if (!m_shown) {
        // The window may have been shown just before the work began: what is waiting to
        // be painted is painted first (a control in the middle of an update is not).
        if (HWND top = GetAncestorTopLevel(handle))
            RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    HDC dc = GetDC(handle);
    if (!dc)
        return;
    TCanvas& canvas = *dc;
    canvas.Font()->Assign(*m_control->Font());
    const std::string text = Text(Done);
    const int textWidth = canvas.TextWidth(text);
    const int textHeight = canvas.TextHeight(text);
    TRect client;
    GetClientRect(handle, client);
    const int width = std::min(std::max(textWidth + 32, 300), std::max(client.Width() - 8, 40));
    const int height = textHeight + 34;
    const int left = client.Left + (client.Width() - width) / 2;
    const int top = client.Top + (client.Height() - height) / 2;
    m_box = TRect(left, top, left + width, top + height);

    canvas.Brush()->SetColor(clBtnFace);
    canvas.Pen()->SetColor(clBtnShadow);
    canvas.Rectangle(m_box);
    canvas.Font()->SetColor(clBtnText);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(left + (width - textWidth) / 2, top + 8, text);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    // The bar: the part done filled, the rest the window colour.
    const TRect bar(left + 12, top + 14 + textHeight, left + width - 12, top + height - 8);
    canvas.Brush()->SetColor(clWindow);
    canvas.Rectangle(bar);
    const int64_t filled = m_total > 0 ? int64_t(bar.Width() - 2) * std::clamp<int64_t>(Done, 0, m_total) / m_total : 0;
    if (filled > 0) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.FillRect(TRect(bar.Left + 1, bar.Top + 1, bar.Left + 1 + int(filled), bar.Bottom - 1));
    }
    ReleaseDC(handle, dc);
    m_shown = true;
    UpdateDisplay();
}
