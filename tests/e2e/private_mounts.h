#pragma once
// For a child about to run the program: a mount namespace of its own in which test folders stand
// in for the machine's (/tmp, the account's home, the password file), so a test that plays the
// hostile neighbour never touches the machine's own folders.
#include <string>
#include <vector>

struct PrivateMount {
    std::string source;    // a test folder or file; empty for a tmpfs
    std::string target;    // the machine's path it covers, seen only by the child
    std::string options;   // a tmpfs's options ("size=4k")
};

// In the child, before the program starts: false when the namespace or a mount cannot be made.
// Mounts are made in order, so a folder under /tmp is bound before /tmp itself is covered.
bool enterPrivateMounts(const std::vector<PrivateMount>& mounts);
// Whether this machine lets a test process make one (tried once in a child).
bool privateMountsAvailable();
// The home the password database gives the account running the tests; empty when none.
std::string accountHomeFolder();
