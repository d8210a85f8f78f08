// Whether the machine is connected to the internet.
#pragma once

// Qt's network information when a backend reports it, else a default route in the routing table.
bool IsInternetConnected();
