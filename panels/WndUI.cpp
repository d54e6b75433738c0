#include "panels/WndUI.h"

namespace ravo {

CWndUI::CWndUI(QWidget* parent) : CControlT<QWidget>(parent) {}

void CWndUI::Attach(QWidget* hosted) {
    Detach();
    m_hosted = hosted;
    if (hosted != nullptr) {
        // As a child it moves, hides and shows with the control.
        hosted->setParent(this);
        hosted->setGeometry(rect());
        hosted->show();
    }
}

QWidget* CWndUI::Detach() {
    QWidget* previous = m_hosted;
    if (previous != nullptr) {
        previous->hide();
        previous->setParent(nullptr);
    }
    m_hosted = nullptr;
    return previous;
}

void CWndUI::resizeEvent(QResizeEvent* event) {
    CControlT<QWidget>::resizeEvent(event);
    if (m_hosted != nullptr) {
        m_hosted->setGeometry(rect());
    }
}

}  // namespace ravo
