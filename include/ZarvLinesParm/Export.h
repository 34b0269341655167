#pragma once

// Symbols a host may use are exported; everything else stays inside the library.
#if defined(_WIN32)
#  if defined(ZARVLINESPARM_BUILDING)
#    define ZARVLINESPARM_EXPORT __declspec(dllexport)
#  else
#    define ZARVLINESPARM_EXPORT __declspec(dllimport)
#  endif
#else
#  define ZARVLINESPARM_EXPORT __attribute__((visibility("default")))
#endif
