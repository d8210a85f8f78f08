// Lock keys through XKB's named indicators on X11.
#include "platform/ui/LockKeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

bool Indicator(Display* dpy, const char* name, bool* known) {
    const Atom atom = XInternAtom(dpy, name, True);
    if (atom == None) return false;
    Bool on = False;
    int index = 0;
    if (!XkbGetNamedIndicator(dpy, atom, &index, &on, nullptr, nullptr)) return false;
    *known = true;
    return on;
}

} // namespace

TLockKeys ReadLockKeys() {
    TLockKeys k;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* dpy = x11 ? x11->display() : nullptr;
    if (!dpy) return k;
    bool any = false;
    k.Caps = Indicator(dpy, "Caps Lock", &any);
    k.Num = Indicator(dpy, "Num Lock", &any);
    bool kana = false;
    k.Kana = Indicator(dpy, "Kana", &kana);
    k.Known = any;
    return k;
}
