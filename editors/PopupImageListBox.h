// TzqPopupImageListBox: the list an image editor drops down.
#pragma once

#include "editors/CustomzqPopupListBox.h"

#include <vector>

class TImageList;

// The image editor's list: one line per value, its picture and its description (on one
// line, or word-wrapped with an ellipsis with MultiLine).
class TzqPopupImageListBox : public TCustomzqPopupListBox {
public:
    explicit TzqPopupImageListBox(TzqInplaceDropDownEdit* Edit);

    const TImageList* Images() const { return m_images; }
    void SetImages(const TImageList* Value) { m_images = Value; }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool Value) { m_multiLine = Value; }
    // The image index of each line.
    void SetImageIndexes(std::vector<int> Value) { m_imageIndexes = std::move(Value); }
    // The height of a line: the font's, at least the images' + 2.
    int LineHeight() const;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;

private:
    const TImageList* m_images = nullptr;
    bool m_multiLine = false;
    std::vector<int> m_imageIndexes;
};
