// Which brixfunction port stands behind a wizard port, found through the
// CONNECT records the way the command-line flow asks for it.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "wizard/crwizard.h"

namespace {

struct PORT_CASE {
    const char* what;
    std::vector<std::pair<const char*, const char*>> connections;  // port, other port, in table order
    const char* wizard_port;
    const char* brix_port;
};

const PORT_CASE CASES[] = {
    {"a connection stored under the port", {{"datain", "@rx_datain"}}, "datain", "rx_datain"},
    {"under the port with the module-side mark", {{"@datain", "rx_datain"}}, "datain", "rx_datain"},
    {"the port's own key wins over the marked one", {{"@datain", "other"}, {"datain", "@rx_datain"}}, "datain",
     "rx_datain"},
    {"found as the other port", {{"@rx_dataout", "dataout"}}, "dataout", "rx_dataout"},
    {"found as the other port with the mark", {{"rx_dataout", "@dataout"}}, "dataout", "rx_dataout"},
    {"the first such connection in table order", {{"a", "@clk"}, {"b", "clk"}}, "clk", "a"},
    {"no connection", {{"a", "b"}}, "clk", ""},
};

}  // namespace

TEST(CmdLineFlowPorts, WizardPortsLeadToTheirBrixfunctionPortsThroughConnections) {
    for (const PORT_CASE& c : CASES) {
        SCOPED_TRACE(c.what);
        CRWIZARD wizard;
        for (const auto& [port, other] : c.connections) {
            wizard.get_cnx_manager().add_cnx_connection(new CRCNX_ITEM_CONNECTION(port, 0, 0, 0, 0, other, 0, 0, 0, 0));
        }
        EXPECT_EQ(wizard.get_mf_port_name_from_wiz_port_name(c.wizard_port).str(), c.brix_port);
    }
}
