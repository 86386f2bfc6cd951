// The serial drivers' port table: the host handle behind each driver reference number. An
// output driver's port is shared by the input driver one above it (-7 with -6, -9 with -8).
#ifndef ZEB_OSUTILS_SERIAL_PORTS_H
#define ZEB_OSUTILS_SERIAL_PORTS_H

#include <windows.h>

#include <cstdint>

namespace zeb::osutils {

// Enters an opened port for an output driver (-7 or -9) and its input partner.
void AttachPort(int16_t outputRefNum, HANDLE port);
// The port behind a driver's reference number, or null.
HANDLE PortOf(int16_t refNum);

}  // namespace zeb::osutils

#endif  // ZEB_OSUTILS_SERIAL_PORTS_H
