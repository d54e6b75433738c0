#include "app/toolkit/ControlOps.h"

#include "app/toolkit/ImageDesc.h"
#include "app/toolkit/Notify.h"
#include "app/toolkit/NotifyWiring.h"
#include "app/toolkit/ResourceManager.h"
#include "app/toolkit/UiThread.h"
#include "app/toolkit/WindowUI.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QValidator>

#include <algorithm>
#include <atomic>
#include <limits>

namespace ravo::ui {

namespace {

// Dynamic properties the toolkit keeps on widgets.
constexpr const char* kTextKey = "ravo_textkey";
constexpr const char* kTipKey = "ravo_tipkey";
constexpr const char* kUserData = "ravo_userdata";
constexpr const char* kTag = "ravo_tag";
constexpr const char* kBkColor = "ravo_bkcolor";
constexpr const char* kBkImage = "ravo_bkimage";
constexpr const char* kBaseStyle = "ravo_basestyle";
constexpr const char* kStyleId = "ravo_sid";
constexpr const char* kGroup = "ravo_group";
constexpr const char* kAttributes = "ravo_attrs";
constexpr const char* kNumberOnly = "ravo_numberonly";
constexpr const char* kEditMin = "ravo_editmin";
constexpr const char* kEditMax = "ravo_editmax";
// The selection "itemselect" reports as previous (kept by NotifyWiring as well).
constexpr const char* kPreviousIndex = "ravo_previndex";
constexpr int kItemKeyRole = Qt::UserRole + 100;

bool ParseBool(const CDuiString& value) {
    const QString v = value.GetData().trimmed().toLower();
    return v == QLatin1String("true") || v == QLatin1String("1");
}

// "%[key]" marks a resource text.
bool ResourceKeyOf(const QString& text, QString* key) {
    if (text.size() > 3 && text.startsWith(QLatin1String("%[")) && text.endsWith(']')) {
        *key = text.mid(2, text.size() - 3);
        return true;
    }
    return false;
}

void ApplyText(QWidget* w, const QString& text) {
    if (CControlUI* c = AsControl(w)) {
        c->SetText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* textEdit = qobject_cast<QTextEdit*>(w)) {
        textEdit->setPlainText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    } else {
        w->setProperty("text", text);
        w->update();
    }
}

// Rebuilds the widget's style sheet from its own and the background the toolkit set.
void ApplyBackground(QWidget* w) {
    if (!w->property(kBaseStyle).isValid())
        w->setProperty(kBaseStyle, w->styleSheet());
    static std::atomic<int> nextId{1};
    if (!w->property(kStyleId).isValid())
        w->setProperty(kStyleId, nextId.fetch_add(1));
    QString rules;
    const QVariant color = w->property(kBkColor);
    if (color.isValid() && color.toUInt() != 0) {
        const QColor c = QColor::fromRgba(color.toUInt());
        rules += QStringLiteral("background-color: rgba(%1,%2,%3,%4);")
                     .arg(c.red())
                     .arg(c.green())
                     .arg(c.blue())
                     .arg(c.alpha());
    }
    const QString image = w->property(kBkImage).toString();
    if (!image.isEmpty()) {
        const ImageDesc desc = ParseImageDesc(image);
        const QString path = CResourceManager::Instance().ResolvePath(desc.file);
        if (!path.isEmpty())
            rules += QStringLiteral("border-image: url(\"%1\") 0 0 0 0 stretch stretch;").arg(path);
    }
    QString sheet = w->property(kBaseStyle).toString();
    if (!rules.isEmpty()) {
        w->setAttribute(Qt::WA_StyledBackground, true);
        sheet += QStringLiteral("\n*[%1=\"%2\"] { %3 }")
                     .arg(QLatin1String(kStyleId), w->property(kStyleId).toString(), rules);
    }
    w->setStyleSheet(sheet);
}

// Digits only, at most as many as the maximum has; a value out of range is pulled into it when
// editing ends (Return or focus leaving).
class DigitRangeValidator : public QValidator {
public:
    DigitRangeValidator(int minimum, int maximum, QObject* parent)
        : QValidator(parent), m_min(minimum), m_max(maximum) {}

