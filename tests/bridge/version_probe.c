/* SPDX-License-Identifier: MIT */
/* Prints the library version GetVersions reports, as major.minor.patch, through a handle on
 * the in-process virtual board (QUORLINK_DEVICE=sim). */
#include <quorlink.h>
#include <stdio.h>

int main(void) {
  uint16_t library[3] = {0, 0, 0};
  uint16_t device[3] = {0, 0, 0};
  int handle = IICInit(0x70, 20000, 1000);
  if (handle < 0 || GetVersions(handle, library, device) != 0) {
    fprintf(stderr, "GetVersions gave no version (IICInit %d)\n", handle);
    return 1;
  }
  IICClose(handle);
  printf("%u.%u.%u\n", (unsigned)library[0], (unsigned)library[1], (unsigned)library[2]);
  return 0;
}
