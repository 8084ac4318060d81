#include "platform/window/Cursors.h"

#include "platform/drawing/Bitmap.h"
#include "platform/window/WindowSystem_p.h"

#include <map>

using namespace ws;

namespace {

// Never destroyed: a window system shut down from a static object's destructor at exit
// still clears it, whatever the order the statics go in.
std::map<HCURSOR, std::unique_ptr<TCustomCursor>>& Table()
{
    static auto* table = new std::map<HCURSOR, std::unique_ptr<TCustomCursor>>;
    return *table;
}

unsigned g_version = 0;

// The back end shows the new picture at once when the cursor is the current one.
void RefreshIfCurrent(HCURSOR number)
{
    auto& s = S();
    if (s.cursor == number && s.backend)
        s.backend->SetCursorShape(s.cursorShowCount >= 0 ? CursorShapeFor(number) : 0);
}

} // namespace

bool IsStandardCursor(HCURSOR number)
{
    switch (number) {
    case 0:
    case IDC_ARROW:
    case IDC_IBEAM:
    case IDC_WAIT:
    case IDC_CROSS:
    case IDC_UPARROW:
    case IDC_SIZENWSE:
    case IDC_SIZENESW:
    case IDC_SIZEWE:
    case IDC_SIZENS:
    case IDC_SIZEALL:
    case IDC_NO:
    case IDC_HAND:
    case IDC_APPSTARTING:
    case IDC_HELP:
    case IDC_HSPLIT:
    case IDC_VSPLIT:
    case IDC_DRAG:
    case IDC_MULTIDRAG:
    case IDC_NODROP:
        return true;
    default:
        return false;
    }
}

bool SetCustomCursor(HCURSOR number, const TBitmap& image, const TBitmap& mask, TPoint hotSpot)
{
    if (IsStandardCursor(number) || image.Empty())
        return false;
    if (!mask.Empty() && (mask.Width() != image.Width() || mask.Height() != image.Height()))
        return false;
    if (!TRect(0, 0, image.Width(), image.Height()).Contains(hotSpot))
        return false;
    auto cursor = std::make_unique<TCustomCursor>();
    cursor->image.Assign(image);
    if (!mask.Empty()) {
        cursor->mask.Assign(mask);
        cursor->mask.SetMonochrome(true);
    }
    cursor->hotSpot = hotSpot;
    cursor->version = ++g_version;
    Table()[number] = std::move(cursor);
    RefreshIfCurrent(number);
    return true;
}

bool RemoveCustomCursor(HCURSOR number)
{
    if (!Table().erase(number))
        return false;
    RefreshIfCurrent(number);
    return true;
}

bool IsCustomCursor(HCURSOR number)
{
    return Table().count(number) != 0;
}

const TCustomCursor* CustomCursorFor(HCURSOR number)
{
    auto it = Table().find(number);
    return it == Table().end() ? nullptr : it->second.get();
}

namespace ws {

HCURSOR CursorShapeFor(HCURSOR number)
{
    return IsStandardCursor(number) || IsCustomCursor(number) ? number : IDC_ARROW;
}

void ClearCustomCursors()
{
    Table().clear();
}

} // namespace ws
