#include "app/NotifyRouter.h"

#include <QLoggingCategory>

#include <limits>

namespace ravo {

Q_LOGGING_CATEGORY(lcNotify, "ravo.notify", QtWarningMsg)

std::optional<NumberedName> SplitNumberedControlName(const QString& name) {
    const qsizetype cut = name.lastIndexOf(QLatin1Char('_'));
    if (cut < 0 || cut + 1 >= name.size())
        return std::nullopt;
    long long value = 0;
    for (qsizetype i = cut + 1; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return NumberedName{name.left(cut + 1), static_cast<int>(value)};
}

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

    const std::optional<NumberedName> numbered = SplitNumberedControlName(sender);
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
                    hit = numbered && numbered->prefix.compare(name, Qt::CaseInsensitive) == 0;
                    if (hit)
                        number = numbered->number;
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
