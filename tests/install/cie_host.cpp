// A host program of the colorimetry control that knows nothing but the
// installed public header and library: it creates the control, computes the
// colour of a perfect reflector under D65 and reads the results back by name.
#include <cie/ucie.h>
#include <QApplication>
#include <QList>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    UCIE control;
    control.InitCIEEx();
    const QList<double> perfectReflector(471, 1.0);
    control.CalcColorimetry(perfectReflector, 1, 360, UCIE::ifD65);
    const double x = control.property("nx2").toDouble();
    const double y = control.property("ny2").toDouble();
    const double luminance = control.property("y2bar").toDouble();
    std::printf("x %.4f y %.4f Y %.4f\n", x, y, luminance);
    const bool right = std::fabs(x - 0.3127) < 5e-5 && std::fabs(y - 0.3290) < 5e-5 &&
                       std::fabs(luminance - 100.0) < 5e-3;
    return right ? 0 : 1;
}
