// The page tabs' mouse presses.
#include "mainwindow/TabGestures.h"

TTabPress TabPressAction(TTabButton button, bool shift, bool ctrl, int index, int current) {
    if (button == TTabButton::Right) return index >= 0 ? TTabPress::RightClick : TTabPress::Swallow;
    if (shift && ctrl && (button == TTabButton::Left || button == TTabButton::Middle))
        return TTabPress::ArmDrag;
    if (button == TTabButton::Left && index >= 0 && index != current) return TTabPress::Changing;
    return TTabPress::Default;
}
