#include "profile/ProfileLog.h"

Q_LOGGING_CATEGORY(lcProfile, "ravo.profile", QtInfoMsg)
