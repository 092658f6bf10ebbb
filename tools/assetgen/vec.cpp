// The generator's own sine, cosine and exponential (see vec.h).
#include "vec.h"

namespace assetgen {

namespace {

// Series for |x| <= pi/4, where 12 terms are more than double precision needs.
double SinSeries(double x) {
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n < 12; ++n) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1));
        sum += term;
    }
    return sum;
}

double CosSeries(double x) {
    const double x2 = x * x;
    double term = 1;
    double sum = 1;
    for (int n = 1; n < 12; ++n) {
        term *= -x2 / ((2.0 * n - 1) * (2.0 * n));
        sum += term;
    }
    return sum;
}

}  // namespace

double Sin(double radians) {
    const double quarter = kPi / 2;
    const double turns = std::floor(radians / quarter + 0.5);
    const double x = radians - turns * quarter;
    switch (static_cast<long long>(turns) & 3) {
        case 0: return SinSeries(x);
        case 1: return CosSeries(x);
        case 2: return -SinSeries(x);
        default: return -CosSeries(x);
    }
}

double Cos(double radians) { return Sin(radians + kPi / 2); }

double Exp(double x) {
    int halvings = 0;
    while (x > 0.5 || x < -0.5) {
        x *= 0.5;
        ++halvings;
    }
    double term = 1;
    double sum = 1;
    for (int n = 1; n < 18; ++n) {
        term *= x / n;
        sum += term;
    }
    for (int i = 0; i < halvings; ++i) sum *= sum;
    return sum;
}

}  // namespace assetgen
