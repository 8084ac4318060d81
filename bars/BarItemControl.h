// TzqBarItemControl: what a bar window shows of one displayed link. The bar window
// makes one per link it lays out (CreateBarItemControl picks the kind by the item's
// class) and frees it when the link is no longer shown. A control knows the size it
// wants along and across the bar, paints itself in its rectangle, and reacts to the
// mouse the bar window routes to it.
#pragma once

#include "bars/BarPainter.h"
#include "bars/BarTypes.h"
#include "platform/core/Object.h"
#include "platform/core/Types.h"

#include <memory>
#include <string>

class TCanvas;
class TCustomzqBarControl;
class TzqBarItem;
class TzqBarItemLink;

// A control's extent in a bar: Length along the bar, Thickness across it.
struct TzqBarItemExtent {
    int Length = 0;
    int Thickness = 0;
};

class TzqBarItemControl : public TObject {
public:
    TzqBarItemControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent);
    // Lets go of the link (its Control becomes null).
    ~TzqBarItemControl() override;

    TzqBarItemLink* Link() const { return m_link; }
    TzqBarItem* Item() const;
    TCustomzqBarControl* Parent() const { return m_parent; }
    TzqBarManager* Manager() const;

    // The place in the bar window's client area.
    const TRect& Rect() const { return m_rect; }
    void SetRect(const TRect& value);

    bool LineStart() const { return m_lineStart; }
    void SetLineStart(bool value) { m_lineStart = value; }
    bool LineEnd() const { return m_lineEnd; }
    void SetLineEnd(bool value) { m_lineEnd = value; }
    bool Hot() const { return m_hot; }
    void SetHot(bool value);
    bool Pressed() const { return m_pressed; }
    void SetPressed(bool value);
    bool DroppedDown() const { return m_droppedDown; }
    void SetDroppedDown(bool value);
    bool Enabled() const;

    // The extent the control wants in a horizontal bar (Vertical false) or a vertical
    // one; Rotated: the vertical bar turns its captions.
    virtual TzqBarItemExtent CalcExtent(bool Vertical, bool Rotated) const = 0;
    // Whether an item aligned iaClient may be stretched to the end of its line.
    virtual bool CanStretch() const { return false; }
    virtual void Paint(TCanvas& Canvas, const TzqBarPainter& Painter, const TzqBarLook& Look) = 0;

    // Mouse, at client points of the bar window. A press selects and presses; a release
    // over the control clicks it.
    virtual void MouseDown(TPoint Pt);
    virtual void MouseUp(TPoint Pt);
    // Runs the item's command as a click of the user: the link is marked used, a command
    // in a menu plays "MenuCommand", the chain closes first when the item asks for it.
    virtual void Click();
    // A submenu item (or a list or container) opens a menu instead of clicking.
    virtual bool HasMenu() const { return false; }
    // Opens the menu; by keyboard its first link is selected.
    virtual void DropDown(bool ByMouse) {}
    // Whether the menu this control opened is open now.
    bool MenuOpen() const;
    // The text of the tooltip: the short hint (with the shortcut when asked).
    virtual std::string HintText() const;

protected:
    // Repaints the control's rectangle.
    void Repaint();
    // The bar's font metrics the sizes are made from.
    int TextHeight() const;
    int TextWidth(const std::string& Text) const;

private:
    TzqBarItemLink* m_link;
    TCustomzqBarControl* m_parent;
    TRect m_rect;
    bool m_lineStart = false;
    bool m_lineEnd = false;
    bool m_hot = false;
    bool m_pressed = false;
    bool m_droppedDown = false;
};

// The control of the link's kind for a bar window (null for an item of a kind that has
// none); Rotated: a vertical bar that turns its captions, where window items become
// buttons.
std::unique_ptr<TzqBarItemControl> CreateBarItemControl(TzqBarItemLink* Link, TCustomzqBarControl* Parent,
                                                        bool Rotated);

// The caption without its accelerator marks ("&&" stays one "&").
std::string StripAccelerator(const std::string& Caption);
