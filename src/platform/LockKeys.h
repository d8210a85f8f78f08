// The state of the lock keys as the display server reports it.
#pragma once

struct TLockKeys {
    bool Known = false; // false where the display server tells nothing (e.g. Wayland)
    bool Caps = false, Num = false, Kana = false;
};
