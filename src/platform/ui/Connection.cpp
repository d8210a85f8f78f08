// The connection test: QNetworkInformation's reachability, with the routing table as fallback.
#include "platform/ui/Connection.h"

#include "platform/NetRoute.h"

#include <QNetworkInformation>

bool IsInternetConnected() {
    if (QNetworkInformation::loadDefaultBackend() || QNetworkInformation::instance()) {
        const auto r = QNetworkInformation::instance()->reachability();
        if (r != QNetworkInformation::Reachability::Unknown)
            return r == QNetworkInformation::Reachability::Online;
    }
    return DefaultRouteExists();
}
