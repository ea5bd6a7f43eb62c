/* SPDX-License-Identifier: MIT */
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
 *  - Threads: any export may be called from any thread. Every export holds one lock of the
 *    library for the whole of its work, so calls are served one at a time and a transfer is
 *    never mixed with another thread's (a slow board makes the other threads wait, up to 2 s
 *    per request on a socket). The last error code is still one for the whole library:
 *    by the time IICError or ErrorString runs, another thread's call may have replaced it.
 *    A program with several threads should act on the code each export returns, and read
 *    the last error code only where its own threads cannot interleave (after a failed
 *    IICInit, for instance, which returns only -1).
 *
 * Depends on nothing beyond <stdint.h>; usable from C and C++.
 */
#ifndef QUORLINK_H
#define QUORLINK_H

#include <stdint.h>

/* On Windows the module-definition file quorlink.def names the 21 exports and their ordinals
 * (SendSend is a second name of SendReceive), so nothing here marks a function for export; a
 * caller reaches them through the import library Quorlink.lib, by name or by ordinal. */
#if defined(_WIN32)
#define QUORLINK_API
#else
#define QUORLINK_API __attribute__((visibility("default")))
#endif

/* Calling conventions, which matter on 32-bit Windows only (x86-64 and POSIX have one each).
 * QUORLINK_CALL, every export but two, is __cdecl: the caller removes the arguments, as C
 * compilers do by default, so a program that declares these functions itself without naming a
 * convention calls them correctly; and a __cdecl function keeps its plain name in the export
 * table, while a __stdcall one would carry "@bytes" as LibMain and WEP do. Those two, the legacy
 * start-up and exit entries, are __stdcall (QUORLINK_LEGACY_CALL) and exported as _LibMain@16
 * and _WEP@4. */
#if defined(_WIN32)
#define QUORLINK_CALL __cdecl
#define QUORLINK_LEGACY_CALL __stdcall
#else
#define QUORLINK_CALL
#define QUORLINK_LEGACY_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes the library sets itself; other non-zero codes come from the adapter board. */
enum {
  QL_OK = 0,
  QL_DEVICE_NOT_AVAILABLE = 9, /* the bridge's device is not open */
  QL_USB_COMMAND_ERROR = 11,   /* command header or version request failed */
  QL_USB_WRITE_ERROR = 12,     /* write-data request failed or was short */
  QL_USB_READ_ERROR = 13,      /* read-data request failed or short; status request failed */
  QL_WRONG_OS = 16,
  QL_VERSION_QUERY_FAILED = 17,
  QL_INVALID_HANDLE = 18, /* an empty slot of the bridge table */
  QL_NO_LPT_DEVICE = 20,
  QL_DEVICE_NOT_FOUND = 22,     /* the adapter device could not be opened */
  QL_MAX_DEVICES_EXCEEDED = 23, /* all 100 bridge slots are in use */
  QL_DATA_OVERFLOW = 33,        /* a length above 64 or below 0 */
  QL_BAD_HANDLE_RESULT = -1     /* 0xFFFF: returned for an invalid handle */
};

/* Opens a bridge for the slave address; returns its handle 0..99, or -1 with the last error code
 * set to:
 *   16  the platform is not supported (Windows NT 4);
 *   17  the platform version could not be read;
 *   22  the adapter device could not be opened. QUORLINK_DEVICE names it:
 *         sim       the board and virtual camera built into the library;
 *         i2c:BUS   (Linux) the built-in board on an i2c-dev bus: i2c:/dev/i2c-N, i2c:N, or
 *                   i2c:NAME, the bus of the adapter so named (or the one whose name holds it);
 *         hid:CHIP  (Linux, Windows) the built-in board on an MCP2221 or CP2112 through the
 *                   system's HID interface: hid:mcp2221, hid:cp2112 or hid:VID:PID, then
 *                   /SERIAL or #N for one of several;
 *         \\.\NAME  (Windows) another driver device; unset, the driver \\.\zembrel-0;
 *         PATH      (POSIX) any other value: the socket at PATH; unset, the socket
 *                   $XDG_RUNTIME_DIR/zembrel-0, or /tmp/zembrel-0 without a runtime folder;
 *   23  all 100 handles are in use. */
QUORLINK_API int QUORLINK_CALL IICInit(int address, int reserved1, int reserved2);
/* Releases the bridge and closes its device. An empty slot sets code 18; a handle outside
 * 0..99 changes nothing. */
QUORLINK_API void QUORLINK_CALL IICClose(int handle);
/* 1 when the last error code is greater than 0, else 0; the handle is ignored. */
QUORLINK_API int QUORLINK_CALL IICError(int handle);
/* Writes the text of the last error code into buffer (at least 52 bytes); returns buffer.
 * A null buffer gets nothing written and null comes back. */
