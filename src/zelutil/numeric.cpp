// Cubic interpolation at a point and selection of the k-th smallest value, after
// the classic bracket-hunt, Neville and quick-select routines.
//
// The library runs inside the user's program: it never ends the process and
// never writes to standard error. Where the classic routines would abort (two
// equal abscissas, no memory) the exports report failure through their result.

#include <cmath>
#include <limits>
#include <new>

#include "zelutil/zelutil.h"

namespace {

// Where the previous InterpolateValue call found its window. It only decides
// where the next bracket search starts; results never depend on it. Successive
// calls over an ascending output grid then find their bracket in a step or two.
int32_t RememberedWindowStart = 0;

// A Double vector indexable from 1 to n, or nullptr when there is no memory.
class WorkVector {
public:
    explicit WorkVector(uint32_t n) : data_(new (std::nothrow) double[n]) {}
    ~WorkVector() { delete[] data_; }
    WorkVector(const WorkVector&) = delete;
    WorkVector& operator=(const WorkVector&) = delete;
    bool ok() const { return data_ != nullptr; }
    double& operator()(uint32_t i) { return data_[i - 1]; }

private:
    double* data_;
};

// Bracket search in the 1-based table xx(1..n), starting from the guess jlo.
// On return xx(jlo) <= x < xx(jlo + 1) for an ascending table (reversed for a
// descending one); jlo = 0 or n when x lies outside the table.
void Hunt(const double* xx1, int32_t n, double x, int32_t& jlo) {
    auto xx = [xx1](int32_t i) { return xx1[i - 1]; };
    const bool ascending = xx(n) > xx(1);
    int32_t jhi;
    if (jlo < 1 || jlo > n) {
        jlo = 0;
        jhi = n + 1;
    } else {
        int32_t step = 1;
        if ((x >= xx(jlo)) == ascending) {
            if (jlo == n) {
                return;
            }
            jhi = jlo + 1;
            while ((x >= xx(jhi)) == ascending) {
                jlo = jhi;
                step += step;
                jhi = jlo + step;
                if (jhi > n) {
                    jhi = n + 1;
                    break;
                }
            }
        } else {
            if (jlo == 1) {
                jlo = 0;
                return;
            }
            jhi = jlo--;
            while ((x < xx(jlo)) == ascending) {
                jhi = jlo;
                step += step;
                if (step >= jhi) {
                    jlo = 0;
                    break;
                }
                jlo = jhi - step;
            }
        }
    }
    while (jhi - jlo != 1) {
        const int32_t mid = (jhi + jlo) / 2;
        if ((x > xx(mid)) == ascending) {
            jlo = mid;
        } else {
            jhi = mid;
        }
    }
}

// 0-based index j with x between xa[j] and xa[j + 1]; -1 below, n - 1 above.
int32_t HuntZeroBased(const double* xa, int32_t n, double x, int32_t guess) {
    int32_t jlo = guess;
    Hunt(xa, n, x, jlo);
    return jlo - 1;
}

// Neville's algorithm through the n points xa[0..n-1], ya[0..n-1] at x.
// False (y untouched) when two abscissas are equal or there is no memory.
bool PolyInterpolate(const double* xa1, const double* ya1, uint32_t n, double x, double& y) {
    auto xa = [xa1](uint32_t i) { return xa1[i - 1]; };
    auto ya = [ya1](uint32_t i) { return ya1[i - 1]; };
    WorkVector c(n), d(n);
    if (!c.ok() || !d.ok()) {
        return false;
    }
    uint32_t ns = 1;
    double dif = std::fabs(x - xa(1));
    for (uint32_t i = 1; i <= n; ++i) {
        const double dift = std::fabs(x - xa(i));
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
        c(i) = ya(i);
        d(i) = ya(i);
    }
    double result = ya(ns--);
    for (uint32_t m = 1; m < n; ++m) {
        for (uint32_t i = 1; i <= n - m; ++i) {
            const double ho = xa(i) - x;
            const double hp = xa(i + m) - x;
            const double w = c(i + 1) - d(i);
            double den = ho - hp;
            if (den == 0.0) {
                return false;
            }
            den = w / den;
            d(i) = hp * den;
            c(i) = ho * den;
        }
        result += (2 * ns < n - m) ? c(ns + 1) : d(ns--);
    }
    y = result;
    return true;
}

}  // namespace

extern "C" {

int32_t InterpolateValue(double* Y, const double* XA, const double* YA, int32_t N, double X) {
    if (Y == nullptr || XA == nullptr || YA == nullptr || N < 4) {
        return 0;
    }
    const int32_t j = HuntZeroBased(XA, N, X, RememberedWindowStart);
    int32_t k = j - 1;
    if (k < 0) {
        k = 0;
    }
    if (k > N - 4) {
        k = N - 4;
    }
    RememberedWindowStart = k;
    double y;
    if (!PolyInterpolate(XA + k, YA + k, 4, X, y)) {
        return 0;
    }
    *Y = y;
    return 1;
}

double vbCeiling(double X) {
    return std::ceil(X);
}

double vbFloor(double X) {
    return std::floor(X);
}

double vbSelect(uint32_t K, uint32_t N, const double* Values) {
    constexpr double failed = std::numeric_limits<double>::quiet_NaN();
    if (Values == nullptr || N == 0 || K < 1 || K > N) {
        return failed;
    }
    WorkVector a(N);
    if (!a.ok()) {
        return failed;
    }
    for (uint32_t i = 1; i <= N; ++i) {
        a(i) = Values[i - 1];
    }
    auto swap = [&a](uint32_t p, uint32_t q) {
        const double t = a(p);
        a(p) = a(q);
        a(q) = t;
    };
    uint32_t l = 1;
    uint32_t ir = N;
    for (;;) {
        if (ir <= l + 1) {
            if (ir == l + 1 && a(ir) < a(l)) {
                swap(l, ir);
            }
            return a(K);
        }
        const uint32_t mid = (l + ir) / 2;
        swap(mid, l + 1);
        if (a(l) > a(ir)) {
            swap(l, ir);
        }
        if (a(l + 1) > a(ir)) {
            swap(l + 1, ir);
        }
        if (a(l) > a(l + 1)) {
            swap(l, l + 1);
        }
        // After the median-of-three above, a(l) and a(ir) bound both scans.
        const double pivot = a(l + 1);
        uint32_t i = l + 1;
        uint32_t j = ir;
        for (;;) {
            do {
                ++i;
            } while (i < ir && a(i) < pivot);
            do {
                --j;
            } while (j > l && a(j) > pivot);
            if (j < i) {
                break;
            }
            swap(i, j);
        }
        a(l + 1) = a(j);
        a(j) = pivot;
        if (j >= K) {
            ir = j - 1;
        }
        if (j <= K) {
            l = i;
        }
    }
}

}  // extern "C"
