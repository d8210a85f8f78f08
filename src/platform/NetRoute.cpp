// Default-route test on /proc/net/route.
#include "platform/NetRoute.h"

#include "platform/AtomicFile.h"

#include <sstream>

bool HasDefaultRoute(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string line;
    std::getline(in, line); // the header
    while (std::getline(in, line)) {
        // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
        std::istringstream ls(line);
        std::string iface, dest, gateway, flags;
        if (!(ls >> iface >> dest >> gateway >> flags)) continue;
        if (dest != "00000000" || iface == "lo") continue;
        unsigned long f = 0;
        try {
            f = std::stoul(flags, nullptr, 16);
        } catch (...) {
            continue;
        }
        if (f & 0x1) return true; // RTF_UP
    }
    return false;
}

bool DefaultRouteExists() {
    std::string text;
    return ReadWholeFile("/proc/net/route", text) && HasDefaultRoute(text);
}
