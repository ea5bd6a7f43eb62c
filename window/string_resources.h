/* The program's string resources, written so that both C++ and the Windows resource compiler
 * take them (app/win32/torvix_controller.rc reads them through the C preprocessor): on Windows
 * they are the program's string table, elsewhere LoadStringResource's own. */
#ifndef TORVIX_WINDOW_STRING_RESOURCES_H
#define TORVIX_WINDOW_STRING_RESOURCES_H

/* The system menu's About entry; the ampersand marks its access key. */
#define TORVIX_IDS_ABOUTBOX 101
#define TORVIX_IDS_ABOUTBOX_TEXT "&About Torvix_Controller..."

#endif
