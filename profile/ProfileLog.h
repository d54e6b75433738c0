#pragma once

#include <QLoggingCategory>

// Diagnostics of the profile files; silent unless enabled ("ravo.profile.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcProfile)
