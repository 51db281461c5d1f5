#pragma once

// The throwaway PostgreSQL cluster pg_virtualenv starts for a test ("regress", reached through the
// PG* variables it sets), stopped and started again as the test needs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace voltaryn::testing {

inline void RunShell(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

// Stops the server as pg_ctlcluster does, in pg_ctl's mode: "fast" rolls back what runs and
// closes the connections, "immediate" ends every server process at once.
inline void StopServer(const std::string& mode = "fast")
{
    RunShell("pg_ctlcluster \"$PGVERSION\" regress stop -m " + mode);
}

// Starts it with pg_ctl, as the cluster's owner: that returns once the server takes connections
// (where pg_ctlcluster's start probes it two seconds more), or, not to `wait`, at once.
inline void StartServer(bool wait = true)
{
    const std::string cluster = "\"$PG_CLUSTER_CONF_ROOT/$PGVERSION/regress\"";
    const std::string owner = ::geteuid() == 0 ? "runuser -u \"$(stat -c %U " + cluster + ")\" -- " : "";
    RunShell(owner + "\"$(dirname \"$PG_CONFIG\")/pg_ctl\" start " + (wait ? "-w" : "-W") + " -s -D " + cluster
             + " -l " + cluster + "/log");
}

} // namespace voltaryn::testing
