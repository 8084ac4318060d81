// The process-wide objects of the library: the default edit style controller and the
// shared brushes.
#include "editors/EditStyleController.h"
#include "editors/SharedBrushes.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"

namespace {

struct TSharedObjects {
    TzqEditStyleController defaultController{nullptr};
    TBrush shadowBrush;
    TBrush halftoneBrush;
    TBrush disabledBrush;

    TSharedObjects()
    {
        shadowBrush.SetColor(clBtnShadow);
        TBitmap pattern(8, 8);
        MakeHalftonePattern(pattern);
        halftoneBrush.SetBitmap(&pattern);
        disabledBrush.SetColor(clBtnFace);
    }
};

TSharedObjects& Shared()
{
    static TSharedObjects objects;
    return objects;
}

// Made when the library is loaded.
const bool sharedObjectsMade = (Shared(), true);

} // namespace

TzqEditStyleController* DefaultEditStyleController()
{
    return &Shared().defaultController;
}

TBrush* ShadowBrush()
{
    return &Shared().shadowBrush;
}

TBrush* HalftoneBrush()
{
    return &Shared().halftoneBrush;
}

TBrush* DisabledEditBrush()
{
    return &Shared().disabledBrush;
}
