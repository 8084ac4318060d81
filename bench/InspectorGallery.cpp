// A picture of an inspector with rows: two categories, a nested row, a mask row, a
// complex row and a row being edited (inspector.png in the given folder).
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorComplexRow.h"
#include "inspector/InspectorMaskRow.h"
#include "inspector/InspectorTextRow.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

template <typename T>
T* Row(TForm* form, TCustomzqInspectorControl* inspector, const std::string& name, const std::string& caption,
       const std::string& text)
{
    auto* row = new T(form);
    row->SetName(name);
    if (!caption.empty())
        row->SetCaption(caption);
    row->SetText(text);
    row->SetInspector(inspector);
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    THeadlessDriver driver;
    auto app = std::make_unique<TApplication>();
    int argcApp = 0;
    app->Initialize(argcApp, nullptr, true);
    auto* form = new TForm(app.get());
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 260, 260);
    auto* inspector = new TCustomzqInspectorControl(form);
    inspector->SetName("Inspector1");
    inspector->SetParent(form);
    inspector->SetBounds(0, 0, 260, 260);
    inspector->SetDividerPos(110);
    form->Show();
    driver.Pump();

    using R = TzqInspectorTextRow;
    auto* node = Row<R>(form, inspector, "Node", "Node", "");
    node->SetIsCategory(true);
    auto* name = Row<TzqInspectorMaskRow>(form, inspector, "Name", "Topic Name", "Sales");
    auto* created = Row<R>(form, inspector, "Created", "Created By", "12/11/2026");
    auto* width = Row<R>(form, inspector, "Width", "Width", "120");
    auto* height = Row<R>(form, inspector, "Height", "Height", "40");
    auto* size = Row<TzqInspectorComplexRow>(form, inspector, "Size", "", "");
    size->AddItem()->SetRow(width);
    size->AddItem()->SetRow(height);
    auto* look = Row<R>(form, inspector, "Look", "Look", "");
    look->SetIsCategory(true);
    auto* color = Row<R>(form, inspector, "Color", "Color", "Aqua");
    auto* shape = Row<R>(form, inspector, "Shape", "Shape", "Round Rect");
    auto* corner = Row<R>(form, inspector, "Corner", "Corner radius", "8");
    for (TzqInspectorRow* child : {static_cast<TzqInspectorRow*>(name), static_cast<TzqInspectorRow*>(created),
                                   static_cast<TzqInspectorRow*>(size)})
        child->Node()->MoveTo(node->Node(), TzqInspectorMoveMode::imAddChild);
    color->Node()->MoveTo(look->Node(), TzqInspectorMoveMode::imAddChild);
    shape->Node()->MoveTo(look->Node(), TzqInspectorMoveMode::imAddChild);
    corner->Node()->MoveTo(shape->Node(), TzqInspectorMoveMode::imAddChild);
    inspector->FullExpand();
    inspector->SetFocus();
    inspector->SetFocusedNode(name->Node());
    driver.PaintAll();
    const std::string path = folder + "inspector.png";
    driver.SavePng(form->Handle(), path);
    std::printf("Wrote %s\n", path.c_str());
    return 0;
}
