// TzqInspectorEditStyle: the look of the inspector's editors. Its defaults follow the
// inspector's paint style and Flat setting; it never consults the default style
// controller.
#pragma once

#include "editors/EditStyle.h"

class TCustomzqInspector;

class TzqInspectorEditStyle : public TzqEditStyle {
public:
    TzqInspectorEditStyle(TzqInplaceEdit* AEdit, TCustomzqInspector* AInspector);

    TCustomzqInspector* Inspector() const { return m_inspector; }
    TzqEditStyleController* GetDefaultStyleController() const override { return nullptr; }

protected:
    TColor DefaultBorderColor() const override;
    TzqEditBorderStyle DefaultBorderStyle() const override;
    TzqEditButtonViewStyle DefaultButtonStyle() const override;
    TzqEditButtonTransparence DefaultButtonTransparence() const override;
    TzqEditEdges DefaultEdges() const override;
    bool DefaultHotTrack() const override { return false; }
    bool DefaultShadow() const override { return false; }

private:
    TCustomzqInspector* m_inspector;
};
