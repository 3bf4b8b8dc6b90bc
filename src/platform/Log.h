#pragma once
// The application's one log category, "com.teko.varu.app"; every subsystem writes to it.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcVaru)