    State validate(QString& input, int& /*pos*/) const override {
        if (input.isEmpty())
            return Intermediate;
        for (QChar c : input) {
            if (!c.isDigit())
                return Invalid;
        }
        if (input.size() > QString::number(m_max).size())
            return Invalid;
        const long long value = input.toLongLong();
        return value >= m_min && value <= m_max ? Acceptable : Intermediate;
    }

    void fixup(QString& input) const override {
        if (input.isEmpty())
            return;
        input = QString::number(std::clamp<long long>(input.toLongLong(), m_min, m_max));
    }

private:
    int m_min;
    int m_max;
};

QButtonGroup* GroupFor(QWidget* w, const QString& name, bool create) {
    QWidget* host = OwnerWindow(w);
    if (host == nullptr)
        host = w->window();
    const QString objectName = QStringLiteral("ravo_group:") + name;
    auto* group = host->findChild<QButtonGroup*>(objectName, Qt::FindDirectChildrenOnly);
    if (group == nullptr && create) {
        group = new QButtonGroup(host);
        group->setObjectName(objectName);
        group->setExclusive(true);
    }
    return group;
}

void SetCheckedQuietly(QAbstractButton* button, bool checked, bool notify) {
    QButtonGroup* group = button->group();
    QList<QAbstractButton*> blocked;
    if (!notify) {
        blocked = group != nullptr ? group->buttons() : QList<QAbstractButton*>{button};
        for (QAbstractButton* b : blocked)
            b->blockSignals(true);
    }
    if (!checked && group != nullptr && group->exclusive() && button->isChecked()) {
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    } else {
        button->setChecked(checked);
    }
    for (QAbstractButton* b : blocked)
        b->blockSignals(false);
}

// The layout that holds a container's children, created when the container has none.
QLayout* ContainerLayout(QWidget* container, bool create) {
    if (auto* scroll = qobject_cast<QScrollArea*>(container)) {
        if (scroll->widget() == nullptr) {
            if (!create)
                return nullptr;
            scroll->setWidget(new QWidget);
            scroll->setWidgetResizable(true);
        }
        container = scroll->widget();
    }
    QLayout* layout = container->layout();
    if (layout == nullptr && create) {
        auto* box = new QVBoxLayout(container);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        layout = box;
    }
    return layout;
}

void CollectLayoutWidgets(QLayout* layout, QList<QWidget*>* out) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* child = item->widget())
            out->append(child);
        else if (QLayout* sub = item->layout())
            CollectLayoutWidgets(sub, out);
    }
}

QList<QWidget*> ContainerChildren(QWidget* container) {
    QList<QWidget*> children;
    if (QLayout* layout = ContainerLayout(container, false))
        CollectLayoutWidgets(layout, &children);
    return children;
}

void Discard(QWidget* child, bool destroy) {
    child->hide();
    child->setParent(nullptr);
    if (destroy)
        child->deleteLater();  // it may be the sender of the notification being handled
}

// Options keep their group name; when a control moves into a window its options join that
// window's groups.
void AttachGroups(QWidget* root) {
    QList<QAbstractButton*> buttons = root->findChildren<QAbstractButton*>();
    if (auto* self = qobject_cast<QAbstractButton*>(root))
        buttons.prepend(self);
    for (QAbstractButton* b : buttons) {
        const QString name = b->property(kGroup).toString();
        if (!name.isEmpty())
            SetGroup(b, name);
    }
}

}  // namespace

CControlUI* AsControl(QWidget* w) {
    return dynamic_cast<CControlUI*>(w);
}

QWidget* FindControl(QWidget* root, const CDuiString& name) {
    if (root == nullptr || name.IsEmpty())
        return nullptr;
    if (root->objectName() == name.GetData())
        return root;
    return root->findChild<QWidget*>(name.GetData());
}

CWindowUI* OwnerWindow(QWidget* w) {
    for (QWidget* p = w; p != nullptr; p = p->parentWidget()) {
        if (auto* window = dynamic_cast<CWindowUI*>(p))
            return window;
    }
    return nullptr;
}

