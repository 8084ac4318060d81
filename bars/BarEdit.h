// Items that show a text in a bar: TzqBarWindowItem holds the text and the key and
// focus events; TzqBarEdit is the edit box item.
#pragma once

#include "bars/BarItem.h"
#include "platform/controls/ControlTypes.h"

class TzqBarWindowItem : public TzqBarItem {
public:
    explicit TzqBarWindowItem(TComponent* AOwner);

    // A different text refreshes the item's controls and fires OnChange (not while
    // loading).
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& value);

    // A window item is edited, not clicked.
    bool CanClicked() const override { return false; }

    TNotifyEvent OnChange;
    TNotifyEvent OnCurChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    virtual void TextChanged() {}

private:
    std::string m_text;
};

class TzqBarEdit : public TzqBarWindowItem {
public:
    explicit TzqBarEdit(TComponent* AOwner);

    // Values of 0 and below mean no limit (0).
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool value);
    // At least 20.
    int Width() const { return m_width; }
    void SetWidth(int value);

    // In a bar an edit answers its accelerator only when it shows its caption.
    bool CanBeActivatedByKey(const TzqBarItemLink* Link) const override;

private:
    int m_maxLength = 0;
    bool m_readOnly = false;
    bool m_showCaption = false;
    int m_width = 100;
};
