// SPDX-License-Identifier: MIT
#include "app/resources/string_resource.h"

#include "app/resource_ids.h"
#include "app/resources/string_table.h"

namespace torvix {

namespace {

StringResourceLoader g_stringResourceLoader = nullptr;

}  // namespace

std::string LoadStringResource(int stringId) {
  if (g_stringResourceLoader != nullptr) return g_stringResourceLoader(stringId);
  if (stringId == IDS_ABOUTBOX) return IDS_ABOUTBOX_TEXT;
  return {};
}

void SetStringResourceLoader(StringResourceLoader loader) { g_stringResourceLoader = loader; }

}  // namespace torvix
