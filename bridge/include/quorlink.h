/*
 * Quorlink: a small I2C master interface over a USB-to-I2C adapter board.
 *
 * A caller opens a bridge handle for one slave address with IICInit, performs transfers on it,
 * asks for the outcome with IICError and ErrorString, and releases the handle with IICClose.
 *
 * Conventions shared by every export:
 *  - An I2C address is passed in its 8-bit form (7-bit address shifted left by one); only the
 *    low 8 bits count and bit 0 makes no difference.
 *  - Transfer exports return a 16-bit result code: 0 success; 0xFFFF (-1) an invalid handle;
 *    the library's own codes 9, 11, 12, 13, 16, 17, 18, 20, 22, 23, 33; any other value is the
 *    adapter board's status byte passed through. ErrorString names each one.
 *  - One library-wide last error code (not one per handle) holds the outcome of the latest
 *    IICInit, transfer, CheckI2CBus, GetVersions or parallel-port call.
 *  - Data buffers belong to the caller and hold at most 64 bytes per transfer.
 *  - The library is meant for one thread at a time.
 *
 * Depends on nothing beyond <stdint.h>; usable from C and C++.
 */
#ifndef QUORLINK_H
#define QUORLINK_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(QUORLINK_BUILDING)
#    define QUORLINK_API __declspec(dllexport)
#  else
#    define QUORLINK_API __declspec(dllimport)
#  endif
#else
#  define QUORLINK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes the library sets itself; other non-zero codes come from the adapter board. */
enum {
  QL_OK = 0,
  QL_DEVICE_NOT_AVAILABLE = 9,  /* the bridge's device is not open */
  QL_USB_COMMAND_ERROR = 11,    /* command header or version request failed */
  QL_USB_WRITE_ERROR = 12,      /* write-data request failed or was short */
  QL_USB_READ_ERROR = 13,       /* read-data or status request failed */
  QL_WRONG_OS = 16,
  QL_VERSION_QUERY_FAILED = 17,
  QL_INVALID_HANDLE = 18,       /* an empty slot of the bridge table */
  QL_NO_LPT_DEVICE = 20,
  QL_DEVICE_NOT_FOUND = 22,     /* the adapter device could not be opened */
  QL_MAX_DEVICES_EXCEEDED = 23, /* all 100 bridge slots are in use */
  QL_DATA_OVERFLOW = 33,        /* a length above 64 or below 0 */
  QL_BAD_HANDLE_RESULT = -1     /* 0xFFFF: returned for an invalid handle */
};

/* Opens a bridge for the slave address; returns its handle 0..99, or -1 (see IICError). */
QUORLINK_API int IICInit(int address, int reserved1, int reserved2);
/* Releases the bridge and closes its device. */
QUORLINK_API void IICClose(int handle);
/* 1 when the last error code is greater than 0, else 0; the handle is ignored. */
QUORLINK_API int IICError(int handle);
/* Writes the text of the last error code into buffer (at least 52 bytes); returns buffer. */
QUORLINK_API char* ErrorString(int handle, char* buffer);

/* Plain write/read of length bytes; type 0 ordinary, 1 and 3 adapter variants. */
QUORLINK_API int16_t Send(int handle, const uint8_t* data, int type, int length);
QUORLINK_API int16_t Receive(int handle, uint8_t* data, int type, int length);
/* Write/read behind a 1- or 2-byte sub-address; type 0 ordinary, 2 adapter variant. */
QUORLINK_API int16_t SendSub(int handle, int subAddressSize, int subAddress, const uint8_t* data,
                             int length, int type);
QUORLINK_API int16_t ReceiveSub(int handle, int subAddressSize, int subAddress, uint8_t* data,
                                int length, int type);
/* Sub-address and data interleaved, the sub-address counting up per byte. */
QUORLINK_API int16_t SendSubInterLeaved(int handle, int subAddressSize, int subAddress,
                                        const uint8_t* data, int length);
QUORLINK_API int16_t ReceiveSubInterLeaved(int handle, int subAddressSize, int subAddress,
                                           uint8_t* data, int length);
/* A plain write followed by a plain read. SendSend is the same function. */
QUORLINK_API int16_t SendReceive(int handle, const uint8_t* txData, int txLength, uint8_t* rxData,
                                 int rxLength);
QUORLINK_API int16_t SendSend(int handle, const uint8_t* txData, int txLength, uint8_t* rxData,
                              int rxLength);

/* Sets the slave address of later transfers on the handle; always 0. */
QUORLINK_API int16_t SetAddress(int handle, int address);
/* Lists the addresses that acknowledge a one-byte read; count receives their number. */
QUORLINK_API int16_t BusScan(int handle, uint8_t* count);
/* Copies entry index of the BusScan list; 15 when index is beyond the list. */
QUORLINK_API int16_t GetDeviceAddress(int handle, int index, uint8_t* address);
/* Library version (3, 0, 1) and the adapter driver's three version values. */
QUORLINK_API int16_t GetVersions(int handle, uint16_t* library, uint16_t* device);
/* Reads the adapter's bus status byte into status. */
QUORLINK_API int16_t CheckI2CBus(int handle, uint8_t* status);

/* Parallel-port vocabulary kept for compatibility: there is no port, code 20. */
QUORLINK_API int16_t WriteParPortData(int handle, int data);
QUORLINK_API uint8_t ReadParPortStatus(int handle);

/* Legacy start-up and exit entries: LibMain empties the table when heapSize is not 0, WEP
 * releases every bridge; both return 1. */
QUORLINK_API int LibMain(void* instance, uint16_t dataSegment, uint16_t heapSize, char* commandLine);
QUORLINK_API int WEP(int exitType);

#ifdef __cplusplus
}
#endif

#endif /* QUORLINK_H */
