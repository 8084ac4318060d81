// A label: text drawn on its parent, sized to the text unless AutoSize is off, with
// the & prefix underlined.
#pragma once

#include "platform/controls/CustomControl.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);

    // Fits the label to its text now (done by itself on changes while AutoSize is on).
    void AdjustBounds();

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    unsigned TextFlags() const;
    bool m_autoSize = true;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TTextLayout m_layout = TTextLayout::tlTop;
    bool m_wordWrap = false;
    bool m_transparent = false;
    bool m_showAccelChar = true;
};