void SendNotify(QWidget* sender, const CDuiString& type, quintptr wParam, qintptr lParam) {
    if (sender == nullptr)
        return;
    auto deliver = [sender, type, wParam, lParam] {
        CWindowUI* window = OwnerWindow(sender);
        if (window == nullptr)
            return;
        TNotifyUI msg{type, sender, wParam, lParam};
        window->SendNotify(msg);
    };
    RunOnObjectThread(sender, deliver);
}

void SetText(QWidget* w, const CDuiString& text) {
    if (w == nullptr)
        return;
    QString key;
    if (ResourceKeyOf(text.GetData(), &key)) {
        SetResourceText(w, key);
        return;
    }
    w->setProperty(kTextKey, QVariant());
    ApplyText(w, text.GetData());
}

CDuiString GetText(QWidget* w) {
    if (w == nullptr)
        return CDuiString();
    if (CControlUI* c = AsControl(w))
        return c->GetText();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* textEdit = qobject_cast<QTextEdit*>(w))
        return textEdit->toPlainText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return plain->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return w->property("text").toString();
}

void SetResourceText(QWidget* w, const CDuiString& key) {
    if (w == nullptr)
        return;
    w->setProperty(kTextKey, key.GetData());
    ApplyText(w, CResourceManager::Instance().GetText(key).GetData());
}

CDuiString GetResourceKey(QWidget* w) {
    return w != nullptr ? CDuiString(w->property(kTextKey).toString()) : CDuiString();
}

void SetToolTip(QWidget* w, const CDuiString& text) {
    if (w == nullptr)
        return;
    QString key;
    if (ResourceKeyOf(text.GetData(), &key)) {
        w->setProperty(kTipKey, key);
        w->setToolTip(CResourceManager::Instance().GetText(key).GetData());
        return;
    }
    w->setProperty(kTipKey, QVariant());
    w->setToolTip(text.GetData());
}

CDuiString GetToolTip(QWidget* w) {
    return w != nullptr ? CDuiString(w->toolTip()) : CDuiString();
}

void SetUserData(QWidget* w, const CDuiString& data) {
    if (w != nullptr)
        w->setProperty(kUserData, data.GetData());
}

CDuiString GetUserData(QWidget* w) {
    return w != nullptr ? CDuiString(w->property(kUserData).toString()) : CDuiString();
}

void SetTag(QWidget* w, quintptr tag) {
    if (w != nullptr)
        w->setProperty(kTag, QVariant::fromValue<qulonglong>(tag));
}

quintptr GetTag(QWidget* w) {
    return w != nullptr ? static_cast<quintptr>(w->property(kTag).toULongLong()) : 0;
}

void SetVisible(QWidget* w, bool visible) {
    if (w != nullptr)
        w->setVisible(visible);
}

bool IsVisible(QWidget* w) {
    return w != nullptr && !w->isHidden();
}

void SetEnabled(QWidget* w, bool enabled) {
    if (w != nullptr)
        w->setEnabled(enabled);
}

bool IsEnabled(QWidget* w) {
    return w != nullptr && w->isEnabled();
}

