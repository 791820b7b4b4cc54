// A menu whose items are settings with check marks, told to screen readers as checked or not.
#pragma once

#include <QMenu>

namespace vimbrel {

// A plain QMenu, save for its accessibility: every checkable item is described as a check box,
// so that a screen reader says "not checked" for an unchecked one as it says "checked" for the
// checked one. Qt 6.4 describes such an item as a plain menu item and hands only its checked
// state to the Linux accessibility bus, never that it can be checked, so a reader says nothing
// at all of an unchecked item.
class SettingMenu final : public QMenu {
    Q_OBJECT

public:
    SettingMenu(const QString& title, QWidget* parent);
};

}  // namespace vimbrel
