// Fonts: face name, height in pixels (negative: character height without internal
// leading; positive: cell height), size in points at 96 pixels per inch, style,
// colour, character set and orientation (tenths of a degree, counter-clockwise).
// Face names of the classic desktop are mapped to installed faces (FontFaceFor).
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Set.h"
#include "platform/drawing/GraphicsObject.h"

#include <cstdint>
#include <memory>
#include <string>

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, uint8_t>;

constexpr int ScreenPixelsPerInch = 96;

// A logical font description as the system settings hand it out.
struct LOGFONT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 400;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 1;
    char lfFaceName[32] = {};
};

class TFont : public TGraphicsObject {
public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    ~TFont() override;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value);
    int Height() const { return m_height; }
    void SetHeight(int value);
    // Points: -Height * 72 / 96, rounded; setting it sets Height negative.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    uint8_t Charset() const { return m_charset; }
    void SetCharset(uint8_t value);
    int Orientation() const { return m_orientation; }
    void SetOrientation(int tenthsOfDegree);

    void Assign(const TFont& other);
    void AssignLogFont(const LOGFONT& logFont);
    LOGFONT ToLogFont() const;

    // The installed family the text is actually drawn with.
    std::string ResolvedFamily() const;

private:
    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TFontStyles m_style;
    TColor m_color = clWindowText;
    uint8_t m_charset = 1;
    int m_orientation = 0;

    struct Cache;
    mutable std::unique_ptr<Cache> m_cache;
    mutable uint64_t m_cacheRevision = ~uint64_t(0);
    friend struct FontAccess;
};

// The installed face drawn for a face name of the classic desktop: "Arial" and
// "Helvetica" get the metric-compatible Liberation Sans, "MS Sans Serif", "Tahoma" and
// the other dialog faces a clean installed sans face; unknown names pass through and
// the font system picks its nearest match.
std::string FontFaceFor(const std::string& name);