void SetMouseEnabled(QWidget* w, bool enabled) {
    if (w != nullptr)
        w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

bool IsMouseEnabled(QWidget* w) {
    return w != nullptr && !w->testAttribute(Qt::WA_TransparentForMouseEvents);
}

void SetBkColor(QWidget* w, quint32 argb) {
    if (w == nullptr)
        return;
    w->setProperty(kBkColor, argb);
    ApplyBackground(w);
}

quint32 GetBkColor(QWidget* w) {
    return w != nullptr ? w->property(kBkColor).toUInt() : 0;
}

void SetBkImage(QWidget* w, const CDuiString& image) {
    if (w == nullptr)
        return;
    w->setProperty(kBkImage, image.GetData());
    ApplyBackground(w);
}

CDuiString GetBkImage(QWidget* w) {
    return w != nullptr ? CDuiString(w->property(kBkImage).toString()) : CDuiString();
}

bool ParseColor(const CDuiString& text, quint32* argb) {
    QString v = text.GetData().trimmed();
    if (v.startsWith('#'))
        v = v.mid(1);
    else if (v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = v.mid(2);
    if (v.size() != 6 && v.size() != 8)
        return false;
    bool ok = false;
    quint32 value = v.toUInt(&ok, 16);
    if (!ok)
        return false;
    if (v.size() == 6)
        value |= 0xFF000000u;
    *argb = value;
    return true;
}

void SetAttribute(QWidget* w, const CDuiString& name, const CDuiString& value) {
    if (w == nullptr || name.IsEmpty())
        return;
    QVariantMap attributes = w->property(kAttributes).toMap();
    attributes.insert(name.GetData(), value.GetData());
    w->setProperty(kAttributes, attributes);

    if (CControlUI* c = AsControl(w); c != nullptr && c->SetAttribute(name, value))
        return;

    const QString n = name.GetData().toLower();
    const QString& v = value.GetData();
    if (n == QLatin1String("name")) {
        w->setObjectName(v);
    } else if (n == QLatin1String("text")) {
        SetText(w, value);
    } else if (n == QLatin1String("textkey")) {
        SetResourceText(w, value);
    } else if (n == QLatin1String("tooltip")) {
        SetToolTip(w, value);
    } else if (n == QLatin1String("userdata")) {
        SetUserData(w, value);
    } else if (n == QLatin1String("tag")) {
        SetTag(w, static_cast<quintptr>(v.toULongLong()));
    } else if (n == QLatin1String("visible")) {
        SetVisible(w, ParseBool(value));
    } else if (n == QLatin1String("enabled")) {
        SetEnabled(w, ParseBool(value));
    } else if (n == QLatin1String("mouse")) {
        SetMouseEnabled(w, ParseBool(value));
    } else if (n == QLatin1String("bkcolor")) {
        quint32 argb = 0;
        if (ParseColor(value, &argb) || v.isEmpty())
            SetBkColor(w, argb);
    } else if (n == QLatin1String("bkimage")) {
        SetBkImage(w, value);
    } else if (n == QLatin1String("normalimage") && qobject_cast<QAbstractButton*>(w) != nullptr) {
        SetBkImage(w, value);
    } else if (n == QLatin1String("foreimage")) {
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const ImageDesc desc = ParseImageDesc(v);
            button->setIcon(desc.file.IsEmpty()
                                ? QIcon()
                                : QIcon(CResourceManager::Instance().GetImage(desc.file)));
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            const ImageDesc desc = ParseImageDesc(v);
            label->setPixmap(
                desc.file.IsEmpty() ? QPixmap() : CResourceManager::Instance().GetImage(desc.file));
        }
    } else if (n == QLatin1String("textcolor")) {
        quint32 argb = 0;
        if (ParseColor(value, &argb)) {
            QPalette palette = w->palette();
            const QColor color = QColor::fromRgba(argb);
            palette.setColor(QPalette::WindowText, color);
            palette.setColor(QPalette::ButtonText, color);
            palette.setColor(QPalette::Text, color);
            w->setPalette(palette);
        }
    } else if (n == QLatin1String("width")) {
        w->setFixedWidth(v.toInt());
    } else if (n == QLatin1String("height")) {
        w->setFixedHeight(v.toInt());
    } else if (n == QLatin1String("maxchar")) {
        SetMaxChar(w, v.toInt());
    } else if (n == QLatin1String("numberonly")) {
        SetNumberOnly(w, ParseBool(value));
    } else if (n == QLatin1String("minvalue") || n == QLatin1String("maxvalue")) {
        const bool isMin = n == QLatin1String("minvalue");
        if (qobject_cast<QLineEdit*>(w) != nullptr) {
            const QVariant lo = isMin ? QVariant(v.toInt()) : w->property(kEditMin);
            const QVariant hi = isMin ? w->property(kEditMax) : QVariant(v.toInt());
            SetEditRange(w, lo.isValid() ? lo.toInt() : 0,
                         hi.isValid() ? hi.toInt() : std::numeric_limits<int>::max());
        } else {
            SetRange(w, isMin ? v.toInt() : GetMinValue(w), isMin ? GetMaxValue(w) : v.toInt());
        }
    } else if (n == QLatin1String("min")) {
        SetRange(w, v.toInt(), GetMaxValue(w));
    } else if (n == QLatin1String("max")) {
        SetRange(w, GetMinValue(w), v.toInt());
    } else if (n == QLatin1String("value")) {
        SetValue(w, v.toInt());
    } else if (n == QLatin1String("selected")) {
        SetSelected(w, ParseBool(value), false);
    } else if (n == QLatin1String("group")) {
        SetGroup(w, value);
    }
}

CDuiString GetAttribute(QWidget* w, const CDuiString& name) {
    if (w == nullptr)
        return CDuiString();
    const QString n = name.GetData().toLower();
    if (n == QLatin1String("name"))
        return w->objectName();
    if (n == QLatin1String("text"))
        return GetText(w);
    if (n == QLatin1String("tooltip"))
        return GetToolTip(w);
    if (n == QLatin1String("userdata"))
        return GetUserData(w);
    if (n == QLatin1String("visible"))
        return IsVisible(w) ? "true" : "false";
    if (n == QLatin1String("enabled"))
        return IsEnabled(w) ? "true" : "false";
    if (n == QLatin1String("group"))
        return GetGroup(w);
    return w->property(kAttributes).toMap().value(name.GetData()).toString();
}

void SetMaxChar(QWidget* w, int count) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setMaxLength(count > 0 ? count : 32767);
}

