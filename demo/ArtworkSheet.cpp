// Renders every picture of the demonstration program, enlarged, into one PNG so that
// they can be looked at together: artwork-sheet <file.png>
#include "demo/Artwork.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/GraphicsSystem.h"
#include "platform/drawing/ImageList.h"

#include <cstdio>

int main(int argc, char** argv)
{
    EnsureGraphicsSystem();
    const char* path = argc > 1 ? argv[1] : "artwork.png";
    TImageList tree(32, 32), side(32, 32), inspector(16, 16), shapes(16, 16);
    Artwork::FillTreeLarge(tree);
    Artwork::FillSideBar(side);
    Artwork::FillInspectorImage(inspector);
    Artwork::FillInspectorShape(shapes);

    TBitmap sheet;
    sheet.SetSize(11 * 40 + 8, 4 * 40 + 8);
    TCanvas* c = sheet.Canvas();
    c->Brush()->SetColor(RGB(0xE8, 0xE8, 0xE8));
    c->FillRect(TRect(0, 0, sheet.Width(), sheet.Height()));
    TBitmap tile;
    auto row = [&](TImageList& list, int y) {
        tile.SetSize(list.Width(), list.Height());
        for (int i = 0; i < list.Count(); ++i) {
            // Each picture drawn over white, then doubled.
            tile.Canvas()->Brush()->SetColor(clWhite);
            tile.Canvas()->FillRect(TRect(0, 0, tile.Width(), tile.Height()));
            list.Draw(tile.Canvas(), 0, 0, i);
            const int scale = list.Width() == 16 ? 2 : 1;
            c->StretchDraw(TRect::FromSize(8 + i * 40, y, list.Width() * scale, list.Height() * scale), &tile);
        }
    };
    row(tree, 8);
    row(side, 48);
    row(inspector, 88);
    row(shapes, 128);
    for (int g = 0; g < Artwork::tgCount; ++g) {
        Artwork::PaintToolbarGlyph(static_cast<Artwork::ToolbarGlyph>(g), tile);
        c->StretchDraw(TRect::FromSize(8 + (5 + g) * 40, 128, 32, 32), &tile);
    }
    TBitmap big;
    big.SetSize(sheet.Width() * 2, sheet.Height() * 2);
    big.Canvas()->StretchDraw(TRect(0, 0, big.Width(), big.Height()), &sheet);
    if (!big.SaveToPngFile(path)) {
        std::fprintf(stderr, "Could not write %s\n", path);
        return 1;
    }
    std::printf("Wrote %s\n", path);
    return 0;
}
