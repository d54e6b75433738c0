#include "app/toolkit/MenuUI.h"

#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/ResourceManager.h"
#include "app/toolkit/WindowUI.h"

#include <QAction>
#include <QPointer>

namespace ravo {

QMenu* CMenuUI::Build(const CDuiString& layout, QWidget* parent, QString* error) {
    QWidget* root = CLayoutLoader::Load(layout, parent, {}, error);
    if (root == nullptr)
        return nullptr;
    auto* menu = qobject_cast<QMenu*>(root);
    if (menu == nullptr) {
        delete root;
        if (error != nullptr)
            *error = QStringLiteral("layout %1 holds no menu").arg(layout.GetData());
        return nullptr;
    }
    const CResourceManager& resources = CResourceManager::Instance();
    for (QAction* action : menu->findChildren<QAction*>()) {
        const QString text = action->text();
        if (text.size() > 3 && text.startsWith(QLatin1String("%[")) && text.endsWith(']'))
            action->setText(resources.GetText(text.mid(2, text.size() - 3)).GetData());
    }
    return menu;
}

QMenu* CMenuUI::Popup(CWindowUI* owner, const CDuiString& layout, const QPoint& globalPos,
                      int align, QString* error) {
    QMenu* menu = Build(layout, owner, error);
    if (menu == nullptr)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<CWindowUI> window(owner);
    QObject::connect(menu, &QMenu::triggered, menu, [window](QAction* action) {
        if (window != nullptr)
            window->OnMenuCommand(action->objectName());
    });
    menu->popup(PlaceAt(globalPos, menu->sizeHint(), align));
    return menu;
}

QPoint CMenuUI::PlaceAt(const QPoint& point, const QSize& size, int align) {
    QPoint topLeft = point;
    if ((align & kRight) != 0)
        topLeft.rx() -= size.width();
    if ((align & kBottom) != 0)
        topLeft.ry() -= size.height();
    return topLeft;
}

}  // namespace ravo