int GetMaxChar(QWidget* w) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit != nullptr ? edit->maxLength() : 0;
}

void SetNumberOnly(QWidget* w, bool digitsOnly) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (edit == nullptr)
        return;
    edit->setProperty(kNumberOnly, digitsOnly);
    if (!digitsOnly) {
        edit->setValidator(nullptr);
        return;
    }
    const QVariant lo = edit->property(kEditMin);
    const QVariant hi = edit->property(kEditMax);
    if (lo.isValid() && hi.isValid())
        edit->setValidator(new DigitRangeValidator(lo.toInt(), hi.toInt(), edit));
    else
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

bool IsNumberOnly(QWidget* w) {
    return w != nullptr && w->property(kNumberOnly).toBool();
}

void SetEditRange(QWidget* w, int minimum, int maximum) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (edit == nullptr || minimum > maximum || minimum < 0)
        return;
    edit->setProperty(kEditMin, minimum);
    edit->setProperty(kEditMax, maximum);
    SetNumberOnly(edit, true);
}

void SetSelected(QWidget* w, bool selected, bool notify) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button == nullptr)
        return;
    button->setCheckable(true);
    SetCheckedQuietly(button, selected, notify);
}

bool IsSelected(QWidget* w) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    return button != nullptr && button->isChecked();
}

void SetGroup(QWidget* w, const CDuiString& group) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button == nullptr)
        return;
    if (QButtonGroup* old = button->group())
        old->removeButton(button);
    button->setProperty(kGroup, group.GetData());
    if (group.IsEmpty()) {
        button->setAutoExclusive(false);
        return;
    }
    button->setCheckable(true);
    button->setAutoExclusive(false);  // the named group decides, not the parent widget
    GroupFor(button, group.GetData(), true)->addButton(button);
}

CDuiString GetGroup(QWidget* w) {
    return w != nullptr ? CDuiString(w->property(kGroup).toString()) : CDuiString();
}

int GetCurSel(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentRow();
    return -1;
}

bool SelectItem(QWidget* w, int index, bool notify) {
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (index < -1 || index >= combo->count())
            return false;
        const bool was = combo->blockSignals(!notify);
        combo->setCurrentIndex(index);
        combo->blockSignals(was);
        combo->setProperty(kPreviousIndex, index);
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (index < -1 || index >= list->count())
            return false;
        const bool was = list->blockSignals(!notify);
        list->setCurrentRow(index);
        list->blockSignals(was);
        list->setProperty(kPreviousIndex, index);
        return true;
    }
    return false;
}

