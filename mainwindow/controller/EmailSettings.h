#pragma once
// The e-mail sending settings copied at start-up into process-wide strings;
// the strings and the settings file live with the mail windows.

#include "output/core/MailSettings.h"
