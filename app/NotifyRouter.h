#pragma once

#include "app/NotifyAction.h"

#include <QString>

#include <array>
#include <functional>
#include <string_view>
#include <vector>

class QObject;

namespace ravo {

// How one row of a routing table recognises its control.
enum class RouteMatch {
    AnySender,  // every sender
    Name,       // the whole name, letter case ignored
    ExactName,  // the whole name, letter case respected
    Prefix,     // "prefix_" + decimal number, prefix letter case ignored
};

// What happens after a row matched.
enum class RouteFlow {
    Done,      // this table is finished; later tables and the toolkit's default still run
    Continue,  // later rows of this table are still tried
    End,       // nothing further at all: no other row, table or toolkit default
};

struct NotifyRoute {
    RouteMatch match = RouteMatch::Name;
    std::string_view name;
    NotifyAction action = NotifyAction::None;
    int arg1 = 0;
    int arg2 = 0;
    RouteFlow flow = RouteFlow::Done;
};

// One table of rows for a notification type, tried in order. A type may own several tables;
// they run one after the other.
struct NotifyTable {
    std::string_view type;
    std::vector<NotifyRoute> routes;
};

// What a handler learns about the notification that reached it.
struct RoutedNotify {
    QString type;
    QString sender;
    QObject* control = nullptr;
    int number = -1;  // the N of a prefix row, else -1
    int arg1 = 0;
    int arg2 = 0;
};

// Routes notifications (type + sender name) through tables to bound handlers.
class NotifyRouter {
public:
    using Handler = std::function<void(const RoutedNotify&)>;

    struct Result {
        bool matched = false;    // some row recognised the notification
        bool runDefault = true;  // the toolkit's own handling should still run
    };

    explicit NotifyRouter(std::vector<NotifyTable> tables);

    void Bind(NotifyAction action, Handler handler);
    void Unbind(NotifyAction action);
    bool IsBound(NotifyAction action) const;

    Result Route(const QString& type, const QString& sender, QObject* control = nullptr) const;

    const std::vector<NotifyTable>& Tables() const { return m_tables; }

private:
    std::vector<NotifyTable> m_tables;
    std::array<Handler, static_cast<size_t>(NotifyAction::Count)> m_handlers;
};

}  // namespace ravo
