// Whether the machine has a default route that is up, from the kernel's route table.
#include "platform/NetRoute.h"

#include <gtest/gtest.h>
#include <string>

TEST(NetRoute, DefaultRouteThatIsUp) {
    const std::string head = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\n";
    EXPECT_TRUE(HasDefaultRoute(head + "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\n"));
    EXPECT_FALSE(HasDefaultRoute(head + "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\n"));
    EXPECT_FALSE(HasDefaultRoute(head + "eth0\t00000000\t0100A8C0\t0002\t0\t0\t100\t00000000\n"));
    EXPECT_FALSE(HasDefaultRoute(head));
    EXPECT_FALSE(HasDefaultRoute(""));
}
