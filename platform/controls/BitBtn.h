// A push button with a picture beside its caption. The picture is the Glyph bitmap
// (NumGlyphs pictures side by side: up, disabled, pressed, down) or, for the standard
// kinds, a picture of our own drawing. A kind also brings its caption, its modal
// result and its default or cancel role: bkOK is "OK", a green check, the default
// button and mrOk; bkCancel is "Cancel", a red cross, the cancel button and mrCancel.
#pragma once

#include "platform/controls/Button.h"

#include <memory>

class TBitmap;

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

constexpr TModalResult mrAll = 8;

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const { return m_kind; }
    // Sets the caption, glyph, modal result and default/cancel role of the kind;
    // bkCustom keeps what the button has.
    void SetKind(TBitBtnKind value);

    // The program's picture (copied); an empty bitmap removes it. A kind's own
    // picture is used while the button has none of its own.
    TBitmap* Glyph() const;
    void SetGlyph(const TBitmap* value);
    int NumGlyphs() const { return m_numGlyphs; }
    // 1 to 4; other values are ignored.
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout value);
    // Pixels between the edge and the picture; -1 centres picture and caption.
    int Margin() const { return m_margin; }
    void SetMargin(int value);
    // Pixels between the picture and the caption.
    int Spacing() const { return m_spacing; }
    void SetSpacing(int value);

    // bkClose closes the form; the others act as a TButton.
    void Click() override;

    // The picture the button shows now (the program's or the kind's), or null.
    const TBitmap* ShownGlyph() const;

protected:
    void PaintContent(TRect rect, bool pressed) override;

private:
    void DrawGlyph(TCanvas* c, int x, int y, bool pressed);
    std::unique_ptr<TBitmap> m_glyph;
    std::unique_ptr<TBitmap> m_kindGlyph;
    TBitBtnKind m_kind = TBitBtnKind::bkCustom;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
};
