#include "board/i2c_errno_status.h"

#include <cerrno>

#include "board/adapter_protocol.h"

namespace torvix {

// Adapters disagree on how they report a device that does not answer: ENXIO is what the
// kernel asks of them, many give EREMOTEIO, and several give a plain EIO. i2c-dev does not say
// which phase failed, so EIO is taken for the address phase, which is what it means on the
// adapters that give it for a missing device.
uint8_t StatusForErrno(int error) {
  switch (error) {
    case 0:
      return kStatusDone;
    case ENXIO:
    case EREMOTEIO:
    case EIO:
      return kStatusAddressNack;
    case EAGAIN:
      return kStatusArbitrationLost;
    case EBUSY:
      return kStatusBusBusy;
    case ETIMEDOUT:
      return kStatusTimeout;
    default:
      return kStatusUnknownCommand;
  }
}

}  // namespace torvix
