#include "app/toolkit/ControlFactory.h"

namespace ravo {

CControlFactory& CControlFactory::Instance() {
    static CControlFactory factory;
    return factory;
}

bool CControlFactory::RegisterControl(const CDuiString& className, Creator creator) {
    if (className.IsEmpty() || !creator)
        return false;
    m_creators.insert(className.GetData().toLower(), std::move(creator));
    return true;
}

bool CControlFactory::IsRegistered(const CDuiString& className) const {
    return m_creators.contains(className.GetData().toLower());
}

QWidget* CControlFactory::CreateControl(const CDuiString& className, QWidget* parent) const {
    const auto it = m_creators.constFind(className.GetData().toLower());
    return it != m_creators.constEnd() ? (*it)(parent) : nullptr;
}

}  // namespace ravo
