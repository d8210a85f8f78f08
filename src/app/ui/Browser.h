// Opening a web address with the desktop's handler, so that a failure can be told to the user.
#pragma once

#include <QString>

// Opens the address with xdg-open and waits up to waitMs (the window repaints meanwhile) for its
// answer. False when it cannot be started or ends reporting a failure (no browser to open);
// true when it succeeded, or still runs after the wait (a browser it started in the foreground).
bool OpenInBrowser(const QString& url, int waitMs = 5000);
