// Edit styles and their controllers: which value a style shows, when a controller
// publishes and to whom.
#include "editors/EditStyle.h"
#include "editors/tests/EditorFixture.h"
#include "platform/core/Exception.h"

namespace {

using B = TzqEditBorderStyle;

TEST(EditStyleTypesTest, OrdinalsAreFixedAndSetsAreOneByteWithBitNForValueN)
{
    EXPECT_EQ(int(B::xbs3D), 4);
    EXPECT_EQ(int(TzqEditButtonViewStyle::btsHotFlat), 4);
    EXPECT_EQ(int(TzqEditButtonTransparence::ebtHideInactive), 3);
    EXPECT_EQ(int(TzqPopupBorder::pbFlat), 3);
    static_assert(sizeof(TzqEditEdges) == 1 && sizeof(TzqEditStyleValues) == 1);
    EXPECT_EQ(zqAllEdges.ToWord(), 0x0F);
    EXPECT_EQ(TzqEditStyleValues{TzqEditStyleValue::svShadow}.ToWord(), 0x40);
    EXPECT_EQ((TzqEditEdges{TzqEditEdge::edgTop, TzqEditEdge::edgBottom}.ToWord()), 0x0A);
}

// Records what a controller publishes.
struct TPublications {
    std::vector<TObject*> links;
    void Attach(TzqStyleController& c)
    {
        c.OnStyleChanged = [this](TObject*, TObject* link) { links.push_back(link); };
    }
};

TEST(StyleControllerTest, ChangedPublishesToEveryLinkInOrderOutsideUpdatesAndLoading)
{
    TzqStyleController controller;
    TPublications seen;
    seen.Attach(controller);
    TObject a, b;
    controller.AddLink(&a);
    controller.AddLink(&b);
    controller.Changed();
    EXPECT_EQ(seen.links, (std::vector<TObject*>{&a, &b}));

    seen.links.clear();
    controller.BeginUpdate();
    controller.BeginUpdate();
    controller.Changed();
    controller.EndUpdate();
    EXPECT_TRUE(seen.links.empty()) << "still inside the outer update";
    controller.EndUpdate();
    EXPECT_EQ(seen.links.size(), 2u);

    seen.links.clear();
    controller.BeginLoading();
    controller.Changed();
    EXPECT_TRUE(seen.links.empty()) << "not while loading";
    controller.EndLoading();
    EXPECT_EQ(seen.links.size(), 2u) << "finishing the load publishes";

    seen.links.clear();
    controller.RemoveLink(&a);
    controller.Changed();
    EXPECT_EQ(seen.links, (std::vector<TObject*>{&b}));
}

TEST(StyleControllerTest, ALinkRemovedWhilePublishingIsNotToldAnyMore)
{
    TzqStyleController controller;
    TObject a, b;
    std::vector<TObject*> told;
    controller.OnStyleChanged = [&](TObject*, TObject* link) {
        told.push_back(link);
        controller.RemoveLink(&b);
    };
    controller.AddLink(&a);
    controller.AddLink(&b);
    controller.Changed();
    EXPECT_EQ(told, (std::vector<TObject*>{&a}));
}

TEST(EditStyleControllerTest, DefaultsSettersAndOutOfRangeValues)
{
    TzqEditStyleController c;
    EXPECT_EQ(c.BorderColor(), clWindowFrame);
    EXPECT_EQ(c.BorderStyle(), B::xbs3D);
    EXPECT_EQ(c.ButtonStyle(), TzqEditButtonViewStyle::btsDefault);
    EXPECT_EQ(c.ButtonTransparence(), TzqEditButtonTransparence::ebtNone);
    EXPECT_EQ(c.Edges(), zqAllEdges);
    EXPECT_FALSE(c.HotTrack());
    EXPECT_FALSE(c.Shadow());

    TPublications seen;
    seen.Attach(c);
    TObject link;
    c.AddLink(&link);
    c.SetBorderStyle(B::xbs3D);
    EXPECT_TRUE(seen.links.empty()) << "an equal value publishes nothing";
    c.SetBorderStyle(static_cast<B>(9));
    c.SetButtonStyle(static_cast<TzqEditButtonViewStyle>(200));
    c.SetButtonTransparence(static_cast<TzqEditButtonTransparence>(4));
    EXPECT_EQ(c.BorderStyle(), B::xbs3D);
    EXPECT_EQ(c.ButtonStyle(), TzqEditButtonViewStyle::btsDefault);
    EXPECT_EQ(c.ButtonTransparence(), TzqEditButtonTransparence::ebtNone);
    EXPECT_TRUE(seen.links.empty()) << "out-of-range ordinals are ignored";
    c.SetEdges(TzqEditEdges::FromWord(0xFF));
    EXPECT_EQ(c.Edges(), zqAllEdges) << "bits beyond the four edges are dropped";
    c.SetShadow(true);
    EXPECT_EQ(seen.links.size(), 1u);
}

TEST(EditStyleControllerTest, RestoreDefaultsAndAssignPublishOnce)
{
    TzqEditStyleController a, b;
    TObject link;
    a.AddLink(&link);
    TPublications seen;
    seen.Attach(a);
    b.SetBorderStyle(B::xbsFlat);
    b.SetShadow(true);
    b.SetHotTrack(true);
    b.SetBorderColor(clRed);
    a.Assign(b);
    EXPECT_EQ(seen.links.size(), 1u);
    EXPECT_EQ(a.BorderStyle(), B::xbsFlat);
    EXPECT_TRUE(a.Shadow());
    EXPECT_TRUE(a.HotTrack());
    EXPECT_EQ(a.BorderColor(), clRed);

    seen.links.clear();
    a.RestoreDefaults();
    EXPECT_EQ(seen.links.size(), 1u);
    EXPECT_EQ(a.BorderStyle(), B::xbs3D);
    EXPECT_FALSE(a.Shadow());

    TzqStyleController plain;
    EXPECT_THROW(a.Assign(plain), EInvalidOperation);
}

class EditStyleTest : public EditorTest {};

TEST_F(EditStyleTest, AnUnassignedValueFollowsTheDefaultControllerUntilItIsSet)
{
    TTestEdit* edit = host->Edit();
    TzqEditStyle* style = edit->Style();
    TzqEditStyleController* defaults = DefaultEditStyleController();
    defaults->SetBorderStyle(B::xbsFlat);
    EXPECT_EQ(style->BorderStyle(), B::xbsFlat);

    style->SetBorderStyle(B::xbsSingle);
    defaults->SetBorderStyle(B::xbsThick);
    EXPECT_EQ(style->BorderStyle(), B::xbsSingle);
    // Other values still follow.
    defaults->SetShadow(true);
    EXPECT_TRUE(style->Shadow());

    // Setting the value the default shows still assigns it.
    style->SetShadow(true);
    defaults->SetShadow(false);
    EXPECT_TRUE(style->Shadow());
    EXPECT_TRUE(style->AssignedValues().contains(TzqEditStyleValue::svShadow));

    style->RestoreDefaults();
    EXPECT_TRUE(style->AssignedValues().empty());
    EXPECT_EQ(style->BorderStyle(), B::xbsThick);
}

TEST_F(EditStyleTest, TheEditorsOwnControllerComesBeforeTheDefaultOneAndTheHardDefaultComesLast)
{
    TTestEdit* edit = host->Edit();
    TzqEditStyleController own;
    own.SetBorderStyle(B::xbsNone);
    DefaultEditStyleController()->SetBorderStyle(B::xbsFlat);
    edit->SetStyleController(&own);
    EXPECT_EQ(edit->Style()->BorderStyle(), B::xbsNone);
    edit->SetStyleController(nullptr);
    EXPECT_EQ(edit->Style()->BorderStyle(), B::xbsFlat);

    // A style whose class names no default controller answers the built-in defaults.
    struct TBareStyle : TzqEditStyle {
        using TzqEditStyle::TzqEditStyle;
        TzqEditStyleController* GetDefaultStyleController() const override { return nullptr; }
    };
    TBareStyle bare(nullptr);
    EXPECT_EQ(bare.BorderStyle(), B::xbs3D);
    EXPECT_EQ(bare.BorderColor(), clWindowFrame);
    EXPECT_EQ(bare.Edges(), zqAllEdges);
}

TEST_F(EditStyleTest, ADestroyedControllerLeavesTheEditorWithoutOne)
{
    TTestEdit* edit = host->Edit();
    auto own = std::make_unique<TzqEditStyleController>();
    own->SetShadow(true);
    edit->SetStyleController(own.get());
    EXPECT_TRUE(edit->Style()->Shadow());
    own.reset();
    EXPECT_EQ(edit->StyleController(), nullptr);
    EXPECT_FALSE(edit->Style()->Shadow());
}

TEST_F(EditStyleTest, ThreeChangesInOneUpdateReachEveryEditorAsOneStyleChange)
{
    auto* first = host->Edit();
    auto* second = new TTestEdit(host);
    second->SetParent(host);
    first->styleChanges = second->styleChanges = 0;
    TzqEditStyleController* defaults = DefaultEditStyleController();
    defaults->BeginUpdate();
    defaults->SetBorderStyle(B::xbsSingle);
    defaults->SetShadow(true);
    defaults->SetHotTrack(true);
    EXPECT_EQ(first->styleChanges, 0);
    defaults->EndUpdate();
    EXPECT_EQ(first->styleChanges, 1);
    EXPECT_EQ(second->styleChanges, 1);
}

TEST_F(EditStyleTest, AnEditorBoundToAnotherControllerIsNotToldOfTheDefaultOnesChanges)
{
    auto* bound = host->Edit();
    auto* free = new TTestEdit(host);
    free->SetParent(host);
    TzqEditStyleController own;
    bound->SetStyleController(&own);
    bound->styleChanges = free->styleChanges = 0;
    DefaultEditStyleController()->SetBorderStyle(B::xbsFlat);
    EXPECT_EQ(bound->styleChanges, 0);
    EXPECT_EQ(free->styleChanges, 1);
    own.SetBorderStyle(B::xbsThick);
    EXPECT_EQ(bound->styleChanges, 1);
    EXPECT_EQ(free->styleChanges, 1);
}

TEST_F(EditStyleTest, AssignCopiesTheSevenShownValuesAndAssignsThemAll)
{
    TTestEdit* edit = host->Edit();
    DefaultEditStyleController()->SetBorderColor(clBlue);
    TzqEditStyle source(nullptr);
    source.SetBorderStyle(B::xbsFlat);
    edit->Style()->Assign(source);
    EXPECT_EQ(edit->Style()->AssignedValues(), zqAllStyleValues);
    EXPECT_EQ(edit->Style()->BorderStyle(), B::xbsFlat);
    EXPECT_EQ(edit->Style()->BorderColor(), clBlue);
    DefaultEditStyleController()->SetBorderColor(clRed);
    EXPECT_EQ(edit->Style()->BorderColor(), clBlue) << "assigned now, no longer following";

    TzqEditStyleController other;
    EXPECT_THROW(edit->Style()->Assign(other), EInvalidOperation);

    // Setting AssignedValues tells the editor only when it differs; unknown bits drop.
    TTestEdit* told = edit;
    told->styleChanges = 0;
    edit->Style()->SetAssignedValues(TzqEditStyleValues::FromWord(0xFF));
    EXPECT_EQ(told->styleChanges, 0);
    edit->Style()->SetAssignedValues({});
    EXPECT_EQ(told->styleChanges, 1);
}

} // namespace