int AddItem(QWidget* w, const CDuiString& text, bool resourceText) {
    const QString shown =
        resourceText ? CResourceManager::Instance().GetText(text).GetData() : text.GetData();
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const bool was = combo->blockSignals(true);  // adding is not a user selection
        combo->addItem(shown);
        const int index = combo->count() - 1;
        if (resourceText)
            combo->setItemData(index, text.GetData(), kItemKeyRole);
        combo->blockSignals(was);
        return index;
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        auto* item = new QListWidgetItem(shown);
        if (resourceText)
            item->setData(kItemKeyRole, text.GetData());
        list->addItem(item);
        return list->count() - 1;
    }
    return -1;
}

void SetValue(QWidget* w, int value) {
    if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        const bool was = slider->blockSignals(true);
        slider->setValue(value);
        slider->blockSignals(was);
    } else if (auto* progress = qobject_cast<QProgressBar*>(w)) {
        progress->setValue(std::clamp(value, progress->minimum(), progress->maximum()));
    }
}

int GetValue(QWidget* w) {
    if (auto* slider = qobject_cast<QAbstractSlider*>(w))
        return slider->value();
    if (auto* progress = qobject_cast<QProgressBar*>(w))
        return progress->value();
    return 0;
}

void SetRange(QWidget* w, int minimum, int maximum) {
    if (minimum > maximum)
        return;
    if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        const bool was = slider->blockSignals(true);
        slider->setRange(minimum, maximum);
        slider->blockSignals(was);
    } else if (auto* progress = qobject_cast<QProgressBar*>(w)) {
        progress->setRange(minimum, maximum);
    }
}

int GetMinValue(QWidget* w) {
    if (auto* slider = qobject_cast<QAbstractSlider*>(w))
        return slider->minimum();
    if (auto* progress = qobject_cast<QProgressBar*>(w))
        return progress->minimum();
    return 0;
}

int GetMaxValue(QWidget* w) {
    if (auto* slider = qobject_cast<QAbstractSlider*>(w))
        return slider->maximum();
    if (auto* progress = qobject_cast<QProgressBar*>(w))
        return progress->maximum();
    return 0;
}

bool SelectTab(QWidget* w, int index) {
    if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
        if (index < 0 || index >= stack->count())
            return false;
        stack->setCurrentIndex(index);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        if (index < 0 || index >= tabs->count())
            return false;
        tabs->setCurrentIndex(index);
        return true;
    }
    return false;
}

int GetCurTab(QWidget* w) {
    if (auto* stack = qobject_cast<QStackedWidget*>(w))
        return stack->currentIndex();
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return tabs->currentIndex();
    return -1;
}

int GetCount(QWidget* w) {
    if (w == nullptr)
        return 0;
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->count();
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->count();
    if (auto* stack = qobject_cast<QStackedWidget*>(w))
        return stack->count();
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return tabs->count();
    return static_cast<int>(ContainerChildren(w).size());
}

QWidget* GetItemAt(QWidget* w, int index) {
    if (w == nullptr || index < 0)
        return nullptr;
    if (auto* list = qobject_cast<QListWidget*>(w))
        return index < list->count() ? list->itemWidget(list->item(index)) : nullptr;
    if (auto* stack = qobject_cast<QStackedWidget*>(w))
        return stack->widget(index);
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return tabs->widget(index);
    const QList<QWidget*> children = ContainerChildren(w);
    return index < children.size() ? children.at(index) : nullptr;
}

int GetItemIndex(QWidget* container, QWidget* child) {
    if (container == nullptr || child == nullptr)
        return -1;
    const int count = GetCount(container);
    for (int i = 0; i < count; ++i) {
        if (GetItemAt(container, i) == child)
            return i;
    }
    return -1;
}

bool Add(QWidget* container, QWidget* child) {
    return AddAt(container, child, -1);
}

