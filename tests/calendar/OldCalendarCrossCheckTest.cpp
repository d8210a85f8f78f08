// The old-calendar table against the new moons of Meeus, "Astronomical Algorithms" (2nd ed.,
// chapter 49), with the Espenak-Meeus polynomial for delta T.
#include "calendar/JulianDay.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tolmo;

namespace {

double Rad(double deg) {
    return deg * M_PI / 180.0;
}

double DeltaTSeconds(double year) {
    const double t = year - 2000;
    if (year < 2005)
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

// Julian ephemeris day (TT) of new moon number k (k = 0 near 2000-01-06).
double NewMoonJde(double k) {
    const double T = k / 1236.85, T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    double jde =
        2451550.09766 + 29.530588861 * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = Rad(2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3);
    const double Mp =
        Rad(201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4);
    const double F =
        Rad(160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4);
    const double Om = Rad(124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3);
    jde += -0.40720 * std::sin(Mp) + 0.17241 * E * std::sin(M) + 0.01608 * std::sin(2 * Mp) +
           0.01039 * std::sin(2 * F) + 0.00739 * E * std::sin(Mp - M) -
           0.00514 * E * std::sin(Mp + M) + 0.00208 * E * E * std::sin(2 * M) -
           0.00111 * std::sin(Mp - 2 * F) - 0.00057 * std::sin(Mp + 2 * F) +
           0.00056 * E * std::sin(2 * Mp + M) - 0.00042 * std::sin(3 * Mp) +
           0.00042 * E * std::sin(M + 2 * F) + 0.00038 * E * std::sin(M - 2 * F) -
           0.00024 * E * std::sin(2 * Mp - M) - 0.00017 * std::sin(Om) -
           0.00007 * std::sin(Mp + 2 * M) + 0.00004 * std::sin(2 * Mp - 2 * F) +
           0.00004 * std::sin(3 * M) + 0.00003 * std::sin(Mp + M - 2 * F) +
           0.00003 * std::sin(2 * Mp + 2 * F) - 0.00003 * std::sin(Mp + M + 2 * F) +
           0.00003 * std::sin(Mp - M + 2 * F) - 0.00002 * std::sin(Mp - M - 2 * F) -
           0.00002 * std::sin(3 * Mp + M) + 0.00002 * std::sin(4 * Mp);
    // The planetary arguments: amplitude, then the angle at k = 0 and its step per lunation.
    jde += 0.000325 * std::sin(Rad(299.77 + 0.107408 * k - 0.009173 * T2));
    const double planetary[13][3] = {
        {0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886}, {0.000126, 349.42, 36.412478},
        {0.000110, 84.66, 18.206239}, {0.000062, 141.74, 53.303771}, {0.000060, 207.14, 2.453732},
        {0.000056, 154.84, 7.306860}, {0.000047, 34.52, 27.261239},  {0.000042, 207.19, 0.121824},
        {0.000040, 291.34, 1.844379}, {0.000037, 161.72, 24.198154}, {0.000035, 239.56, 25.513099},
        {0.000023, 331.55, 3.592518}};
    for (const auto& [amplitude, angle, step] : planetary)
        jde += amplitude * std::sin(Rad(angle + step * k));
    return jde;
}

// The new moon in Japan Standard Time, as a julian date whose integer part (after adding 0.5)
// is the julian day number of the JST calendar day.
double NewMoonJst(double k) {
    const double jde = NewMoonJde(k);
    const double year = 2000 + (jde - 2451545.0) / 365.25;
    return jde - DeltaTSeconds(year) / 86400.0 + 9.0 / 24.0 + 0.5;
}

} // namespace

TEST(OldCalendarCrossCheck, EveryMonthStartsOnTheNewMoonDay) {
    const auto& table = OldCalendarTable();
    double closest = 1.0;
    for (const TJDOldMonth& m : table) {
        const double k = std::round((m.start - 2451550.1) / 29.530588861);
        const double jst = NewMoonJst(k);
        EXPECT_EQ(static_cast<int32_t>(std::floor(jst)), m.start)
            << "old month starting " << m.start;
        const double frac = jst - std::floor(jst);
        closest = std::min({closest, frac, 1.0 - frac});
    }
    // The series and the table agree even where the new moon is a minute from midnight.
    EXPECT_LT(closest * 1440.0, 2.0);
}
