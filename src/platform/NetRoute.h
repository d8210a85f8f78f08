// Whether the machine has a way out to the internet, read from the kernel's routing table.
#pragma once

#include <string>
#include <string_view>

// True when the text of /proc/net/route holds a default route (destination 00000000) that is up.
bool HasDefaultRoute(std::string_view procNetRoute);
// The same for the running system.
bool DefaultRouteExists();
