// TAction: an action with the properties its clients show (caption, checked and
// enabled state, help topic, hint, image, shortcut, visibility) and a category for
// lists of commands. Every property change reaches the clients' action links first,
// while the action still holds the old value, so that a link can tell whether its
// client still shows the action's value; then the links hear of the change.
#pragma once

#include "platform/controls/BasicAction.h"
#include "platform/controls/ShortCuts.h"

#include <functional>
#include <string>

using THelpContext = int;
using THintEvent = std::function<void(std::string& HintStr, bool& CanShow)>;

class TAction : public TBasicAction {
public:
    explicit TAction(TComponent* AOwner = nullptr);
    // Clients hear of the destruction while the action is still a whole TAction.
    ~TAction() override;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    THelpContext HelpContext() const { return m_helpContext; }
    void SetHelpContext(THelpContext value);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    const std::string& Category() const { return m_category; }
    void SetCategory(const std::string& value);

    // Runs OnUpdate, then OnExecute when the action is (still) enabled.
    bool Execute() override;
    // Lets OnHint change or refuse a hint shown for a client; answers whether it may show.
    bool DoHint(std::string& HintStr);

    THintEvent OnHint;

private:
    template <typename T, typename Apply>
    void Set(T& field, const T& value, Apply toLink);

    std::string m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    THelpContext m_helpContext = 0;
    std::string m_hint;
    int m_imageIndex = -1;
    TShortCut m_shortCut = scNone;
    bool m_visible = true;
    std::string m_category;
};
