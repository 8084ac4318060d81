#include "platform/controls/ActionLink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A client as components write them: a command item that takes the action's caption,
// hint and enabled state while it still shows the action's values, and drops its
// binding when the action goes.
class TCommandItem : public TComponent {
public:
    explicit TCommandItem(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TCommandItem() override { BeforeDestruction(); }

    std::string Caption;
    std::string Hint;
    bool Enabled = true;
    int ChangeCount = 0;
    std::unique_ptr<TActionLink> Link;

    void SetAction(TAction* action);
    TAction* Action() const { return Link ? Link->Action() : nullptr; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && Link && AComponent == Link->Action())
            SetAction(nullptr);
    }
};

class TCommandItemLink : public TActionLink {
public:
    explicit TCommandItemLink(TCommandItem* item) : TActionLink(item), m_item(item) {}

    bool IsCaptionLinked() const override { return TActionLink::IsCaptionLinked() && m_item->Caption == Action()->Caption(); }
    bool IsHintLinked() const override { return TActionLink::IsHintLinked() && m_item->Hint == Action()->Hint(); }
    bool IsEnabledLinked() const override { return TActionLink::IsEnabledLinked() && m_item->Enabled == Action()->Enabled(); }

protected:
    void SetCaption(const std::string& value) override
    {
        if (IsCaptionLinked())
            m_item->Caption = value;
    }
    void SetHint(const std::string& value) override
    {
        if (IsHintLinked())
            m_item->Hint = value;
    }
    void SetEnabled(bool value) override
    {
        if (IsEnabledLinked())
            m_item->Enabled = value;
    }
    void Change() override
    {
        ++m_item->ChangeCount;
        TActionLink::Change();
    }

private:
    TCommandItem* m_item;
};

void TCommandItem::SetAction(TAction* action)
{
    if (!action) {
        Link.reset();
        return;
    }
    if (!Link)
        Link = std::make_unique<TCommandItemLink>(this);
    Link->SetAction(action);
    action->FreeNotification(this);
    Caption = action->Caption();
    Hint = action->Hint();
    Enabled = action->Enabled();
}

TEST(Action, ChangesReachTheBoundClientUnlessItChangedThatValue)
{
    TComponent owner;
    auto* action = new TAction(&owner);
    action->SetCaption("&Open");
    action->SetHint("Open|Opens a file");
    TCommandItem first, second;
    first.SetAction(action);
    second.SetAction(action);
    ASSERT_EQ(action->ClientCount(), 2);
    EXPECT_EQ(first.Caption, "&Open");

    second.Caption = "Open it"; // the user's own caption stays
    action->SetCaption("&Open...");
    action->SetEnabled(false);
    action->SetHint("Open|Opens a document");
    EXPECT_EQ(first.Caption, "&Open...");
    EXPECT_EQ(second.Caption, "Open it");
    EXPECT_FALSE(first.Enabled);
    EXPECT_FALSE(second.Enabled);
    EXPECT_EQ(second.Hint, "Open|Opens a document");
    EXPECT_EQ(first.ChangeCount, 3) << "one change notice per property that changed";

    // Setting a property to the value it has is no change.
    action->SetCaption("&Open...");
    action->SetImageIndex(-1);
    EXPECT_EQ(first.ChangeCount, 3);
    action->SetImageIndex(4);
    action->SetShortCut(scCtrl | 'O');
    action->SetCategory("File");
    EXPECT_EQ(first.ChangeCount, 6);
}

TEST(Action, DestroyingTheActionClearsEveryBinding)
{
    auto* action = new TAction();
    TCommandItem item;
    item.SetAction(action);
    // A bare link, with a client that asked for no notice.
    TActionLink bare(nullptr);
    bare.SetAction(action);
    ASSERT_EQ(action->ClientCount(), 2);

    delete action;
    EXPECT_EQ(item.Action(), nullptr) << "the client dropped its link";
    EXPECT_EQ(item.Link, nullptr);
    EXPECT_EQ(bare.Action(), nullptr);
    EXPECT_FALSE(bare.Execute());
    EXPECT_FALSE(bare.Update());

    // A link that goes first leaves the action's clients.
    TAction kept;
    {
        TActionLink shortLived(nullptr);
        shortLived.SetAction(&kept);
        EXPECT_EQ(kept.ClientCount(), 1);
    }
    EXPECT_EQ(kept.ClientCount(), 0);
    kept.SetCaption("still fine");
}

TEST(Action, ExecuteRunsOnlyWhatUpdateLeavesEnabled)
{
    TAction action;
    int executed = 0;
    bool allow = true;
    action.OnUpdate = [&](TObject* sender) { static_cast<TAction*>(sender)->SetEnabled(allow); };
    action.OnExecute = [&](TObject*) { ++executed; };
    TActionLink link(nullptr);
    link.SetAction(&action);

    EXPECT_TRUE(link.Execute());
    allow = false;
    EXPECT_FALSE(link.Execute()) << "OnUpdate disabled it first";
    EXPECT_EQ(executed, 1);
    EXPECT_FALSE(action.Enabled());

    // Without OnExecute there is nothing to run; without OnUpdate nothing to update.
    TAction bare;
    EXPECT_FALSE(bare.Execute());
    EXPECT_FALSE(bare.Update());

    // OnHint may change or refuse a hint.
    std::string hint = "Save";
    action.OnHint = [](std::string& text, bool& canShow) {
        text += " (Ctrl+S)";
        canShow = text.size() < 20;
    };
    EXPECT_TRUE(action.DoHint(hint));
    EXPECT_EQ(hint, "Save (Ctrl+S)");
    EXPECT_FALSE(action.DoHint(hint));
}

} // namespace
