// An image list: images of one size kept side by side with their masks, drawn by
// index at a point, normally or transparently, blended for focus and selection, or
// embossed when disabled. Controls hear of changes through registered change links.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Component.h"
#include "platform/drawing/ChangeLink.h"

#include <functional>
#include <memory>

class TBitmap;
class TCanvas;

enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType { itImage, itMask };

// A component: forms own their image lists, and controls that show one ask for free
// notification so that their reference is cleared when the list goes.
class TImageList : public TComponent {
public:
    explicit TImageList(int width = 16, int height = 16);
    TImageList(TComponent* AOwner, int width, int height);
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;
    ~TImageList() override;

    int Width() const;
    int Height() const;
    // Changing the size removes every image. Sizes below 1 raise EInvalidOperation.
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    int Count() const;

    // With Masked off, images are drawn without transparency.
    bool Masked() const;
    void SetMasked(bool value);
    // Background (clNone: transparent) and blend colour (clNone: none; clDefault:
    // the highlight colour).
    TColor BkColor() const;
    void SetBkColor(TColor value);
    TColor BlendColor() const;
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const;
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const;
    void SetImageType(TImageType value);

    // Adds the images of a strip (as many as fit its width, at least one); the mask
    // is white where the image is transparent (null: all opaque). Answers the index
    // of the first image added.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds with the pixels of the mask colour transparent; clDefault takes the
    // bitmap's transparent colour (its bottom-left pixel).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    // Copies image or mask number index into the bitmap, sized to the list's images.
    void GetBitmap(int index, TBitmap* image) const;
    void GetMask(int index, TBitmap* mask) const;

    // Draws image index at (x, y) in the list's style and colours; disabled images
    // appear embossed. An index out of range draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
    // Draws with explicit colours and ILD_* style; bk and fg take CLR_NONE,
    // CLR_DEFAULT or an RGB value. A width or height of 0 means the image's own.
    void DrawEx(TCanvas* canvas, int x, int y, int index, int width, int height, TColor bk, TColor fg, unsigned style) const;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    std::function<void(TObject* Sender)> OnChange;

private:
    void Change();
    struct Private;
    std::unique_ptr<Private> d;
};

// The handle-style drawing call.
bool ImageList_DrawEx(const TImageList* list, int index, TCanvas* dc, int x, int y, int dx, int dy, TColor bk, TColor fg,
                      unsigned style);
