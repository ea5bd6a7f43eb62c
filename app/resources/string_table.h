/* SPDX-License-Identifier: MIT */
/* The program's string table: the text of each string resource, written so that both C++ and
 * the Windows resource compiler take it (app/win32/torvix_controller.rc reads it through the C
 * preprocessor). On Windows it is the program's string table, elsewhere LoadStringResource's
 * own. The IDs are in app/resource_ids.h. */
#ifndef TORVIX_APP_RESOURCES_STRING_TABLE_H
#define TORVIX_APP_RESOURCES_STRING_TABLE_H

/* IDS_ABOUTBOX, the system menu's About entry; the ampersand marks its access key. */
#define IDS_ABOUTBOX_TEXT "&About Torvix_Controller..."

#endif
