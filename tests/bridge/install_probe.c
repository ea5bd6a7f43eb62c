/* SPDX-License-Identifier: MIT */
/* Built against the installed header and pkg-config flags: with no adapter present IICInit
 * must fail with "USB device not found". */
#include <quorlink.h>
#include <stdio.h>
#include <string.h>

int main(void) {
  char text[52];
  int handle = IICInit(0x70, 20000, 1000);
  ErrorString(handle, text);
  printf("IICInit %d IICError %d \"%s\"\n", handle, IICError(handle), text);
  return handle == -1 && IICError(handle) == 1 && strcmp(text, "USB device not found") == 0 ? 0 : 1;
}
