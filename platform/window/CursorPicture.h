// TCursorPicture: a 32 x 32 cursor drawn cell by cell, for the cursors components
// register in the cursor table. Each cell is black ('X'), white ('o') or transparent
// (' '); Paint turns the cells into the picture and mask SetCustomCursor takes.
#pragma once

#include <array>
#include <initializer_list>

class TBitmap;

class TCursorPicture {
public:
    static constexpr int Size = 32;

    TCursorPicture() { m_cells.fill(' '); }

    // Cells outside the picture are ignored.
    void Set(int x, int y, char c);
    char At(int x, int y) const;

    // Stamps rows of art with their top-left corner at (x, y); blanks in the art leave
    // the picture as it is.
    void Stamp(int x, int y, std::initializer_list<const char*> rows);
    // A box with a black frame and a white inside.
    void Box(int left, int top, int right, int bottom);
    // A frame of alternating black and white cells (the outline of something dragged).
    void DottedFrame(int left, int top, int right, int bottom);
    // The standard pointer arrow, its tip at (0, 0): the hot spot of drag cursors.
    void Arrow();
    // A boxed plus sign in the lower right corner: the mark of a copy.
    void PlusBadge();

    void Paint(TBitmap& image, TBitmap& mask) const;

private:
    std::array<char, Size * Size> m_cells{};
};
