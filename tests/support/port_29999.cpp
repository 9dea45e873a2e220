// The program's tests use its fixed port 29999. Where they share the
// machine's network (Windows, or POSIX without a namespace of their own), the
// simulator itself may be listening there with its InSim port open: each
// test process then skips its tests, saying why, rather than fail or, worse,
// drive the real simulator.
#include <gtest/gtest.h>

#include "tests/support/program_fixture.h"

namespace {

class Port29999MustBeFree : public ::testing::Environment {
  public:
    void SetUp() override {
        sim::SimClient probe(test_support::kProgramPort);
        if (probe.connected()) {
            GTEST_SKIP() << test_support::kPortInUse;
        }
    }
};

const ::testing::Environment* const kCheck =
    ::testing::AddGlobalTestEnvironment(new Port29999MustBeFree);

}  // namespace
