#include "app/controls/WindowTreeUtil.h"

#include "dui/core/SWindow.h"

namespace {

template <typename Visit>
void ForEachChild(DUI::SWindow* window, Visit visit)
{
    for (DUI::SWindow* child = window->GetRelatedWindow(DUI::GSW_FIRSTCHILD); child;
         child = child->GetRelatedWindow(DUI::GSW_NEXTSIBLING))
        visit(child);
}

BOOL RegisterOne(DUI::SWindow* window, IDropTarget* target)
{
    DUI::ISwndContainer* container = window->GetContainer();
    return container ? container->RegisterDragDrop(window->GetSwnd(), target) : FALSE;
}

void DisableOne(DUI::SWindow* window)
{
    if (window->IsKindOf(L"edit"))
        window->SubscribeEvent(DUI::EventCtxMenu::EventID, DUI::FreeFunctionSlot(&CancelContextMenu));
}

} // namespace

BOOL RegisterDropTargetTree(DUI::SWindow* window, IDropTarget* target)
{
    if (!window)
        return FALSE;
    ForEachChild(window, [target](DUI::SWindow* child) { RegisterDropTargetTree(child, target); });
    return RegisterOne(window, target);
}

void DisableEditContextMenus(DUI::SWindow* window)
{
    if (!window)
        return;
    ForEachChild(window, [](DUI::SWindow* child) { DisableEditContextMenus(child); });
    DisableOne(window);
}

bool CancelContextMenu(DUI::EventArgs* e)
{
    if (auto* menu = DUI::EventCast<DUI::EventCtxMenu>(e))
        menu->bCancel = TRUE;
    return true;
}
