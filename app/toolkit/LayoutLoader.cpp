#include "app/toolkit/LayoutLoader.h"

#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ControlOps.h"
#include "app/toolkit/NotifyWiring.h"
#include "app/toolkit/ResourceManager.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUiLoader>

namespace ravo {

namespace {

class Loader : public QUiLoader {
public:
    explicit Loader(const CLayoutLoader::CreateCallback& callback) : m_callback(callback) {}

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        QWidget* w = nullptr;
        if (m_callback)
            w = m_callback(className, parent);
        if (w == nullptr)
            w = CControlFactory::Instance().CreateControl(className, parent);
        if (w != nullptr) {
            if (w->parentWidget() != parent)
                w->setParent(parent);
            w->setObjectName(name);
            return w;
        }
        if (!availableWidgets().contains(className))
            return nullptr;  // unknown class: the element is skipped
        return QUiLoader::createWidget(className, parent, name);
    }

private:
    const CLayoutLoader::CreateCallback& m_callback;
};

void ApplyAttributes(QWidget* w) {
    // Layout files carry the toolkit's attributes as dynamic properties.
    for (const QByteArray& name : w->dynamicPropertyNames()) {
        if (name.startsWith("ravo_") || name.startsWith("_q_"))
            continue;
        ui::SetAttribute(w, QString::fromUtf8(name), w->property(name.constData()).toString());
    }
    const QString text = ui::GetText(w).GetData();
    if (text.startsWith(QLatin1String("%[")))
        ui::SetText(w, text);
    const QString tip = w->toolTip();
    if (tip.startsWith(QLatin1String("%[")))
        ui::SetToolTip(w, tip);
    // In a window, Return must not press a button the user did not press.
    if (auto* push = qobject_cast<QPushButton*>(w)) {
        push->setAutoDefault(false);
        push->setDefault(false);
    }
}

}  // namespace

QWidget* CLayoutLoader::Load(const CDuiString& layout, QWidget* parent,
                             const CreateCallback& callback, QString* error) {
    const QString path = CResourceManager::Instance().ResolvePath(layout);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        if (error != nullptr)
            *error = QStringLiteral("cannot open layout %1 (%2)").arg(layout.GetData(), path);
        return nullptr;
    }
    return LoadFromData(file.readAll(), parent, callback, error);
}

QWidget* CLayoutLoader::LoadFromData(const QByteArray& data, QWidget* parent,
                                     const CreateCallback& callback, QString* error) {
    Loader loader(callback);
    loader.setWorkingDirectory(QDir(CResourceManager::Instance().GetResourcePath()));
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QWidget* root = loader.load(&buffer, parent);
    if (root == nullptr) {
        if (error != nullptr) {
            *error = loader.errorString().isEmpty() ? QStringLiteral("layout could not be built")
                                                    : loader.errorString();
        }
        return nullptr;
    }
    PrepareTree(root);
    return root;
}

void CLayoutLoader::PrepareTree(QWidget* root) {
    if (root == nullptr)
        return;
    ApplyAttributes(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        ApplyAttributes(child);
    ui::WireTree(root);
}

}  // namespace ravo
