#pragma once

#include "app/toolkit/DuiString.h"

#include <QHash>
#include <QWidget>

#include <functional>

namespace ravo {

// Process-wide registry of the program's control classes: a class name and a function that
// makes a fresh instance. Layouts name these classes; the loader asks here before Qt's own
// widgets. Names compare ignoring case. UI thread only.
class CControlFactory {
public:
    using Creator = std::function<QWidget*(QWidget* parent)>;

    static CControlFactory& Instance();

    // Registers (or replaces) a class; false for an empty name or no creator.
    bool RegisterControl(const CDuiString& className, Creator creator);
    template <class T>
    bool RegisterControl(const CDuiString& className) {
        return RegisterControl(className, [](QWidget* parent) {
            auto* control = new T();
            control->setParent(parent);
            return static_cast<QWidget*>(control);
        });
    }
    bool IsRegistered(const CDuiString& className) const;
    // A new instance, or null for a class that is not registered.
    QWidget* CreateControl(const CDuiString& className, QWidget* parent) const;
    void Clear() { m_creators.clear(); }

private:
    QHash<QString, Creator> m_creators;  // lower-case class name -> creator
};

}  // namespace ravo
