// Forced into the Windows build of the C++ tests: setenv and tzset as the tests call them,
// on the C runtime's _putenv_s and _tzset.
#pragma once
#include <stdlib.h>
#include <time.h>
#define setenv(name, value, overwrite) _putenv_s((name), (value))
#define tzset _tzset
