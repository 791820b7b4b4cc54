// The setting menus as screen readers are told them: their checkable items as check boxes.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace vimbrel {

// Qt's accessibility factory for the board's SettingMenus and their items. Qt 6.4 describes a
// checkable menu item as a plain menu item and hands only its checked state to the Linux
// accessibility bus, never that it can be checked, so a reader says nothing at all of an
// unchecked item: here each checkable item is a check box.
QAccessibleInterface* setting_menu_factory(const QString& class_name, QObject* object);

}  // namespace vimbrel
