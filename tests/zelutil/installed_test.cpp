// Loads the installed library the way a foreign caller would: by file name,
// each export looked up by its published name alone, nothing linked.

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
int Failures = 0;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++Failures;
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: %s <path of libzelutil.so>\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::printf("cannot load %s: %s\n", argv[1], dlerror());
        return 1;
    }
    using Interpolate = int32_t (*)(double*, const double*, const double*, int32_t, double);
    using Select = double (*)(uint32_t, uint32_t, const double*);
    using Round = double (*)(double);
    using TimeText = int32_t (*)(const int32_t*, char*);
    using Now = int32_t (*)();
    using TzSet = void (*)();
    using Gettm = int32_t (*)(int32_t*);
    using UtcToCTime = int32_t (*)(int32_t, int32_t, int32_t);

    auto interpolate = reinterpret_cast<Interpolate>(dlsym(library, "InterpolateValue"));
    auto select = reinterpret_cast<Select>(dlsym(library, "vbSelect"));
    auto ceiling = reinterpret_cast<Round>(dlsym(library, "vbCeiling"));
    auto floor = reinterpret_cast<Round>(dlsym(library, "vbFloor"));
    auto timeText = reinterpret_cast<TimeText>(dlsym(library, "CTimeToVBTime"));
    auto now = reinterpret_cast<Now>(dlsym(library, "NowToCTime"));
    auto tzset = reinterpret_cast<TzSet>(dlsym(library, "vbTZSet"));
    auto gettm = reinterpret_cast<Gettm>(dlsym(library, "vbGettm"));
    auto utcToCTime = reinterpret_cast<UtcToCTime>(dlsym(library, "vbUTCToCTime"));
    Check(interpolate && select && ceiling && floor && timeText && now && tzset && gettm &&
              utcToCTime,
          "every export found by name");
    if (Failures) {
        return 1;
    }
    const double xa[] = {1, 2, 3, 4, 5};
    const double ya[] = {1, 8, 27, 64, 125};
    double y = 0;
    Check(interpolate(&y, xa, ya, 5, 6) == 1 && y == 216, "InterpolateValue extrapolates");
    const double values[] = {3, 1, 4, 1, 5};
    Check(select(3, 5, values) == 3, "vbSelect median");
    Check(ceiling(-1.5) == -1 && floor(-1.5) == -2, "vbCeiling, vbFloor");
    setenv("TZ", "UTC", 1);
    tzset();
    char buffer[32] = {};
    int32_t t = 0;
    timeText(&t, buffer);
    Check(std::strcmp(buffer, "Thu Jan  1 00:00:00 1970\n") == 0, "CTimeToVBTime");
    int32_t tm[9];
    Check(gettm(tm) == 0 && tm[5] >= 124, "vbGettm");
    Check(now() > 1700000000, "NowToCTime");
    Check(utcToCTime(13, 0, 0) % 86400 == 12 * 3600, "vbUTCToCTime");
    dlclose(library);
    std::printf("%d passed, %d failed\n", 9 - Failures, Failures);
    return Failures ? 1 : 0;
}