bool AddAt(QWidget* container, QWidget* child, int index) {
    if (container == nullptr || child == nullptr || child == container)
        return false;
    const int count = GetCount(container);
    if (index < 0 || index > count)
        index = count;
    if (auto* list = qobject_cast<QListWidget*>(container)) {
        auto* item = new QListWidgetItem;
        item->setSizeHint(child->sizeHint());
        list->insertItem(index, item);
        list->setItemWidget(item, child);
    } else if (auto* stack = qobject_cast<QStackedWidget*>(container)) {
        stack->insertWidget(index, child);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(container)) {
        tabs->insertTab(index, child, GetText(child).GetData());
    } else if (qobject_cast<QComboBox*>(container) != nullptr) {
        return false;
    } else {
        QLayout* layout = ContainerLayout(container, true);
        auto* box = qobject_cast<QBoxLayout*>(layout);
        QWidget* before = index < count ? GetItemAt(container, index) : nullptr;
        const int at = before != nullptr ? layout->indexOf(before) : -1;
        if (box != nullptr && at >= 0)
            box->insertWidget(at, child);
        else
            layout->addWidget(child);
        child->show();
    }
    WireTree(child);
    AttachGroups(child);
    return true;
}

bool Remove(QWidget* container, QWidget* child, bool destroy) {
    if (container == nullptr || child == nullptr)
        return false;
    if (auto* list = qobject_cast<QListWidget*>(container)) {
        // The list view owns its item widgets and deletes them with the row.
        if (!destroy)
            return false;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemWidget(list->item(i)) == child) {
                child->hide();
                delete list->takeItem(i);
                return true;
            }
        }
        return false;
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(container)) {
        if (stack->indexOf(child) < 0)
            return false;
        stack->removeWidget(child);
        Discard(child, destroy);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(container)) {
        const int at = tabs->indexOf(child);
        if (at < 0)
            return false;
        tabs->removeTab(at);
        Discard(child, destroy);
        return true;
    }
    if (!ContainerChildren(container).contains(child))
        return false;
    if (QLayout* layout = ContainerLayout(container, false)) {
        // The child may sit in a nested layout of the container.
        QList<QLayout*> layouts{layout};
        while (!layouts.isEmpty()) {
            QLayout* l = layouts.takeFirst();
            if (l->indexOf(child) >= 0) {
                l->removeWidget(child);
                break;
            }
            for (int i = 0; i < l->count(); ++i) {
                if (QLayout* sub = l->itemAt(i)->layout())
                    layouts.append(sub);
            }
        }
    }
    Discard(child, destroy);
    return true;
}

void RemoveAll(QWidget* container, bool destroy) {
    if (container == nullptr)
        return;
    if (auto* combo = qobject_cast<QComboBox*>(container)) {
        const bool was = combo->blockSignals(true);
        combo->clear();
        combo->blockSignals(was);
        return;
    }
    if (auto* list = qobject_cast<QListWidget*>(container)) {
        list->clear();
        return;
    }
    for (int i = GetCount(container) - 1; i >= 0; --i)
        Remove(container, GetItemAt(container, i), destroy);
}

void Invalidate(QWidget* w) {
    if (w != nullptr)
        w->update();
}

void NeedUpdate(QWidget* w) {
    if (w == nullptr)
        return;
    if (QLayout* layout = w->layout()) {
        layout->invalidate();
        layout->activate();
    }
    w->updateGeometry();
    w->update();
}

void RefreshResourceTexts(QWidget* root) {
    QList<QWidget*> widgets;
    if (root != nullptr) {
        widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
    } else {
        widgets = QApplication::allWidgets();
    }
    const CResourceManager& resources = CResourceManager::Instance();
    for (QWidget* w : widgets) {
        const QString key = w->property(kTextKey).toString();
        if (!key.isEmpty())
            ApplyText(w, resources.GetText(key).GetData());
        const QString tipKey = w->property(kTipKey).toString();
        if (!tipKey.isEmpty())
            w->setToolTip(resources.GetText(tipKey).GetData());
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const bool was = combo->blockSignals(true);
            for (int i = 0; i < combo->count(); ++i) {
                const QString itemKey = combo->itemData(i, kItemKeyRole).toString();
                if (!itemKey.isEmpty())
                    combo->setItemText(i, resources.GetText(itemKey).GetData());
            }
            combo->blockSignals(was);
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i) {
                QListWidgetItem* item = list->item(i);
                const QString itemKey = item->data(kItemKeyRole).toString();
                if (!itemKey.isEmpty())
                    item->setText(resources.GetText(itemKey).GetData());
            }
        }
    }
}

}  // namespace ravo::ui
