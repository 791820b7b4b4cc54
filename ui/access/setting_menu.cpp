// The setting menus' accessibility: the menu and its items as assistive technology sees them.
#include "access/setting_menu.h"

#include "board/board_menus.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>

namespace vimbrel {

namespace {

// An item's name as it is read: the caption without its mnemonic marks ("&&" is a plain "&").
QString without_mnemonic(QString caption) {
    caption.replace(QLatin1String("&&"), QString(QChar::Null));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QChar::Null, QLatin1Char('&'));
}

// One item of a setting menu, as Qt describes a menu item, but a check box where it can be
// checked.
class SettingItemAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SettingItemAccessible(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

    bool isValid() const override { return menu_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return menu_ ? menu_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) return without_mnemonic(action_->text());
        if (t == QAccessible::Accelerator) return action_->shortcut().toString();
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        return menu_->actionGeometry(action_).translated(menu_->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override {
        if (!isValid() || action_->isSeparator()) return QAccessible::Separator;
        return action_->isCheckable() ? QAccessible::CheckBox : QAccessible::MenuItem;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.invisible = !menu_->isVisible() || !action_->isVisible();
        s.focused = menu_->activeAction() == action_;
        s.hotTracked = menu_->style()->styleHint(QStyle::SH_Menu_MouseTracking, nullptr, menu_);
        s.disabled = action_->isSeparator() || !action_->isEnabled();
        s.checkable = action_->isCheckable();
        s.checked = action_->isChecked();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        if (!isValid() || action_->isSeparator()) return {};
        return {pressAction()};
    }

    void doAction(const QString& name) override {
        if (isValid() && action_->isEnabled() && name == pressAction()) action_->trigger();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

// The menu itself, as Qt describes a menu, with the items above as its children.
class SettingMenuAccessible final : public QAccessibleWidget {
public:
    explicit SettingMenuAccessible(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

    int childCount() const override { return menu()->actions().size(); }

    QAccessibleInterface* child(int index) const override {
        const QList<QAction*> actions = menu()->actions();
        if (index < 0 || index >= actions.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(actions[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return menu()->actions().indexOf(qobject_cast<QAction*>(child->object()));
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        QAction* action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
        if (!action || action->isSeparator()) return nullptr;
        return QAccessible::queryAccessibleInterface(action);
    }

    // The menu's entry in the menu bar, as for Qt's own menus.
    QAccessibleInterface* parent() const override {
        QAction* entry = menu()->menuAction();
        for (QObject* owner : entry->associatedObjects()) {
            auto* bar = qobject_cast<QMenuBar*>(owner);
            if (!bar) continue;
            if (QAccessibleInterface* bar_interface = QAccessible::queryAccessibleInterface(bar))
                return bar_interface->child(bar->actions().indexOf(entry));
        }
        return QAccessibleWidget::parent();
    }

private:
    QMenu* menu() const { return static_cast<QMenu*>(widget()); }
};

}  // namespace

QAccessibleInterface* setting_menu_factory(const QString&, QObject* object) {
    if (auto* menu = qobject_cast<SettingMenu*>(object)) return new SettingMenuAccessible(menu);
    if (auto* action = qobject_cast<QAction*>(object)) {
        for (QObject* owner : action->associatedObjects())
            if (auto* menu = qobject_cast<SettingMenu*>(owner))
                return new SettingItemAccessible(menu, action);
    }
    return nullptr;
}

}  // namespace vimbrel
