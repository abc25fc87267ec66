#include "zelutil/binding.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <system_error>

namespace ZelUtil {
namespace {

std::mutex BindLock;
void* Library = nullptr;

// Like the program's own folder on the platform the library comes from: the
// program's lib/ folder (bin/../lib, as installed and as built) and its own
// folder come before the system's library search.
void* OpenByName() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        for (const auto& folder :
             {program.parent_path().parent_path() / "lib", program.parent_path()}) {
            const auto candidate = folder / LibraryName;
            if (std::filesystem::exists(candidate, error)) {
                if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
                    return handle;
                }
            }
        }
    }
    return dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
}

void* OpenLibrary() {
    if (Library == nullptr) {
        Library = OpenByName();
        if (Library == nullptr) {
            throw Unavailable(53, std::string("File not found: ") + LibraryName);
        }
    }
    return Library;
}

// Resolves one export once and keeps it; a failed lookup is tried again at the
// next call, as a library put in place later should then be found.
template <typename Function>
Function Bind(Function& cache, const char* name) {
    std::lock_guard<std::mutex> lock(BindLock);
    if (cache == nullptr) {
        void* symbol = dlsym(OpenLibrary(), name);
        if (symbol == nullptr) {
            throw Unavailable(
                453, std::string("Can't find DLL entry point ") + name + " in " + LibraryName);
        }
        cache = reinterpret_cast<Function>(symbol);
    }
    return cache;
}

}  // namespace

int32_t InterpolateValue(double& Y, const double* XA, const double* YA, int32_t N, double X) {
    using Fn = int32_t (*)(double*, const double*, const double*, int32_t, double);
    static Fn entry = nullptr;
    return Bind(entry, "InterpolateValue")(&Y, XA, YA, N, X);
}

double vbCeiling(double X) {
    using Fn = double (*)(double);
    static Fn entry = nullptr;
    return Bind(entry, "vbCeiling")(X);
}

double vbFloor(double X) {
    using Fn = double (*)(double);
    static Fn entry = nullptr;
    return Bind(entry, "vbFloor")(X);
}

double vbSelect(uint32_t K, uint32_t N, const double* Values) {
    using Fn = double (*)(uint32_t, uint32_t, const double*);
    static Fn entry = nullptr;
    return Bind(entry, "vbSelect")(K, N, Values);
}

int32_t CTimeToVBTime(int32_t& T, char* Buffer) {
    using Fn = int32_t (*)(const int32_t*, char*);
    static Fn entry = nullptr;
    return Bind(entry, "CTimeToVBTime")(&T, Buffer);
}

int32_t NowToCTime() {
    using Fn = int32_t (*)();
    static Fn entry = nullptr;
    return Bind(entry, "NowToCTime")();
}

void vbTZSet() {
    using Fn = void (*)();
    static Fn entry = nullptr;
    Bind(entry, "vbTZSet")();
}

int32_t vbGettm(int32_t* Tm) {
    using Fn = int32_t (*)(int32_t*);
    static Fn entry = nullptr;
    return Bind(entry, "vbGettm")(Tm);
}

int32_t vbUTCToCTime(int32_t Hour, int32_t Minute, int32_t Second) {
    using Fn = int32_t (*)(int32_t, int32_t, int32_t);
    static Fn entry = nullptr;
    return Bind(entry, "vbUTCToCTime")(Hour, Minute, Second);
}

}  // namespace ZelUtil
