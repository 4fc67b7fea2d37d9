// Resource identifiers of the search dialog (shared by the .rc file and the code).
#pragma once

#define IDB_TVP_EDIT_ALIAS 202
