// Reading the lock keys (Caps Lock, Num Lock, Kana) from the display server.
#pragma once

#include "platform/LockKeys.h"

// The indicators of the core keyboard through XKB on X11; Known is false elsewhere.
TLockKeys ReadLockKeys();
