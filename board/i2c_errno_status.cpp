// SPDX-License-Identifier: MIT
#include "board/i2c_errno_status.h"

#include <cerrno>

#include "board/adapter_protocol.h"

namespace torvix {

// Adapters disagree on how they report a device that does not answer: ENXIO is what the
// kernel asks of them, many give EREMOTEIO, and several give a plain EIO. i2c-dev does not say
// which phase failed, so EIO is taken for the address phase, which is what it means on the
// adapters that give it for a missing device.
//
// A USB adapter that is unplugged fails its requests with what usbcore says of a device that
// has gone (ENODEV, ESHUTDOWN) or stops answering on the wire while it goes (EPROTO, EILSEQ,
// ETIME); the HID adapters pass these on. EINTR is a request cut off by a signal: whether it
// reached the bus is unknown, so it is not tried again, and it is no answer of the bus either.
//
// hid-cp2112 gives ETIMEDOUT for an address its chip found unacknowledged, which the chip
// reports as a time-out of the address. It reports a bus held low past its time-out the same
// way; of the two, a camera that does not answer is by far the likelier.
TransferOutcome OutcomeForErrno(int error, std::string_view driver) {
  if (error == ETIMEDOUT && driver == "cp2112") error = ENXIO;
  switch (error) {
    case 0: return {kStatusDone, false};
    case ENXIO:
    case EREMOTEIO:
    case EIO: return {kStatusAddressNack, false};
    case EAGAIN: return {kStatusArbitrationLost, false};
    case EBUSY: return {kStatusBusBusy, false};
    case ETIMEDOUT: return {kStatusTimeout, false};
    case ENODEV:
    case ESHUTDOWN:
    case EPROTO:
    case EILSEQ:
    case ETIME:
    case EINTR: return {kStatusUnknownCommand, true};
    default: return {kStatusUnknownCommand, false};
  }
}

}  // namespace torvix
