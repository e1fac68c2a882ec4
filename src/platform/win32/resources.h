// The version record and resource numbers shared by the resource script and the C++ code.
#pragma once

// The numbers, from the project's version (ontop_version.h.in).
#include "ontop_version.h"

#define ONTOP_PRODUCT_NAME "OnTopView"
#define ONTOP_COMPANY_NAME "OnTopView"
#define ONTOP_INTERNAL_NAME "ontopview"
#define ONTOP_ORIGINAL_FILENAME "ontopview.exe"
// UTF-8; the resource script reads its text as such.
#define ONTOP_FILE_DESCRIPTION "常に手前に表示するテキストビューアー"

// Japanese (0x0411) in UTF-16 (1200): the version record's one language.
#define ONTOP_VERSION_LANGUAGE 0x0411
#define ONTOP_VERSION_CODE_PAGE 1200
#define ONTOP_VERSION_BLOCK "041104B0"
#define ONTOP_VERSION_BLOCK_W L"041104B0"

// The lowest id, so Explorer shows it as the program's icon.
#define ONTOP_ICON_ID 1
