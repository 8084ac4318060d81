// The demonstration program's pictures, drawn by its own code: the chart's node
// pictures, the side bar's, the inspector's, and the toolbar glyphs. Every picture sits
// on the key colour clFuchsia, which image lists take as transparent.
#pragma once

class TImageList;
class TBitmap;

namespace Artwork {

constexpr int kTreeLargeCount = 11;   // 32 x 32: a person, then the ten trades of the Image row
constexpr int kSideBarCount = 3;      // 32 x 32
constexpr int kInspectorImageCount = 10; // 16 x 16: the ten trades
constexpr int kInspectorShapeCount = 4;  // 16 x 16: the four shapes
enum ToolbarGlyph { tgAddNode, tgAddChild, tgRenameNode, tgDeleteNode, tgFullExpand, tgFullCollapse, tgCount };

void FillTreeLarge(TImageList& list);
void FillSideBar(TImageList& list);
void FillInspectorImage(TImageList& list);
void FillInspectorShape(TImageList& list);
// One 16 x 16 toolbar glyph.
void PaintToolbarGlyph(ToolbarGlyph glyph, TBitmap& bitmap);

} // namespace Artwork
