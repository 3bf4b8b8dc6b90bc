#include "Log.h"

Q_LOGGING_CATEGORY(lcVaru, "com.teko.varu.app")
