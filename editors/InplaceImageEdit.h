// TzqInplaceImageEdit: a value chosen from a list of values (Values), shown as the
// picture and the description of its entry, without a text field. The first entry equal
// to the value gives its description (Descriptions) and its picture (the entry's
// position with DefaultImages, else the number in ImageIndexes). Typing a character
// looks for a description beginning with what was typed; Step moves through the values;
// a press on the editor (or a click on the host's cell) drops the list of all values
// down, their pictures taken from LargeImages when set.
#pragma once

#include "editors/ImageEditViewData.h"
#include "editors/InplaceDropDownEdit.h"
#include "editors/PopupImageListBox.h"
#include "platform/core/StringList.h"
#include "platform/drawing/ChangeLink.h"

#include <memory>
#include <string>

class TImageList;

// The picture and description of value V: the first entry of Values equal to V
// (-1 when none), its description (empty past the descriptions), and its image index
// (the position with DefaultImages, else the number in ImageIndexes at that position;
// -1 past that list or when the entry is not a number).
struct TzqImageLookup {
    int Position = -1;
    std::string Description;
    int ImageIndex = -1;
};
TzqImageLookup LookupImageValue(const TStrings& Values, const TStrings& Descriptions, const TStrings& ImageIndexes,
                                bool DefaultImages, const std::string& V);

class TzqInplaceImageEditClass : public TzqInplaceDropDownEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
    TzqEditViewDataClass GetViewDataClass() const override;
    // With ShowDescription the picture at the left (in a square as wide as the images)
    // and the description beside it; without, the picture alone, centred.
    bool DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqEditViewData& ViewData) const override;
    // At least as high as the images.
    int GetDefaultHeight(const TzqEditViewData& ViewData) const override;
};

class TzqInplaceImageEdit : public TzqInplaceDropDownEdit {
public:
    // Typed characters form one search while they come less than this far apart.
    static constexpr DWORD SearchResetDelay = 2000;

    explicit TzqInplaceImageEdit(TComponent* AOwner);
    ~TzqInplaceImageEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    // ---- Properties ----
    TStringList* Values() const { return m_values.get(); }
    TStringList* Descriptions() const { return m_descriptions.get(); }
    TStringList* ImageIndexes() const { return m_imageIndexes.get(); }
    bool DefaultImages() const { return m_defaultImages; }
    void SetDefaultImages(bool Value);
    // Not owned; cleared when the list is destroyed.
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* Value);
    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* Value);
    bool MultiLineText() const { return m_multiLineText; }
    void SetMultiLineText(bool Value) { m_multiLineText = Value; }
    bool ShowDescription() const { return m_showDescription; }
    void SetShowDescription(bool Value);
    TzqPopupImageListBox* List() const { return m_list; }
    // What the typed characters look for now.
    const std::string& TypedSearch() const { return m_search; }

    // The value's entry, description and picture.
    TzqImageLookup Lookup(const std::string& Value) const;

    // ---- Drop-down operations ----
    void DropDown() override;
    void CloseUp(bool Accept) override;
    // Moves the value Delta entries, kept inside the list (from the first entry when the
    // value is not in it).
    void Step(int Delta, bool WrapAround) override;

    std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy) override;
    bool IsNativeEdit() override;
    bool GetModified() override;
    void SetModified(bool Value) override;
    void HandleKillFocus(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WMSetFocus(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Sets a value chosen by the user (only when it differs and may change; Modified).
    void ChooseValue(const std::string& Value);
    void SetImageList(TImageList*& Field, TImageList* Value);

    std::unique_ptr<TStringList> m_descriptions;
    bool m_defaultImages = true;
    std::unique_ptr<TStringList> m_imageIndexes;
    TImageList* m_images = nullptr;
    TImageList* m_largeImages = nullptr;
    TChangeLink m_imagesLink;
    TChangeLink m_largeImagesLink;
    bool m_multiLineText = false;
    TzqPopupImageListBox* m_list = nullptr;
    bool m_showDescription = false;
    std::unique_ptr<TStringList> m_values;
    bool m_modified = false;
    std::string m_search;
    DWORD m_lastKeyTime = 0;
};
