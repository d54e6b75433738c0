#include "app/NotifyRouter.h"

#include "profile/TextRoutines.h"

#include <QLoggingCategory>

namespace ravo {

Q_LOGGING_CATEGORY(lcNotify, "ravo.notify", QtWarningMsg)

NotifyRouter::NotifyRouter(std::vector<NotifyTable> tables) : m_tables(std::move(tables)) {}

void NotifyRouter::Bind(NotifyAction action, Handler handler) {
    m_handlers[static_cast<size_t>(action)] = std::move(handler);
}

void NotifyRouter::Unbind(NotifyAction action) {
    m_handlers[static_cast<size_t>(action)] = nullptr;
}

bool NotifyRouter::IsBound(NotifyAction action) const {
    return static_cast<bool>(m_handlers[static_cast<size_t>(action)]);
}

namespace {

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

NotifyRouter::Result NotifyRouter::Route(const QString& type, const QString& sender,
                                         QObject* control) const {
    if (type != QLatin1String("timer"))
        qCDebug(lcNotify) << type << sender;

    const NumberedName numbered = SplitNumberedName(sender);
    Result result;
    for (const NotifyTable& table : m_tables) {
        if (ToQString(table.type) != type)
            continue;
        for (const NotifyRoute& route : table.routes) {
            int number = -1;
            const QString name = ToQString(route.name);
            bool hit = false;
            switch (route.match) {
                case RouteMatch::AnySender:
                    hit = true;
                    break;
                case RouteMatch::Name:
                    hit = sender.compare(name, Qt::CaseInsensitive) == 0;
                    break;
                case RouteMatch::ExactName:
                    hit = sender == name;
                    break;
                case RouteMatch::Prefix:
                    hit = numbered.ok && numbered.prefix.compare(name, Qt::CaseInsensitive) == 0;
                    if (hit)
                        number = numbered.number;
                    break;
            }
            if (!hit)
                continue;
            result.matched = true;
            const Handler& handler = m_handlers[static_cast<size_t>(route.action)];
            if (handler)
                handler(RoutedNotify{type, sender, control, number, route.arg1, route.arg2});
            if (route.flow == RouteFlow::End) {
                result.runDefault = false;
                return result;
            }
            if (route.flow == RouteFlow::Done)
                break;
        }
    }
    return result;
}

}  // namespace ravo
