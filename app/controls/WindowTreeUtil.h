#pragma once
// Helpers over a framework window tree that the main window and the module
// parts share: files may be dropped anywhere on a part, and the edit boxes
// of a part open no context menu.
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>

namespace DUI {
class EventArgs;
class SWindow;
} // namespace DUI

// Registers `target` with the window's container for every window of the
// tree, inner ones included; returns the registration of `window` itself.
BOOL RegisterDropTargetTree(DUI::SWindow* window, IDropTarget* target);

// Subscribes CancelContextMenu to the context-menu event of every edit
// window of the tree. Calling it again on the same tree changes nothing.
void DisableEditContextMenus(DUI::SWindow* window);

// Cancels the context menu of the event it receives; always true.
bool CancelContextMenu(DUI::EventArgs* e);
