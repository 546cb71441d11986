#pragma once

// The copyright and license lines that --version prints under "name version", the same in all
// three programs. A macro, so that it joins string literals in both char and QStringLiteral text.
#define RK7_LICENSE_NOTICE                                                                         \
    "Copyright (C) 2026 The RK7 Power team\n"                                                      \
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"   \
    "This is free software: you are free to change and redistribute it.\n"                         \
    "There is NO WARRANTY, to the extent permitted by law."
