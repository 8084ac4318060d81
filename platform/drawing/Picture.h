// A picture: an optional graphic a control shows (a background, a glyph). The graphic
// is kept as a bitmap of its own; a picture without one is empty. Observers hear of
// every change through OnChange.
#pragma once

#include "platform/core/Object.h"

#include <functional>
#include <memory>

class TBitmap;

class TPicture : public TObject {
public:
    TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    ~TPicture() override;

    // The graphic, or null when the picture is empty.
    TBitmap* Graphic() const { return m_bitmap.get(); }
    // True when the picture holds a graphic with at least one pixel.
    bool HasGraphic() const;
    int Width() const;
    int Height() const;

    // Copies the bitmap's pixels into the picture (null or an empty bitmap empties it).
    void SetBitmap(const TBitmap* bitmap);
    // Copies another picture's graphic.
    void Assign(const TPicture& source);
    void Clear() { SetBitmap(nullptr); }

    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed();
    std::unique_ptr<TBitmap> m_bitmap;
};