QUORLINK_API char* QUORLINK_CALL ErrorString(int handle, char* buffer);

/* Every transfer returns, and leaves in the last error code:
 *   0       success;
 *   9       the bridge's device is not open;
 *   11      the command header request failed;
 *   12      the write-data request failed or was short;
 *   13      the read-data request failed or was short, or the status request failed (the
 *           byte count of the status request is never examined);
 *   33      length below 0 or above 64, or a null buffer with a non-zero length; nothing is sent;
 *   other   the adapter board's status byte (2..8, 14, 15 name bus faults);
 *   0xFFFF  an invalid handle (code 18 for an empty slot, unchanged outside 0..99).
 * A selector that names no transfer (for example Send type 2) returns 0, sends nothing and
 * leaves the last error code alone. */

/* Plain write/read of length bytes; type 0 ordinary, 1 and 3 adapter variants. */
QUORLINK_API int16_t QUORLINK_CALL Send(int handle, const uint8_t* data, int type, int length);
QUORLINK_API int16_t QUORLINK_CALL Receive(int handle, uint8_t* data, int type, int length);
/* Write/read behind a 1- or 2-byte sub-address; type 0 ordinary, 2 adapter variant. */
QUORLINK_API int16_t QUORLINK_CALL SendSub(int handle, int subAddressSize, int subAddress,
                                           const uint8_t* data, int length, int type);
QUORLINK_API int16_t QUORLINK_CALL ReceiveSub(int handle, int subAddressSize, int subAddress,
                                              uint8_t* data, int length, int type);
/* Sub-address and data interleaved, the sub-address counting up per byte. */
QUORLINK_API int16_t QUORLINK_CALL SendSubInterLeaved(int handle, int subAddressSize,
                                                      int subAddress, const uint8_t* data,
                                                      int length);
QUORLINK_API int16_t QUORLINK_CALL ReceiveSubInterLeaved(int handle, int subAddressSize,
                                                         int subAddress, uint8_t* data, int length);
/* A plain write followed by a plain read. SendSend is the same function. When the write fails
 * an empty write follows to release the bus, no read is made, and the write's code is both
 * returned and left as the last error code. A bad write length or null write buffer is
 * refused with 33 before anything is sent; a bad read length or null read buffer refuses the
 * read with 33 after the write has been sent. */
QUORLINK_API int16_t QUORLINK_CALL SendReceive(int handle, const uint8_t* txData, int txLength,
                                               uint8_t* rxData, int rxLength);
QUORLINK_API int16_t QUORLINK_CALL SendSend(int handle, const uint8_t* txData, int txLength,
                                            uint8_t* rxData, int rxLength);

/* Sets the slave address of later transfers on the handle; always 0. */
QUORLINK_API int16_t QUORLINK_CALL SetAddress(int handle, int address);
/* Lists the addresses that acknowledge a one-byte read; count receives their number. Probes
 * each 8-bit address 0x00, 0x02 .. 0xFE, then restores the bridge's address; returns 0 and
 * leaves the last error code as it was. A null count: 33, nothing probed. */
QUORLINK_API int16_t QUORLINK_CALL BusScan(int handle, uint8_t* count);
/* Copies entry index (low 8 bits) of the BusScan list; 15 when index is beyond the list, 33
 * for a null address. The last error code is left alone. */
QUORLINK_API int16_t QUORLINK_CALL GetDeviceAddress(int handle, int index, uint8_t* address);
/* Library version (major, minor, patch: the pkg-config file's Version) and the adapter
 * driver's three version values; 0, or 11 when the driver's version request fails (both
 * outputs untouched), or 33 for a null output. */
QUORLINK_API int16_t QUORLINK_CALL GetVersions(int handle, uint16_t* library, uint16_t* device);
/* Reads the adapter's bus status byte into status; codes as for a one-byte read, 33 for a null
 * status. */
QUORLINK_API int16_t QUORLINK_CALL CheckI2CBus(int handle, uint8_t* status);

/* Parallel-port vocabulary kept for compatibility: there is no port, code 20. */
QUORLINK_API int16_t QUORLINK_CALL WriteParPortData(int handle, int data);
QUORLINK_API uint8_t QUORLINK_CALL ReadParPortStatus(int handle);

/* Legacy start-up and exit entries: LibMain empties the table when heapSize is not 0, WEP
 * releases every bridge; both return 1. */
QUORLINK_API int QUORLINK_LEGACY_CALL LibMain(void* instance, uint16_t dataSegment,
                                              uint16_t heapSize, char* commandLine);
QUORLINK_API int QUORLINK_LEGACY_CALL WEP(int exitType);

#ifdef __cplusplus
}
#endif

#endif /* QUORLINK_H */
