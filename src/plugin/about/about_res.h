// Resource identifiers of the About box (shared by the .rc file and the code).
#pragma once

#define IDB_TVP_LOGO 201
