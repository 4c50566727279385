#pragma once
#include <string>
#include <vector>

using LocalAddressList = std::vector<std::string>;
// The host's IPv4 addresses, at most 10; empty on any failure.
LocalAddressList GetLocalAddressList();
