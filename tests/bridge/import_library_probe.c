/* SPDX-License-Identifier: MIT */
/* A caller of all 21 exports, built the way an outside program is: quorlink.h as it ships and
 * the import library. Run on the in-process board (QUORLINK_DEVICE=sim), each call must come
 * back with its result: a wrong name, ordinal or calling convention does not. */
#include <quorlink.h>
#include <stdio.h>
#include <string.h>

static int failures;

static void expect(const char* call, long got, long want) {
  if (got == want) return;
  printf("%s returned %ld, expected %ld\n", call, got, want);
  ++failures;
}

int main(void) {
  uint8_t data[2] = {0x30, 0x57};
  uint8_t byte = 0;
  uint16_t library[3] = {0}, device[3] = {0};
  char text[52];
  const int h = IICInit(0x70, 20000, 1000);
  expect("IICInit", h, 0);
  expect("SetAddress", SetAddress(h, 0x70), 0);
  /* The camera's register write: 00 30 57 selects register 0x57, then its value. */
  expect("SendSub", SendSub(h, 1, 0x00, data, 2, 0), 0);
  expect("Send", Send(h, data, 0, 1), 0);
  expect("Receive", Receive(h, &byte, 0, 1), 0);
  /* A lone sub-address byte is no request the camera knows: it does not answer. */
  expect("ReceiveSub", ReceiveSub(h, 1, 0x00, &byte, 0, 0), 5);
  expect("SendSubInterLeaved", SendSubInterLeaved(h, 1, 0x00, data, 0), 0);
  expect("ReceiveSubInterLeaved", ReceiveSubInterLeaved(h, 1, 0x00, &byte, 0), 0);
  expect("SendReceive", SendReceive(h, data, 0, &byte, 1), 0);
  expect("SendSend", SendSend(h, data, 0, &byte, 1), 0);
  expect("CheckI2CBus", CheckI2CBus(h, &byte), 0);
  expect("GetVersions", GetVersions(h, library, device), 0);
  expect("GetVersions' library version", library[0] * 100 + library[1] * 10 + library[2], 301);
  expect("IICError", IICError(h), 0);
  expect("BusScan", BusScan(h, &byte), 0);
  expect("GetDeviceAddress", GetDeviceAddress(h, 0, &byte), 0);
  expect("ReadParPortStatus", ReadParPortStatus(h), 0);
  expect("WriteParPortData", WriteParPortData(h, 0), QL_NO_LPT_DEVICE);
  expect("ErrorString", strcmp(ErrorString(h, text), "No lpt device"), 0);
  IICClose(h);
  expect("Send after IICClose", Send(h, data, 0, 1), QL_BAD_HANDLE_RESULT);
  expect("LibMain", LibMain(NULL, 0, 0, NULL), 1);
  expect("WEP", WEP(0), 1);
  printf("%s\n", failures == 0 ? "21 exports called" : "calls failed");
  return failures == 0 ? 0 : 1;
}
