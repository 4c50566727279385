#include "backup/address.h"

#include "platform/os.h"

LocalAddressList GetLocalAddressList() {
    std::string name;
    if (!os::HostName(name, 256)) return {};
    LocalAddressList list;
    if (!os::ResolveIPv4(name, 10, list)) return {};
    if (list.size() > 10) list.resize(10);
    return list;
}
