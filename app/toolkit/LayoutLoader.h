#pragma once

#include "app/toolkit/DuiString.h"

#include <QString>
#include <QWidget>

#include <functional>

namespace ravo {

// Builds controls from a layout file: a Qt Designer .ui file under the skin folder, named by
// a resource name of res.xml ("XML_MAIN") or by its path ("XML\\Menus\\menu.xml").
//
// Each element's class is made by, in order: the window's control-creation callback, the
// control factory, Qt's own widgets. A class none of them knows is skipped with its children.
// After building, dynamic properties of the layout are applied as attributes (ui::SetAttribute),
// texts of the form "%[key]" become resource texts, and every control is wired for
// notifications.
class CLayoutLoader {
public:
    using CreateCallback = std::function<QWidget*(const CDuiString& className, QWidget* parent)>;

    // The root control, parented to `parent`; null with the reason in `error` on failure.
    static QWidget* Load(const CDuiString& layout, QWidget* parent,
                         const CreateCallback& callback = {}, QString* error = nullptr);
    // The same from layout text already in memory.
    static QWidget* LoadFromData(const QByteArray& data, QWidget* parent,
                                 const CreateCallback& callback = {}, QString* error = nullptr);
    // Applies a built tree's layout attributes and wires it (done by Load; for trees built in
    // code).
    static void PrepareTree(QWidget* root);
};

}  // namespace ravo
