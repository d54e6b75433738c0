#include "app/toolkit/NotifyWiring.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/Notify.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace ravo::ui {

namespace {

constexpr const char* kWired = "ravo_wired";
constexpr const char* kPreviousIndex = "ravo_previndex";

class FocusNotifier : public QObject {
public:
    using QObject::QObject;

    static FocusNotifier* Instance() {
        static FocusNotifier* instance = new FocusNotifier(qApp);
        return instance;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            if (auto* w = qobject_cast<QWidget*>(watched)) {
                SendNotify(
                    w, event->type() == QEvent::FocusIn ? notify::kSetFocus : notify::kKillFocus);
            }
        }
        return false;
    }
};

void NotifyIndexChange(QWidget* w, int index) {
    const int previous =
        w->property(kPreviousIndex).isValid() ? w->property(kPreviousIndex).toInt() : -1;
    w->setProperty(kPreviousIndex, index);
    SendNotify(w, notify::kItemSelect, static_cast<quintptr>(index), previous);
}

}  // namespace

void WireControl(QWidget* w) {
    if (w == nullptr || w->property(kWired).toBool())
        return;
    // Qt's own inner parts of composite widgets (scroll bars, viewports) raise nothing.
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QScrollBar*>(w) != nullptr)
        return;
    w->setProperty(kWired, true);

    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [button] { SendNotify(button, notify::kClick); });
        QObject::connect(button, &QAbstractButton::toggled, button, [button](bool checked) {
            SendNotify(button, notify::kSelectChanged, checked ? 1 : 0);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setProperty(kPreviousIndex, combo->currentIndex());
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                         [combo](int index) { NotifyIndexChange(combo, index); });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->setProperty(kPreviousIndex, list->currentRow());
        QObject::connect(list, &QListWidget::currentRowChanged, list,
                         [list](int row) { NotifyIndexChange(list, row); });
        QObject::connect(list, &QListWidget::itemActivated, list, [list](QListWidgetItem* item) {
            SendNotify(list, notify::kItemActivate, static_cast<quintptr>(list->row(item)));
        });
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        QObject::connect(slider, &QAbstractSlider::sliderMoved, slider, [slider](int value) {
            SendNotify(slider, notify::kMoveValueChanged, static_cast<quintptr>(value));
        });
        QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [slider] {
            SendNotify(slider, notify::kValueChanged, static_cast<quintptr>(slider->value()));
        });
        QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [slider](int value) {
            if (!slider->isSliderDown())  // a drag reports once, when released
                SendNotify(slider, notify::kValueChanged, static_cast<quintptr>(value));
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [edit] { SendNotify(edit, notify::kTextChanged); });
        QObject::connect(edit, &QLineEdit::returnPressed, edit,
                         [edit] { SendNotify(edit, notify::kReturn); });
    } else if (auto* textEdit = qobject_cast<QTextEdit*>(w)) {
        QObject::connect(textEdit, &QTextEdit::textChanged, textEdit,
                         [textEdit] { SendNotify(textEdit, notify::kTextChanged); });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(plain, &QPlainTextEdit::textChanged, plain,
                         [plain] { SendNotify(plain, notify::kTextChanged); });
    } else if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
        QObject::connect(stack, &QStackedWidget::currentChanged, stack, [stack](int index) {
            SendNotify(stack, notify::kTabSelect, static_cast<quintptr>(index));
        });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
            SendNotify(tabs, notify::kTabSelect, static_cast<quintptr>(index));
        });
    }

    if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty())
        w->installEventFilter(FocusNotifier::Instance());
}

void WireTree(QWidget* root) {
    if (root == nullptr)
        return;
    WireControl(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        WireControl(child);
}

}  // namespace ravo::ui
