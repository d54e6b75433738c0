#pragma once

#include "devices/MacroImage.h"

#include <QString>
#include <QStringList>

#include <json/value.h>

#include <vector>

namespace ravo {

// Reading the macro library ("macro.config" and the "<Guid>.mac" files of a device's user
// folder) as the keyboard's macro download needs it.
class MacroSource {
public:
    explicit MacroSource(QString userFolder) : m_folder(std::move(userFolder)) {}

    // Reads "macro.config"; false when it cannot be read (a missing file included).
    bool Load();
    int Count() const { return static_cast<int>(m_guids.size()); }
    const QStringList& Names() const { return m_names; }

    // The device form of every event of the macros at these library indices, in list order.
    // A macro whose file is missing or unreadable contributes no events; an index outside the
    // library, or a Guid that is not a plain file name, is refused (false).
    bool LoadEvents(const std::vector<int>& indices,
                    std::vector<std::vector<MacroEventBytes>>& macros) const;

private:
    QString m_folder;
    QStringList m_names;
    QStringList m_guids;
};

// The four bytes the keyboard plays for one "Events" element: delay low, delay high, type with
// bit 7 set for "down", button. A delay that is no number counts as 0; larger than 65535 as
// 65535.
MacroEventBytes EncodeMacroEventForDevice(const Json::Value& event);

}  // namespace ravo
