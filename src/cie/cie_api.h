// What libcie.so lets out: everything else stays inside the library.
#pragma once

#if defined(CIE_BUILDING)
#define CIE_API __attribute__((visibility("default")))
#else
#define CIE_API
#endif
