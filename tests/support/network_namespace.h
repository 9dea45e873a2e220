// Network namespaces, for test programs that listen on a fixed port (Linux).
#pragma once

namespace test_support {

// Moves the calling process into a network namespace of its own with the
// loopback interface up, so that tests listening on a fixed port cannot meet
// each other or a stray listener. Call before starting any thread. Returns
// false (and changes nothing) where the system does not allow it; throws
// when the namespace was made but its loopback cannot be brought up.
bool enter_own_network_namespace();

}  // namespace test_support
